// What the user waits for at start and after each OK of the start selection:
// the workspace built and a start selection applied on the shipped directory;
// and an open, a save and a compile of a large project.
#include "BenchProject.h"

#include "model/core/FrameState.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVarList.h"
#include "source/reader/ParsOrvLoad.h"
#include "model/core/UiServices.h"
#include "support/ConfigKit.h"
#include "support/ScriptedUi.h"
#include "workspace/PrjMgr.h"
#include "workspace/SelQueries.h"
#include "workspace/StartSel.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

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

// The size the source benchmark reads: 2,000 variables and 1,000 message
// texts of two rows, each row showing two of the variables.
constexpr int kWorkspaceBenchVars = 2000;
constexpr int kWorkspaceBenchTexts = 1000;

std::string WorkspaceBenchSource()
{
    std::string text = "ORV706_PARAMETER, Q32r11000\r\nBEGIN\r\n\r\n";
    char line[160];
    for (int i = 0; i < kWorkspaceBenchVars; ++i) {
        std::snprintf(line, sizeof line, "VAR, Var%04d, %4d, ACTUAL, BIN-1, 4, 0, 0, 9999, 0, 9999\r\n", i,
                      30 + i % 200);
        text += line;
    }
    for (int t = 0; t < kWorkspaceBenchTexts; ++t) {
        std::snprintf(line, sizeof line, "MSG_TEXT, %4d, INFO, 1\r\n", t);
        text += line;
        for (int r = 1; r <= 2; ++r) {
            std::snprintf(line, sizeof line, "TEXT, \"Wert @Var%04d@ und @Var%04d@\"\r\n",
                          (t * 2 + r) % kWorkspaceBenchVars, (t * 3 + r) % kWorkspaceBenchVars);
            text += line;
        }
    }
    return text + "END\r\n";
}

// A started workspace on the shipped directory with the large project in
// DATA/BIG.ORV, loaded once.
struct WorkspaceBenchWorld {
    WorkspaceBenchWorld()
    {
        sel.OpenDb(kit.Home());
        frame.SetStartSel(&sel);
        std::filesystem::create_directories(kit.Home() + "DATA");
        path = kit.Home() + "DATA/BIG.ORV";
        std::ofstream(path, std::ios::binary) << WorkspaceBenchSource();
        sel.SetKeepSettings(true);
        ok = mgr.Init() == CPrjMgr::kInitDone;
        // The first PLC type and driver the shipped database offers the 706.
        CSelQueries q(&sel.Db());
        q.RunApp("ORVPRO");
        q.RunDev(706);
        q.RunSps(-1);
        q.RunSps(q.sps.IdAt(0));
        q.RunDrv(-1);
        mgr.SetPanelType(706);
        mgr.SetPlcType(q.spsId);
        mgr.SetDrvNum(q.drv.IdAt(0) >= 1000 ? q.drv.IdAt(0) / 100 : q.drv.IdAt(0));
        ok = ok && mgr.Startselection() && mgr.LoadPrj(path).result == 1 &&
             mgr.GetPrjData()->GetVarList()->GetCount() >= kWorkspaceBenchVars;
    }

    ScriptedUi ui;
    ScopedUiServices uiReg{ui};
    ConfigKit kit;
    CFrameState frame;
    ScopedMainFrame frameReg{frame};
    CStartSel sel;
    CPrjMgr mgr{frame, sel};
    std::string path;
    bool ok = false;
};

// Against the parse alone: the load also writes the safety copy first.
void BM_WorkspaceLoadPrj(benchmark::State& state)
{
    WorkspaceBenchWorld world;
    if (!world.ok) {
        state.SkipWithError("the large project did not load");
        return;
    }
    const auto parseStart = std::chrono::steady_clock::now();
    {
        CParsOrvLoad parser(world.path, true, world.mgr.Bundle());
        parser.ReadDescription();
        parser.Parse();
    }
    const std::chrono::duration<double> parse = std::chrono::steady_clock::now() - parseStart;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
        benchmark::DoNotOptimize(world.mgr.LoadPrj(world.path, CPrjMgr::LoadMode::Reload).result);
    const std::chrono::duration<double> total = std::chrono::steady_clock::now() - start;
    state.counters["x_parse"] = total.count() / static_cast<double>(state.iterations()) / parse.count();
}
BENCHMARK(BM_WorkspaceLoadPrj)->Unit(benchmark::kMillisecond);

void BM_WorkspaceSavePrj(benchmark::State& state)
{
    WorkspaceBenchWorld world;
    if (!world.ok) {
        state.SkipWithError("the large project did not load");
        return;
    }
    const PlainIoRatio timer;
    for (auto _ : state)
        benchmark::DoNotOptimize(world.mgr.SavePrj());
    state.counters["x_plain_io"] = timer.Ratio(state.iterations(), world.kit.Home() + "PLAIN.BIN",
                                               std::filesystem::file_size(world.path));
}
BENCHMARK(BM_WorkspaceSavePrj)->Unit(benchmark::kMillisecond);

void BM_WorkspaceCompile(benchmark::State& state)
{
    WorkspaceBenchWorld world;
    if (!world.ok || !world.mgr.SavePrj()) {
        state.SkipWithError("the large project did not load");
        return;
    }
    const PlainIoRatio timer;
    for (auto _ : state)
        benchmark::DoNotOptimize(world.mgr.Compile());
    state.counters["x_plain_io"] = timer.Ratio(state.iterations(), world.kit.Home() + "PLAIN.BIN",
                                               std::filesystem::file_size(world.mgr.GetImageFile()));
}
BENCHMARK(BM_WorkspaceCompile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
