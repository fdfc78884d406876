#include "support/ParseRun.h"

#include "model/core/Catalogues.h"
#include "model/core/CheckedFormat.h"
#include "model/project/PrjVar.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "source/reader/ParsOrvFile.h"
#include "support/SourceTextBuilder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

using namespace orv;

namespace {

std::string KeywordErrorText(const char* keyword)
{
    return FormatText("%s '%s' %s", resErrorText(634), keyword, resErrorText(635));
}

std::string SignErrorText(char c)
{
    return FormatText("%s '%c' %s", resErrorText(633), c, resErrorText(635));
}

class ParserFrameTest : public ::testing::Test {
protected:
    void Use(uint16_t devType)
    {
        p.reset();
        p = ParserWorld(devType).Build();
    }

    TempDir dir;
    std::unique_ptr<ProjectWorld> p = ParserWorld(43).Build();
};

// --- Prescan ---------------------------------------------------------------

TEST_F(ParserFrameTest, GetModelFindsTheHeaderOutsideTheDescription)
{
    struct Case {
        const char* name;
        std::string text;
        uint16_t model;
    };
    const std::vector<Case> cases{
        {"header on line 1", "ORV043_PARAMETER, X\r\nBEGIN\r\nEND\r\n", 43},
        {"header after the description",
         "DESCRIPTION\r\nfree text\r\nDESCRIPTIONEND\r\nORV706_PARAMETER, X\r\n", 706},
        {"header inside the description is skipped",
         "DESCRIPTION\r\nORV043_PARAMETER\r\nDESCRIPTIONEND\r\nORV014_PARAMETER\r\n", 14},
        {"control characters before the header", "\t\tORV118_PARAMETER\r\n", 118},
        {"the file type 755", "ORV755_PARAMETER, X\r\n", 755},
        {"an old 724 header names no panel", "ORV724_PARAMETER, X\r\nBEGIN\r\n", 0},
        {"no header", "BEGIN\r\nEND\r\n", 0},
    };
    for (const Case& c : cases) {
        dir.Write("M.ORV", c.text);
        CParsOrvFile file(dir.File("M.ORV"), p->bundle);
        ASSERT_TRUE(file.CheckError()) << c.name;
        EXPECT_EQ(file.GetModel(false), c.model) << c.name;
    }
}

TEST_F(ParserFrameTest, GetModelWithResetEmptiesTheProjectOnlyForAFoundPanel)
{
    struct Case {
        const char* name;
        std::string text;
        bool reset;
        bool cleared;
        bool pathSet;
    };
    const std::vector<Case> cases{
        {"found, reset", "ORV043_PARAMETER\r\n", true, true, true},
        {"not found, reset", "BEGIN\r\n", true, false, true},
        {"found, no reset", "ORV043_PARAMETER\r\n", false, false, false},
    };
    for (const Case& c : cases) {
        Use(43);
        p->prj->InsVar(new CPrjVarWord("KEEP", 10, 1, 33, 0));
        p->prj->SetMsgMode(1);
        p->prj->SetPath("OLD.ORV");
        dir.Write("M.ORV", c.text);
        CParsOrvFile file(dir.File("M.ORV"), p->bundle);
        file.GetModel(c.reset);
        EXPECT_EQ(p->Var("KEEP") == nullptr, c.cleared) << c.name;
        // A file without MSGMODE means mode 0, also after a project of mode 1.
        EXPECT_EQ(p->prj->GetMsgMode(), c.cleared ? 0 : 1) << c.name;
        EXPECT_EQ(p->prj->GetPath(), c.pathSet ? dir.File("M.ORV") : std::string("OLD.ORV")) << c.name;
    }
}

TEST_F(ParserFrameTest, FileThatCannotBeOpenedShowsItsMessageOnce)
{
    CParsOrvFile file(dir.File("MISSING.ORV"), p->bundle);
    EXPECT_FALSE(file.CheckError());
    EXPECT_TRUE(file.CheckError());
    const auto boxes = p->ui.CallsOf(UiCall::Kind::Box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].id, 15105);
}

