#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "model/project/TextPool.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

using namespace orv;

namespace {

// About as many variables as a large read-back fills in.
constexpr int kVarCount = 8000;

std::vector<std::string> ShuffledNames(int count)
{
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "Var%05d", i);
        names.emplace_back(name);
    }
    std::mt19937 rng(4711);
    std::shuffle(names.begin(), names.end(), rng);
    return names;
}

// The read-back pattern: look the name up, insert when it is new.
void FillVarListByName(benchmark::State& state)
{
    const std::vector<std::string> names = ShuffledNames(kVarCount);
    for (auto _ : state) {
        CPrjVarList list(16, 4);
        for (const std::string& name : names)
            if (!list.FindByName(name))
                list.Add(new CPrjVarWord(name, 1, 1, 32, 0));
        benchmark::DoNotOptimize(list.GetCount());
    }
    state.SetItemsProcessed(state.iterations() * kVarCount);
}
BENCHMARK(FillVarListByName)->Unit(benchmark::kMillisecond);

void FindByNameSorted(benchmark::State& state)
{
    const std::vector<std::string> names = ShuffledNames(kVarCount);
    CPrjVarList list(16, 4);
    for (const std::string& name : names)
        list.Add(new CPrjVarWord(name, 1, 1, 32, 0));
    for (auto _ : state)
        for (const std::string& name : names)
            benchmark::DoNotOptimize(list.FindByName(name));
    state.SetItemsProcessed(state.iterations() * kVarCount);
}
BENCHMARK(FindByNameSorted)->Unit(benchmark::kMillisecond);

// The scan in list order that the sorted lookup replaces, for comparison.
void FindByNameLinear(benchmark::State& state)
{
    const std::vector<std::string> names = ShuffledNames(kVarCount);
    CPrjVarList list(16, 4);
    for (const std::string& name : names)
        list.Add(new CPrjVarWord(name, 1, 1, 32, 0));
    for (auto _ : state)
        for (const std::string& name : names)
            for (int i = 0; i < list.GetCount(); ++i)
                if (list.VarAt(i)->GetName() == name) {
                    benchmark::DoNotOptimize(list.VarAt(i));
                    break;
                }
    state.SetItemsProcessed(state.iterations() * kVarCount);
}
BENCHMARK(FindByNameLinear)->Unit(benchmark::kMillisecond);

// State texts of a read-back: many slots, few distinct texts.
void TakeStateTexts(benchmark::State& state)
{
    const std::vector<std::string> texts = ShuffledNames(kVarCount);
    for (auto _ : state) {
        CTextPool pool(16, 8);
        {
            std::vector<CSharedStrRef> refs(texts.size());
            for (size_t i = 0; i < texts.size(); ++i)
                refs[i].Take(pool, texts[i]);
            benchmark::DoNotOptimize(pool.GetCount());
        }
    }
    state.SetItemsProcessed(state.iterations() * kVarCount);
}
BENCHMARK(TakeStateTexts)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
