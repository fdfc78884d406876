#include "model/project/CharSet.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVar.h"
#include "model/project/TxtRow.h"

#include "TxtTestVars.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orv;

namespace {

std::vector<int> ColumnsOf(const CTxtRowBase& row)
{
    std::vector<int> cols;
    for (int i = 0; i < row.GetVarCount(); ++i)
        cols.push_back(row.GetVarSlot(i).col);
    return cols;
}

TEST(TxtRow, SetVarSlotGrowsShrinksAndCounts)
{
    auto v = MakeVar("V", 2, 3);
    auto a = MakeVar("A", 2, 1);
    auto b = MakeVar("B", 2, 1);
    auto c = MakeVar("C", 2, 1);
    CPrjTxtRow row(1, "", nullptr);

    row.SetVarSlot(5, v.get(), 10);
    ASSERT_EQ(row.GetVarCount(), 6);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(row.GetVarSlot(i).var, nullptr);
        EXPECT_EQ(row.GetVarSlot(i).col, 255);
    }
    EXPECT_EQ(row.GetVarSlot(5).col, 10);
    EXPECT_EQ(v->GetUseCount(), 1);

    row.SetVarSlot(5, nullptr, 0);
    EXPECT_EQ(row.GetVarCount(), 0);
    EXPECT_EQ(v->GetUseCount(), 0);

    row.SetVarSlot(0, a.get(), 0);
    row.SetVarSlot(1, b.get(), 2);
    row.SetVarSlot(2, c.get(), 4);
    row.SetVarSlot(1, nullptr, 0);
    EXPECT_EQ(row.GetVarCount(), 3);
    EXPECT_EQ(row.GetVarSlot(1).var, nullptr);
    EXPECT_EQ(b->GetUseCount(), 0);
    row.SetVarSlot(2, nullptr, 0);
    EXPECT_EQ(row.GetVarCount(), 1);
    EXPECT_EQ(c->GetUseCount(), 0);

    row.SetVarSlot(0, b.get(), 7);
    EXPECT_EQ(a->GetUseCount(), 0) << "the slot's old variable is released";
    EXPECT_EQ(b->GetUseCount(), 1);
    row.SetVarSlot(8, a.get(), 0);
    EXPECT_EQ(row.GetVarCount(), 1);
    EXPECT_EQ(row.GetVarSlot(8).var, nullptr);
    EXPECT_EQ(a->GetUseCount(), 0);
}

TEST(TxtRow, CloneCountsAgainAndDestroyingOrClearingReleases)
{
    auto a = MakeVar("A", 2, 3);
    auto b = MakeVar("B", 2, 2);
    auto row = MakeRow(2, "abc de", {{a.get(), 0}, {b.get(), 4}});

    auto clone = row->Clone();
    auto other = row->CloneAs(9);
    EXPECT_EQ(clone->GetNum(), 2);
    EXPECT_EQ(other->GetNum(), 9);
    EXPECT_EQ(other->GetText(), "abc de");
    EXPECT_EQ(ColumnsOf(*other), (std::vector<int>{0, 4}));
    EXPECT_EQ(other->GetVarSlot(1).var, b.get());
    EXPECT_EQ(a->GetUseCount(), 3);
    EXPECT_EQ(b->GetUseCount(), 3);

    clone.reset();
    EXPECT_EQ(a->GetUseCount(), 2);
    other->Clear();
    other->Clear();
    EXPECT_EQ(other->GetText(), "");
    EXPECT_EQ(other->GetVarCount(), 0);
    EXPECT_EQ(a->GetUseCount(), 1);
    EXPECT_EQ(b->GetUseCount(), 1);
}

TEST(TxtRow, FitVarWidthsSharesTheRoomLeftInTheLine)
{
    struct Case {
        const char* name;
        size_t textLen;
        bool twoSlotsOfA;
        int expectedMaxA;
        int expectedMaxB;
    };
    // Without a project the line is 40 wide; A is 5 wide, B 3 wide, both
    // start at the default maximum 40.
    const Case cases[] = {
        {"full 40-character row", 40, false, 5, 3},
        {"two slots of one variable share", 20, true, 5 + 10, 3 + 20},
        {"separate variables each get the room", 30, false, 5 + 10, 3 + 10},
        {"text longer than the line lowers nothing", 45, false, 40, 40},
    };
    for (const Case& c : cases) {
        auto a = MakeVar("A", 2, 5);
        auto b = MakeVar("B", 2, 3);
        ASSERT_EQ(a->GetMaxWidth(), 40);
        CPrjTxtRow row(1, std::string(c.textLen, 'x'), nullptr);
        row.SetVarSlot(0, a.get(), 0);
        row.SetVarSlot(1, b.get(), 6);
        if (c.twoSlotsOfA)
            row.SetVarSlot(2, a.get(), 10);
        row.FitVarWidths();
        EXPECT_EQ(a->GetMaxWidth(), c.expectedMaxA) << c.name;
        EXPECT_EQ(b->GetMaxWidth(), c.expectedMaxB) << c.name;
    }
}

