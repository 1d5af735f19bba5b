// Speed of the raster canvas and the PNG writer: lines per second on the default
// 853 x 603 indexed canvas, and the time to encode a figure-like picture.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "gravox/core/sink.h"
#include "gravox/devices/png_writer.h"
#include "gravox/devices/raster_canvas.h"

namespace {

using gvx::RasterCanvas;

constexpr int kWidth = 853;
constexpr int kHeight = 603;

struct Segment {
    int x1, y1, x2, y2;
};

std::vector<std::uint32_t> grey_palette() {
    std::vector<std::uint32_t> table(256);
    for (std::uint32_t i = 0; i < 256; ++i) table[i] = i * 0x010101u;
    return table;
}

void make_canvas(RasterCanvas& canvas, bool true_colour = false) {
    int w = kWidth, h = kHeight;
    canvas.create(2969, 2099, w, h, true, 2, true_colour);
    const auto table = grey_palette();
    canvas.load_palette(3, table.data(), 256);
    canvas.set_colour(200);
}

// Lines across the image: from one edge region to the opposite one.
std::vector<Segment> long_lines(std::size_t n) {
    std::mt19937 rng(1);
    std::uniform_int_distribution<int> x(0, kWidth - 1), y(0, kHeight - 1);
    std::vector<Segment> out(n);
    for (std::size_t i = 0; i < n; ++i) {
        // Alternately left to right and top to bottom.
        if (i % 2 == 0)
            out[i] = {x(rng) / 8, y(rng), kWidth - 1 - x(rng) / 8, y(rng)};
        else
            out[i] = {x(rng), y(rng) / 8, x(rng), kHeight - 1 - y(rng) / 8};
    }
    return out;
}

// Curve segments: a few pixels long, as a plotted curve hands them to the canvas.
std::vector<Segment> short_lines(std::size_t n) {
    std::mt19937 rng(2);
    std::uniform_int_distribution<int> x(8, kWidth - 9), y(8, kHeight - 9), d(-6, 6);
    std::vector<Segment> out(n);
    for (auto& s : out) {
        s.x1 = x(rng);
        s.y1 = y(rng);
        s.x2 = s.x1 + d(rng);
        s.y2 = s.y1 + d(rng);
    }
    return out;
}

// Lines whose ends lie far outside the image but which cross it.
std::vector<Segment> far_lines(std::size_t n) {
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> y(0, kHeight - 1);
    std::vector<Segment> out(n);
    for (auto& s : out) s = {-100000000, y(rng) - 50000, 100000000, y(rng) + 50000};
    return out;
}

void run_lines(benchmark::State& state, const std::vector<Segment>& lines, bool clipping,
               bool true_colour = false, bool smoothing = false) {
    RasterCanvas canvas;
    canvas.option(gvx::canvas_option::clipping, clipping ? 0 : 1);
    canvas.option(gvx::canvas_option::smoothing, smoothing ? 1 : 0);
    make_canvas(canvas, true_colour);
    if (clipping) {
        canvas.option(gvx::canvas_option::clip_x1, 140);
        canvas.option(gvx::canvas_option::clip_y1, 60);
        canvas.option(gvx::canvas_option::clip_x2, 720);
        canvas.option(gvx::canvas_option::clip_y2, 520);
    }
    std::size_t i = 0;
    for (auto _ : state) {
        const Segment& s = lines[i];
        canvas.line(s.x1, s.y1, s.x2, s.y2);
        if (++i == lines.size()) i = 0;
    }
    benchmark::DoNotOptimize(canvas.pixels());
    state.SetItemsProcessed(state.iterations());
}

void BM_LongLines(benchmark::State& state) {
    run_lines(state, long_lines(4096), false);
}
void BM_LongLinesClipped(benchmark::State& state) {
    run_lines(state, long_lines(4096), true);
}
void BM_ShortLines(benchmark::State& state) {
    run_lines(state, short_lines(4096), false);
}
void BM_ShortLinesClipped(benchmark::State& state) {
    run_lines(state, short_lines(4096), true);
}
void BM_FarLines(benchmark::State& state) {
    run_lines(state, far_lines(4096), false);
}
void BM_LongLinesSmoothed(benchmark::State& state) {
    run_lines(state, long_lines(4096), false, true, true);
}
BENCHMARK(BM_LongLines);
BENCHMARK(BM_LongLinesClipped);
BENCHMARK(BM_ShortLines);
BENCHMARK(BM_ShortLinesClipped);
BENCHMARK(BM_FarLines);
BENCHMARK(BM_LongLinesSmoothed);

// A figure: white paper, a frame, an axis box with ticks, a legend box and five curves.
void draw_figure(RasterCanvas& canvas, bool true_colour) {
    make_canvas(canvas, true_colour);
    canvas.set_colour(0x01000000);
    canvas.line(0, 0, kWidth - 1, 0);
    canvas.line(kWidth - 1, 0, kWidth - 1, kHeight - 1);
    canvas.line(kWidth - 1, kHeight - 1, 0, kHeight - 1);
    canvas.line(0, kHeight - 1, 0, 0);
    for (int t = 0; t < 2; ++t) {
        canvas.line(140 - t, 60 - t, 720 + t, 60 - t);
        canvas.line(720 + t, 60 - t, 720 + t, 520 + t);
        canvas.line(720 + t, 520 + t, 140 - t, 520 + t);
        canvas.line(140 - t, 520 + t, 140 - t, 60 - t);
    }
    for (int x = 140; x <= 720; x += 29) canvas.line(x, 520, x, x % 58 ? 512 : 505);
    for (int y = 60; y <= 520; y += 23) canvas.line(140, y, y % 46 ? 148 : 155, y);
    canvas.box(560, 80, 700, 170, 255);
    for (int c = 0; c < 5; ++c) {
        canvas.set_colour(40 + 40 * c);
        int px = 141, py = 519;
        for (int x = 143; x < 720; x += 2) {
            const double t = (x - 141) / 579.0;
            const int y = 519 - static_cast<int>(440 * std::pow(t, 0.3 + 0.35 * c) *
                                                 (1 + 0.05 * std::sin(x / 9.0)));
            canvas.line(px, py, x, y);
            px = x;
            py = y;
        }
        canvas.line(575, 95 + 15 * c, 620, 95 + 15 * c);
    }
}

void run_png(benchmark::State& state, gvx::ImageFormat format, bool true_colour) {
    RasterCanvas canvas;
    draw_figure(canvas, true_colour);
    const auto table = grey_palette();
    gvx::PngSettings settings;
    settings.format = format;
    std::size_t bytes = 0;
    for (auto _ : state) {
        gvx::MemorySink sink;
        if (gvx::write_png(sink, canvas, settings, table.data(), 256) != gvx::PngStatus::ok)
            state.SkipWithError("PNG writer failed");
        bytes = sink.bytes().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["png_bytes"] = static_cast<double>(bytes);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kWidth) * kHeight);
}

void BM_PngIndexedFigure(benchmark::State& state) {
    run_png(state, gvx::ImageFormat::indexed, false);
}
void BM_PngRgbFigure(benchmark::State& state) {
    run_png(state, gvx::ImageFormat::rgb, true);
}
BENCHMARK(BM_PngIndexedFigure)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngRgbFigure)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
