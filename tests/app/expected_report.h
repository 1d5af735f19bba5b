// The report of the thirteen model runs as the model table gives it, value by value,
// turned into the exact text the program prints.
#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

namespace cosmology::testing {

struct ExpectedRun {
    const char* header;                   // first line of the block
    int back_count, forward_count;        // nBack, nFwd
    std::vector<const char*> zero_times;  // the "a_0 = 0" lines, in Gyr
    // Extremes and a_Z with their times in Gyr; nullptr where the value is not set.
    const char *a_max, *t_max, *a_min, *t_min, *a_z, *t_z;
};

// The thirteen runs in run order.
const std::vector<ExpectedRun>& expected_runs();

// How the report stream writes the not-set marker (the negative quiet NaN).
std::string not_set_text();

// The report block of one run: its lines, each ended by '\n', and the empty line.
std::string expected_block(const ExpectedRun& run);

// The report of all thirteen runs.
std::string expected_report();

// Whether two doubles have the same bits (a NaN marker equals only itself).
inline bool same_bits(double x, double y) {
    return std::bit_cast<std::uint64_t>(x) == std::bit_cast<std::uint64_t>(y);
}

// Splits text into lines at '\n'; a final '\n' ends the last line.
std::vector<std::string> split_lines(const std::string& text);

}  // namespace cosmology::testing
