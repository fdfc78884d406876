#include "support/ParseRun.h"

#include "model/project/PrjVar.h"
#include "model/project/RcpTxt.h"
#include "model/project/VarValList.h"
#include "support/SourceTextBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orv;

namespace {

// The variables of every value form, each on its own word.
const std::vector<std::string> kVars{
    "VAR, A, 10, NOMINAL, BCD-1, 4, 0, 9999",
    "VAR, B, 11, NOMINAL, BIN-1, 4, 0, 10, 5000, 0, 5000",
    "VAR, C, 12, NOMINAL, VBIN-1, 3, 0, -500, 500, -500, 500",
    "VAR, D, 13, NOMINAL, BIT, 0",
    "STATE, 0, \"off\"",
    "STATE, 1, \"on\"",
    "VAR, E, 14, NOMINAL, STRING",
    "STATE, 0, \"a\"",
    "STATE, 1, \"b\"",
    "STATE, 2, \"c\"",
    "VAR, F, 15, NOMINAL, SSTRING",
    "STATE, 0, \"x\"",
    "STATE, 1, \"y\"",
    "VAR, G, 16, NOMINAL, WORD, KH",
    "VAR, H, 17, NOMINAL, WORD, KY",
    "VAR, I, 18, NOMINAL, WORD, KM",
    "VAR, J, 19, NOMINAL, ASCII, 2",
    "VAR, K, 21, NOMINAL, TIMER",
    "STATE, 0, \"s\"",
    "STATE, 1, \"m\"",
    "STATE, 2, \"h\"",
    "STATE, 3, \"d\"",
    "VAR, L, 22, NOMINAL, WORD, KM",
};

SpsParBuilder RecipeSps()
{
    SpsParBuilder sps;
    for (uint16_t w = 10; w <= 29; ++w)
        sps.Var(w);
    return sps;
}

class ParserRecipeTest : public ::testing::Test {
protected:
    ParseOutcome Read(uint16_t devType, const std::vector<std::string>& statements)
    {
        p.reset();
        p = ParserWorld(devType).Sps(RecipeSps()).Build();
        if (devType != 43)
            AddFirmwareStateVars(*p->prj);
        SourceTextBuilder b;
        b.Header(devType).Begin();
        for (const auto& s : kVars)
            b.Line(s);
        for (const auto& s : statements)
            b.Line(s);
        return ParseInto(*p, dir, b.End().Build());
    }

    const CPrjVarValList& Values(int32_t num) const
    {
        const auto* rcp = static_cast<const CPrjRcpTxt*>(p->prj->GetRcpTxtList()->FindByNum(num));
        EXPECT_NE(rcp, nullptr);
        return rcp->GetValList();
    }

    TempDir dir;
    std::unique_ptr<ProjectWorld> p;
};

const std::vector<std::string> kRows{
    "REC_TEXT, 1",
    "TEXT, \"@A@ @B@ @[Z21]@ @C@\"",
    "TEXT, \"@D@ @E@ @F@\"",
    "TEXT, \"@G@ @H@ @I@\"",
    "TEXT, \"@J@\"",
    "TEXT, \"@K@ @L@\"",
};

TEST_F(ParserRecipeTest, EveryPlcVariableOfTheTextGetsAValueInTextOrder)
{
    ASSERT_EQ(Read(163, kRows).error, 0);
    const CPrjVarValList& values = Values(1);
    const std::string order = "ABCDEFGHIJKL";
    ASSERT_EQ(values.GetCount(), static_cast<int>(order.size()));
    for (int i = 0; i < values.GetCount(); ++i)
        EXPECT_EQ(values.GetAt(i)->GetVar()->GetName(), std::string(1, order[static_cast<size_t>(i)])) << i;
    const auto* rcp = static_cast<const CPrjRcpTxt*>(p->prj->GetRcpTxtList()->FindByNum(1));
    EXPECT_EQ(rcp->CountExtVars(), values.GetCount());
}

TEST_F(ParserRecipeTest, FormularStoresAValueOfEveryForm)
{
    std::vector<std::string> statements = kRows;
    statements.push_back("FORMULAR   1, 1234, 4321, -250, 1, 2, 1, $ABCD,   1.  2, b0000000000000101, \"Hi\", /");
    statements.push_back("12.3,");
    ASSERT_EQ(Read(163, statements).error, 0);
    const CPrjVarValList& values = Values(1);
    ASSERT_EQ(values.GetCount(), 12);
    const std::vector<uint32_t> want{1234, 4321, static_cast<uint32_t>(-250), 1, 2, 1, 0xABCD, 258, 5, 0, 123, 0};
    for (int i = 0; i < 12; ++i) {
        if (i == 9)
            continue;
        EXPECT_EQ(values.GetAt(i)->GetValue(), want[static_cast<size_t>(i)]) << values.GetAt(i)->GetVar()->GetName();
    }
    ASSERT_NE(values.GetAt(9)->GetText(), nullptr);
    EXPECT_STREQ(values.GetAt(9)->GetText(), "Hi");
}

TEST_F(ParserRecipeTest, FormularRefusals)
{
    struct Case {
        std::string formular;
        uint16_t xerror;
        std::string anchor;  // empty: column 1
    };
    const std::string head = "FORMULAR 1, 1, 10, 1, 1, 1, 1, $0001, 1.1, b0000000000000101, \"Hi\", ";
    const std::vector<Case> cases{
        {"FORMULAR 2", 624, "2"},
        {"FORMULAR 1, 10000", 626, "10000"},
        {"FORMULAR 1, 1, 5001", 626, "5001"},
        {"FORMULAR 1, 1, 9", 626, "9"},
        {"FORMULAR 1, 1, 10, -501", 626, "-501"},
        {"FORMULAR 1, 1, 10, 1, 2", 626, "2"},
        {"FORMULAR 1, 1, 10, 1, 1, 3", 626, "3"},
        {"FORMULAR 1, 1, 10, 1, 1, 1, 2", 626, "2"},
        {"FORMULAR 1, 1, 10, 1, 1, 1, 1, $XY12", 626, "$XY12"},
        {"FORMULAR 1, 1, 10, 1, 1, 1, 1, $0001, 256.1", 626, "256.1"},
        {"FORMULAR 1, 1, 10, 1, 1, 1, 1, $0001, 1.1, b0101", 626, "b0101"},
        {head + "1000.1", 626, "1000.1"},
        {head + "1.4", 626, "1.4"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> statements = kRows;
        statements.push_back(c.formular);
        const ParseOutcome out = Read(163, statements);
        EXPECT_EQ(out.error, 16) << c.formular;
        EXPECT_EQ(out.xerror, c.xerror) << c.formular;
        EXPECT_EQ(out.line, 3 + kVars.size() + kRows.size()) << c.formular;
        EXPECT_EQ(out.column, c.anchor.empty() ? 1 : ColumnOf(c.formular, c.anchor)) << c.formular;
    }

    // Without an open recipe text, and on a panel without recipe values.
    const ParseOutcome closed = Read(163, {"OP_TEXT, 1", "TEXT, \"x\"", "FORMULAR 1"});
    EXPECT_EQ(closed.xerror, 625);
    EXPECT_EQ(closed.column, 1);
    const ParseOutcome refused = Read(43, {"REC_TEXT, 1", "TEXT, \"@A@\"", "FORMULAR 1"});
    EXPECT_EQ(refused.xerror, 623);
    EXPECT_EQ(refused.column, 1);
}

} // namespace
