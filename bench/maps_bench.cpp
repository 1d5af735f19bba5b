// Speed and memory of a world map to PNG: Robinson's projection with the continents
// filled and the coastlines drawn (crude resolution), a whole plot from gvxini to the
// written file (target: under 0.2 s). The counter extra_MB is the growth of the peak
// resident size over the runs from the size before them (base_MB); the first run
// decodes the coastline table once, so read it from a fresh process.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/peak_memory.h"
#include "gravox/gravox.h"

namespace {

using gvx::bench::reset_peak;
using gvx::bench::status_mb;

void world_map(benchmark::State& state, const char* projection, bool lines) {
    const std::string file =
        (std::filesystem::temp_directory_path() / "gravox_maps_bench.png").string();
    const double base = reset_peak();
    for (auto _ : state) {
        Gravox g;
        g.metafl("PNG");
        g.filmod("DELETE");
        g.setfil(file.c_str());
        g.gvxini();
        g.errmod("PROTOCOL", "OFF");
        g.projct(projection);
        g.grafmp(-180.0, 180.0, -180.0, 60.0, -90.0, 90.0, -90.0, 30.0);
        g.color("GREEN");
        g.shdmap("CONT");
        g.color("FORE");
        if (lines) {
            g.world();
            g.gridmp(1, 1);
        }
        g.endgrf();
        g.gvxfin();
    }
    std::remove(file.c_str());
    state.counters["extra_MB"] = status_mb("VmHWM") - base;
    state.counters["base_MB"] = base;
}

void BM_WorldFilledRobinsonToPng(benchmark::State& state) {
    world_map(state, "ROBI", false);
}
BENCHMARK(BM_WorldFilledRobinsonToPng)->Unit(benchmark::kMillisecond);

void BM_WorldFilledWithCoastsRobinsonToPng(benchmark::State& state) {
    world_map(state, "ROBI", true);
}
BENCHMARK(BM_WorldFilledWithCoastsRobinsonToPng)->Unit(benchmark::kMillisecond);

void BM_WorldFilledOrthographicToPng(benchmark::State& state) {
    world_map(state, "ORTH", true);
}
BENCHMARK(BM_WorldFilledOrthographicToPng)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
