#include "support/ParseRun.h"

#include "model/core/Catalogues.h"
#include "model/core/CheckedFormat.h"
#include "model/project/DrvParColl.h"
#include "model/project/DrvParItem.h"
#include "model/project/MsgTxt.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "model/project/PrnTxt.h"
#include "model/project/RcpTxt.h"
#include "model/project/TxtRow.h"
#include "support/SourceTextBuilder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace orv;

namespace {

std::string Source(uint16_t srcType, const std::vector<std::string>& statements)
{
    SourceTextBuilder b;
    b.Header(srcType).Begin();
    for (const auto& s : statements)
        b.Line(s);
    return b.End().Build();
}

std::vector<std::string> Repeat(const std::string& line, int n)
{
    return std::vector<std::string>(static_cast<size_t>(n), line);
}

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

bool IsFamily043(uint16_t t)
{
    return t == 14 || t == 36 || t == 43 || t == 47 || t == 755;
}

class ParserTextsTest : public ::testing::Test {
protected:
    void Use(uint16_t devType, uint16_t srcType = 0, const SpsParBuilder* sps = nullptr)
    {
        WorldRecipe b = ParserWorld(devType);
        b.Src(srcType != 0 ? srcType : devType);
        if (sps != nullptr)
            b.Sps(*sps);
        p.reset();
        p = b.Build();
        if (!IsFamily043(devType))
            AddFirmwareStateVars(*p->prj);
    }

    ParseOutcome Run(uint16_t devType, const std::vector<std::string>& statements, uint16_t srcType = 0)
    {
        Use(devType, srcType);
        return ParseInto(*p, dir, Source(srcType != 0 ? srcType : devType, statements));
    }

    // A word variable of 4 places (KH) on word w.
    CPrjVar* AddWord(const char* name, int16_t w, uint32_t flags = CPrjVar::kPlcFlags)
    {
        auto* var = new CPrjVarWord(name, w, 1, 33, 1);
        var->SetFlags(flags);
        p->prj->InsVar(var);
        return var;
    }

