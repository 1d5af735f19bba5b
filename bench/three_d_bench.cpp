// Speed and memory of three-dimensional surfaces, each a whole plot from gvxini to the
// written PNG file: a shaded 500 x 500 surface in the z-buffer, and the mesh of a
// 200 x 200 surface with hidden lines. The counter extra_MB is the growth of the peak
// resident size over what the process held with the matrix already in memory; read it
// from a fresh process with one iteration (--benchmark_min_time=0.01).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/peak_memory.h"
#include "gravox/gravox.h"

namespace {

using gvx::bench::reset_peak;
using gvx::bench::status_mb;

struct Surface {
    std::vector<double> x, z;
    explicit Surface(int n) : x(n), z(static_cast<size_t>(n) * n) {
        for (int i = 0; i < n; ++i) x[i] = -2.0 + 4.0 * i / (n - 1);
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                z[static_cast<size_t>(i) * n + j] = std::exp(-(x[i] * x[i] + x[j] * x[j])) +
                                                    0.2 * std::sin(3 * x[i]) * std::cos(2 * x[j]);
    }
};

template <typename Draw>
void plots_to_png(benchmark::State& state, int n, const char* name, Draw draw) {
    const Surface f(n);
    const std::string file = (std::filesystem::temp_directory_path() / name).string();
    const double base = reset_peak();
    for (auto _ : state) {
        Gravox g;
        g.metafl("PNG");
        g.filmod("DELETE");
        g.setfil(file.c_str());
        g.gvxini();
        g.errmod("PROTOCOL", "OFF");
        g.view3d(-60, 30, 0, "ANGL");
        g.graf3d(-2, 2, -2, 1, -2, 2, -2, 1, -0.5, 1.5, -0.5, 0.5);
        draw(g, f, n);
        g.gvxfin();
    }
    std::remove(file.c_str());
    state.counters["extra_MB"] = status_mb("VmHWM") - base;
    state.counters["base_MB"] = base;
}

void BM_Surshd500ZBufferToPng(benchmark::State& state) {
    plots_to_png(state, 500, "gravox_surshd_bench.png", [](Gravox& g, const Surface& f, int n) {
        g.zbfini();
        g.surshd(f.x.data(), n, f.x.data(), n, f.z.data());
        g.zbffin();
    });
}
BENCHMARK(BM_Surshd500ZBufferToPng)->Unit(benchmark::kMillisecond);

void BM_Surmat200HiddenLinesToPng(benchmark::State& state) {
    plots_to_png(state, 200, "gravox_surmat_bench.png",
                 [](Gravox& g, const Surface& f, int n) { g.surmat(f.z.data(), n, n, 1, 1); });
}
BENCHMARK(BM_Surmat200HiddenLinesToPng)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
