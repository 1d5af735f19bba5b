// Speed and memory of a world map to PNG: Robinson's projection with the continents
// filled and the coastlines drawn (crude resolution), a whole plot from gvxini to the
// written file (target: under 0.2 s). The counter peak_MB is the process's peak
// resident size after the runs; the first run decodes the coastline table once, so
// read it from a fresh process.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "gravox/gravox.h"

namespace {

double peak_mb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}

void world_map(benchmark::State& state, const char* projection, bool lines) {
    const std::string file =
        (std::filesystem::temp_directory_path() / "gravox_maps_bench.png").string();
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
    state.counters["peak_MB"] = peak_mb();
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