TEST(TxtRow, ConstructorFitsTheRecordsVariables)
{
    auto a = MakeVar("A", 2, 4);
    const CTxtVarSlots record = SlotsOf({{a.get(), 0}, {a.get(), 10}});
    CPrjTxtRow row(1, std::string(30, 'x'), &record);
    EXPECT_EQ(a->GetMaxWidth(), 4 + 5);
    EXPECT_EQ(a->GetUseCount(), 2);
}

struct ReplaceCase {
    const char* name;
    std::string text;
    int oldWidth;
    int newWidth;
    uint8_t col;
    int laterCol;  // -1: no later slot
    std::string expectedText;
    int expectedLaterCol;
};

TEST(TxtRow, ReplaceVarRedrawsTheFieldAndMovesLaterColumns)
{
    const std::string later = Field706(2);
    const ReplaceCase cases[] = {
        {"3 wide to 5 wide", "abc" + Field706(3) + "xy" + later + "z", 3, 5, 3, 8,
         "abc" + Field706(5) + "xy" + later + "z", 10},
        {"5 wide to 3 wide", "abc" + Field706(5) + "xy" + later + "z", 5, 3, 3, 10,
         "abc" + Field706(3) + "xy" + later + "z", 8},
        {"a one-character field", "ab" + Field706(2) + "cd", 2, 1, 2, -1, "ab\x01" "cd", -1},
        {"a field near column 40 is cut there", std::string(36, 'x') + Field706(3) + "y", 3, 5, 36, -1,
         std::string(36, 'x') + Field706(5).substr(0, 4), -1},
        {"text behind the field is cut at column 40", std::string(30, 'x') + Field706(3) + std::string(7, 'y'), 3, 6,
         30, -1, std::string(30, 'x') + Field706(6) + std::string(4, 'y'), -1},
    };
    CCharSet charSet(nullptr);
    charSet.SetDevType(706);
    for (const ReplaceCase& c : cases) {
        auto oldVar = MakeVar("OLD", 2, static_cast<uint8_t>(c.oldWidth));
        auto newVar = MakeVar("NEW", 2, static_cast<uint8_t>(c.newWidth));
        auto other = MakeVar("B", 2, 2);
        CPrjTxtRow row(1, c.text, nullptr);
        row.SetVarSlot(0, oldVar.get(), c.col);
        if (c.laterCol >= 0)
            row.SetVarSlot(1, other.get(), static_cast<uint8_t>(c.laterCol));

        row.ReplaceVar({oldVar.get(), newVar.get(), &charSet});

        EXPECT_EQ(row.GetText(), c.expectedText) << c.name;
        EXPECT_LE(row.GetText().size(), 40u) << c.name;
        EXPECT_EQ(row.GetVarSlot(0).var, newVar.get()) << c.name;
        EXPECT_EQ(row.GetVarSlot(0).col, c.col) << c.name;
        if (c.laterCol >= 0) {
            EXPECT_EQ(row.GetVarSlot(1).col, c.expectedLaterCol) << c.name;
        }
        EXPECT_EQ(oldVar->GetUseCount(), 0) << c.name;
        EXPECT_EQ(newVar->GetUseCount(), 1) << c.name;
    }
}

TEST(TxtRow, ReplaceVarNeedsACompleteRequest)
{
    CCharSet charSet(nullptr);
    charSet.SetDevType(706);
    auto oldVar = MakeVar("OLD", 2, 3);
    auto newVar = MakeVar("NEW", 2, 5);
    const std::string text = "a" + Field706(3);
    auto row = MakeRow(1, text, {{oldVar.get(), 1}});
    row->ReplaceVar({oldVar.get(), newVar.get(), nullptr});
    row->ReplaceVar({oldVar.get(), nullptr, &charSet});
    EXPECT_EQ(row->GetText(), text);
    EXPECT_EQ(row->GetVarSlot(0).var, oldVar.get());
}

TEST(TxtRow, PrinterRowReplaceRefitsTheNewVariable)
{
    CCharSet charSet(nullptr);
    charSet.SetDevType(706);
    auto oldVar = MakeVar("OLD", 2, 3);
    auto newVar = MakeVar("NEW", 2, 5);
    ASSERT_EQ(newVar->GetMaxWidth(), 40);
    // 117 characters plus the 3-wide field: after the replace the line of 132
    // leaves 10 columns.
    CPrnTxtLin row(1, std::string(100, 'x') + Field706(3) + std::string(17, 'y'), nullptr);
    row.SetVarSlot(0, oldVar.get(), 100);

    row.ReplaceVar({oldVar.get(), newVar.get(), &charSet});

    EXPECT_EQ(row.GetText().size(), 122u);
    EXPECT_EQ(row.GetText().substr(100, 5), Field706(5));
    EXPECT_EQ(newVar->GetMaxWidth(), 5 + 10);
}

TEST(TxtRow, LineWidthFollowsTheCurrentProject)
{
    CPrjTxtRow display(1, "", nullptr);
    CPrnTxtLin printer(1, "", nullptr);
    EXPECT_EQ(display.GetLineWidth(), 40);
    EXPECT_EQ(printer.GetLineWidth(), 132);
    {
        CPrjData prj(nullptr);
        prj.SetDevType(14);
        EXPECT_EQ(display.GetLineWidth(), 20);
        EXPECT_EQ(printer.GetLineWidth(), 132);
    }
    EXPECT_EQ(display.GetLineWidth(), 40);
}

}  // namespace
