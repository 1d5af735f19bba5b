// Memory figures of benchmarks: the resident and peak resident size of the process, and
// a fresh start of the peak, from /proc (Linux).
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace gvx::bench {

// Resident and peak resident size of the process in MB (VmRSS, VmHWM).
inline double status_mb(const char* key) {
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return 0.0;
    char line[256];
    double kb = 0.0;
    const size_t n = std::strlen(key);
    while (std::fgets(line, sizeof line, f))
        if (std::strncmp(line, key, n) == 0) kb = std::atof(line + n + 1);
    std::fclose(f);
    return kb / 1024.0;
}

// Starts a new peak at the present size; returns that size.
inline double reset_peak() {
    if (std::FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
    return status_mb("VmRSS");
}

}  // namespace gvx::bench
