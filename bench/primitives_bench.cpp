// Throughput of the polyline path: draw_to calls through the buffer, the clipping and
// the device dispatch into a device that does nothing.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "bench/null_plot.h"
#include "gravox/core/all_records.h"
#include "gravox/devices/primitives.h"
#include "gravox/gravox.h"

namespace {

using gvx::bench::NullPlot;

constexpr int kPoints = 1000000;

// A wave across the page, drawn as one long polyline of a million points.
std::vector<double> curve_x, curve_y;

void make_curve(double amplitude) {
    curve_x.resize(kPoints);
    curve_y.resize(kPoints);
    for (int i = 0; i < kPoints; ++i) {
        curve_x[i] = 100.0 + 2700.0 * i / kPoints;
        curve_y[i] = 1050.0 + amplitude * std::sin(i * 0.01);
    }
}

void run(benchmark::State& state, double amplitude, gvx::ClipWindow window) {
    make_curve(amplitude);
    NullPlot plot;
    gvx::PlotState& s = gvx::state_of(plot.g);
    s.prims->clip_window = window;
    for (auto _ : state) {
        gvx::move_to(s, curve_x[0], curve_y[0]);
        for (int i = 1; i < kPoints; ++i) gvx::draw_to(s, curve_x[i], curve_y[i]);
        gvx::flush_polyline(s);
        s.frame.vector_count = 0;
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}

// Every point inside the clipping window.
void BM_DrawToInside(benchmark::State& state) {
    run(state, 900.0, {0, 0, 2969, 2099});
}

// The curve leaves the window above and below on every wave, so most segments are clipped.
void BM_DrawToClipped(benchmark::State& state) {
    run(state, 900.0, {0, 300, 2969, 1800});
}

}  // namespace

BENCHMARK(BM_DrawToInside)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawToClipped)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
