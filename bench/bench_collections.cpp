#include "model/core/Coll.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

using namespace orv;

namespace {

struct KeyItem : CObj {
    explicit KeyItem(int key) : key(key) {}
    int key;
};

class KeyColl : public CSortedColl {
public:
    KeyColl() { SetDelta(32); }
    const void* KeyOf(const CObj* item) const override { return &static_cast<const KeyItem*>(item)->key; }
    int Compare(const void* key1, const void* key2) const override
    {
        const int a = *static_cast<const int*>(key1);
        const int b = *static_cast<const int*>(key2);
        return (a > b) - (a < b);
    }
};

std::vector<int> ShuffledKeys()
{
    std::vector<int> keys(CColl::kMaxCount);
    std::iota(keys.begin(), keys.end(), 0);
    std::mt19937 rng(4711);
    std::shuffle(keys.begin(), keys.end(), rng);
    return keys;
}

void FillToCapInRandomOrder(benchmark::State& state)
{
    const std::vector<int> keys = ShuffledKeys();
    for (auto _ : state) {
        KeyColl coll;
        for (int key : keys)
            coll.Insert(new KeyItem(key));
        benchmark::DoNotOptimize(coll.GetCount());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(keys.size()));
}
BENCHMARK(FillToCapInRandomOrder)->Unit(benchmark::kMillisecond);

void SearchFullCollection(benchmark::State& state)
{
    const std::vector<int> keys = ShuffledKeys();
    KeyColl coll;
    for (int key : keys)
        coll.Insert(new KeyItem(key));
    for (auto _ : state) {
        int found = 0;
        for (int key : keys) {
            int index = 0;
            found += coll.Search(&key, index) ? 1 : 0;
            benchmark::DoNotOptimize(index);
        }
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(keys.size()));
}
BENCHMARK(SearchFullCollection)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
