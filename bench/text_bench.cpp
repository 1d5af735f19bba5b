// Throughput of the text layer: measuring and drawing an axis-label sized string with
// the complex font, into a device that does nothing (characters per second).
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "bench/null_plot.h"
#include "gravox/core/all_records.h"
#include "gravox/gravox.h"
#include "gravox/text/text.h"

namespace {

// A plot open on the null device with the complex font.
struct FontPlot : gvx::bench::NullPlot {
    FontPlot() { g.complx(); }
};

const char* const kText = "Expansion history a(t) of model 13, t in Gyr";

void BM_MeasureString(benchmark::State& state) {
    FontPlot plot;
    for (auto _ : state) benchmark::DoNotOptimize(plot.g.nlmess(kText));
    state.SetItemsProcessed(state.iterations() * static_cast<long>(std::strlen(kText)));
}
BENCHMARK(BM_MeasureString);

void BM_DrawString(benchmark::State& state) {
    FontPlot plot;
    for (auto _ : state) plot.g.messag(kText, 200, 1000);
    state.SetItemsProcessed(state.iterations() * static_cast<long>(std::strlen(kText)));
}
BENCHMARK(BM_DrawString);

void BM_DrawRotatedCentred(benchmark::State& state) {
    FontPlot plot;
    plot.g.angle(90);
    plot.g.txtjus("CENT");
    for (auto _ : state) plot.g.messag(kText, 1500, 1000);
    state.SetItemsProcessed(state.iterations() * static_cast<long>(std::strlen(kText)));
}
BENCHMARK(BM_DrawRotatedCentred);

}  // namespace

BENCHMARK_MAIN();
