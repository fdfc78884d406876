#include "model/project/StateTxts.h"
#include "model/project/TextPool.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace orv;

namespace {

int CountOf(const CTextPool& pool, const char* text)
{
    const CSharedStr* str = pool.FindText(text);
    return str ? str->GetRefCount() : 0;
}

std::vector<std::string> TextsOf(const CTextPool& pool)
{
    std::vector<std::string> texts;
    for (int i = 0; i < pool.GetCount(); ++i)
        texts.push_back(pool.StrAt(i)->GetSharedText());
    return texts;
}

// Two variables' state-text slots and a text reference take and release
// texts of one pool; after each step the counts and the pool size must match.
TEST(TextPool, TakeAndReleaseSequence)
{
    CTextPool pool(16, 8);
    {
        CStateTxts varA(2);
        CStateTxts varB(2);
        uint8_t widthA = 0;
        uint8_t widthB = 0;
        CTxtRef ref(3, nullptr, &pool);

        struct Step {
            const char* what;
            std::function<void()> act;
            int countEin, countAus, countNeu, countEIN, poolSize;
        };
        const std::vector<Step> steps = {
            {"A0 takes Ein", [&] { varA.Set(0, "Ein", &pool, 1, widthA, 0); }, 1, 0, 0, 0, 1},
            {"B0 shares Ein", [&] { varB.Set(0, "Ein", &pool, 1, widthB, 0); }, 2, 0, 0, 0, 1},
            {"ref shares Ein", [&] { ref.SetText("Ein"); }, 3, 0, 0, 0, 1},
            {"case makes a new entry", [&] { varA.Set(1, "EIN", &pool, 1, widthA, 0); }, 3, 0, 0, 1, 2},
            {"B0 changes to Aus", [&] { varB.Set(0, "Aus", &pool, 1, widthB, 0); }, 2, 1, 0, 1, 3},
            {"ref changes to Neu", [&] { ref.SetText("Neu"); }, 1, 1, 1, 1, 4},
            {"ref released", [&] { ref.Release(); }, 1, 1, 0, 1, 3},
            {"second release changes nothing", [&] { ref.Release(); }, 1, 1, 0, 1, 3},
            {"A released", [&] { varA.ReleaseAll(); }, 0, 1, 0, 0, 1},
            {"B released", [&] { varB.ReleaseAll(); }, 0, 0, 0, 0, 0},
        };
        for (const Step& step : steps) {
            step.act();
            SCOPED_TRACE(step.what);
            EXPECT_EQ(CountOf(pool, "Ein"), step.countEin);
            EXPECT_EQ(CountOf(pool, "Aus"), step.countAus);
            EXPECT_EQ(CountOf(pool, "Neu"), step.countNeu);
            EXPECT_EQ(CountOf(pool, "EIN"), step.countEIN);
            EXPECT_EQ(pool.GetCount(), step.poolSize);
        }
        EXPECT_EQ(ref.GetText(), nullptr);
    }
    EXPECT_EQ(pool.GetCount(), 0);
}

TEST(TextPool, OrdersByUnsignedBytesWithPrefixFirst)
{
    CTextPool pool(16, 8);
    const std::vector<const char*> texts = {"z", "\x81" "a", "ab", "a", "B", ""};
    std::vector<std::unique_ptr<CTxtRef>> holders;
    for (int i = 0; i < static_cast<int>(texts.size()); ++i)
        holders.push_back(std::make_unique<CTxtRef>(i, texts[static_cast<size_t>(i)], &pool));
    EXPECT_EQ(TextsOf(pool), (std::vector<std::string>{"", "B", "a", "ab", "z", "\x81" "a"}));
    EXPECT_EQ(pool.FindText(static_cast<const char*>(nullptr)), nullptr);
    EXPECT_EQ(pool.FindText("A"), nullptr);
}

TEST(TextPool, ReferenceWithoutPoolStaysEmpty)
{
    CTxtRef ref(1, "Ein", nullptr);
    EXPECT_EQ(ref.GetText(), nullptr);
    ref.SetText("Aus");
    EXPECT_EQ(ref.GetText(), nullptr);
    ref.Release();
}

TEST(TextPool, ReferenceListFindsByLowByte)
{
    CTextPool pool(16, 8);
    CTxtRefList refs(16, 8);
    EXPECT_EQ(refs.GetLast(), nullptr);
    for (int number : {0x105, 3, 7})
        refs.Add(new CTxtRef(number, "t", &pool));
    auto* sameByte = new CTxtRef(5, "u", &pool);
    EXPECT_NE(refs.RefAt(refs.Add(sameByte)), sameByte) << "the byte 5 is taken by 0x105";
    delete sameByte;

    ASSERT_NE(refs.FindNr(5), nullptr);
    EXPECT_EQ(refs.FindNr(5)->GetNr(), 0x105);
    EXPECT_EQ(refs.FindNr(0x105), nullptr) << "numbers above 255 find nothing";
    EXPECT_EQ(refs.FindNr(4), nullptr);
    EXPECT_EQ(refs.GetLast()->GetNr(), 7);

    refs.FreeAll();
    EXPECT_EQ(refs.GetCount(), 0);
    EXPECT_EQ(pool.GetCount(), 0);
}

TEST(TextPool, FreeAllFreesWhateverTheCounts)
{
    CTextPool pool(16, 8);
    pool.Insert(new CSharedStr("eins"));
    auto* counted = new CSharedStr("zwei");
    counted->AddRef();
    pool.Insert(counted);
    pool.FreeAll();
    EXPECT_EQ(pool.GetCount(), 0);
}

} // namespace
