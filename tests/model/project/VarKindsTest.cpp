#include "model/project/PrjData.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/TextPool.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace orv;

namespace {

int VarKindsCountOf(const CTextPool& pool, const char* text)
{
    const CSharedStr* str = pool.FindText(text);
    return str ? str->GetRefCount() : 0;
}

TEST(VarKinds, WidthAndWordCountOfEveryKind)
{
    CTextPool pool(16, 8);
    struct Case {
        const char* what;
        std::function<std::unique_ptr<CPrjVar>()> make;
        int width;
        int words;
    };
    const std::vector<Case> cases = {
        {"BCD-1 4", [] { return std::make_unique<CPrjVarBcd>("v", 1, 1, 0, 4, 0, 9999, 0); }, 4, 1},
        {"BCD-2 8", [] { return std::make_unique<CPrjVarBcd>("v", 1, 1, 16, 8, 0, 0, 0); }, 8, 2},
        {"BCD0-1", [] { return std::make_unique<CPrjVarBcd>("v", 1, 1, 28, 3, 0, 0, 0); }, 3, 1},
        {"BCD0-2", [] { return std::make_unique<CPrjVarBcd>("v", 1, 1, 30, 6, 0, 0, 0); }, 6, 2},
        {"BIN-1 4/0", [] { return std::make_unique<CPrjVarBin>("v", 1, 1, 2, 4, 0, 0, 0, 0, 0); }, 4, 1},
        {"BIN-A 5/2", [] { return std::make_unique<CPrjVarBin>("v", 1, 1, 4, 5, 2, 0, 0, 0, 0); }, 8, 1},
        {"BIN-2 6/2", [] { return std::make_unique<CPrjVarBin>("v", 1, 1, 6, 6, 2, 0, 0, 0, 0); }, 9, 2},
        {"BIN0-B", [] { return std::make_unique<CPrjVarBin>("v", 1, 1, 9, 3, 0, 0, 0, 0, 0); }, 3, 2},
        {"VBIN-1 4/0", [] { return std::make_unique<CPrjVarVbin>("v", 1, 1, 18, 4, 0, 0, 0, 0, 0); }, 5, 1},
        {"VBIN0-A", [] { return std::make_unique<CPrjVarVbin>("v", 1, 1, 21, 4, 1, 0, 0, 0, 0); }, 7, 1},
        {"VBIN-2 6/2", [] { return std::make_unique<CPrjVarVbin>("v", 1, 1, 22, 6, 2, 0, 0, 0, 0); }, 10, 2},
        {"VBIN0-B", [] { return std::make_unique<CPrjVarVbin>("v", 1, 1, 25, 2, 0, 0, 0, 0, 0); }, 3, 2},
        {"Word KM", [] { return std::make_unique<CPrjVarWord>("v", 1, 1, 32, 0); }, 17, 1},
        {"Word KH", [] { return std::make_unique<CPrjVarWord>("v", 1, 1, 32, 1); }, 4, 1},
        {"Word KY", [] { return std::make_unique<CPrjVarWord>("v", 1, 1, 33, 2); }, 7, 1},
        {"ASCII 10", [] { return std::make_unique<CPrjVarAscii>("v", 1, 1, 34, 10); }, 20, 10},
        {"Bit", [&] { return std::make_unique<CPrjVarBit>("v", 1, 1, 12, 3, &pool); }, 0, 1},
        {"String", [&] { return std::make_unique<CPrjVarString>("v", 1, 1, 14, &pool); }, 0, 1},
        {"Timer", [&] { return std::make_unique<CPrjVarTimer>("v", 1, 1, 36, &pool); }, 3, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto var = c.make();
        EXPECT_EQ(var->GetWidth(), c.width);
        EXPECT_EQ(var->WordCount(), c.words);
        EXPECT_EQ(var->GetFlags(), CPrjVar::kPlcFlags);
        EXPECT_EQ(var->Clone("w")->WordCount(), c.words) << "the clone keeps the kind";
    }
}

TEST(VarKinds, SettersRecomputeWidth)
{
    CPrjVarWord word("w", 1, 1, 32, 0);
    word.SetForm(3);
    EXPECT_EQ(word.GetWidth(), 17) << "another form keeps the width";
    word.SetForm(2);
    EXPECT_EQ(word.GetWidth(), 7);

    CPrjVarVbin vbin("v", 1, 1, 18, 4, 0, 0, 0, 0, 0);
    vbin.SetDecimals(2);
    EXPECT_EQ(vbin.GetWidth(), 8);
    vbin.SetDigits(6);
    EXPECT_EQ(vbin.GetWidth(), 10);

    CPrjVarBcd bcd("b", 1, 1, 0, 4, 0, 0, 7);
    EXPECT_EQ(bcd.GetExtByte12(), 1);
    bcd.SetFlag(0);
    EXPECT_EQ(bcd.GetExtByte12(), 0);
}

// Each step sets one state text; the width follows the longest text (a
// timer's three more), and the pool counts follow the slots.
TEST(VarKinds, StateTextWidths)
{
    CTextPool pool(16, 8);
    CPrjVarBit bit("b", 1, 1, 12, 0, &pool);
    CPrjVarString str("s", 1, 1, 14, &pool);
    str.SetTxtCount(2);
    CPrjVarTimer timer("t", 1, 1, 36, &pool);

    struct Step {
        CPrjVar* var;
        int i;
        const char* text;
        int width;
    };
    const Step steps[] = {
        {&bit, 0, "abc", 3},      {&bit, 1, "abcdefg", 7},  {&bit, 1, "ab", 3},     {&bit, 2, "toolongtext", 3},
        {&str, 0, "abcd", 4},     {&str, 2, "abcdef", 6},   {&str, 0, "a", 6},      {&str, 2, "xy", 2},
        {&str, 3, "outside", 2},  {&timer, 0, "12345", 8},  {&timer, 0, "x", 4},    {&timer, 3, "", 4},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string(s.var->GetName()) + " " + std::to_string(s.i) + " " + s.text);
        s.var->SetStateTxt(s.i, s.text);
        EXPECT_EQ(s.var->GetWidth(), s.width);
    }
    EXPECT_STREQ(bit.GetStateTxt(1), "ab");
    EXPECT_EQ(bit.GetStateTxt(2), nullptr);
    EXPECT_EQ(VarKindsCountOf(pool, "abcdefg"), 0);
    EXPECT_EQ(VarKindsCountOf(pool, "abcd"), 0);
    EXPECT_EQ(VarKindsCountOf(pool, "x"), 1);

    CPrjVarTimer bare("t", 1, 1, 36, nullptr);
    EXPECT_EQ(bare.GetWidth(), 3);
    bare.SetStateTxt(0, "12345");
    EXPECT_EQ(bare.GetStateTxt(0), nullptr) << "without a pool no text is kept";
}

TEST(VarKinds, StringTextCount)
{
    CTextPool pool(16, 8);
    CPrjVarString str("s", 1, 1, 14, &pool);
    str.SetStateTxt(0, "lost");
    EXPECT_EQ(pool.GetCount(), 0) << "no slot array yet";

    str.SetTxtCount(5);
    const char* texts[] = {"s0", "s1", "s2", "s3", "s4", "s5"};
    for (int i = 0; i <= 5; ++i)
        str.SetStateTxt(i, texts[i]);
    EXPECT_EQ(pool.GetCount(), 6);

    str.SetTxtCount(2);
    EXPECT_EQ(str.MaxStateIdx(), 2);
    EXPECT_EQ(pool.GetCount(), 3) << "states 3..5 released";
    EXPECT_STREQ(str.GetStateTxt(2), "s2");

    str.SetTxtCount(5);
    EXPECT_EQ(str.MaxStateIdx(), 5);
    EXPECT_STREQ(str.GetStateTxt(1), "s1");
    EXPECT_EQ(str.GetStateTxt(4), nullptr) << "new slots are empty";
    EXPECT_EQ(str.GetStateTxtRef(1), pool.FindText("s1"));

    str.SetTxtCount(300);
    EXPECT_EQ(str.MaxStateIdx(), 255);
    str.FreeTxts();
    EXPECT_EQ(str.MaxStateIdx(), 0);
    EXPECT_EQ(pool.GetCount(), 0);
}

// A PLC state variable with state 0 only: its one slot must exist.
TEST(VarKinds, StringWithOnlyStateZeroKeepsItsText)
{
    CTextPool pool(16, 8);
    CPrjVarString str("s", 1, 1, 14, &pool);
    str.SetTxtCount(0);
    str.SetStateTxt(0, "Ein");
    EXPECT_STREQ(str.GetStateTxt(0), "Ein");
    EXPECT_EQ(str.GetWidth(), 3);
}

TEST(VarKinds, CloneCopiesKindFieldsAndResetsTheRest)
{
    CTextPool pool(16, 8);
    CPrjVarBit bit("Motor", 7, 2, 12, 9, &pool);
    bit.SetStateTxt(0, "AUS");
    bit.SetWidth(9);
    bit.SetFlags(0);
    bit.SetAttr32(0x1234);
    bit.IncUse();

    const auto clone = bit.Clone("Pumpe");
    auto* twin = dynamic_cast<CPrjVarBit*>(clone.get());
    ASSERT_NE(twin, nullptr);
    EXPECT_EQ(twin->GetName(), "Pumpe");
    EXPECT_EQ(twin->GetAdr(), 7);
    EXPECT_EQ(twin->GetSetpKind(), 2);
    EXPECT_EQ(twin->GetBitNr(), 9u);
    EXPECT_STREQ(twin->GetStateTxt(0), "AUS");
    EXPECT_EQ(twin->GetStateTxt(1), nullptr) << "an empty slot stays empty";
    EXPECT_EQ(twin->GetWidth(), 9);
    EXPECT_EQ(twin->GetFlags(), CPrjVar::kPlcFlags);
    EXPECT_EQ(twin->GetAttr32(), 0u);
    EXPECT_EQ(twin->GetUseCount(), 0);
    EXPECT_EQ(VarKindsCountOf(pool, "AUS"), 2);

    CPrjVarString str("s", 1, 1, 14, &pool);
    str.SetTxtCount(3);
    str.SetStateTxt(2, "zwei");
    const auto strClone = str.Clone("t");
    EXPECT_EQ(strClone->MaxStateIdx(), 3);
    EXPECT_STREQ(strClone->GetStateTxt(2), "zwei");
}

TEST(VarKinds, UseCountNeverBelowZero)
{
    CPrjVarWord var("w", 1, 1, 32, 0);
    var.DecUse();
    EXPECT_EQ(var.GetUseCount(), 0);
    var.IncUse();
    var.IncUse();
    var.DecUse();
    EXPECT_EQ(var.GetUseCount(), 1);
}

TEST(VarKinds, DefaultMaximumWidthFollowsCurrentProject)
{
    ASSERT_EQ(CPrjData::GetCurrent(), nullptr);
    EXPECT_EQ(CPrjVarWord("w", 1, 1, 32, 0).GetMaxWidth(), 40);
    {
        CPrjData prj(nullptr);
        prj.SetDevType(14);
        EXPECT_EQ(CPrjVarWord("w", 1, 1, 32, 0).GetMaxWidth(), 20);
        prj.SetDevType(706);
        EXPECT_EQ(CPrjVarWord("w", 1, 1, 32, 0).GetMaxWidth(), 40);
    }
    EXPECT_EQ(CPrjData::GetCurrent(), nullptr);
}

TEST(VarKinds, NamesCutAtTwentyFiveCharacters)
{
    const std::string longName(30, 'N');
    EXPECT_EQ(CPrjVarWord(longName, 1, 1, 32, 0).GetName(), std::string(25, 'N'));
    EXPECT_EQ(CPrjVarWord(std::string(25, 'M'), 1, 1, 32, 0).GetName(), std::string(25, 'M'));
}

} // namespace
