#include "model/core/Coll.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace orv;

namespace {

struct Item : CObj {
    explicit Item(int key, int* freed = nullptr) : key(key), freed(freed) {}
    ~Item() override
    {
        if (freed)
            ++*freed;
    }
    int key;
    int* freed;
};

class IntColl : public CSortedColl {
public:
    explicit IntColl(bool duplicates = false)
    {
        SetDelta(4);
        SetDuplicates(duplicates);
    }
    const void* KeyOf(const CObj* item) const override { return &static_cast<const Item*>(item)->key; }
    int Compare(const void* key1, const void* key2) const override
    {
        const int a = *static_cast<const int*>(key1);
        const int b = *static_cast<const int*>(key2);
        return (a > b) - (a < b);
    }
    bool Has(int key) const
    {
        int index = 0;
        return Search(&key, index);
    }
};

std::vector<int> Keys(const CColl& coll)
{
    std::vector<int> keys;
    for (int i = 0; i < coll.GetCount(); ++i)
        keys.push_back(static_cast<Item*>(coll.At(i))->key);
    return keys;
}

class Collections : public ::testing::Test {
protected:
    // Every precondition violation shows a box; a test that provokes one
    // counts and clears them.
    void TearDown() override { EXPECT_TRUE(ui.CallsOf(UiCall::Kind::Box).empty()); }

    int TakeInternalErrors()
    {
        int n = 0;
        for (const UiCall& c : ui.CallsOf(UiCall::Kind::Box)) {
            EXPECT_EQ(c.box, MsgKind::InternalError);
            EXPECT_EQ(c.caption, "ORVtool Intern Error");
            ++n;
        }
        ui.ClearCalls();
        return n;
    }

    ScriptedUi ui;
    ScopedUiServices reg{ui};
};

struct InsertCase {
    const char* name;
    bool duplicates;
    std::vector<int> keys;
    std::vector<int> results;  // returned index per insert
    std::vector<int> order;    // positions in `keys` of the items held, in order
};

TEST_F(Collections, SortedInsertSequences)
{
    const InsertCase cases[] = {
        {"unique keys, refused repeats", false, {5, 3, 8, 3, 5, 1}, {0, 0, 2, 0, 1, 0}, {5, 1, 0, 2}},
        {"descending", false, {9, 7, 4}, {0, 0, 0}, {2, 1, 0}},
        {"ascending", false, {1, 2, 3}, {0, 1, 2}, {0, 1, 2}},
        {"duplicates go before equal keys", true, {5, 3, 5}, {0, 0, 1}, {1, 2, 0}},
        {"all equal with duplicates", true, {2, 2, 2}, {0, 0, 0}, {2, 1, 0}},
        {"duplicates between others", true, {1, 9, 4, 4, 9}, {0, 1, 1, 1, 3}, {0, 3, 2, 4, 1}},
    };
    for (const InsertCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::unique_ptr<Item>> items;
        IntColl coll(c.duplicates);
        std::vector<int> results;
        for (int key : c.keys) {
            items.push_back(std::make_unique<Item>(key));
            results.push_back(coll.Insert(items.back().get()));
        }
        EXPECT_EQ(results, c.results);
        ASSERT_EQ(coll.GetCount(), static_cast<int>(c.order.size()));
        for (size_t i = 0; i < c.order.size(); ++i)
            EXPECT_EQ(coll.At(static_cast<int>(i)), items[static_cast<size_t>(c.order[i])].get()) << "position " << i;
        // The positions above hold exactly the accepted items; the refused
        // ones stay the caller's, so the collection lets go of all of them.
        coll.RemoveAll();
    }
}

struct SearchCase {
    std::vector<int> keys;
    bool duplicates;
    int key;
    bool found;
    int index;
};

TEST_F(Collections, SearchFindsFirstKeyNotLess)
{
    const SearchCase cases[] = {
        {{10, 20, 30}, false, 5, false, 0},
        {{10, 20, 30}, false, 10, true, 0},
        {{10, 20, 30}, false, 15, false, 1},
        {{10, 20, 30}, false, 30, true, 2},
        {{10, 20, 30}, false, 35, false, 3},
        {{10, 20, 20, 20, 30}, true, 20, true, 1},
        {{10, 20, 20, 20, 30}, true, 25, false, 4},
        {{7, 7, 7, 7}, true, 7, true, 0},
        {{}, false, 1, false, 0},
    };
    for (const SearchCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key << " among " << c.keys.size());
        IntColl coll(c.duplicates);
        for (int key : c.keys)
            coll.Insert(new Item(key));
        int index = -1;
        EXPECT_EQ(coll.Search(&c.key, index), c.found);
        EXPECT_EQ(index, c.index);
    }
}

