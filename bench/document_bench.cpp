// A million-point curve written as PDF (deflated), EPS and PNG: time per plot and the
// size of the file (the counter "bytes"). The files go to a sink that only counts.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "gravox/core/all_records.h"
#include "gravox/gravox.h"

namespace {

class CountingSink final : public gvx::Sink {
  public:
    explicit CountingSink(std::size_t* count) : count_(count) {}

  protected:
    bool do_write(const void*, std::size_t n) override {
        *count_ += n;
        return true;
    }

  private:
    std::size_t* count_;
};

constexpr int kPoints = 1000000;

const std::vector<double>& curve_x() {
    static const std::vector<double> x = [] {
        std::vector<double> v(kPoints);
        for (int i = 0; i < kPoints; ++i) v[i] = i * (10.0 / kPoints);
        return v;
    }();
    return x;
}

const std::vector<double>& curve_y() {
    static const std::vector<double> y = [] {
        std::vector<double> v(kPoints);
        for (int i = 0; i < kPoints; ++i) v[i] = std::sin(i * 0.0001) + 0.3 * std::sin(i * 0.37);
        return v;
    }();
    return y;
}

void plot_curve(benchmark::State& state, const char* format) {
    const std::vector<double>& x = curve_x();
    const std::vector<double>& y = curve_y();
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        Gravox plot;
        gvx::state_of(plot).files.open_sink = [&](const char*, const char*) {
            return std::unique_ptr<gvx::Sink>(new CountingSink(&bytes));
        };
        plot.metafl(format);
        plot.filmod("DELETE");
        plot.gvxini();
        plot.unit(nullptr);
        plot.errmod("PROTOCOL", "OFF");
        plot.graf(0, 10, 0, 2, -1.5, 1.5, -1.5, 0.5);
        plot.color("RED");
        plot.curve(x.data(), y.data(), kPoints);
        plot.gvxfin();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_MillionPointsPdf(benchmark::State& state) {
    plot_curve(state, "PDF");
}
BENCHMARK(BM_MillionPointsPdf)->Unit(benchmark::kMillisecond);

void BM_MillionPointsEps(benchmark::State& state) {
    plot_curve(state, "EPS");
}
BENCHMARK(BM_MillionPointsEps)->Unit(benchmark::kMillisecond);

void BM_MillionPointsPng(benchmark::State& state) {
    plot_curve(state, "PNG");
}
BENCHMARK(BM_MillionPointsPng)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