    TempDir dir;
    std::unique_ptr<ProjectWorld> p;
};

struct ErrorCase {
    uint16_t devType;
    std::vector<std::string> statements;
    uint16_t xerror;
    size_t at;
    std::string anchor;  // empty: column 1
};

void ExpectErrors(const std::vector<ErrorCase>& cases, const std::function<ParseOutcome(const ErrorCase&)>& run)
{
    for (const ErrorCase& c : cases) {
        const ParseOutcome out = run(c);
        const std::string& line = c.statements[c.at];
        const std::string name = line.substr(0, 60) + " on " + std::to_string(c.devType);
        EXPECT_EQ(out.error, 16) << name;
        EXPECT_EQ(out.xerror, c.xerror) << name;
        EXPECT_EQ(out.line, 3 + c.at) << name;
        EXPECT_EQ(out.column, c.anchor.empty() ? 1 : ColumnOf(line, c.anchor)) << name;
    }
}

TEST_F(ParserTextsTest, EntryStatementsRefusedByPanel)
{
    struct Case {
        std::string statement;
        std::vector<std::pair<uint16_t, uint16_t>> refusals;
    };
    const std::vector<Case> cases{
        {"DEF_OP_TEXT, 0, 10",
         {{14, 503}, {36, 504}, {43, 505}, {47, 506}, {755, 507}, {118, 313}, {163, 313}, {167, 313}}},
        {"DEF_MSG_TEXT, 0, 10, INFO, 1", {{14, 503}, {36, 504}, {43, 505}, {47, 506}, {755, 506}, {163, 313}}},
        {"DEF_REC_TEXT, 0, 10", {{43, 505}, {755, 506}, {118, 313}}},
        {"HIST_TEXT, 1",
         {{14, 539}, {36, 540}, {43, 541}, {47, 542}, {755, 542}, {118, 546}, {473, 544}, {477, 544}}},
        {"DEF_HIST_TEXT, 0, 10", {{43, 541}, {167, 546}, {477, 544}}},
        {"OP_PRNTEXT, 1", {{14, 550}, {36, 551}, {43, 552}, {47, 553}, {755, 553}, {118, 555}}},
        {"DEF_OP_PRNTEXT, 1, 10", {{43, 552}, {163, 555}}},
        {"MSG_PRNTEXT, 1, 01", {{36, 551}, {167, 555}}},
        {"DEF_MSG_PRNTEXT, 1, 10, 01", {{755, 553}}},
        {"HTEXT, \"x\"",
         {{14, 539}, {36, 540}, {43, 541}, {47, 542}, {755, 543}, {118, 546}, {473, 544}, {477, 545}}},
        {"FORMULAR 1", {{14, 623}, {36, 623}, {43, 623}, {47, 623}, {473, 623}, {477, 623}, {706, 623}}},
    };
    for (const Case& c : cases) {
        for (const auto& [devType, xerror] : c.refusals) {
            const ParseOutcome out = Run(devType, {c.statement});
            EXPECT_EQ(out.xerror, xerror) << c.statement << " on " << devType;
            EXPECT_EQ(out.line, 3) << c.statement << " on " << devType;
            EXPECT_EQ(out.column, 1) << c.statement << " on " << devType;
        }
    }
}

TEST_F(ParserTextsTest, NumberRangesAndDuplicates)
{
    const std::string row = "TEXT, \"x\"";
    const std::string prn = "PRNTEXT, \"x\"";
    const std::vector<ErrorCase> cases{
        {43, {"OP_TEXT, 128"}, 499, 0, "128"},
        {706, {"OP_TEXT, 256"}, 500, 0, "256"},
        {43, {"OP_TEXT, 1", row, "OP_TEXT, 1"}, 502, 2, "1"},
        {706, {"DEF_OP_TEXT, 0, 256"}, 500, 0, "256"},
        {706, {"DEF_OP_TEXT, 10, 5"}, 501, 0, "5"},
        {706, {"DEF_OP_TEXT, 0, 5", row, "DEF_OP_TEXT, 0, 5"}, 508, 2, "5"},
        {43, {"MSG_TEXT, 128, INFO, 1"}, 523, 0, "128"},
        {706, {"MSG_TEXT, 1024, INFO, 1"}, 524, 0, "1024"},
        {43, {"MSG_TEXT, 1, INFO, 1", row, "MSG_TEXT, 1, INFO, 1"}, 526, 2, "1, INFO"},
        {43, {"MSG_TEXT, 1, ALARM, 1"}, 528, 0, "ALARM"},
        {43, {"MSG_TEXT, 1, INFO, 5"}, 529, 0, "5"},
        {706, {"MSG_TEXT, 1, INFO, 6"}, 530, 0, "6"},
        {706, {"DEF_MSG_TEXT, 0, 1024, INFO, 1"}, 524, 0, "1024"},
        {706, {"DEF_MSG_TEXT, 0, 5, INFO, 6"}, 530, 0, "6"},
        {706, {"DEF_MSG_TEXT, 0, 5, INFO, 1", row, "DEF_MSG_TEXT, 0, 5, INFO, 1"}, 531, 2, "5, INFO"},
        {43, {"REC_TEXT, 1", row, "REC_TEXT, 1"}, 527, 2, "1"},
        {706, {"DEF_REC_TEXT, 0, 5", row, "DEF_REC_TEXT, 0, 5"}, 532, 2, "5"},
        {706, {"HIST_TEXT, 1024"}, 547, 0, "1024"},
        {706, {"HIST_TEXT, 1", "HTEXT, \"x\"", "HIST_TEXT, 1"}, 548, 2, "1"},
        {706, {"DEF_HIST_TEXT, 0, 5", "HTEXT, \"x\"", "DEF_HIST_TEXT, 0, 5"}, 549, 2, "5"},
        {706, {"OP_PRNTEXT, 0"}, 556, 0, "0"},
        {706, {"OP_PRNTEXT, 1", prn, "OP_PRNTEXT, 1"}, 557, 2, "1"},
        {706, {"DEF_OP_PRNTEXT, 1, 5", prn, "DEF_OP_PRNTEXT, 1, 5"}, 558, 2, "5"},
        {706, {"MSG_PRNTEXT, 1024, 01"}, 559, 0, "1024"},
        {706, {"MSG_PRNTEXT, 1, 01", prn, "MSG_PRNTEXT, 1, 01"}, 560, 2, "1, 01"},
        {706, {"MSG_PRNTEXT, 1, 08"}, 562, 0, "08"},
        {706, {"MSG_PRNTEXT, 1, 1"}, 562, 0, "1"},
        {706, {"DEF_MSG_PRNTEXT, 1, 5, 01", prn, "DEF_MSG_PRNTEXT, 1, 5, 01"}, 561, 2, "5, 01"},
    };
    ExpectErrors(cases, [this](const ErrorCase& c) { return Run(c.devType, c.statements); });
}

TEST_F(ParserTextsTest, RecipeNumberRangeIsAFormattedText)
{
    const std::vector<std::pair<uint16_t, std::string>> cases{
        {163, "REC_TEXT, 0"}, {163, "REC_TEXT, 128"}, {706, "DEF_REC_TEXT, 0, 128"}};
    for (const auto& [devType, statement] : cases) {
        const ParseOutcome out = Run(devType, {statement});
        EXPECT_EQ(out.error, CParsOrv::ErrSyntax) << statement;
        EXPECT_EQ(out.errorText, CheckedFormat(resErrorText(525), 127)) << statement;
        EXPECT_EQ(out.errorText, "Rezepttextnummer (1..127) erwartet!") << statement;
    }
}

TEST_F(ParserTextsTest, MessageAttributesByPanel)
{
    ASSERT_EQ(Run(706, {"MSG_TEXT, 900, FAULT, 5, ALARM", "TEXT, \"x\"", "DEF_MSG_TEXT, 0, 9, WARNING, 5, ALARM",
                        "TEXT, \"y\"", "MSG_PRNTEXT, 3, 07", "PRNTEXT, \"p\""})
                  .error,
              0);
    const CMsgTxt* msg = static_cast<const CMsgTxt*>(p->prj->GetMsgTxtList()->FindByNum(900));
    ASSERT_NE(msg, nullptr);
    EXPECT_EQ(msg->GetPrio(), CMsgTxt::PrioFault);
    EXPECT_EQ(msg->GetDelMode(), 5);
    EXPECT_EQ(msg->IsAlarm(), 1);
    const CMsgTxt* def = static_cast<const CMsgTxt*>(p->prj->GetMsgTxtList()->GetTemplate());
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(def->GetPrio(), CMsgTxt::PrioWarning);
    EXPECT_EQ(def->IsAlarm(), 1);
    const auto* prn = static_cast<const CMsgPrnTxt*>(p->prj->GetMsgPrnTxtList()->FindByNum(3));
    ASSERT_NE(prn, nullptr);
    EXPECT_EQ(prn->GetValue(), 7);
    EXPECT_EQ(prn->GetRowCount(), 1);

    ASSERT_EQ(Run(43, {"MSG_TEXT, 5, WARNING, 4", "TEXT, \"x\""}).error, 0);
    msg = static_cast<const CMsgTxt*>(p->prj->GetMsgTxtList()->FindByNum(5));
    ASSERT_NE(msg, nullptr);
    EXPECT_EQ(msg->GetDelMode(), 4);
    EXPECT_EQ(msg->IsAlarm(), 0);
    EXPECT_EQ(msg->GetRowCount(), 1);
}

TEST_F(ParserTextsTest, HelpTextsFollowTheFileFamily)
{
    ASSERT_EQ(Run(43, {"HLP_TEXT, WARNING, 0", "TEXT, \"x\""}).error, 0);
    EXPECT_NE(p->prj->GetHlpTxtList(3)->GetTemplate(), nullptr);

    ASSERT_EQ(Run(706, {"HLP_TEXT, MENU, 12", "TEXT, \"x\""}).error, 0);
    EXPECT_NE(p->prj->GetHlpTxtList(1)->FindByNum(12), nullptr);

    // A file that names no panel family carries no help texts.
    Use(43);
    p->prj->SetSrcDevType(0);
    dir.Write("P.ORV", "ORV724_PARAMETER\r\nBEGIN\r\nHLP_TEXT, ANY\r\nEND\r\n");
    {
        CParsOrvLoad parser(dir.File("P.ORV"), true, p->bundle);
        parser.ReadDescription();
        parser.Parse();
        EXPECT_FALSE(parser.HasError());
    }
    for (int kind = 0; kind < 7; ++kind)
        EXPECT_EQ(p->prj->GetHlpTxtList(kind)->GetCount(), 0) << kind;

    const std::vector<ErrorCase> cases{
        {43, {"HLP_TEXT, OTHER, 0"}, 533, 0, "OTHER"},
        {43, {"HLP_TEXT, INFO, 1"}, 535, 0, "1"},
        {43, {"HLP_TEXT, INFO, 0", "TEXT, \"x\"", "HLP_TEXT, INFO, 0"}, 537, 2, "0"},
        {706, {"HLP_TEXT, MENU, 256"}, 536, 0, "256"},
        {706, {"HLP_TEXT, MENU, 1", "TEXT, \"x\"", "HLP_TEXT, MENU, 1"}, 537, 2, "1"},
        {43, {"DEF_HLP_TEXT, HISTORY"}, 533, 0, "HISTORY"},
        {706, {"DEF_HLP_TEXT, RECIPE"}, 534, 0, "RECIPE"},
        {706, {"DEF_HLP_TEXT, MENU", "TEXT, \"x\"", "DEF_HLP_TEXT, MENU"}, 538, 2, "MENU"},
    };
    ExpectErrors(cases, [this](const ErrorCase& c) { return Run(c.devType, c.statements); });

    const ParseOutcome notMenu = Run(706, {"HLP_TEXT, INFO, 1"});
    EXPECT_EQ(notMenu.error, CParsOrv::ErrSyntax);
    EXPECT_EQ(notMenu.errorText, FormatText("%s '%s' %s", resErrorText(634), "MENU", resErrorText(635)));
}

TEST_F(ParserTextsTest, TemplateHelpTextKindsPerFamily)
{
    struct Case {
        uint16_t devType;
        const char* kind;
        int kindNo;
    };
    for (const Case& c : {Case{43, "RECIPE", 6}, Case{118, "FAULT", 4}, Case{706, "HISTORY", 5}, Case{706, "DEFAULT", 0}}) {
        ASSERT_EQ(Run(c.devType, {std::string("DEF_HLP_TEXT, ") + c.kind, "TEXT, \"x\""}).error, 0) << c.kind;
        EXPECT_NE(p->prj->GetHlpTxtList(c.kindNo)->GetTemplate(), nullptr) << c.kind;
    }
}

TEST_F(ParserTextsTest, HistoryTemplateReplacesTheBuiltInOnceAFile)
{
    Use(706);
    if (p->prj->GetHistTxtList()->GetTemplate() == nullptr)
        p->prj->InsHistTxt(new CHistTxtRange(0, 1023));
    ASSERT_NE(p->prj->GetHistTxtList()->GetTemplate(), nullptr);
    ASSERT_EQ(ParseInto(*p, dir, Source(706, {"DEF_HIST_TEXT, 3, 7", "HTEXT, \"x\""}), false).error, 0);
    const auto* hist = dynamic_cast<const CHistTxtRange*>(p->prj->GetHistTxtList()->GetTemplate());
    ASSERT_NE(hist, nullptr);
    EXPECT_EQ(hist->GetLowest(), 3);
    EXPECT_EQ(hist->GetHighest(), 7);
    EXPECT_EQ(p->prj->GetHistTxtList()->GetCount(), 1);
}

// A printer row of that many 0x0F bytes as the writer escapes them.
std::string Escaped(size_t bytes)
{
    std::string text;
    for (size_t i = 0; i < bytes; ++i)
        text += "$0F";
    return text;
}

TEST_F(ParserTextsTest, RowErrors)
{
    const std::string op = "OP_TEXT, 1";
    const std::string big(41, 'a');
    const std::vector<ErrorCase> cases{
        {43, {"TEXT, \"x\""}, 491, 0, ""},
        {706, {"HTEXT, \"x\""}, 493, 0, ""},
        {706, {"PRNTEXT, \"x\""}, 497, 0, ""},
        {43, {op, "TEXT, \"@NOPE@\""}, 606, 1, "NOPE@"},
        {706, {"HIST_TEXT, 1", "HTEXT, \"@[Z084]@\""}, 607, 1, "[Z084]@"},
        {43, {op, "TEXT, \"@W0@\""}, 608, 1, "W0@"},
        {43, {op, "TEXT, \"@W1@@W2@@W3@@W4@@W5@\""}, 609, 1, "W5@"},
        {43, {op, "TEXT, \"@S@@W1@\""}, 609, 1, "W1@"},
        {706, {op, "TEXT, \"@W1@@W2@@W3@@W4@@W5@@W6@@W7@@W8@@W1@\""}, 610, 1, "W1@\""},
        {706, {"MSG_PRNTEXT, 1, 01", "PRNTEXT, \"@[Z084]@\""}, 611, 1, "[Z084]@"},
        {706, {"OP_PRNTEXT, 1", "PRNTEXT, \"@W0@\""}, 612, 1, "W0@"},
        {706, {"OP_PRNTEXT, 1", "PRNTEXT, \"@W1@@W2@@W3@@W4@@W5@@W6@@W7@@W8@@W1@\""}, 613, 1, "W1@\""},
        {43, {op, "TEXT, \"" + std::string(37, 'a') + "@W1@\""}, 614, 1, "W1@"},
        {43, {op, "TEXT, \"@W1 \""}, 615, 1, "W1 "},
        {43, {op, "TEXT, \"" + big + "\""}, 616, 1, "a\""},
        {706, {"OP_PRNTEXT, 1", "PRNTEXT, \"" + std::string(133, 'a') + "\""}, 617, 1, "a\""},
        {43, {op, "TEXT, \"ab$4\""}, 618, 1, "$4"},
        {43, {op, "TEXT, \"ab$G1\""}, 618, 1, "$G1"},
        {43, {op, "TEXT, \"ab$01\""}, 619, 1, "$01"},
        {706, {"OP_PRNTEXT, 1", "PRNTEXT, \"ab$00\""}, 620, 1, "$00"},
        // A printer row line is read whole; the lines after it keep their numbers.
        {706, {"OP_PRNTEXT, 1", "PRNTEXT, \"" + Escaped(132) + "\"", "PRNTEXT, \"ab$00\""}, 620, 2, "$00"},
        {706, {"OP_PRNTEXT, 1", "PRNTEXT, \"" + Escaped(133) + "\""}, 617, 1, "$0F"},
        // Row limits.
        {43, Join({op}, Repeat("TEXT, \"x\"", 3)), 485, 3, "\"x\""},
        {47, Join({op}, Repeat("TEXT, \"x\"", 5)), 486, 5, "\"x\""},
        {706, Join({"MSG_TEXT, 1, INFO, 1"}, Repeat("TEXT, \"x\"", 33)), 487, 33, "\"x\""},
        {706, Join({"REC_TEXT, 1"}, Repeat("TEXT, \"x\"", 33)), 488, 33, "\"x\""},
        {706, Join({"DEF_HLP_TEXT, INFO"}, Repeat("TEXT, \"x\"", 33)), 489, 33, "\"x\""},
        {706, Join({"HIST_TEXT, 1"}, Repeat("HTEXT, \"x\"", 33)), 490, 33, "\"x\""},
        {706, Join({"OP_PRNTEXT, 1"}, Repeat("PRNTEXT, \"x\"", 127)), 495, 127, "\"x\""},
        // An entry without its first row, noticed on the next line.
        {43, {op, "END"}, 480, 1, ""},
        {43, {"MSG_TEXT, 1, INFO, 1", "OP_TEXT, 2"}, 481, 1, ""},
        {43, {"REC_TEXT, 1", "END"}, 482, 1, ""},
        {43, {"DEF_HLP_TEXT, INFO", "END"}, 483, 1, ""},
        {706, {"HIST_TEXT, 1", "END"}, 484, 1, ""},
        {706, {"OP_PRNTEXT, 1", "END"}, 494, 1, ""},
    };
    ExpectErrors(cases, [this](const ErrorCase& c) {
        Use(c.devType);
        AddWord("W0", 10, 0);
        for (int i = 1; i <= 8; ++i)
            AddWord(("W" + std::to_string(i)).c_str(), static_cast<int16_t>(10 + i % 10));
        p->prj->InsVar(new CPrjVarAscii("S", 19, 1, 34, 2));
        return ParseInto(*p, dir, Source(c.devType, c.statements));
    });
}

TEST_F(ParserTextsTest, StoredRowHoldsFrameCharactersAtTheSlots)
{
    struct Case {
        uint16_t devType;
        std::string frame;  // frame characters 2, 3, 3, 4 of the group
    };
    for (const Case& c : {Case{43, "\xD6\xD2\xD2\xB7"}, Case{163, "\x02\x03\x03\x04"}}) {
        Use(c.devType);
        AddWord("W", 10);
        ASSERT_EQ(ParseInto(*p, dir, Source(c.devType, {"OP_TEXT, 1", "TEXT, \"ab@W@cd  \""})).error, 0);
        const auto* op = static_cast<const CPrjOpTxt*>(p->prj->GetOpTxtList()->FindByNum(1));
        ASSERT_NE(op, nullptr);
        EXPECT_EQ(op->GetRowCount(), 1);
        const CPrjTxtRow* row = op->GetRow(1);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->GetText(), "ab" + c.frame + "cd") << c.devType;
        const TxtVarSlot slot = row->GetVarSlot(0);
        EXPECT_EQ(slot.var, p->Var("W"));
        EXPECT_EQ(slot.col, 2);
    }
}