TEST_F(Collections, SortedIndexOfByPointerAmongEqualKeys)
{
    IntColl dup(true);
    Item* a = new Item(5);
    Item* b = new Item(5);
    Item* c = new Item(5);
    Item* d = new Item(7);
    for (Item* item : {a, b, c, d})
        dup.Insert(item);
    // Equal keys go before each other: c, b, a, d.
    EXPECT_EQ(dup.IndexOf(c), 0);
    EXPECT_EQ(dup.IndexOf(b), 1);
    EXPECT_EQ(dup.IndexOf(a), 2);
    EXPECT_EQ(dup.IndexOf(d), 3);
    Item stranger(5);
    EXPECT_EQ(dup.IndexOf(&stranger), -1);

    // Without duplicates the holder of the key answers for any item with it.
    IntColl unique;
    unique.Insert(new Item(5));
    EXPECT_EQ(unique.IndexOf(&stranger), 0);
    Item absent(6);
    EXPECT_EQ(unique.IndexOf(&absent), -1);
    EXPECT_EQ(IntColl().IndexOf(&absent), -1);
}

TEST_F(Collections, FreeTakesTheItemItselfNotAnotherWithItsKey)
{
    IntColl dup(true);
    Item* a = new Item(5);
    Item* b = new Item(5);
    dup.Insert(a);
    dup.Insert(b);
    dup.Free(a);
    ASSERT_EQ(dup.GetCount(), 1);
    EXPECT_EQ(dup.At(0), b);

    // An item whose key changed in place is still found by identity.
    IntColl unique;
    Item* c = new Item(1);
    Item* d = new Item(2);
    unique.Insert(c);
    unique.Insert(d);
    d->key = 1;
    unique.Free(d);
    ASSERT_EQ(unique.GetCount(), 1);
    EXPECT_EQ(unique.At(0), c);
}

struct RemovingAction {
    CColl* coll;
    std::vector<int> visited;
};

TEST_F(Collections, ForEachRereadsCountWhenActionFreesItems)
{
    IntColl coll;
    int freed = 0;
    for (int key = 0; key < 6; ++key)
        coll.Insert(new Item(key, &freed));
    RemovingAction state{&coll, {}};
    const int count = coll.ForEach(
        [](CObj* item, void* arg) {
            auto* s = static_cast<RemovingAction*>(arg);
            s->visited.push_back(static_cast<Item*>(item)->key);
            s->coll->Free(item);
        },
        &state);
    // Each removal moves the next item into the current place, so it is
    // skipped; stale slots beyond the count are never visited.
    EXPECT_EQ(state.visited, (std::vector<int>{0, 2, 4}));
    EXPECT_EQ(count, 3);
    EXPECT_EQ(freed, 3);
    EXPECT_EQ(Keys(coll), (std::vector<int>{1, 3, 5}));
}

TEST_F(Collections, FirstThatAndLastThat)
{
    CColl coll;
    coll.SetDelta(8);
    std::vector<Item*> items;
    for (int key : {1, 2, 3, 2, 1}) {
        items.push_back(new Item(key));
        coll.Insert(items.back());
    }
    int two = 2;
    auto isKey = [](CObj* item, void* arg) { return static_cast<Item*>(item)->key == *static_cast<int*>(arg) ? 1 : 0; };
    EXPECT_EQ(coll.FirstThat(isKey, &two), items[1]);
    EXPECT_EQ(coll.LastThat(isKey, &two), items[3]);
    int none = 9;
    EXPECT_EQ(coll.FirstThat(isKey, &none), nullptr);
    // Only exactly 1 counts as true.
    auto sayTwo = [](CObj*, void*) { return 2; };
    EXPECT_EQ(coll.FirstThat(sayTwo, nullptr), nullptr);
    EXPECT_EQ(coll.LastThat(sayTwo, nullptr), nullptr);

    CColl empty;
    EXPECT_EQ(empty.FirstThat(isKey, &two), nullptr);
    EXPECT_EQ(empty.LastThat(isKey, &two), nullptr);
    EXPECT_EQ(empty.IndexOf(items[0]), -1);
}

