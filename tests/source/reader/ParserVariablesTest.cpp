#include "support/ParseRun.h"

#include "model/project/DrvParColl.h"
#include "model/project/DrvParItem.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVar.h"
#include "model/project/PrjVarList.h"
#include "support/SourceTextBuilder.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

using namespace orv;

namespace {

std::string ParserVariablesSource(uint16_t srcType, const std::vector<std::string>& statements)
{
    SourceTextBuilder b;
    b.Header(srcType).Begin();
    for (const auto& s : statements)
        b.Line(s);
    return b.End().Build();
}

class ParserVariablesTest : public ::testing::Test {
protected:
    void Use(uint16_t devType, uint16_t srcType = 0)
    {
        p.reset();
        p = ParserWorld(devType).Src(srcType != 0 ? srcType : devType).Build();
        if (devType != 14 && devType != 36 && devType != 43 && devType != 47 && devType != 755)
            AddFirmwareStateVars(*p->prj);
    }

    TempDir dir;
    std::unique_ptr<ProjectWorld> p;
};

// Every refusal of the variable statements: the statements, the panel, the
// xerror, the statement (0-based) it stands on and where in it.
TEST_F(ParserVariablesTest, RefusalsNameTheirLineAndColumn)
{
    struct Case {
        uint16_t devType;
        std::vector<std::string> statements;
        uint16_t xerror;
        size_t at;
        std::string anchor;  // empty: column 1
    };
    const std::string x = "VAR, X, 10, ACTUAL, ";
    const std::vector<Case> cases{
        {43, {"VAR, , 10, ACTUAL, WORD"}, 452, 0, ", 10"},
        {43, {x + "WORD", x + "WORD"}, 455, 1, "X,"},
        {43, {"VAR, [Z084], 10, ACTUAL, WORD"}, 454, 0, "[Z084]"},
        {43, {"VAR, X, A, ACTUAL, WORD"}, 456, 0, "A, ACTUAL"},
        {43, {"VAR, X, 65536, ACTUAL, WORD"}, 456, 0, "65536"},
        {43, {"VAR, X, 20, ACTUAL, WORD"}, 457, 0, "20"},
        {43, {"VAR, X, 23, ACTUAL, WORD"}, 458, 0, "23"},
        {43, {"VAR, X, 10, ACT, WORD"}, 459, 0, "ACT"},
        {43, {"VAR, X, 22, ACTUAL, WORD"}, 460, 0, "ACTUAL"},
        {43, {"VAR, X, 21, NOMINAL, WORD"}, 461, 0, "NOMINAL"},
        {43, {"VAR, X, 21, NOMINAL_SEC, WORD"}, 461, 0, "NOMINAL_SEC"},
        {43, {x + "FLOAT"}, 462, 0, "FLOAT"},
        {43, {x + "BIT, 16"}, 463, 0, "16"},
        {43, {"VAR, X, 19, ACTUAL, BCD-2, 8, 0, 10"}, 464, 0, "BCD-2"},
        {43, {"VAR, X, 22, NOMINAL, BCD-2, 8, 0, 10"}, 465, 0, "BCD-2"},
        {43, {x + "BCD-1, 5, 0, 10"}, 466, 0, "5, 0"},
        {43, {x + "BCD0-2, 9, 0, 10"}, 467, 0, "9, 0"},
        {43, {x + "BCD-1, 2, 0, 99, 2"}, 468, 0, "2"},
        {43, {x + "BCD-1, 2, 99, 99"}, 469, 0, "99, 99"},
        {43, {x + "BCD-1, 2, 0, 100"}, 470, 0, "100"},
        {43, {x + "BCD-1, 2, 5, 5"}, 471, 0, "5"},
        {43, {x + "BIN-1, 11, 0, 0, 9, 0, 9"}, 472, 0, "11"},
        {43, {x + "BIN-1, 2, 10, 0, 9, 0, 9"}, 473, 0, "10, 0, 9"},
        {43, {x + "BIN-1, 6, 5, 0, 9, 0, 9"}, 474, 0, "5, 0, 9"},
        {43, {x + "BIN-1, 2, 0, 0, 99, 65535, 65535"}, 475, 0, "65535, 65535"},
        {43, {x + "BIN-1, 2, 0, 0, 99, 0, 0"}, 476, 0, "0"},
        {43, {x + "BIN-1, 2, 0, 0, 99, 5, 5"}, 471, 0, "5"},
        {43, {x + "BIN-1, 5, 0, 0, 99999, 0, 2"}, 477, 0, "2"},
        {43, {"VAR, X, 19, ACTUAL, BIN-2, 2, 0, 0, 99"}, 464, 0, "BIN-2"},
        {43, {x + "VBIN-1, 2, 0, -100, 99, -10, 10"}, 469, 0, "-100"},
        {43, {x + "VBIN-1, 2, 0, -99, 100, -10, 10"}, 470, 0, "100"},
        {43, {x + "VBIN-1, 2, 0, -99, 99, -32769, 10"}, 475, 0, "-32769"},
        {43, {x + "VBIN-1, 2, 0, -99, 99, -10, -32768"}, 476, 0, "-32768"},
        {43, {x + "VBIN-1, 9, 0, -99999, 99999, 0, 1"}, 477, 0, "1"},
        {43, {x + "ASCII, 9"}, 478, 0, "9"},
        {706, {x + "ASCII, 17"}, 479, 0, "17"},
        {43, {"VAR, X, 18, ACTUAL, ASCII, 3"}, 464, 0, "3"},
        // State texts.
        {43, {"STATE, 0, \"A\""}, 445, 0, ""},
        {43, {x + "BIT, 0", "STATE, 2, \"A\""}, 447, 1, "2"},
        {43, {x + "BIT, 0", "STATE, 0, \"A\"", "STATE, 0, \"B\""}, 448, 2, "0"},
        {43, {x + "STRING", "STATE, 0, \"A\"", "STATE, 2, \"B\""}, 449, 2, "2"},
        {43, {x + "STRING", "STATE, 256, \"A\""}, 450, 1, "256"},
        {43, {x + "TIMER", "STATE, 4, \"A\""}, 451, 1, "4"},
        {43, {x + "BIT, 0", "STATE, 0, \"" + std::string(41, 'A') + "\""}, 616, 1, "A\""},
        {14, {x + "BIT, 0", "STATE, 0, \"" + std::string(21, 'A') + "\""}, 616, 1, "A\""},
        // The end of the states, tested on the next line.
        {43, {x + "BIT, 0", "STATE, 0, \"Off\"", "END"}, 437, 2, ""},
        {43, {x + "BIT, 0", "STATE, 0, \"\"", "STATE, 1, \"\"", "END"}, 438, 3, ""},
        {43, {x + "STRING", "STATE, 0, \"A\"", "STATE, 1, \"B\"", "END"}, 439, 3, ""},
        {43, {x + "CSTRING", "STATE, 0, \"\"", "STATE, 1, \"\"", "STATE, 2, \"\"", "END"}, 440, 4, ""},
        {43, {x + "SSTRING", "END"}, 449, 1, ""},
        {43, {x + "TIMER", "STATE, 0, \"s\"", "STATE, 1, \"m\"", "STATE, 2, \"h\"", "END"}, 441, 4, ""},
        {706,
         {x + "TIMER", "STATE, 0, \"\"", "STATE, 1, \"\"", "STATE, 2, \"\"", "STATE, 3, \"\"", "END"},
         442,
         5,
         ""},
        {706, {"INTERN_VAR, [Z018]", "STATE, 0, \"A\"", "STATE, 1, \"B\"", "STATE, 2, \"C\"", "END"}, 443, 4, ""},
        {706, {"INTERN_VAR, [Z098]", "STATE, 0, \"A\"", "END"}, 444, 2, ""},
        {706, {"INTERN_VAR, [Z084]", "END"}, 449, 1, ""},
        {47, {"INTERN_VAR, [Z085]", "END"}, 449, 1, ""},
        {43, {"INTERN_VAR, [Z085]"}, 453, 0, "[Z085]"},
        {706, {"INTERN_VAR, [Z080]", "STATE, 0, \"A\"", "STATE, 1, \"B\"", "END"}, 439, 3, ""},
        {706, {"INTERN_VAR, [Z080]", "STATE, 128, \"A\""}, 450, 1, "128"},
        // Internal variables by panel.
        {706, {"INTERN_VAR, [Z050]"}, 453, 0, "[Z050]"},
        {706, {"INTERN_VAR, [Z081]"}, 453, 0, "[Z081]"},
        {43, {"INTERN_VAR, [Z018]"}, 436, 0, ""},
        {118, {"INTERN_VAR, [Z018]"}, 436, 0, ""},
    };
    for (const Case& c : cases) {
        Use(c.devType);
        const std::string text = ParserVariablesSource(c.devType == 755 ? 755 : c.devType, c.statements);
        const ParseOutcome out = ParseInto(*p, dir, text);
        const std::string& line = c.statements[c.at];
        const std::string name = line + " on " + std::to_string(c.devType);
        EXPECT_EQ(out.error, 16) << name;
        EXPECT_EQ(out.xerror, c.xerror) << name;
        EXPECT_EQ(out.line, 3 + c.at) << name;
        EXPECT_EQ(out.column, c.anchor.empty() ? 1 : ColumnOf(line, c.anchor)) << name;
    }
}

TEST_F(ParserVariablesTest, EveryFormatBuildsItsVariableAndUsesItsItem)
{
    struct Case {
        std::string format;
        uint8_t type;
        uint8_t width;
        int words;
        uint8_t byte0;
        uint8_t byte1;
        std::array<int32_t, 4> values;
    };
    const std::vector<Case> cases{
        {"BCD-1, 3, 1, 999, 1", 0, 3, 1, 3, 0, {1, 999, 0, 0}},
        {"BCD0-1, 4, 0, 9999", 28, 4, 1, 4, 0, {0, 9999, 0, 0}},
        {"BCD-2, 8, 0, 99999999", 16, 8, 2, 8, 0, {0, 99999999, 0, 0}},
        {"BCD0-2, 5, 10, 20", 30, 5, 2, 5, 0, {10, 20, 0, 0}},
        {"BIN-1, 3, 1, 0, 9999, 0, 1000", 2, 5, 1, 3, 1, {0, 9999, 0, 1000}},
        {"BIN0-1, 4, 0, 1, 9999, 1, 9999", 3, 4, 1, 4, 0, {1, 9999, 1, 9999}},
        {"BIN-A, 2, 0, 0, 99, 0, 99", 4, 2, 1, 2, 0, {0, 99, 0, 99}},
        {"BIN0-A, 2, 0, 0, 99, 0, 99", 5, 2, 1, 2, 0, {0, 99, 0, 99}},
        {"BIN-2, 10, 0, 0, 4294967295", 6, 10, 2, 10, 0, {0, -1, 0, 0}},
        {"BIN0-2, 6, 0, 0, 999999", 7, 6, 2, 6, 0, {0, 999999, 0, 0}},
        {"BIN-B, 6, 0, 0, 999999", 8, 6, 2, 6, 0, {0, 999999, 0, 0}},
        {"BIN0-B, 6, 0, 0, 999999", 9, 6, 2, 6, 0, {0, 999999, 0, 0}},
        {"VBIN-1, 3, 0, -999, 999, -1000, 1000", 18, 4, 1, 3, 0, {-999, 999, -1000, 1000}},
        {"VBIN0-1, 3, 0, -999, 999, -1000, 1000", 19, 4, 1, 3, 0, {-999, 999, -1000, 1000}},
        {"VBIN-A, 3, 0, -999, 999, -1000, 1000", 20, 4, 1, 3, 0, {-999, 999, -1000, 1000}},
        {"VBIN0-A, 3, 0, -999, 999, -1000, 1000", 21, 4, 1, 3, 0, {-999, 999, -1000, 1000}},
        {"VBIN-2, 10, 0, -2147483648, 2147483647, 5, 6", 22, 11, 2, 10, 0, {INT32_MIN, INT32_MAX, 0, 0}},
        {"VBIN0-2, 4, 2, -999999, 999999", 23, 8, 2, 4, 2, {-999999, 999999, 0, 0}},
        {"VBIN-B, 4, 0, -9999, 9999", 24, 5, 2, 4, 0, {-9999, 9999, 0, 0}},
        {"VBIN0-B, 4, 0, -9999, 9999", 25, 5, 2, 4, 0, {-9999, 9999, 0, 0}},
        {"WORD", 33, 17, 1, 0, 0, {0, 0, 0, 0}},
        {"WORD, KH", 33, 4, 1, 1, 0, {0, 0, 0, 0}},
        {"WORD, KY", 33, 7, 1, 2, 0, {0, 0, 0, 0}},
        {"WORD, KM", 33, 17, 1, 0, 0, {0, 0, 0, 0}},
        {"ASCII, 3", 34, 6, 3, 3, 0, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        Use(43);
        const ParseOutcome out = ParseInto(*p, dir, ParserVariablesSource(43, {"VAR, Var_1, 11, NOMINAL, " + c.format}));
        ASSERT_EQ(out.error, 0) << c.format;
        const CPrjVar* var = p->Var("Var_1");
        ASSERT_NE(var, nullptr) << c.format;
        EXPECT_EQ(var->GetType(), c.type) << c.format;
        EXPECT_EQ(var->GetWidth(), c.width) << c.format;
        EXPECT_EQ(var->WordCount(), c.words) << c.format;
        EXPECT_EQ(var->GetAdr(), 11) << c.format;
        EXPECT_EQ(var->GetSetpKind(), 2) << c.format;
        EXPECT_EQ(var->GetExtByte0(), c.byte0) << c.format;
        EXPECT_EQ(var->GetExtByte1(), c.byte1) << c.format;
        if (c.type != 33 && c.type != 34) {
            EXPECT_EQ(var->GetExtWord1(), c.values[0]) << c.format;
            EXPECT_EQ(var->GetExtWord2(), c.values[1]) << c.format;
            EXPECT_EQ(var->GetExtWord3(), c.values[2]) << c.format;
            EXPECT_EQ(var->GetExtWord4(), c.values[3]) << c.format;
        }
        const CDrvParItem* item = p->sps->GetItems().FindItem(11);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->GetText(), "Var_1") << c.format;
        EXPECT_EQ(item->GetUseCount(), 1) << c.format;
    }
}

TEST_F(ParserVariablesTest, StateTextVariablesTakeTheirStates)
{
    Use(43);
    const ParseOutcome out = ParseInto(*p, dir,
                                       ParserVariablesSource(43, {"VAR, B, 10, ACTUAL, BIT, 3", "STATE, 0, \"Off\"",
                                                   "STATE, 1, \"On $41\"", "VAR, S, 11, ACTUAL, STRING",
                                                   "STATE, 0, \"A\"", "STATE, 1, \"BB\"", "STATE, 2, \"CCC\"",
                                                   "VAR, T, 12, ACTUAL, TIMER", "STATE, 0, \"\"", "STATE, 1, \"m\"",
                                                   "STATE, 2, \"h\"", "STATE, 3, \"d\"",
                                                   "VAR, Q, 13, ACTUAL, SSTRING", "STATE, 0, \"x\""}));
    ASSERT_EQ(out.error, 0) << out.xerror;
    const CPrjVar* b = p->Var("B");
    EXPECT_EQ(b->GetExtByte0(), 3);
    EXPECT_STREQ(b->GetStateTxt(1), "On A");
    EXPECT_EQ(b->GetWidth(), 4);
    const CPrjVar* s = p->Var("S");
    EXPECT_EQ(s->MaxStateIdx(), 2);
    EXPECT_EQ(s->GetWidth(), 3);
    // An empty timer text is kept as a blank on this panel.
    EXPECT_STREQ(p->Var("T")->GetStateTxt(0), " ");
    EXPECT_EQ(p->Var("Q")->MaxStateIdx(), 0);
}

TEST_F(ParserVariablesTest, DoubleWordScalingIsSetByAPlcRange)
{
    Use(43);
    ASSERT_EQ(ParseInto(*p, dir, ParserVariablesSource(43, {"VAR, A, 11, ACTUAL, BIN-2, 4, 0, 0, 9999"})).error, 0);
    EXPECT_EQ(p->prj->GetDWordVars(), 0);
    ASSERT_EQ(ParseInto(*p, dir, ParserVariablesSource(43, {"VAR, B, 12, ACTUAL, BIN-2, 4, 0, 0, 9999, 0, 100000"}), false).error, 0);
    EXPECT_EQ(p->prj->GetDWordVars(), 1);
    EXPECT_EQ(p->Var("B")->GetExtWord4(), 100000);
}

TEST_F(ParserVariablesTest, InternalVariablesPerFamily)
{
    // 43: the softkey row takes states from 0 and ends at the last one.
    Use(43);
    ASSERT_EQ(ParseInto(*p, dir,
                        ParserVariablesSource(43, {"INTERN_VAR, [Z084]", "STATE, 0, \"F1\"", "STATE, 1, \"F2\"", "STATE, 2, \"F3\""}))
                  .error,
              0);
    EXPECT_EQ(p->Var("[Z084]")->MaxStateIdx(), 2);
    EXPECT_STREQ(p->Var("[Z084]")->GetStateTxt(2), "F3");

    // 706: every name of the firmware's state-text variables.
    Use(706);
    const ParseOutcome out = ParseInto(
        *p, dir,
        ParserVariablesSource(706, {"INTERN_VAR, [Z018]", "STATE, 0, \"a\"", "STATE, 1, \"b\"", "STATE, 2, \"c\"", "STATE, 3, \"d\"",
                     "STATE, 4, \"e\"", "STATE, 5, \"f\"", "STATE, 6, \"g\"", "INTERN_VAR, [Z098]",
                     "STATE, 0, \"0\"", "STATE, 1, \"1\"", "STATE, 2, \"2\"", "STATE, 3, \"3\"", "STATE, 4, \"4\"",
                     "STATE, 5, \"5\"", "STATE, 6, \"6\"", "STATE, 7, \"7\"", "STATE, 8, \"8\"", "STATE, 9, \"9\"",
                     "STATE, 10, \"10\"", "INTERN_VAR, [Z085]", "STATE, 0, \"x\"", "STATE, 1, \"y\"",
                     "INTERN_VAR, [Z21], 500", "STATE, 0, \"p\"", "STATE, 1, \"q\"", "STATE, 2, \"r\"",
                     "STATE, 3, \"s\"", "STATE, 4, \"t\"", "STATE, 5, \"u\"", "STATE, 6, \"v\""}));
    ASSERT_EQ(out.error, 0) << out.xerror << " line " << out.line;
    EXPECT_EQ(p->Var("[Z018]")->MaxStateIdx(), 7);
    EXPECT_EQ(p->Var("[Z098]")->MaxStateIdx(), 10);
    EXPECT_EQ(p->Var("[Z085]")->MaxStateIdx(), 1);
    EXPECT_EQ(p->Var("[Z21]")->MaxStateIdx(), 7);
    // Every state text is kept, not only the first.
    EXPECT_STREQ(p->Var("[Z018]")->GetStateTxt(6), "g");
    EXPECT_STREQ(p->Var("[Z098]")->GetStateTxt(10), "10");
    EXPECT_STREQ(p->Var("[Z21]")->GetStateTxt(3), "s");
}

TEST_F(ParserVariablesTest, HexTextOfFortyBytesIsKeptWhole)
{
    Use(706);
    std::string quoted;
    std::string expected;
    for (int i = 0; i < 40; ++i) {
        if (i % 2 == 0) {
            quoted += "$1B";
            expected += "1B";
        } else {
            quoted += "A";
            expected += "41";
        }
    }
    ASSERT_EQ(ParseInto(*p, dir, ParserVariablesSource(706, {"INTERN_VAR, [Z078], \"" + quoted + "\""})).error, 0);
    const auto* hex = dynamic_cast<const CPrjIntVarHex*>(p->Var("[Z078]"));
    ASSERT_NE(hex, nullptr);
    EXPECT_EQ(hex->GetHexText(), expected);

    const ParseOutcome tooLong = ParseInto(*p, dir, ParserVariablesSource(706, {"INTERN_VAR, [Z078], \"" + quoted + "A\""}));
    EXPECT_EQ(tooLong.error, CParsOrv::ErrSyntax);
}

TEST_F(ParserVariablesTest, OldShortNamesOf043FamilyFilesAreMapped)
{
    Use(706, 43);
    p->prj->InsVar(new CPrjIntVarStr("[Z031]", 0x33FB, 0, 142, 0, 0, p->prj->GetTextPool()));
    const ParseOutcome out = ParseInto(*p, dir, ParserVariablesSource(43, {"OP_TEXT, 1", "TEXT, \"@ZB@\""}));
    EXPECT_EQ(out.error, 0) << out.xerror;

    // The same name in a 706 file is a name of its own.
    Use(706, 706);
    const ParseOutcome own = ParseInto(*p, dir, ParserVariablesSource(706, {"OP_TEXT, 1", "TEXT, \"@ZB@\""}));
    EXPECT_EQ(own.xerror, 606);
}

} // namespace
