// The program's two halves, timed apart: the integration of the thirteen model runs,
// and the drawing and encoding of the four figures from histories made beforehand.
// bench/program_run.sh times the whole program (wall time and peak memory).
#include <benchmark/benchmark.h>

#include <ostream>
#include <streambuf>
#include <vector>

#include "app/expansion.h"
#include "app/figures.h"
#include "gravox/core/all_records.h"
#include "gravox/gravox.h"

namespace {

class NullBuffer final : public std::streambuf {
  protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

struct History {
    const cosmology::ExpansionModel* model;
    std::vector<double> time, scale;
};

// Every run's history, computed once.
const std::vector<History>& histories() {
    static const std::vector<History> all = [] {
        std::vector<History> made;
        NullBuffer buffer;
        std::ostream out(&buffer);
        for (const cosmology::ModelRun& run : cosmology::kModelRuns) {
            cosmology::plot_model(
                run.model, out,
                [&](const cosmology::ExpansionModel&, const cosmology::ExpansionHistory& h) {
                    made.push_back({&run.model, std::vector<double>(h.time.begin(), h.time.end()),
                                    std::vector<double>(h.scale.begin(), h.scale.end())});
                });
        }
        return made;
    }();
    return all;
}

void BM_Integration(benchmark::State& state) {
    NullBuffer buffer;
    std::ostream out(&buffer);
    for (auto _ : state)
        for (const cosmology::ModelRun& run : cosmology::kModelRuns)
            cosmology::plot_model(run.model, out);
}
BENCHMARK(BM_Integration)->Unit(benchmark::kMillisecond);

void BM_DrawingAndEncoding(benchmark::State& state) {
    const std::vector<History>& runs = histories();
    std::size_t bytes = 0;
    for (auto _ : state) {
        Gravox plot;
        // The PNG files go to memory; the protocol boxes are not printed.
        gvx::state_of(plot).files.open_sink = [](const char*, const char*) {
            return std::unique_ptr<gvx::Sink>(new gvx::MemorySink());
        };
        char legend_buffer[256];
        plot.metafl("PNG");
        plot.filmod("DELETE");
        plot.scrmod("REVERS");
        for (int number = 1; number <= cosmology::kFigureCount; ++number) {
            const cosmology::Figure& f = cosmology::kFigures[number - 1];
            plot.gvxini();
            plot.unit(nullptr);
            plot.pagera();
            plot.name("Time t (Gyr)", "X");
            plot.name("Scale Factor a(t)", "Y");
            plot.complx();
            plot.graf(f.x_start, f.x_end, f.x_first, f.x_step, f.y_start, f.y_end, f.y_first,
                      f.y_step);
            plot.legini(legend_buffer, f.legend_lines, 50);
            plot.legtit("Legend");
            int line = 1;
            for (std::size_t i = 0; i < runs.size(); ++i) {
                if (cosmology::kModelRuns[i].figure != number) continue;
                plot.color(runs[i].model->colour);
                plot.leglin(legend_buffer, runs[i].model->label, line++);
                plot.curve(runs[i].time.data(), runs[i].scale.data(),
                           static_cast<int>(runs[i].time.size()));
            }
            plot.color("WHITE");
            plot.legpos(f.legend_x, f.legend_y);
            plot.legend(legend_buffer, line - 1);
            bytes += static_cast<gvx::MemorySink*>(gvx::state_of(plot).files.plot_file.get())
                         ->bytes()
                         .size();
            plot.gvxfin();
        }
    }
    benchmark::DoNotOptimize(bytes);
}
BENCHMARK(BM_DrawingAndEncoding)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
