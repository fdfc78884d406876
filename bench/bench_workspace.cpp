// What the user waits for at start and after each OK of the start selection:
// the workspace built and a start selection applied on the shipped directory.
#include "BenchProject.h"

#include "model/core/FrameState.h"
#include "model/core/UiServices.h"
#include "support/ConfigKit.h"
#include "support/ScriptedUi.h"
#include "workspace/PrjMgr.h"
#include "workspace/StartSel.h"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace orv;

namespace {

// Bytes of the configuration directory, which start-up reads at least once.
uint64_t WorkspaceBenchCfgBytes(const ConfigKit& kit)
{
    uint64_t bytes = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kit.Home() + "CFG/ORV"))
        if (entry.is_regular_file())
            bytes += entry.file_size();
    return bytes;
}

void BM_WorkspaceInit(benchmark::State& state)
{
    ScriptedUi ui;
    ScopedUiServices uiReg(ui);
    ConfigKit kit;
    CFrameState frame;
    ScopedMainFrame frameReg(frame);
    CStartSel sel;
    sel.OpenDb(kit.Home());
    frame.SetStartSel(&sel);
    const PlainIoRatio timer;
    for (auto _ : state) {
        CPrjMgr mgr(frame, sel);
        benchmark::DoNotOptimize(mgr.Init());
    }
    state.counters["x_plain_io"] = timer.Ratio(state.iterations(), kit.Home() + "PLAIN.BIN", WorkspaceBenchCfgBytes(kit));
}
BENCHMARK(BM_WorkspaceInit)->Unit(benchmark::kMillisecond);

void BM_WorkspaceStartselection(benchmark::State& state)
{
    ScriptedUi ui;
    ScopedUiServices uiReg(ui);
    ConfigKit kit;
    CFrameState frame;
    ScopedMainFrame frameReg(frame);
    CStartSel sel;
    sel.OpenDb(kit.Home());
    frame.SetStartSel(&sel);
    CPrjMgr mgr(frame, sel);
    if (mgr.Init() != CPrjMgr::kInitDone) {
        state.SkipWithError("the workspace did not start");
        return;
    }
    const PlainIoRatio timer;
    for (auto _ : state)
        benchmark::DoNotOptimize(mgr.Startselection());
    state.counters["x_plain_io"] = timer.Ratio(state.iterations(), kit.Home() + "PLAIN.BIN", WorkspaceBenchCfgBytes(kit));
}
BENCHMARK(BM_WorkspaceStartselection)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
