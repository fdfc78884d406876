// The simulation's poll step, which runs every 50 ms while the user works:
// 4,096 driver parameter items read from a word source, all changed or all
// unchanged, against a plain compare-and-store loop over the same words.
#include "model/core/FrameState.h"
#include "model/core/UiServices.h"
#include "model/project/DrvParColl.h"
#include "model/project/DrvParItem.h"
#include "model/project/SpsPar.h"
#include "support/ConfigKit.h"
#include "support/FrameFakes.h"
#include "support/ScriptedUi.h"
#include "workspace/FrameCore.h"
#include "workspace/PrjMgr.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <vector>

using namespace orv;

namespace {

constexpr uint16_t kSimPollItems = 4096;

// A list view that only counts the rows it was asked to show anew.
class SimPollCountingList final : public IViewLst {
public:
    void SetListMode(int) override {}
    int GetListMode() const override { return kModePlcArea; }
    void SetVarProvider(int) override {}
    void ActivateProvider(int) override {}
    void DeactivateProvider(int) override {}
    void RefreshRow(int, int) override { ++rows; }
    int GetStyle() const override { return 0; }
    void SetStyle(int) override {}

    uint64_t rows = 0;
};

// The same work without the frame: compare each word and store the changed.
double SimPollPlainSeconds(bool changed, int rounds)
{
    std::vector<uint16_t> values(kSimPollItems, 0);
    uint16_t next = 0;
    uint64_t stored = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int r = 0; r < rounds; ++r) {
        if (changed)
            ++next;
        for (uint16_t& value : values) {
            const uint16_t word = next;
            benchmark::DoNotOptimize(word);
            if (word != value) {
                value = word;
                ++stored;
            }
        }
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(stored);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / rounds;
}

void BM_SimPollStep(benchmark::State& state)
{
    const bool changed = state.range(0) != 0;
    ScriptedUi ui;
    ScopedUiServices uiReg(ui);
    ConfigKit kit;
    CFrameState frame;
    ScopedMainFrame frameReg(frame);
    Journal journal;
    FakeFrameWindow window(journal);
    FakeDlgRunner dialogs;
    FakeFilePrompt files;
    CFrameCore core(frame, window, dialogs, files);
    core.Start();
    if (!core.IsBundleReady()) {
        state.SkipWithError("the workspace did not start");
        return;
    }
    SimPollCountingList list;
    core.SetViewLst(&list);
    CDrvParColl& items = core.GetPrjMgr()->GetSpsPar()->GetItems();
    items.FreeAll();
    for (uint16_t word = 0; word < kSimPollItems; ++word)
        items.Add(new CDrvParVarItem(word, CDrvParItem::DirToPanel));
    uint16_t next = 0;
    core.SetSimSource({[&] {
                           if (changed)
                               ++next;
                           return true;
                       },
                       [&](uint16_t) { return next; }});

    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
        benchmark::DoNotOptimize(core.PollSimStep());
    const double step = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
                        static_cast<double>(state.iterations());
    state.counters["rows_per_step"] = static_cast<double>(list.rows) / static_cast<double>(state.iterations());
    state.counters["x_plain"] = step / SimPollPlainSeconds(changed, 2000);
}
BENCHMARK(BM_SimPollStep)->Arg(1)->Arg(0)->ArgNames({"changed"})->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
