#include "BenchProject.h"

#include "image/compile/Comp118.h"
#include "image/compile/Comp118Img2.h"
#include "image/decompile/Deco118.h"
#include "model/project/Mnu.h"
#include "model/project/MsgTxt.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/RcpTxt.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "model/project/TxtRow.h"
#include "model/core/WorkspaceState.h"
#include "tools/cfggen/DrvBuilders.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

using namespace orv;

namespace {

constexpr uint16_t kPanel = 118;
constexpr int kVarCount = 500;
constexpr int kOpCount = 128;
constexpr int kMsgCount = 100;
constexpr int kRcpCount = 60;
constexpr int kActCount = 40;
constexpr int kMenuCount = 10;
constexpr uint32_t kFreeData = 0xFFFF;
constexpr uint32_t kFreeRecipe = 32767;

// A 118 project that fills most of the 64K the panel addresses: 500 scaled
// variables, 128 operator texts of four rows and 100 message texts of two,
// 60 recipes, help texts, softkeys and menus, every row showing variables
// among words and blank runs.
void FillProject(CPrjData& prj)
{
    const std::vector<CPrjVar*> vars = AddScaledVars(prj, kVarCount, "Var");
    const auto row = [&](int seed, uint8_t num) {
        CTxtVarSlots slots;
        slots.SetVar(0, vars[static_cast<size_t>(seed) % vars.size()]);
        slots.SetCol(0, 3);
        slots.SetVar(1, vars[static_cast<size_t>(seed * 7 + 1) % vars.size()]);
        slots.SetCol(1, 20);
        return std::make_unique<CPrjTxtRow>(num, "V: #####  und   W: #####   Ende", &slots);
    };
    const auto fill = [&](auto* entry, int rows, int seed) {
        entry->SetRowCount(rows);
        for (int r = 1; r <= rows; ++r)
            entry->SetRow(row(seed + r, static_cast<uint8_t>(r)));
        return entry;
    };
    for (int t = 0; t < kOpCount; ++t)
        prj.InsOpTxt(fill(new CPrjOpTxt(t), 4, t));
    for (int m = 0; m < kMsgCount; ++m)
        prj.InsMsgTxt(fill(new CMsgTxt(m, 3, 2, 0), 2, m * 3));
    for (int r = 0; r < kRcpCount; ++r) {
        auto* text = new CPrjRcpTxt(r + 1);
        text->SetRowCount(1);
        CTxtVarSlots slots;
        for (int s = 0; s < 2; ++s) {
            CPrjVar* var = vars[static_cast<size_t>(r * 2 + s)];
            slots.SetVar(s, var);
            slots.SetCol(s, static_cast<uint8_t>(s * 8));
            text->GetValList().InsertPair(var, s);
        }
        text->SetRow(std::make_unique<CPrjTxtRow>(1, "#####   #####", &slots));
        prj.GetRcpTxtList()->Insert(text);
    }
    for (int kind = 0; kind < 5; ++kind)
        prj.InsHlpTxt(kind, fill(new CKindTxtRange(0, 0xFFFF), 3, kind));
    for (int a = 1; a <= kActCount; ++a) {
        auto* act = new CPrjSkAct(a, "Aktion");
        act->SetOperation(0, 1, static_cast<uint16_t>(a), static_cast<uint16_t>(a), 1);
        prj.InsSkAct(act);
        auto* keys = new CPrjSkTxt(a);
        keys->SetActs(1, act, nullptr);
        prj.InsSkTxt(keys);
    }
    for (int m = 1; m <= kMenuCount; ++m) {
        auto* menu = new CPrjMnu(static_cast<uint8_t>(m), "Menue" + std::to_string(m), 0x30FF);
        for (uint8_t n = 1; n <= 20; ++n) {
            auto* text = static_cast<CPrjOpTxt*>(prj.GetOpTxtList()->FindByNum(n));
            menu->InsNode(new CPrjMnuNode(n, 0, static_cast<uint8_t>(n % 20 + 1), 0, 0, text, n == 1 ? 1 : 0));
        }
        prj.InsMnu(menu);
    }
    prj.SetDescr("Benchmark project filling the panel memory");
}

// Both images: the data set and the recipe memory.
uint16_t CompileBoth(CWorkspaceState& workspace, const BenchDir& paths, const PrjBundle& bundle, uint64_t& length)
{
    workspace.MemInfo().freeData = kFreeData;
    workspace.MemInfo().freeRecipe = kFreeRecipe;
    CComp118 first(workspace, paths.File("FULL.BIN"), "", "", 0, bundle);
    if (first.GetError() != 0)
        return first.GetError();
    length = first.GetLength();
    CComp118Img2 second(workspace, paths.File("FULL.RCP"), bundle);
    return second.GetError();
}

void BM_CompileFamily118(benchmark::State& state)
{
    BenchDir paths("orv_bench_deco118");
    CWorkspaceState workspace(paths.Prefix(), paths.Prefix());
    BenchBundle project(workspace, kPanel);
    FillProject(project.prj);
    uint64_t length = 0;
    const PlainIoRatio timer;
    for (auto _ : state) {
        if (const uint16_t error = CompileBoth(workspace, paths, project.bundle, length)) {
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
        FillProject(source.prj);
        if (const uint16_t error = CompileBoth(workspace, paths, source.bundle, length)) {
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
