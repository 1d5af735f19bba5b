// Growth of curve with the number of points: one curve of 10^4 to 10^7 points on each
// device of the table below, in nanoseconds of processor time per point (curve alone:
// opening the plot, the axis system and gvxfin are not timed) and bytes of the
// finished file per point.
// Both should stay flat as the curve grows. A device is added with one line in kDevices.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "gravox/core/all_records.h"
#include "gravox/gravox.h"

namespace {

struct BenchDevice {
    const char* name;       // benchmark name
    const char* metafile;   // keyword of metafl
    const char* extension;  // of the file written in the temporary folder
};

constexpr BenchDevice kDevices[] = {
    {"PNG", "PNG", "png"}, {"SVG", "SVG", "svg"},      {"HPGL", "HPGL", "hpg"},
    {"IPE", "IPE", "ipe"}, {"Applet", "JAVA", "java"}, {"PDF", "PDF", "pdf"},
    {"EPS", "EPS", "eps"},
};

constexpr long kSizes[] = {10000, 100000, 1000000, 10000000};

// An expansion-like rise with a wiggle across the application's first axis system.
void fill_curve(std::vector<double>& x, std::vector<double>& y, long n) {
    x.resize(static_cast<std::size_t>(n));
    y.resize(static_cast<std::size_t>(n));
    for (long i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / static_cast<double>(n - 1);
        x[i] = -14.0 + 23.0 * t;
        y[i] = 0.1 + 2.5 * t * t + 0.05 * std::sin(400.0 * t);
    }
}

// Processor time of the calling thread: the machine is shared, so the wall clock
// would count the time other programs take.
double thread_seconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

void BM_Curve(benchmark::State& state, BenchDevice device) {
    const long n = state.range(0);
    std::vector<double> x, y;
    fill_curve(x, y, n);
    const std::string file = (std::filesystem::temp_directory_path() /
                              (std::string("gravox_scaling_bench.") + device.extension))
                                 .string();
    std::uintmax_t bytes = 0;
    double seconds = 0.0;
    for (auto _ : state) {
        Gravox g;
        g.metafl(device.metafile);
        g.filmod("DELETE");
        g.setfil(file.c_str());
        g.gvxini();
        g.errmod("PROTOCOL", "OFF");
        g.graf(-15.0, 10.0, -15.0, 5.0, 0.0, 2.78, 0.0, 0.5);
        if (gvx::state_of(g).frame.level != 2) {
            state.SkipWithError("the device could not be opened");
            return;
        }
        const double start = thread_seconds();
        g.curve(x.data(), y.data(), static_cast<int>(n));
        benchmark::ClobberMemory();
        const double spent = thread_seconds() - start;
        state.SetIterationTime(spent);
        seconds += spent;
        g.gvxfin();
        bytes = std::filesystem::file_size(file);
    }
    std::remove(file.c_str());
    const double points = static_cast<double>(n) * static_cast<double>(state.iterations());
    state.counters["ns/point"] = seconds * 1e9 / points;
    state.counters["bytes/point"] = static_cast<double>(bytes) / static_cast<double>(n);
}

const bool kRegistered = [] {
    for (const BenchDevice& device : kDevices)
        for (long n : kSizes)
            benchmark::RegisterBenchmark((std::string("BM_Curve/") + device.name).c_str(), BM_Curve,
                                         device)
                ->Arg(n)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
    return true;
}();

}  // namespace

BENCHMARK_MAIN();