TEST_F(ParserTextsTest, EscapesAndCharacterConversion)
{
    struct Case {
        const char* name;
        uint16_t devType;
        uint16_t srcType;
        std::string quoted;
        uint16_t xerror;
        std::string stored;
    };
    const std::vector<Case> cases{
        {"$41 is A", 43, 43, "$41B", 0, "AB"},
        {"$40 is the character @", 43, 43, "a$40b", 0, "a@b"},
        {"arrows and A5 from a 47 file", 47, 47, "$1A$1B$A5", 0, "\x1A\x1B\x9D"},
        {"arrows from a 43 file", 47, 43, "$1A", 619, ""},
        {"sign mapping of a 14 file", 118, 14, "a\\b", 0, "a\xA5" "b"},
    };
    for (const Case& c : cases) {
        Use(c.devType, c.srcType);
        const ParseOutcome out =
            ParseInto(*p, dir, Source(c.srcType, {"OP_TEXT, 1", "TEXT, \"" + c.quoted + "\""}));
        EXPECT_EQ(out.xerror, c.xerror) << c.name;
        if (c.xerror != 0)
            continue;
        const auto* op = p->prj->GetOpTxtList()->FindByNum(1);
        ASSERT_NE(op, nullptr) << c.name;
        ASSERT_NE(op->GetRow(1), nullptr) << c.name;
        EXPECT_EQ(op->GetRow(1)->GetText(), c.stored) << c.name;
        EXPECT_EQ(op->GetRow(1)->GetFilledCount(), 0) << c.name;
    }
}

