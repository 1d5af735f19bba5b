// The fuzz target's interpreter, shared by the libFuzzer entry point and the
// regression test that replays every input that ever crashed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "gravox/core/all_records.h"
#include "gravox/gravox.h"

namespace gvx::fuzz {

// Calls of one input at most, so that a run stays short.
inline constexpr int kMaxCalls = 200;

// Reads the arguments of the calls from the fuzzer's bytes; past the end every read
// gives zeros. Strings and arrays live as long as the input.
class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size);
    bool done() const { return position_ >= size_; }

    std::uint8_t byte();
    int integer();
    double real();
    const char* text();       // keywords, raw bytes, null, over-long
    const char* file_name();  // names inside the scratch directory only
    std::FILE* stream();
    int window_size();
    int count();             // array lengths 0 to 39
    int count_up_to(int n);  // a count passed with an array of n: n, less, or negative
    const double* doubles(int n);
    const int* ints(int n);
    gvx::LegendBuffer legend_buffer();

  private:
    std::uint64_t raw(int bytes);
    const char* keep(std::string text);

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
    std::deque<std::string> texts_;
    std::deque<std::vector<double>> doubles_;
    std::deque<std::vector<int>> ints_;
    char legend_[30 * 132] = {};
};

// One public routine: its name and a call that reads its arguments in order.
struct Routine {
    const char* name;
    void (*call)(Gravox&, Input&);
};
extern const Routine kRoutines[];
extern const std::size_t kRoutineCount;

// Empties the current directory (the scratch directory) but for its FIFO and directory.
void prepare_scratch_directory();
// Runs one input on a fresh library object in the current directory.
void run_input(const std::uint8_t* data, std::size_t size);

}  // namespace gvx::fuzz
