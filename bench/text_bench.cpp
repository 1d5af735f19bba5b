// Throughput of the text layer: measuring and drawing an axis-label sized string with
// the complex font, into a device that does nothing (characters per second).
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "gravox/core/state.h"
#include "gravox/gravox.h"
#include "gravox/text/text.h"

namespace {

class NullDevice final : public gvx::Device {
  public:
    using gvx::Device::Device;
    gvx::DeviceCapabilities capabilities() const override { return {}; }
    int open(gvx::Sink*) override { return 0; }
    int close() override { return 0; }
    void move(double x, double y) override { benchmark::DoNotOptimize(x + y); }
    void draw(double x, double y) override { benchmark::DoNotOptimize(x + y); }
    void colour(int) override {}
};

// A plot open on the null device with the complex font, its file in memory.
struct NullPlot {
    NullPlot() {
        gvx::PlotState& s = g.state();
        s.device_factory = [](gvx::PlotState& state, int) {
            return std::unique_ptr<gvx::Device>(new NullDevice(state));
        };
        s.files.open_sink = [](const char*, const char*) {
            return std::unique_ptr<gvx::Sink>(new gvx::MemorySink());
        };
        g.metafl("PNG");
        g.gvxini();
        g.errmod("PROTOCOL", "OFF");
        g.complx();
    }
    ~NullPlot() {
        if (g.state().frame.level > 0) g.gvxfin();
    }
    Gravox g;
};

const char* const kText = "Expansion history a(t) of model 13, t in Gyr";

void BM_MeasureString(benchmark::State& state) {
    NullPlot plot;
    for (auto _ : state) benchmark::DoNotOptimize(plot.g.nlmess(kText));
    state.SetItemsProcessed(state.iterations() * static_cast<long>(std::strlen(kText)));
}
BENCHMARK(BM_MeasureString);

void BM_DrawString(benchmark::State& state) {
    NullPlot plot;
    for (auto _ : state) plot.g.messag(kText, 200, 1000);
    state.SetItemsProcessed(state.iterations() * static_cast<long>(std::strlen(kText)));
}
BENCHMARK(BM_DrawString);

void BM_DrawRotatedCentred(benchmark::State& state) {
    NullPlot plot;
    plot.g.angle(90);
    plot.g.txtjus("CENT");
    for (auto _ : state) plot.g.messag(kText, 1500, 1000);
    state.SetItemsProcessed(state.iterations() * static_cast<long>(std::strlen(kText)));
}
BENCHMARK(BM_DrawRotatedCentred);

}  // namespace

BENCHMARK_MAIN();