TEST_F(ParserFrameTest, ReadOnlySourceFileIsRead)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads any file";
    dir.Write("RO.ORV", ProjectSource(43, {}));
    ASSERT_EQ(chmod(dir.File("RO.ORV").c_str(), 0444), 0);
    CParsOrvFile file(dir.File("RO.ORV"), p->bundle);
    EXPECT_TRUE(file.CheckError());
    EXPECT_EQ(file.GetModel(false), 43);
    CParsOrvLoad parser(dir.File("RO.ORV"), true, p->bundle);
    parser.ReadDescription();
    parser.Parse();
    EXPECT_FALSE(parser.HasError());
    EXPECT_EQ(parser.GetState(), CParsOrv::StateDone);
}

// --- Description -----------------------------------------------------------

TEST_F(ParserFrameTest, DescriptionBlockIsReadWithItsLineBreaks)
{
    const std::string longLine(100, 'a');
    const std::string text = SourceTextBuilder()
                                 .Lines({"DESCRIPTION", "Line one", longLine, "DESCRIPTIONEND"})
                                 .Header(43)
                                 .Begin()
                                 .End()
                                 .Build();
    const ParseOutcome out = ParseInto(*p, dir, text);
    EXPECT_EQ(out.error, 0);
    EXPECT_EQ(p->prj->GetDescr(), "Line one\r\n" + std::string(77, 'a') + "\r\n" + std::string(23, 'a') + "\r\n");
}

TEST_F(ParserFrameTest, LongDescriptionIsReadWhole)
{
    SourceTextBuilder b;
    b.Line("DESCRIPTION");
    std::string expected;
    for (int i = 0; i < 30; ++i) {
        const std::string line(40, static_cast<char>('A' + i % 26));
        b.Line(line);
        expected += line + "\r\n";
    }
    ASSERT_EQ(expected.size(), 1260u);
    const ParseOutcome out = ParseInto(*p, dir, b.Line("DESCRIPTIONEND").Header(43).Begin().End().Build());
    EXPECT_EQ(out.error, 0);
    EXPECT_EQ(p->prj->GetDescr(), expected);
}

TEST_F(ParserFrameTest, FileEndingInsideTheDescriptionIsAKeywordError)
{
    const ParseOutcome out = ParseInto(*p, dir, SourceTextBuilder().Lines({"DESCRIPTION", "text"}).Build());
    EXPECT_EQ(out.error, CParsOrv::ErrSyntax);
    EXPECT_EQ(out.errorText, KeywordErrorText("DESCRIPTIONEND"));
    EXPECT_EQ(out.line, 3);
}

TEST_F(ParserFrameTest, WithoutDescriptionTheParseStartsAtLineOne)
{
    // The statement error is reported on the file's own line 3.
    const ParseOutcome out = ParseInto(*p, dir, ProjectSource(43, {"NONSENSE"}));
    EXPECT_EQ(out.xerror, 436);
    EXPECT_EQ(out.line, 3);
    EXPECT_EQ(out.column, 1);
    EXPECT_EQ(p->prj->GetDescr(), "");
}

// --- Header, BEGIN, END ------------------------------------------------------

