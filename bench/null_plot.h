// A plot for benchmarks that measure the library itself: its device does nothing but
// keep the coordinates alive, its file stays in memory and no protocol is printed.
#pragma once

#include <benchmark/benchmark.h>

#include <memory>

#include "gravox/core/all_records.h"
#include "gravox/gravox.h"

namespace gvx::bench {

class NullDevice final : public Device {
  public:
    using Device::Device;
    DeviceCapabilities capabilities() const override { return {}; }
    Warning open(Sink*) override { return warning::none; }
    Warning close() override { return warning::none; }
    void move(double x, double y) override { benchmark::DoNotOptimize(x + y); }
    void draw(double x, double y) override { benchmark::DoNotOptimize(x + y); }
    void colour(int) override {}
};

struct NullPlot {
    NullPlot() {
        PlotState& s = gvx::state_of(g);
        s.device_factory = [](PlotState& state, int) {
            return std::unique_ptr<Device>(new NullDevice(state));
        };
        s.files.open_sink = [](const char*, const char*) {
            return std::unique_ptr<Sink>(new MemorySink());
        };
        g.metafl("PNG");
        g.gvxini();
        g.errmod("PROTOCOL", "OFF");
    }
    ~NullPlot() {
        if (gvx::state_of(g).frame.level > 0) g.gvxfin();
    }
    Gravox g;
};

}  // namespace gvx::bench
