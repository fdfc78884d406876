#include "model/project/CharSet.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/RcpTxt.h"

#include "TxtTestVars.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace orv;

namespace {

constexpr uint8_t kBin = 2;
constexpr uint8_t kBcd = 0;
constexpr uint8_t kVbin = 18;
constexpr uint8_t kBit = 12;
constexpr uint8_t kString = 14;
constexpr uint8_t kWord = 32;
constexpr uint8_t kAscii = 34;
constexpr uint8_t kIntStr = 142;

std::unique_ptr<CPrjVar> MakeBin(const char* name, int32_t lower, int32_t upper)
{
    return std::make_unique<CPrjVarBin>(name, 10, 1, kBin, 4, 0, lower, upper, 0, 0);
}

std::unique_ptr<CPrjVar> MakeVbin(const char* name, int32_t lower, int32_t upper)
{
    return std::make_unique<CPrjVarVbin>(name, 10, 1, kVbin, 4, 0, lower, upper, 0, 0);
}

std::unique_ptr<CPrjVar> MakeBcd(const char* name, int32_t lower, int32_t upper)
{
    return std::make_unique<CPrjVarBcd>(name, 10, 1, kBcd, 4, lower, upper, 0);
}

std::unique_ptr<CPrjVar> MakeString(const char* name, int lastState)
{
    auto var = std::make_unique<CPrjVarString>(name, 10, 1, kString, nullptr);
    var->SetTxtCount(lastState);
    return var;
}

CVarValPair& PairAt(CPrjVarValList& list, int i)
{
    CVarValPair* pair = list.GetAt(i);
    EXPECT_NE(pair, nullptr);
    return *pair;
}

TEST(OpRcpTxt, CopyRcpTxtCopiesOnlyThePairsOfPlcVariables)
{
    auto p1 = MakeVar("P1", kBin, 3);
    auto p2 = MakeVar("P2", kBit, 3);
    auto internal = MakeVar("[Z005]", kIntStr, 3);
    auto stale = MakeVar("OLD", kBin, 3);
    CPrjRcpTxtList list(16, 8);
    auto* source = static_cast<CPrjRcpTxt*>(list.Adopt(std::make_unique<CPrjRcpTxt>(1)));
    source->SetRowCount(2);
    source->SetRow(MakeRow(1, "abc def", {{p1.get(), 0}, {internal.get(), 4}}));
    source->SetRow(MakeRow(2, "abc", {{p2.get(), 0}}));
    CPrjVarValList& values = source->GetValList();
    values.InsertPair(p1.get(), 0);
    values.InsertPair(p2.get(), 1);
    values.InsertPair(stale.get(), 2);
    PairAt(values, 0).SetValue(11);
    PairAt(values, 1).SetValue(1);

    EXPECT_EQ(source->CountExtVars(), 2);
    CPrjRcpTxt* copy = list.CopyRcpTxt(source, 5);
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(copy->GetValList().GetCount(), 2);
    EXPECT_EQ(PairAt(copy->GetValList(), 0).GetVar(), p1.get());
    EXPECT_EQ(PairAt(copy->GetValList(), 0).GetValue(), 11u);
    EXPECT_EQ(PairAt(copy->GetValList(), 1).GetValue(), 1u);
    EXPECT_EQ(copy->GetRowCount(), 2);
    EXPECT_EQ(p1->GetUseCount(), 2);
    EXPECT_EQ(list.GetCurIdx(), 1);

    EXPECT_EQ(list.CopyRcpTxt(source, 5), nullptr);
    EXPECT_EQ(list.CopyRcpTxt(nullptr, 6), nullptr);
    EXPECT_EQ(p1->GetUseCount(), 2);

    auto* tmpl = dynamic_cast<CPrjRcpTxtRange*>(list.CopyRcpTxt(source, -1));
    ASSERT_NE(tmpl, nullptr);
    EXPECT_EQ(tmpl->GetLowest(), 0);
    EXPECT_EQ(tmpl->GetHighest(), 127);
}

TEST(OpRcpTxt, CopiedAsciiTextOutlivesTheSource)
{
    auto text = MakeVar("T", kAscii, 10);
    CPrjRcpTxtList list(16, 8);
    auto* source = static_cast<CPrjRcpTxt*>(list.Adopt(std::make_unique<CPrjRcpTxt>(1)));
    source->SetRowCount(1);
    source->SetRow(MakeRow(1, "", {{text.get(), 0}}));
    source->GetValList().InsertPair(text.get(), 0);
    PairAt(source->GetValList(), 0).SetText("Rezept A");

    CPrjRcpTxt* copy = list.CopyRcpTxt(source, 2);
    ASSERT_NE(copy, nullptr);
    list.DelEntry(source);

    const char* copied = PairAt(copy->GetValList(), 0).GetText();
    ASSERT_NE(copied, nullptr);
    EXPECT_STREQ(copied, "Rezept A");
    EXPECT_EQ(text->GetUseCount(), 1);
}

TEST(OpRcpTxt, ClampValueKeepsValuesWithinTheVariable)
{
    struct Case {
        const char* name;
        std::unique_ptr<CPrjVar> var;
        uint32_t value;
        uint32_t expected;
    };
    Case cases[] = {
        {"BIN above", MakeBin("B", 10, 50), 80, 50},
        {"BIN below", MakeBin("B", 10, 50), 5, 10},
        {"BIN inside", MakeBin("B", 10, 50), 30, 30},
        {"BCD compares without sign", MakeBcd("D", 0, 90), 0xFFFFFFFFu, 90},
        {"VBIN inside", MakeVbin("V", -10, 10), static_cast<uint32_t>(-5), static_cast<uint32_t>(-5)},
        {"VBIN below", MakeVbin("V", -10, 10), static_cast<uint32_t>(-20), static_cast<uint32_t>(-10)},
        {"VBIN above", MakeVbin("V", -10, 10), 20, 10},
        {"state index above the last", MakeString("S", 3), 7, 3},
        {"state index inside", MakeString("S", 3), 2, 2},
        {"word unchanged", MakeVar("W", kWord, 5), 70000, 70000},
    };
    for (Case& c : cases) {
        CVarValPair pair(c.var.get());
        pair.SetValue(c.value);
        CPrjVarValList::ClampValue(pair);
        EXPECT_EQ(pair.GetValue(), c.expected) << c.name;
    }
}

TEST(OpRcpTxt, InsertPairStartsFromTheInitialValue)
{
    auto bin = MakeBin("B", 10, 50);
    auto vbin = MakeVbin("V", -10, 10);
    auto bit = MakeVar("X", kBit, 3);
    auto ascii = MakeVar("T", kAscii, 10);
    auto unlisted = MakeVar("U", 40, 3);
    CPrjVarValList list(20, 4);
    EXPECT_EQ(list.InsertPair(bin.get(), 0), 1);
    EXPECT_EQ(list.InsertPair(vbin.get(), 1), 1);
    EXPECT_EQ(list.InsertPair(bit.get(), 2), 1);
    EXPECT_EQ(list.InsertPair(ascii.get(), 3), 1);
    EXPECT_EQ(list.InsertPair(unlisted.get(), 99), 1);
    EXPECT_EQ(list.InsertPair(nullptr, 0), 0);

    EXPECT_EQ(PairAt(list, 0).GetValue(), 10u);
    EXPECT_EQ(PairAt(list, 1).GetValue(), static_cast<uint32_t>(-10));
    EXPECT_EQ(PairAt(list, 2).GetValue(), 0u);
    EXPECT_EQ(PairAt(list, 3).GetText(), nullptr);
    EXPECT_EQ(PairAt(list, 4).GetVar(), unlisted.get());
    EXPECT_EQ(PairAt(list, 4).GetValue(), 0u);
}

TEST(OpRcpTxt, RemoveVarAndGetAtStayInsideTheList)
{
    auto a = MakeVar("A", kBin, 3);
    auto b = MakeVar("B", kBin, 3);
    auto absent = MakeVar("C", kBin, 3);
    auto sameName = MakeVar("A", kBin, 3);
    CPrjVarValList list(20, 4);
    list.InsertPair(a.get(), 0);
    list.InsertPair(b.get(), 1);
    list.InsertPair(a.get(), 2);

    list.RemoveVar(absent.get());
    list.RemoveVar(nullptr);
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetAt(3), nullptr);
    EXPECT_EQ(list.GetAt(-1), nullptr);

