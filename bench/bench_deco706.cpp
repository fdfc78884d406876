#include "BenchProject.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

using namespace orv;

namespace {

namespace fs = std::filesystem;

void BM_Compile706FullMemory(benchmark::State& state)
{
    Full706 project("orv_bench_deco706");
    const PlainIoRatio timer;
    for (auto _ : state)
        if (const uint16_t error = project.Compile())
            state.SkipWithError(("compile failed: " + std::to_string(error)).c_str());
    const auto bytes = fs::file_size(project.Path("FULL.BIN"));
    state.counters["image bytes"] = static_cast<double>(bytes);
    state.counters["x_plain_io"] = timer.Ratio(state.iterations(), project.Path("PLAIN.BIN"), bytes);
}
BENCHMARK(BM_Compile706FullMemory)->Unit(benchmark::kMillisecond);

void BM_Decompile706FullMemory(benchmark::State& state)
{
    Full706 project("orv_bench_deco706");
    if (const uint16_t error = project.Compile()) {
        state.SkipWithError(("compile failed: " + std::to_string(error)).c_str());
        return;
    }
    const PlainIoRatio timer;
    for (auto _ : state)
        if (const uint16_t error = project.Decompile())
            state.SkipWithError(("decompile failed: " + std::to_string(error)).c_str());
    const auto bytes = fs::file_size(project.Path("FULL.BIN"));
    state.counters["x_plain_io"] = timer.Ratio(state.iterations(), project.Path("PLAIN.BIN"), bytes);
}
BENCHMARK(BM_Decompile706FullMemory)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