TEST_F(ParserFrameTest, HeaderBeginAndEndErrors)
{
    struct Case {
        const char* name;
        uint16_t devType;
        std::string text;
        uint16_t error;
        uint16_t xerror;
        std::string errorText;
        uint16_t line;
        uint16_t column;
    };
    const std::vector<Case> cases{
        {"a 163 file on a 43 project", 43, ProjectSource(163, {}), 0, 0, "", 0, 0},
        {"no header on 43", 43, SourceTextBuilder().Lines({"BEGIN", "END"}).Build(), 16, 426, "", 1, 1},
        {"no header on 47.2", 755, SourceTextBuilder().Lines({"BEGIN", "END"}).Build(), 16, 428, "", 1, 1},
        {"no header on 706", 706, SourceTextBuilder().Lines({"BEGIN", "END"}).Build(), 16, 429, "", 1, 1},
        {"missing BEGIN", 43, SourceTextBuilder().Header(43).Line("END").Build(), 15, 0,
         KeywordErrorText("BEGIN"), 2, 1},
        {"lower-case statement", 43, ProjectSource(43, {"end"}), 16, 436, "", 3, 1},
        {"missing END, final CR LF", 43, SourceTextBuilder().Header(43).Begin().Build(), 16, 436, "", 3, 0},
        {"missing END, no final line end", 43,
         SourceTextBuilder().Header(43).Begin().Line("VAR, X, 10, ACTUAL, WORD").NoFinalLineEnd().Build(), 16, 436,
         "", 3, 24},
        {"missing field at the end of a line", 43, ProjectSource(43, {"VAR, A"}), 15, 0, SignErrorText(','), 3, 6},
    };
    for (const Case& c : cases) {
        Use(c.devType);
        const ParseOutcome out = ParseInto(*p, dir, c.text);
        EXPECT_EQ(out.error, c.error) << c.name;
        EXPECT_EQ(out.xerror, c.xerror) << c.name;
        if (c.error == CParsOrv::ErrSyntax) {
            EXPECT_EQ(out.errorText, c.errorText) << c.name;
        }
        if (c.error != 0) {
            EXPECT_EQ(out.line, c.line) << c.name;
            EXPECT_EQ(out.column, c.column) << c.name;
        }
    }
}

TEST_F(ParserFrameTest, SeparatorLinesAreSkippedEverywhere)
{
    const std::string text = SourceTextBuilder()
                                 .Lines({"____________", "ORV043_PARAMETER, X", "", " comment", "BEGIN", "_____",
                                         " VAR, X, 10, ACTUAL, WORD", "END", "anything after END"})
                                 .Ends(SourceTextBuilder::LineEnd::Lf)
                                 .Build();
    const ParseOutcome out = ParseInto(*p, dir, text);
    EXPECT_EQ(out.error, 0);
    EXPECT_EQ(p->Var("X"), nullptr);
}

// --- Finish ------------------------------------------------------------------

TEST_F(ParserFrameTest, FinishWithoutErrorMarksOnlyAnAppendAsModified)
{
    for (const bool load : {true, false}) {
        Use(43);
        p->prj->SetModCount(0);
        dir.Write("P.ORV", ProjectSource(43, {"VAR, X, 10, ACTUAL, WORD"}));
        CParsOrvLoad parser(dir.File("P.ORV"), load, p->bundle);
        parser.ReadDescription();
        parser.Parse();
        EXPECT_TRUE(parser.Finish());
        EXPECT_EQ(p->prj->GetModCount() != 0, !load) << load;
        EXPECT_NE(p->Var("X"), nullptr);
        EXPECT_TRUE(p->ui.Calls().empty());
    }
}

TEST_F(ParserFrameTest, FinishOfAnUnopenedFileShowsItsMessageAndAnswersFalse)
{
    CParsOrvLoad parser(dir.File("MISSING.ORV"), true, p->bundle);
    parser.ReadDescription();
    parser.Parse();
    EXPECT_FALSE(parser.Finish());
    EXPECT_FALSE(parser.HasError());
    const auto boxes = p->ui.CallsOf(UiCall::Kind::Box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].id, 15105);
}

