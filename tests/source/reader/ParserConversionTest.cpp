#include "support/ParseRun.h"

#include "model/project/CharSet.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "model/project/TxtRow.h"
#include "support/SourceTextBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orv;

namespace {

struct Slot {
    const char* var;
    uint8_t col;
};

struct RowWant {
    std::string text;  // '#' stands for the frame characters of a variable
    std::vector<Slot> slots;
};

class ParserConversionTest : public ::testing::Test {
protected:
    void Use(uint16_t devType, uint16_t srcType)
    {
        p.reset();
        p = ParserWorld(devType).Src(srcType).Build();
        p->prj->InsVar(new CPrjVarWord("W1", 10, 1, 33, 1));
        p->prj->InsVar(new CPrjVarWord("W2", 11, 1, 33, 1));
        p->prj->InsVar(new CPrjVarAscii("S", 12, 1, 34, 2));
    }

    ParseOutcome Read(uint16_t srcType, const std::vector<std::string>& rows)
    {
        SourceTextBuilder b;
        b.Header(srcType).Begin().Line("OP_TEXT, 1");
        for (const auto& row : rows)
            b.Line("TEXT, \"" + row + "\"");
        return ParseInto(*p, dir, b.End().Build());
    }

    // The row's text with the frame characters of 4-place fields as "####".
    std::string Shown(const std::string& text) const
    {
        std::string shown;
        for (const char c : text) {
            bool frame = false;
            for (int k = 2; k <= 4; ++k)
                frame = frame || static_cast<uint8_t>(c) == p->charSet->GetFrameChar(k);
            shown.push_back(frame ? '#' : c);
        }
        return shown;
    }

    void ExpectRows(const std::vector<RowWant>& want, const std::string& name)
    {
        const auto* op = p->prj->GetOpTxtList()->FindByNum(1);
        ASSERT_NE(op, nullptr) << name;
        ASSERT_EQ(op->GetRowCount(), static_cast<int>(want.size())) << name;
        for (size_t r = 0; r < want.size(); ++r) {
            const CPrjTxtRow* row = op->GetRow(static_cast<int>(r + 1));
            ASSERT_NE(row, nullptr) << name << " row " << r + 1;
            EXPECT_EQ(Shown(row->GetText()), want[r].text) << name << " row " << r + 1;
            ASSERT_EQ(row->GetFilledCount(), static_cast<int>(want[r].slots.size())) << name << " row " << r + 1;
            for (size_t i = 0; i < want[r].slots.size(); ++i) {
                const TxtVarSlot slot = row->GetVarSlot(static_cast<int>(i));
                EXPECT_EQ(slot.var, p->Var(want[r].slots[i].var)) << name << " row " << r + 1;
                EXPECT_EQ(slot.col, want[r].slots[i].col) << name << " row " << r + 1;
            }
        }
    }

    TempDir dir;
    std::unique_ptr<ProjectWorld> p;
};

TEST_F(ParserConversionTest, RowsOfA14FileAreJoinedOnA40ColumnPanel)
{
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        std::vector<RowWant> want;
    };
    const std::vector<Case> cases{
        {"two short rows, then one alone", {"Start", "Stop", "Go"}, {{"Start Stop", {}}, {"Go", {}}}},
        {"variables keep their places",
         {"@W1@ a", "b @W2@"},
         {{"#### a b ####", {{"W1", 0}, {"W2", 9}}}}},
        {"no blank when only the text fits", {std::string(20, 'x'), std::string(20, 'y')},
         {{std::string(20, 'x') + std::string(20, 'y'), {}}}},
        {"too long to join", {std::string(30, 'x'), std::string(11, 'y')},
         {{std::string(30, 'x'), {}}, {std::string(11, 'y'), {}}}},
        {"an ASCII variable is never joined on this family", {"@S@", "b"}, {{"####", {{"S", 0}}}, {"b", {}}}},
    };
    for (const Case& c : cases) {
        Use(43, 14);
        const ParseOutcome out = Read(14, c.rows);
        ASSERT_EQ(out.error, 0) << c.name << " " << out.xerror;
        ExpectRows(c.want, c.name);
    }
}

TEST_F(ParserConversionTest, RowsOfA40ColumnFileAreSplitFor14)
{
    struct Case {
        const char* name;
        std::string row;
        std::vector<RowWant> want;
    };
    const std::vector<Case> cases{
        {"at the last word boundary", "Temperature of the oven", {{"Temperature of the", {}}, {"oven", {}}}},
        {"a short row stays whole", "Temperature", {{"Temperature", {}}}},
        {"a variable goes with its column",
         "Temperature of the @W1@ C",
         {{"Temperature of the", {}}, {"#### C", {{"W1", 0}}}}},
        {"the rest is cut at 20", "abc " + std::string(30, 'd'), {{"abc", {}}, {std::string(20, 'd'), {}}}},
    };
    for (const Case& c : cases) {
        Use(14, 43);
        const ParseOutcome out = Read(43, {c.row});
        ASSERT_EQ(out.error, 0) << c.name << " " << out.xerror;
        ExpectRows(c.want, c.name);
    }

    // No boundary before column 20 and a variable across the cut.
    Use(14, 43);
    const std::string row = "abcdefghijklmnopq@W1@";
    const ParseOutcome out = Read(43, {row});
    EXPECT_EQ(out.xerror, 492);
    EXPECT_EQ(out.line, 4);
    EXPECT_EQ(out.column, ColumnOf("TEXT, \"" + row + "\"", "\"abc"));
}

} // namespace
