// Speed and memory of fields to PNG: a 1000 x 1000 heat map (crvmat) and the contour
// lines of 20 levels on a 1000 x 1000 grid, each a whole plot from gvxini to the
// written file. The counter extra_MB is the growth of the peak resident size over
// what the process held with the matrix already in memory; read it from a fresh
// process with one iteration (--benchmark_min_time=0.01), since memory that earlier
// runs freed stays resident and hides the growth of later ones.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/peak_memory.h"
#include "gravox/core/all_records.h"
#include "gravox/gravox.h"

namespace {

using gvx::bench::reset_peak;
using gvx::bench::status_mb;

constexpr int kN = 1000;

struct Field {
    std::vector<double> x, y, z;
    Field() : x(kN), y(kN), z(static_cast<size_t>(kN) * kN) {
        for (int i = 0; i < kN; ++i) x[i] = y[i] = -2.0 + 4.0 * i / (kN - 1);
        for (int i = 0; i < kN; ++i)
            for (int j = 0; j < kN; ++j)
                z[static_cast<size_t>(i) * kN + j] =
                    std::sin(2.0 * x[i]) * std::cos(3.0 * y[j]) + 0.3 * x[i] * y[j];
    }
};

void open_plot(Gravox& g, const std::string& file) {
    g.metafl("PNG");
    g.filmod("DELETE");
    g.setfil(file.c_str());
    g.gvxini();
    g.errmod("PROTOCOL", "OFF");
}

std::string temp_file(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

// Whole plots to a PNG file: draw(g, f) draws inside the open plot.
template <typename Draw>
void plots_to_png(benchmark::State& state, const char* name, Draw draw) {
    const Field f;
    const std::string file = temp_file(name);
    const double base = reset_peak();
    for (auto _ : state) {
        Gravox g;
        open_plot(g, file);
        draw(g, f);
        g.gvxfin();
    }
    std::remove(file.c_str());
    state.counters["extra_MB"] = status_mb("VmHWM") - base;
    state.counters["base_MB"] = base;
}

void BM_HeatMap1000ToPng(benchmark::State& state) {
    plots_to_png(state, "gravox_heat_bench.png", [](Gravox& g, const Field& f) {
        g.graf3(-2, 2, -2, 1, -2, 2, -2, 1, -2, 2, -2, 1);
        g.crvmat(f.z.data(), kN, kN, 1, 1);
    });
}
BENCHMARK(BM_HeatMap1000ToPng)->Unit(benchmark::kMillisecond);

void BM_Contours20Of1000ToPng(benchmark::State& state) {
    plots_to_png(state, "gravox_contour_bench.png", [](Gravox& g, const Field& f) {
        g.graf(-2, 2, -2, 1, -2, 2, -2, 1);
        g.labels("NONE", "CON");
        for (int k = 0; k < 20; ++k)
            g.contur(f.x.data(), kN, f.y.data(), kN, f.z.data(), -1.5 + 3.0 * (k + 0.5) / 20);
    });
}
BENCHMARK(BM_Contours20Of1000ToPng)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
