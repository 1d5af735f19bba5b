// The thirteen model runs of the cosmology program, timed per integration step.
// The report goes to a stream that discards it, so the figures are those of the
// stepper and of the history arrays.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <streambuf>

#include "app/expansion.h"

namespace {

// A stream buffer that accepts and drops everything.
class NullBuffer final : public std::streambuf {
  protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

std::int64_t steps_of(const cosmology::ExpansionModel& model) {
    return std::int64_t{cosmology::step_count(model.earliest, model.step)} +
           cosmology::step_count(model.latest, model.step);
}

void set_counters(benchmark::State& state, std::int64_t steps) {
    // Seconds per integration step (shown with an SI prefix: "14n" is 14 ns) and
    // seconds per iteration.
    state.counters["per_step"] = benchmark::Counter(
        static_cast<double>(steps),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["steps"] = static_cast<double>(steps);
}

// All thirteen runs in table order, as the program makes them.
void BM_ThirteenRuns(benchmark::State& state) {
    NullBuffer buffer;
    std::ostream out(&buffer);
    std::int64_t steps = 0;
    for (const cosmology::ModelRun& run : cosmology::kModelRuns) steps += steps_of(run.model);
    for (auto _ : state) {
        for (const cosmology::ModelRun& run : cosmology::kModelRuns) {
            cosmology::plot_model(run.model, out);
        }
    }
    set_counters(state, steps);
}
BENCHMARK(BM_ThirteenRuns)->Unit(benchmark::kMillisecond)->UseRealTime();

// One run by its index in the table (0 to 12); run 13 (index 12) needs std::pow.
void BM_Run(benchmark::State& state) {
    const cosmology::ExpansionModel model = cosmology::kModelRuns[state.range(0)].model;
    NullBuffer buffer;
    std::ostream out(&buffer);
    for (auto _ : state) cosmology::plot_model(model, out);
    set_counters(state, steps_of(model));
}
BENCHMARK(BM_Run)->DenseRange(0, cosmology::kRunCount - 1)->Unit(benchmark::kMillisecond);

// The two passes alone over a history sized once, without the arrays' allocation.
void BM_PassesOnly(benchmark::State& state) {
    const cosmology::ExpansionModel model = cosmology::kModelRuns[state.range(0)].model;
    NullBuffer buffer;
    std::ostream out(&buffer);
    const int back = cosmology::step_count(model.earliest, model.step);
    const int forward = cosmology::step_count(model.latest, model.step);
    cosmology::ExpansionHistory history;
    history.reset(back, forward);
    for (auto _ : state) {
        // Start values of the extremes; the arrays are overwritten by the passes.
        history.a_min = std::numeric_limits<double>::infinity();
        history.a_max = -std::numeric_limits<double>::infinity();
        history.a_z = history.t_z = cosmology::kNotSet;
        cosmology::integrate_expansion(history, model, back - 1, -1, out);
        cosmology::integrate_expansion(history, model, back + 1, +1, out);
        benchmark::DoNotOptimize(history.scale.data());
    }
    set_counters(state, steps_of(model));
}
BENCHMARK(BM_PassesOnly)->Arg(0)->Arg(12)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