TEST_F(ParserTextsTest, MessageBitsAreMarkedWhenTheParserGoes)
{
    const SpsParBuilder sps = SpsParBuilder().Var(10).Msg(15, 0).Msg(16, 16);
    Use(43, 43, &sps);
    ASSERT_EQ(ParseInto(*p, dir,
                        Source(43, {"MSG_TEXT, 0, FAULT, 1", "TEXT, \"a\"", "MSG_TEXT, 1, WARNING, 1", "TEXT, \"b\"",
                                    "MSG_TEXT, 16, INFO, 1", "TEXT, \"c\""}))
                  .error,
              0);
    const auto* item15 = dynamic_cast<const CDrvParMsgItem*>(p->sps->GetItems().FindItem(15));
    const auto* item16 = dynamic_cast<const CDrvParMsgItem*>(p->sps->GetItems().FindItem(16));
    ASSERT_NE(item15, nullptr);
    ASSERT_NE(item16, nullptr);
    EXPECT_EQ(item15->GetBitsA(), 0x0001);
    EXPECT_EQ(item15->GetBitsB(), 0x0003);
    EXPECT_EQ(item16->GetBitsA(), 0x0001);
    EXPECT_EQ(item16->GetBitsB(), 0x0000);
}

} // namespace

namespace {

TEST_F(ParserTextsTest, HistoryRefusalOfThe118FamilyNamesThePanel)
{
    const std::vector<std::pair<uint16_t, std::string>> cases{
        {118, "ORV 014plus"},
        {163, "ORV 163"},
        {167, "ORV 167"},
    };
    for (const auto& [devType, name] : cases) {
        Use(devType);
        dir.Write("P.ORV", Source(devType, {"HIST_TEXT, 1"}));
        p->ui.AnswerQuestion(16201, false);
        CParsOrvLoad parser(dir.File("P.ORV"), true, p->bundle);
        parser.ReadDescription();
        parser.Parse();
        parser.Finish();
        EXPECT_EQ(parser.GetXError(), 546) << devType;
        EXPECT_EQ(parser.GetErrorText(), CheckedFormat(resErrorText(546), name)) << devType;
        EXPECT_NE(parser.GetErrorText().find(name), std::string::npos) << devType;
    }
}

} // namespace