    list.RemoveVar(sameName.get());
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(PairAt(list, 0).GetVar(), b.get());
}

TEST(OpRcpTxt, UsesVarComparesNames)
{
    auto a = MakeVar("A", kBin, 3);
    auto alsoA = MakeVar("A", kBin, 5);
    auto b = MakeVar("B", kBin, 3);
    CPrjRcpTxtList list(16, 8);
    auto* rcp = static_cast<CPrjRcpTxt*>(list.Adopt(std::make_unique<CPrjRcpTxt>(1)));
    rcp->GetValList().InsertPair(a.get(), 0);

    EXPECT_TRUE(list.UsesVar(alsoA.get()));
    EXPECT_FALSE(list.UsesVar(b.get()));
    EXPECT_FALSE(list.UsesVar(nullptr));
    EXPECT_EQ(rcp->IndexOfVar(alsoA.get()), 0);
}

TEST(OpRcpTxt, OperatorTextUseCountNeverGoesBelowZero)
{
    CPrjOpTxtList list(16, 8);
    CPrjNumEntry source(0);
    source.SetRowCount(2);
    CPrjOpTxt* op = list.CopyOpTxt(&source, 4);
    ASSERT_NE(op, nullptr);
    EXPECT_EQ(op->GetRowCount(), 2);
    EXPECT_EQ(op->GetUseCount(), 0);
    op->ReleaseUse();
    EXPECT_EQ(op->GetUseCount(), 0);
    op->AddUse();
    op->AddUse();
    op->ReleaseUse();
    EXPECT_EQ(op->GetUseCount(), 1);

    EXPECT_EQ(list.CopyOpTxt(&source, 4), nullptr);
    auto* tmpl = dynamic_cast<CPrjOpTxtRange*>(list.CopyOpTxt(&source, -1));
    ASSERT_NE(tmpl, nullptr);
    EXPECT_EQ(tmpl->GetHighest(), 255);

    // A text that a menu node still shows is not deleted under it.
    EXPECT_FALSE(list.DelEntry(op));
    EXPECT_EQ(list.FindByNum(4), op);
    op->ReleaseUse();
    EXPECT_TRUE(list.DelEntry(op));
    EXPECT_EQ(list.FindByNum(4), nullptr);
}

