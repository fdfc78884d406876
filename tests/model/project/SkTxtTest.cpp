#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "model/project/TxtRow.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace orv;

namespace {

// Two actions and a list of softkey texts; the actions outlive the texts.
struct SkTxtKeys {
    CPrjSkAct a{1, "a"};
    CPrjSkAct b{2, "b"};
    std::unique_ptr<CPrjSkTxtList> list = std::make_unique<CPrjSkTxtList>(8, 4);
    CPrjSkTxt* text = nullptr;

    SkTxtKeys()
    {
        text = new CPrjSkTxt(3);
        list->Insert(text);
    }
};

struct SkTxtStep {
    const char* what;
    std::function<int32_t(SkTxtKeys&)> run;
    int32_t result;
    int32_t a;
    int32_t b;
};

void RunSteps(const std::vector<SkTxtStep>& steps)
{
    SkTxtKeys k;
    for (const SkTxtStep& s : steps) {
        EXPECT_EQ(s.run(k), s.result) << s.what;
        EXPECT_EQ(k.a.GetUseCount(), s.a) << s.what;
        EXPECT_EQ(k.b.GetUseCount(), s.b) << s.what;
    }
}

std::vector<SkTxtStep> Assignments()
{
    return {
        {"F1 pressed: a", [](SkTxtKeys& k) { return k.text->SetPressAct(1, &k.a); }, 0, 1, 0},
        {"F1 pressed: b instead", [](SkTxtKeys& k) { return k.text->SetPressAct(1, &k.b); }, 0, 0, 1},
        {"F3 pressed: a", [](SkTxtKeys& k) { return k.text->SetPressAct(3, &k.a); }, 0, 1, 1},
        {"F3 released: a", [](SkTxtKeys& k) { return k.text->SetReleaseAct(3, &k.a); }, 0, 2, 1},
        {"F3 pressed: a again", [](SkTxtKeys& k) { return k.text->SetPressAct(3, &k.a); }, 1, 2, 1},
        {"key 0", [](SkTxtKeys& k) { return k.text->SetPressAct(0, &k.a); }, 0, 2, 1},
        {"key 21", [](SkTxtKeys& k) { return k.text->SetPressAct(21, &k.a); }, 0, 2, 1},
        {"F20 released: b", [](SkTxtKeys& k) { return k.text->SetReleaseAct(20, &k.b); }, 0, 2, 2},
        {"F20 released: none", [](SkTxtKeys& k) { return k.text->SetReleaseAct(20, nullptr); }, 1, 2, 1},
    };
}

TEST(SkTxt, UseCountsFollowEveryAssignment)
{
    const SkTxtStep endings[] = {
        {"DelSkTxt", [](SkTxtKeys& k) { k.list->DelSkTxt(k.text); return 0; }, 0, 0, 0},
        {"FreeAllSkTxt", [](SkTxtKeys& k) { k.list->FreeAllSkTxt(); return 0; }, 0, 0, 0},
        {"list destroyed", [](SkTxtKeys& k) { k.list.reset(); return 0; }, 0, 0, 0},
        {"ReleaseActs", [](SkTxtKeys& k) { k.text->ReleaseActs(); return k.text->HasAct(3); }, 0, 0, 0},
    };
    for (const SkTxtStep& end : endings) {
        SCOPED_TRACE(end.what);
        std::vector<SkTxtStep> steps = Assignments();
        steps.push_back(end);
        RunSteps(steps);
    }
}

TEST(SkTxt, KeysOutsideOneToTwentyHoldNothing)
{
    SkTxtKeys k;
    k.text->SetActs(4, &k.a, &k.b);
    EXPECT_EQ(k.text->GetPressAct(4), &k.a);
    EXPECT_EQ(k.text->GetReleaseAct(4), &k.b);
    EXPECT_EQ(k.text->HasAct(4), 1);
    EXPECT_EQ(k.text->HasAct(5), 0);
    for (int key : {0, 21, -1}) {
        k.text->SetActs(key, &k.a, &k.b);
        EXPECT_EQ(k.text->GetPressAct(key), nullptr);
        EXPECT_EQ(k.text->GetReleaseAct(key), nullptr);
        EXPECT_EQ(k.text->HasAct(key), 0);
    }
    EXPECT_EQ(k.a.GetUseCount(), 1);
}

TEST(SkTxt, CopySkTxtCopiesRowsAndCountsTheAssignments)
{
    SkTxtKeys k;
    k.text->SetRowCount(2);
    k.text->SetRow(std::make_unique<CPrjTxtRow>(2, "second", nullptr));
    k.text->SetActs(1, &k.a, &k.b);
    k.text->SetPressAct(8, &k.a);

    CPrjSkTxt* copy = k.list->CopySkTxt(k.text, 9);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetNum(), 9);
    EXPECT_EQ(copy->GetRowCount(), 2);
    EXPECT_EQ(copy->GetRow(1), nullptr);
    ASSERT_NE(copy->GetRow(2), nullptr);
    EXPECT_EQ(copy->GetRow(2)->GetText(), "second");
    EXPECT_NE(copy->GetRow(2), k.text->GetRow(2));
    EXPECT_EQ(copy->GetPressAct(1), &k.a);
    EXPECT_EQ(copy->GetReleaseAct(1), &k.b);
    EXPECT_EQ(copy->GetPressAct(8), &k.a);
    EXPECT_EQ(k.a.GetUseCount(), 4);
    EXPECT_EQ(k.b.GetUseCount(), 2);
    EXPECT_EQ(k.list->GetCurIdx(), k.list->IndexOf(copy));

    auto* tmpl = dynamic_cast<CPrjSkTxtRange*>(k.list->CopySkTxt(k.text, -1));
    ASSERT_NE(tmpl, nullptr);
    EXPECT_EQ(tmpl->GetNum(), -1);
    EXPECT_EQ(tmpl->GetLo(), 0);
    EXPECT_EQ(tmpl->GetHi(), 255);
    EXPECT_EQ(k.a.GetUseCount(), 6);

    // A number in use gives nothing and leaves every count.
    EXPECT_EQ(k.list->CopySkTxt(k.text, 9), nullptr);
    EXPECT_EQ(k.a.GetUseCount(), 6);
    EXPECT_EQ(k.b.GetUseCount(), 3);
    EXPECT_EQ(k.list->GetCount(), 3);
    EXPECT_EQ(k.list->CopySkTxt(nullptr, 10), nullptr);
}

TEST(SkTxt, RenumberKeepsTheLowSixteenBitsAndRefusesANumberInUse)
{
    SkTxtKeys k;
    k.list->Insert(new CPrjSkTxt(5));
    k.list->Renumber(k.text, 0x10000 + 7);
    EXPECT_EQ(k.text->GetNum(), 7);
    EXPECT_EQ(k.list->SkTxtAt(1), k.text);
    k.list->Renumber(k.text, 0x20000 + 5);
    EXPECT_EQ(k.text->GetNum(), 7);
    k.list->Renumber(k.text, 0x1FFFF);
    EXPECT_EQ(k.text->GetNum(), 65535);
    EXPECT_EQ(k.list->GetCount(), 2);
}

} // namespace
