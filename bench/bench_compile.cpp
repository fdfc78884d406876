#include "BenchProject.h"

#include "image/compile/Comp043.h"
#include "model/core/WorkspaceState.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

using namespace orv;

namespace {

void BM_CompileFamily043(benchmark::State& state)
{
    const std::string dir = std::filesystem::temp_directory_path().string() + "/";
    CWorkspaceState workspace(dir, dir);
    BenchBundle project(workspace, 43);
    FillFull043(project.prj);
    const std::string out = dir + "orv_bench_compile.BIN";
    uint64_t length = 0;
    const PlainIoRatio timer;
    for (auto _ : state) {
        workspace.MemInfo().freeData = 32766;
        CComp043 comp(workspace, out, "", "", 0, project.bundle);
        if (comp.GetError() != 0) {
            state.SkipWithError("the compile failed");
            break;
        }
        length = comp.GetLength();
    }
    state.counters["image_bytes"] = static_cast<double>(length);
    state.counters["x_plain_io"] = timer.Ratio(state.iterations(), dir + "orv_bench_plain.BIN", length);
    std::filesystem::remove(out);
}
BENCHMARK(BM_CompileFamily043)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