TEST_F(Collections, LimitIsClampedToCountAndCap)
{
    CColl coll;
    coll.SetLimit(100000);
    EXPECT_EQ(coll.GetLimit(), CColl::kMaxCount);
    coll.SetLimit(0);
    EXPECT_EQ(coll.GetLimit(), 0);

    coll.SetDelta(10);
    for (int i = 0; i < 5; ++i)
        coll.Insert(new Item(i));
    EXPECT_EQ(coll.GetLimit(), 10);
    coll.SetLimit(0);
    EXPECT_EQ(coll.GetLimit(), 5);
    EXPECT_EQ(Keys(coll), (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST_F(Collections, InsertAtCapIsRefusedOnce)
{
    IntColl coll;
    coll.SetLimit(CColl::kMaxCount);
    for (int key = 0; key < CColl::kMaxCount; ++key)
        ASSERT_EQ(coll.Insert(new Item(key)), key);
    EXPECT_EQ(TakeInternalErrors(), 0);

    Item extra(-1);
    EXPECT_EQ(coll.Insert(&extra), -1);
    EXPECT_EQ(TakeInternalErrors(), 1);
    EXPECT_EQ(coll.GetCount(), CColl::kMaxCount);
    EXPECT_EQ(coll.GetLimit(), CColl::kMaxCount);
    EXPECT_EQ(static_cast<Item*>(coll.At(0))->key, 0);
    EXPECT_EQ(coll.IndexOf(&extra), -1);
}

TEST_F(Collections, ViolatedPreconditionsChangeNothing)
{
    CColl coll;
    Item outsider(0);
    // Capacity 0 and delta 0: the first insert cannot grow.
    EXPECT_EQ(coll.Insert(&outsider), -1);
    EXPECT_EQ(TakeInternalErrors(), 1);

    coll.SetDelta(2);
    Item* a = new Item(1);
    Item* b = new Item(2);
    coll.Insert(a);
    coll.Insert(b);
    struct Violation {
        const char* name;
        void (*act)(CColl&, Item*);
    };
    const Violation violations[] = {
        {"At(-1)", [](CColl& c, Item*) { EXPECT_EQ(c.At(-1), nullptr); }},
        {"At(count)", [](CColl& c, Item*) { EXPECT_EQ(c.At(2), nullptr); }},
        {"AtInsert(count + 1)", [](CColl& c, Item* o) { EXPECT_FALSE(c.AtInsert(3, o)); }},
        {"AtInsert(-1)", [](CColl& c, Item* o) { EXPECT_FALSE(c.AtInsert(-1, o)); }},
        {"AtRemove(count)", [](CColl& c, Item*) { c.AtRemove(2); }},
        {"Remove of an outsider", [](CColl& c, Item* o) { c.Remove(o); }},
        {"Free of an outsider", [](CColl& c, Item* o) { c.Free(o); }},
    };
    for (const Violation& v : violations) {
        SCOPED_TRACE(v.name);
        v.act(coll, &outsider);
        EXPECT_EQ(TakeInternalErrors(), 1);
        ASSERT_EQ(coll.GetCount(), 2);
        EXPECT_EQ(coll.At(0), a);
        EXPECT_EQ(coll.At(1), b);
    }
}

TEST_F(Collections, OwnedItemsAreFreedOnce)
{
    int freed = 0;
    {
        CColl coll;
        coll.SetDelta(4);
        for (int i = 0; i < 3; ++i)
            coll.Insert(new Item(i, &freed));
        coll.ShutDown();
        EXPECT_EQ(freed, 3);
        EXPECT_EQ(coll.GetCount(), 0);
        EXPECT_EQ(coll.GetLimit(), 0);
    }
    EXPECT_EQ(freed, 3);

    freed = 0;
    {
        IntColl coll;
        for (int i = 0; i < 3; ++i)
            coll.Insert(new Item(i, &freed));
        Item* middle = static_cast<Item*>(coll.At(1));
        coll.Free(middle);
        EXPECT_EQ(freed, 1);
    }
    EXPECT_EQ(freed, 3);
}

TEST_F(Collections, NonOwningCollectionLeavesItemsAndShrinksToCount)
{
    int freed = 0;
    std::vector<std::unique_ptr<Item>> items;
    {
        CColl coll;
        coll.SetOwnsItems(false);
        coll.SetLimit(10);
        for (int i = 0; i < 3; ++i) {
            items.push_back(std::make_unique<Item>(i, &freed));
            coll.Insert(items.back().get());
        }
        coll.ShutDown();
        EXPECT_EQ(coll.GetCount(), 3);
        EXPECT_EQ(coll.GetLimit(), 3);
        EXPECT_EQ(Keys(coll), (std::vector<int>{0, 1, 2}));
    }
    EXPECT_EQ(freed, 0);
}

TEST_F(Collections, PackMovesItemsToTheFront)
{
    CColl coll;
    coll.SetOwnsItems(false);
    coll.SetDelta(4);
    Item a(1);
    Item b(2);
    for (CObj* item : {static_cast<CObj*>(nullptr), static_cast<CObj*>(&a), static_cast<CObj*>(nullptr), static_cast<CObj*>(&b)})
        coll.Insert(item);
    coll.Pack();
    EXPECT_EQ(coll.At(0), &a);
    EXPECT_EQ(coll.At(1), &b);
    EXPECT_EQ(coll.At(2), nullptr);
    EXPECT_EQ(coll.At(3), nullptr);
}

} // namespace
