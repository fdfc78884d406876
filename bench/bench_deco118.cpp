#include "BenchProject.h"

#include "image/decompile/Deco118.h"
#include "model/core/WorkspaceState.h"
#include "tools/cfggen/DrvBuilders.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

using namespace orv;

namespace {

constexpr uint16_t kPanel = 118;

void BM_CompileFamily118(benchmark::State& state)
{
    BenchDir paths("orv_bench_deco118");
    CWorkspaceState workspace(paths.Prefix(), paths.Prefix());
    BenchBundle project(workspace, kPanel);
    FillFull118(project.prj);
    uint64_t length = 0;
    const PlainIoRatio timer;
    for (auto _ : state) {
        if (const uint16_t error = CompileFull118(workspace, paths, project.bundle, length)) {
            state.SkipWithError(("the compile failed: " + std::to_string(error)).c_str());
            break;
        }
    }
    state.counters["image_bytes"] = static_cast<double>(length);
    state.counters["x_plain_io"] = timer.Ratio(state.iterations(), paths.File("PLAIN.BIN"), length);
}
BENCHMARK(BM_CompileFamily118)->Unit(benchmark::kMillisecond);

void BM_DecompileFamily118(benchmark::State& state)
{
    BenchDir paths("orv_bench_deco118");
    CWorkspaceState workspace(paths.Prefix(), paths.Prefix());
    std::ofstream(paths.File("FULL.DRV"), std::ios::binary) << Drv043Entry().Build().bytes;
    uint64_t length = 0;
    {
        BenchBundle source(workspace, kPanel);
        FillFull118(source.prj);
        if (const uint16_t error = CompileFull118(workspace, paths, source.bundle, length)) {
            state.SkipWithError(("the compile failed: " + std::to_string(error)).c_str());
            return;
        }
    }
    BenchBundle target(workspace, kPanel);
    const PlainIoRatio timer;
    for (auto _ : state) {
        target.prj.Clear();
        CDeco118 deco(&workspace, paths.File("FULL.BIN"), paths.File("FULL.DRV"), "", &target.bundle);
        if (deco.GetError() != 0) {
            state.SkipWithError(("the decompile failed: " + std::to_string(deco.GetError())).c_str());
            break;
        }
    }
    state.counters["image_bytes"] = static_cast<double>(length);
    state.counters["x_plain_io"] = timer.Ratio(state.iterations(), paths.File("PLAIN.BIN"), length);
}
BENCHMARK(BM_DecompileFamily118)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