TEST(OpRcpTxt, ReplaceVarCarriesTheValueOverToTheNewVariable)
{
    struct Case {
        const char* name;
        std::unique_ptr<CPrjVar> oldVar;
        std::unique_ptr<CPrjVar> newVar;
        uint32_t oldValue;
        const char* oldText;
        uint32_t expectedValue;
        const char* expectedText;
    };
    Case cases[] = {
        {"BIN to BIN is clamped", MakeBin("X", 0, 90), MakeBin("X", 10, 50), 80, nullptr, 50, nullptr},
        {"ASCII to ASCII keeps its own copy", MakeVar("X", kAscii, 10), MakeVar("X", kAscii, 12), 0, "abc", 0, "abc"},
        {"ASCII to BIN starts anew", MakeVar("X", kAscii, 10), MakeBin("Y", 10, 50), 0, "abc", 10, nullptr},
        {"BIN to ASCII starts anew", MakeBin("X", 0, 90), MakeVar("Y", kAscii, 10), 80, nullptr, 0, nullptr},
    };
    CCharSet charSet(nullptr);
    charSet.SetDevType(706);
    for (Case& c : cases) {
        auto before = MakeVar("A", kBin, 3);
        auto after = MakeVar("Z", kBin, 3);
        CPrjRcpTxtList list(16, 8);
        auto* rcp = static_cast<CPrjRcpTxt*>(list.Adopt(std::make_unique<CPrjRcpTxt>(1)));
        const uint8_t width = c.oldVar->GetWidth();
        rcp->SetRowCount(1);
        rcp->SetRow(MakeRow(1, "abc" + std::string(width, '\x03') + "xyz",
                            {{before.get(), 0}, {c.oldVar.get(), 3}, {after.get(), static_cast<uint8_t>(width + 3)}}));
        CPrjVarValList& values = rcp->GetValList();
        values.InsertPair(before.get(), 0);
        values.InsertPair(c.oldVar.get(), 1);
        values.InsertPair(after.get(), 2);
        PairAt(values, 1).SetValue(c.oldValue);
        if (c.oldText)
            PairAt(values, 1).SetText(c.oldText);

        list.ReplaceVar({c.oldVar.get(), c.newVar.get(), &charSet});

        ASSERT_EQ(values.GetCount(), 3) << c.name;
        CVarValPair& pair = PairAt(values, 1);
        EXPECT_EQ(pair.GetVar(), c.newVar.get()) << c.name;
        EXPECT_EQ(pair.GetValue(), c.expectedValue) << c.name;
        if (c.expectedText) {
            ASSERT_NE(pair.GetText(), nullptr) << c.name;
            EXPECT_STREQ(pair.GetText(), c.expectedText) << c.name;
        } else {
            EXPECT_EQ(pair.GetText(), nullptr) << c.name;
        }
        EXPECT_EQ(rcp->GetRow(1)->GetVarSlot(1).var, c.newVar.get()) << c.name;
        EXPECT_EQ(c.oldVar->GetUseCount(), 0) << c.name;
        EXPECT_EQ(c.newVar->GetUseCount(), 1) << c.name;
    }
}

}  // namespace
