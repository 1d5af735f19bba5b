// Speed of the raster image writers besides PNG on an 853 x 603 figure: the GIF coder,
// the colour reduction of true-colour pictures, and the plain formats for comparison.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "gravox/core/sink.h"
#include "gravox/devices/image_writers.h"
#include "gravox/devices/raster_canvas.h"

namespace {

using gvx::ImageFormat;
using gvx::ImageStatus;
using gvx::RasterCanvas;

constexpr int kWidth = 853;
constexpr int kHeight = 603;

std::vector<std::uint32_t> rainbow() {
    std::vector<std::uint32_t> table(256);
    for (std::uint32_t i = 0; i < 256; ++i) table[i] = (i * 0x3F1D07u) & 0xFFFFFFu;
    table[0] = 0xFFFFFF;
    table[255] = 0;
    return table;
}

// A figure: frame, axis rectangle and five curves; with smoothing on a true-colour
// canvas the curves blend into the paper and give thousands of colours.
void draw_figure(RasterCanvas& canvas, bool true_colour) {
    int w = kWidth, h = kHeight;
    canvas.create(2969, 2099, w, h, true, 2, true_colour);
    const auto table = rainbow();
    canvas.load_palette(1, table.data(), 256);
    canvas.option(gvx::canvas_option::smoothing, true_colour ? 1 : 0);
    canvas.set_colour(255);
    canvas.line(0, 0, w - 1, 0);
    canvas.line(w - 1, 0, w - 1, h - 1);
    canvas.line(w - 1, h - 1, 0, h - 1);
    canvas.line(0, h - 1, 0, 0);
    canvas.box(140, 60, 720, 62, 255);
    canvas.box(140, 518, 720, 520, 255);
    for (int c = 0; c < 5; ++c) {
        canvas.set_colour(0x01000000 + (40 * c) * 65536 + (255 - 50 * c) * 256 + 60 * c);
        int px = 141, py = 519;
        for (int x = 143; x < 720; x += 2) {
            const double t = (x - 141) / 579.0;
            const int y = 519 - static_cast<int>(440 * std::pow(t, 0.3 + 0.35 * c));
            canvas.line(px, py, x, y);
            px = x;
            py = y;
        }
    }
}

using Writer = ImageStatus (*)(gvx::Sink&, const RasterCanvas&, const gvx::ImageSettings&,
                               const std::uint32_t*, int);

void run(benchmark::State& state, Writer writer, ImageFormat format, bool true_colour) {
    RasterCanvas canvas;
    draw_figure(canvas, true_colour);
    const auto table = rainbow();
    gvx::ImageSettings settings;
    settings.format = format;
    std::size_t bytes = 0;
    for (auto _ : state) {
        gvx::MemorySink sink;
        if (writer(sink, canvas, settings, table.data(), 256) != ImageStatus::ok)
            state.SkipWithError("writer failed");
        bytes = sink.bytes().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["file_bytes"] = static_cast<double>(bytes);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kWidth) * kHeight);
}

void BM_GifIndexed(benchmark::State& s) {
    run(s, gvx::write_gif, ImageFormat::indexed, false);
}
void BM_GifReducedTrueColour(benchmark::State& s) {
    run(s, gvx::write_gif, ImageFormat::rgb, true);
}
void BM_TiffIndexed(benchmark::State& s) {
    run(s, gvx::write_tiff, ImageFormat::indexed, false);
}
void BM_TiffBilevel(benchmark::State& s) {
    run(s, gvx::write_tiff, ImageFormat::bilevel, false);
}
void BM_BmpRgb(benchmark::State& s) {
    run(s, gvx::write_bmp, ImageFormat::rgb, true);
}
void BM_PpmRgb(benchmark::State& s) {
    run(s, gvx::write_ppm, ImageFormat::rgb, true);
}

BENCHMARK(BM_GifIndexed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GifReducedTrueColour)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TiffIndexed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TiffBilevel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BmpRgb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PpmRgb)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
