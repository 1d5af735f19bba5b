#include "tests/support/programs.h"

#include <cstdio>
#include <cstdlib>

namespace gvx::testing {

bool tool_available(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

std::string run_program(const std::string& command, int* status, bool with_errors) {
    const std::string full = command + (with_errors ? " 2>&1" : " 2>/dev/null");
    std::string out;
    FILE* pipe = popen(full.c_str(), "r");
    if (!pipe) {
        if (status) *status = -1;
        return out;
    }
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    const int rc = pclose(pipe);
    if (status) *status = rc;
    return out;
}

}  // namespace gvx::testing
