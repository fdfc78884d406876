// Filling the list view's table without a window: the variables provider over
// 5,000 variables and the texts provider over 1,000 two-row operator texts, as
// a switch of the list view rebuilds them. The counter "ratio" is the fill
// against a plain formatting of as many cells into strings, in the same run.
#include "model/core/FrameState.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "support/FrameFakes.h"
#include "support/FrameWorld.h"
#include "workspace/FrameCore.h"
#include "workspace/LstProv.h"
#include "workspace/LstTable.h"
#include "workspace/ObjNav.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace orv;

namespace {

constexpr int kFillVars = 5000;
constexpr int kFillTexts = 1000;

// A frame over a project of the two lists, with the operator texts open.
struct ListFillWorld {
    ListFillWorld()
    {
        CPrjData& prj = fw.prj;
        for (int i = 0; i < kFillVars; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "Var%05d", i);
            auto var = std::make_unique<CPrjVarWord>(name, static_cast<int16_t>(i % 256), 1, 32, 0);
            if (prj.InsVar(var.get()) >= 0)
                var.release();
        }
        CPrjOpTxtList& texts = *prj.GetOpTxtList();
        for (int n = 0; n < kFillTexts; ++n) {
            auto text = std::make_unique<CPrjOpTxt>(n);
            text->SetRowCount(2);
            for (uint8_t r = 1; r <= 2; ++r)
                text->SetRow(std::make_unique<CPrjTxtRow>(r, "Zeile " + std::to_string(n) + "/" + std::to_string(r),
                                                          nullptr));
            texts.Adopt(std::move(text));
        }
        core.SetNavFactory(MakeObjNav);
        core.SetListType(2, 0);
    }

    FrameWorld fw{World()};
    Journal journal;
    FakeFrameWindow window{journal};
    FakeDlgRunner dialogs;
    FakeFilePrompt files;
    CFrameCore core{fw.frame, window, dialogs, files};
};

using FillClock = std::chrono::steady_clock;

// Seconds of one plain fill: every cell a number formatted into a string.
double PlainFillSeconds(int rows, int columns)
{
    constexpr int kRounds = 10;
    const auto start = FillClock::now();
    for (int r = 0; r < kRounds; ++r) {
        std::vector<std::string> cells;
        cells.reserve(static_cast<size_t>(rows) * static_cast<size_t>(columns));
        for (int i = 0; i < rows * columns; ++i)
            cells.push_back(std::to_string(i));
        benchmark::DoNotOptimize(cells.data());
    }
    return std::chrono::duration<double>(FillClock::now() - start).count() / kRounds;
}

template <class Prov, class... Args>
void FillTable(benchmark::State& state, int rows, Args... args)
{
    ListFillWorld world;
    CLstTable table;
    Prov prov(world.core, table, args...);
    const auto start = FillClock::now();
    for (auto _ : state) {
        prov.Refresh();
        benchmark::DoNotOptimize(table.GetRowCount());
    }
    const double ours = std::chrono::duration<double>(FillClock::now() - start).count() /
                        static_cast<double>(state.iterations());
    if (table.GetRowCount() < rows)
        state.SkipWithError("the table lacks rows");
    state.SetItemsProcessed(state.iterations() * rows);
    state.counters["ratio"] = ours / PlainFillSeconds(table.GetRowCount(), table.GetColumnCount());
}

void FillVariables(benchmark::State& state)
{
    FillTable<CLstProvVar>(state, kFillVars, 0);
}
BENCHMARK(FillVariables)->Unit(benchmark::kMillisecond);

void FillTexts(benchmark::State& state)
{
    FillTable<CLstProvTxt>(state, kFillTexts);
}
BENCHMARK(FillTexts)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
