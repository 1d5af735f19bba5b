// Speed of curve: one million points of a line through the user-to-plot mapping, the
// polyline buffer, clipping and the PNG device's canvas (points per second), as the
// application's longest model runs go.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "gravox/core/all_records.h"
#include "gravox/gravox.h"

namespace {

constexpr int kPoints = 1000000;

// A curve that stays inside the application's first axis system: an expansion-like
// rise with a small wiggle, so that consecutive points map to distinct plot points.
void fill_curve(std::vector<double>& x, std::vector<double>& y) {
    x.resize(kPoints);
    y.resize(kPoints);
    for (int i = 0; i < kPoints; ++i) {
        const double t = static_cast<double>(i) / (kPoints - 1);
        x[i] = -14.0 + 23.0 * t;
        y[i] = 0.1 + 2.5 * t * t + 0.05 * std::sin(400.0 * t);
    }
}

// Opens a PNG plot with the application's first axis system; the file goes to the
// temporary folder and is replaced at every run.
bool open_plot(Gravox& g, const std::string& file) {
    g.metafl("PNG");
    g.filmod("DELETE");
    g.setfil(file.c_str());
    g.gvxini();
    if (gvx::state_of(g).frame.level != 1) return false;
    g.errmod("PROTOCOL", "OFF");
    g.graf(-15.0, 10.0, -15.0, 5.0, 0.0, 2.78, 0.0, 0.5);
    return gvx::state_of(g).frame.level == 2;
}

void BM_CurveOnPng(benchmark::State& state) {
    std::vector<double> x, y;
    fill_curve(x, y);
    const std::string file =
        (std::filesystem::temp_directory_path() / "gravox_curve_bench.png").string();
    Gravox g;
    if (!open_plot(g, file)) {
        state.SkipWithError("the PNG device could not be opened");
        return;
    }
    for (auto _ : state) {
        g.curve(x.data(), y.data(), kPoints);
        benchmark::ClobberMemory();
    }
    g.gvxfin();
    std::remove(file.c_str());
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kPoints));
}
BENCHMARK(BM_CurveOnPng)->Unit(benchmark::kMillisecond);

// The same curve three times as thick: three passes with a line offset, which take the
// pattern walk of the primitives instead of the plain polyline path.
void BM_ThickCurveOnPng(benchmark::State& state) {
    std::vector<double> x, y;
    fill_curve(x, y);
    const std::string file =
        (std::filesystem::temp_directory_path() / "gravox_curve_bench_thick.png").string();
    Gravox g;
    if (!open_plot(g, file)) {
        state.SkipWithError("the PNG device could not be opened");
        return;
    }
    g.thkcrv(3);
    for (auto _ : state) {
        g.curve(x.data(), y.data(), kPoints);
        benchmark::ClobberMemory();
    }
    g.gvxfin();
    std::remove(file.c_str());
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kPoints));
}
BENCHMARK(BM_ThickCurveOnPng)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
