#include "tests/app/expected_report.h"

#include <sstream>

#include "app/expansion.h"

namespace cosmology::testing {

const std::vector<ExpectedRun>& expected_runs() {
    // One run per line: header, nBack, nFwd, "a_0 = 0" times, a_max at, a_min at, a_Z at.
    // clang-format off
    static const std::vector<ExpectedRun> runs = {
        {"Concordance(Omega_m = 0.3, Omega_v = 0.7):", 107384, 71589, {"-13.4673"},
         "1.91773", "9.99988", "0", "-13.4673", "0.499999", "-7.71534"},
        {"Critical Matter(Omega_m = 1, Omega_v = 0):", 107384, 71589, {"-9.31263"},
         "1.62623", "9.99988", "0", "-9.31263", "0.499995", "-6.01999"},
        {"Low Density(Omega_m = 0.3, Omega_v = 0):", 107384, 71589, {"-11.298"},
         "1.68935", "9.99988", "0", "-11.298", "0.499996", "-6.62538"},
        {"Empty(Omega_m = 0, Omega_v = 0):", 107384, 71589, {"-13.9686"},
         "1.71589", "9.99988", "0", "-13.9686", "0.49999", "-6.98437"},
        {"Bounce(Omega_m = 0.1, Omega_v = 3):", 107384, 71589, {},
         "2.77735", "9.99988", "0.811749", "-5.46795", nullptr, nullptr},
        {"Critical Matter(Omega_m = 1, Omega_v = 0):", 572718, 71589, {"-9.31263"},
         "1.62623", "9.99988", "0", "-9.31263", "0.499995", "-6.01999"},
        {"Empty(Omega_m = 0, Omega_v = 0):", 572718, 71589, {"-13.9686"},
         "1.71589", "9.99988", "0", "-13.9686", "0.49999", "-6.98437"},
        {"Vacuum Only(Omega_m = 0, Omega_v = 1):", 572718, 71589, {},
         "2.046", "9.99988", "0.00325615", "-79.9999", "0.499997", "-9.68224"},
        {"Loitering(Omega_m = 0.3, Omega_v = 1.713):", 572718, 71589, {"-57.7018"},
         "2.27065", "9.99988", "0", "-57.7018", "0.499999", "-15.8652"},
        {"Crunch(Omega_m = 3, Omega_v = 0):", 71589, 393744, {"-7.17001", "39.376"},
         "1.5", "16.1021", "0", "-7.17001", "0.49999", "-5.03507"},
        {"Crunch with Vacuum(Omega_m = 3, Omega_v = 0.1):", 71589, 393744, {"-7.22602", "52.4238"},
         "1.63775", "22.598", "0", "-7.22602", "0.499995", "-5.07865"},
        {"Concordance with w_v = -1(Omega_m = 0.3, Omega_v = 0.7):", 107384, 71589, {"-13.4673"},
         "1.91773", "9.99988", "0", "-13.4673", "0.499999", "-7.71534"},
        {"Concordance with w_v = -0.9(Omega_m = 0.3, Omega_v = 0.7):", 107384, 71589, {"-13.2475"},
         "1.86907", "9.99988", "0", "-13.2475", "0.499997", "-7.56937"},
    };
    // clang-format on
    return runs;
}

std::string not_set_text() {
    std::ostringstream out;
    out << kNotSet;
    return out.str();
}

std::string expected_block(const ExpectedRun& run) {
    const std::string nan = not_set_text();
    auto value = [&nan](const char* text) { return text ? std::string(text) : nan; };
    std::string block = std::string(run.header) + "\n";
    for (const char* t : run.zero_times) block += "\ta_0 = 0 at: " + std::string(t) + "Gyr\n";
    block += "\ta_0_max = " + value(run.a_max) + " at: " + value(run.t_max) +
             "Gyr. \ta_0_min = " + value(run.a_min) + " at: " + value(run.t_min) + "Gyr.\n";
    block += "\ta_Z = " + value(run.a_z) + " at: " + value(run.t_z) + "Gyr.\n";
    block += "\n";
    return block;
}

std::string expected_report() {
    std::string report;
    for (const ExpectedRun& run : expected_runs()) report += expected_block(run);
    return report;
}

std::vector<std::string> split_lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type begin = 0;
    while (begin < text.size()) {
        const auto end = text.find('\n', begin);
        if (end == std::string::npos) {
            lines.push_back(text.substr(begin));
            break;
        }
        lines.push_back(text.substr(begin, end - begin));
        begin = end + 1;
    }
    return lines;
}

}  // namespace cosmology::testing