TEST_F(ParserFrameTest, FinishAfterAnErrorEmptiesTheProjectAndOffersTheEditor)
{
    struct Case {
        const char* name;
        std::string statement;
        uint16_t error;
        uint16_t column;
        bool yes;
    };
    const std::vector<Case> cases{
        {"xerror, Yes", "VAR, X, 10, ACTUAL, WORD\r\nOOPS", 16, 1, true},
        {"xerror, No", "VAR, X, 10, ACTUAL, WORD\r\nOOPS", 16, 1, false},
        {"sign error, Yes", "VAR, X, 10, ACTUAL, WORD\r\nVAR, Y", 15, 6, true},
    };
    for (const Case& c : cases) {
        Use(43);
        const std::string text = ProjectSource(43, {c.statement});
        dir.Write("P.ORV", text);
        p->ui.AnswerQuestion(16201, c.yes);
        {
            CParsOrvLoad parser(dir.File("P.ORV"), true, p->bundle);
            parser.ReadDescription();
            parser.Parse();
            EXPECT_EQ(parser.GetError(), c.error) << c.name;
            EXPECT_NE(p->Var("X"), nullptr) << c.name;
            EXPECT_TRUE(parser.Finish()) << c.name;
            EXPECT_TRUE(parser.HasError()) << c.name;
            if (c.error == CParsOrv::ErrXError) {
                EXPECT_EQ(parser.GetErrorText(), resErrorText(436)) << c.name;
            }
        }
        EXPECT_EQ(p->Var("X"), nullptr) << c.name;
        const auto questions = p->ui.CallsOf(UiCall::Kind::Question);
        ASSERT_EQ(questions.size(), 1u) << c.name;
        EXPECT_EQ(questions[0].text, FormatText("Syntaxfehler Zeile %d Zeichen %d\neditieren ?", 4, c.column));
        const auto loads = p->ui.CallsOf(UiCall::Kind::LoadSource);
        if (c.yes) {
            ASSERT_EQ(loads.size(), 1u) << c.name;
            EXPECT_EQ(loads[0].text, text) << c.name;
            EXPECT_EQ(loads[0].line, 4) << c.name;
            EXPECT_EQ(loads[0].column, c.column) << c.name;
        } else {
            EXPECT_TRUE(loads.empty()) << c.name;
        }
    }
}

TEST_F(ParserFrameTest, CancellingAtLineFortyEndsWithError45AndNoMessage)
{
    SourceTextBuilder b;
    b.Header(43).Begin().Line("VAR, X, 10, ACTUAL, WORD");
    for (int i = 0; i < 60; ++i)
        b.Line("_");
    dir.Write("P.ORV", b.End().Build());
    std::vector<int> polled;
    CParsOrvLoad parser(dir.File("P.ORV"), true, p->bundle, [&](int line) {
        polled.push_back(line);
        return line == 40;
    });
    parser.ReadDescription();
    parser.Parse();
    EXPECT_EQ(parser.GetError(), CParsOrv::ErrCancelled);
    EXPECT_EQ(parser.GetLineNo(), 40);
    EXPECT_EQ(polled, (std::vector<int>{20, 40}));
    EXPECT_EQ(p->Var("X"), nullptr);
    EXPECT_TRUE(parser.Finish());
    EXPECT_FALSE(parser.HasError());
    EXPECT_TRUE(p->ui.Calls().empty());
}

TEST_F(ParserFrameTest, ConversionNoticesOnlyWithoutError)
{
    struct Case {
        const char* name;
        uint16_t devType;
        uint16_t srcType;
        std::vector<std::string> rows;
        bool fail;
        int notice;
    };
    const std::string longRow = "TEXT, \"Temperature of the oven\"";
    // Converted user characters are noted by the character statements.
    const std::vector<Case> cases{
        {"split", 14, 43, {longRow}, false, 15610},
        {"joined", 43, 14, {"TEXT, \"Start\"", "TEXT, \"Stop\""}, false, 15611},
        {"characters", 43, 43, {"TEXT, \"x\""}, false, 15609},
        {"split, then an error", 14, 43, {longRow, "OOPS"}, true, 0},
    };
    for (const Case& c : cases) {
        p.reset();
        p = ParserWorld(c.devType).Src(c.srcType).Build();
        SourceTextBuilder b;
        b.Header(c.srcType).Begin().Line("OP_TEXT, 1");
        for (const auto& row : c.rows)
            b.Line(row);
        dir.Write("P.ORV", b.End().Build());
        if (c.fail)
            p->ui.AnswerQuestion(16201, false);
        CParsOrvLoad parser(dir.File("P.ORV"), true, p->bundle);
        parser.ReadDescription();
        parser.Parse();
        EXPECT_EQ(parser.HasError(), c.fail) << c.name;
        if (c.notice == 15609 || c.fail)
            parser.NoteCharsConverted();
        parser.Finish();
        const auto boxes = p->ui.CallsOf(UiCall::Kind::Box);
        if (c.notice == 0) {
            EXPECT_TRUE(boxes.empty()) << c.name;
        } else {
            ASSERT_EQ(boxes.size(), 1u) << c.name;
            EXPECT_EQ(boxes[0].id, c.notice) << c.name;
        }
    }
}

} // namespace
