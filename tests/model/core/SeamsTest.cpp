#include "model/core/FrameState.h"
#include "model/project/PrjBundle.h"
#include "model/core/Trace.h"
#include "model/core/UiServices.h"
#include "model/core/WorkspaceState.h"
#include "support/FakeStartSelInfo.h"
#include "support/FrameFixture.h"
#include "support/ProjectWorld.h"
#include "support/RecordingTraceSink.h"
#include "support/ScriptedUi.h"
#include "support/TempDir.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

using namespace orv;

namespace {

using SeamsKind = UiCall::Kind;

TEST(Seams, ScriptedUiFailsOnUnexpectedQuestionAndAnswersNo)
{
    ScriptedUi ui;
    bool answer = true;
    EXPECT_NONFATAL_FAILURE(answer = ui.AskYesNo("Overwrite?", 16201), "unexpected question (id 16201)");
    EXPECT_FALSE(answer);

    // A scripted answer is used once; the same question again is unexpected.
    ui.AnswerQuestion(15046, true);
    EXPECT_TRUE(ui.AskYesNo("Change driver?", 15046));
    EXPECT_NONFATAL_FAILURE(answer = ui.AskYesNo("Change driver?", 15046), "unexpected question");
    EXPECT_FALSE(answer);
}

TEST(Seams, ScriptedUiFailsOnUnexpectedFatalLine)
{
    ScriptedUi ui;
    EXPECT_NONFATAL_FAILURE(ui.AppendLog("FATAL: FindResourceEx failed"),
                            "unexpected FATAL log line: \"FATAL: FindResourceEx failed\"");
    ui.AppendLog("Open CParser file.orv OK"); // an ordinary line passes

    // A declared line passes once; a declared line never logged fails.
    ui.ExpectFatal("FATAL: FindResourceEx failed");
    ui.AppendLog("FATAL: FindResourceEx failed");
    auto leaveUnlogged = [] {
        ScriptedUi quiet;
        quiet.ExpectFatal("FATAL: something");
    };
    EXPECT_NONFATAL_FAILURE(leaveUnlogged(), "expected FATAL log line not logged: \"FATAL: something\"");
}

TEST(Seams, ScriptedUiFailsOnUnusedAnswer)
{
    auto leaveIdUnused = [] {
        ScriptedUi ui;
        ui.AnswerQuestion(15046, true);
        ui.AnswerQuestion(16201, true);
        ui.AskYesNo("Edit source?", 16201);
    };
    EXPECT_NONFATAL_FAILURE(leaveIdUnused(), "scripted answer unused: question id 15046");
    auto leaveTextUnused = [] {
        ScriptedUi ui;
        ui.AnswerQuestionText("Save changes?", false);
    };
    EXPECT_NONFATAL_FAILURE(leaveTextUnused(), "scripted answer unused: question \"Save changes?\"");
}

TEST(Seams, ScriptedUiKeepsCallOrderAndMatchesByIdOrText)
{
    ScriptedUi ui;
    ui.AnswerQuestionText("Literal question?", true);
    ui.AnswerQuestion(16201, false);
    ui.SetHelpResult(2);

    EXPECT_EQ(ui.MessageBox(MsgKind::Warning, "ORVtool", "first", 15204), kBoxOk);
    EXPECT_FALSE(ui.AskYesNo("Edit source?", 16201));
    ui.SetStatusText("status");
    ui.AppendLog("log line");
    EXPECT_TRUE(ui.AskYesNo("Literal question?", 0));
    ui.ClearLog();
    EXPECT_EQ(ui.OpenHelpPage("/hlp/s001.htm"), 2);
    ui.LoadSourceEditor("A\r\nB\r\n", 2, 5);
    std::string source;
    EXPECT_TRUE(ui.GetSourceEditorText(source));
    EXPECT_EQ(source, "A\r\nB\r\n");
    ui.SetSourceEditorText("edited");
    EXPECT_TRUE(ui.GetSourceEditorText(source));
    EXPECT_EQ(source, "edited");

    const std::vector<SeamsKind> order = {SeamsKind::Box,       SeamsKind::Question, SeamsKind::Status,     SeamsKind::LogAppend,
                                     SeamsKind::Question,  SeamsKind::LogClear, SeamsKind::HelpPage,   SeamsKind::LoadSource,
                                     SeamsKind::ReadSource, SeamsKind::ReadSource};
    ASSERT_EQ(ui.Calls().size(), order.size());
    for (size_t i = 0; i < order.size(); ++i)
        EXPECT_EQ(ui.Calls()[i].kind, order[i]) << "call " << i;
    const UiCall& box = ui.Calls()[0];
    EXPECT_EQ(box.caption, "ORVtool");
    EXPECT_EQ(box.text, "first");
    EXPECT_EQ(box.id, 15204);
    EXPECT_FALSE(ui.Calls()[1].answer);
    EXPECT_TRUE(ui.Calls()[4].answer);
    EXPECT_EQ(ui.Calls()[7].line, 2);
    EXPECT_EQ(ui.Calls()[7].column, 5);
    EXPECT_EQ(ui.TextsOf(SeamsKind::LogAppend), (std::vector<std::string>{"log line"}));
}

TEST(Seams, ScopedRegistrationRestoresPrevious)
{
    ASSERT_EQ(GetMainFrame(), nullptr);
    UiServices* fallback = &GetUiServices();
    CFrameState outerFrame;
    ScriptedUi outerUi;
    RecordingTraceSink outerTrace;
    {
        ScopedMainFrame frameReg(outerFrame);
        ScopedUiServices uiReg(outerUi);
        ScopedTraceSink traceReg(outerTrace);
        {
            CFrameState innerFrame;
            ScriptedUi innerUi;
            RecordingTraceSink innerTrace;
            ScopedMainFrame innerFrameReg(innerFrame);
            ScopedUiServices innerUiReg(innerUi);
            ScopedTraceSink innerTraceReg(innerTrace);
            EXPECT_EQ(GetMainFrame(), &innerFrame);
            EXPECT_EQ(&GetUiServices(), &innerUi);
            DbgTrace("inner");
            EXPECT_TRUE(innerTrace.Has("inner"));
        }
        EXPECT_EQ(GetMainFrame(), &outerFrame);
        EXPECT_EQ(&GetUiServices(), &outerUi);
        DbgTrace("outer");
        EXPECT_EQ(outerTrace.Entries().size(), 1u);
    }
    EXPECT_EQ(GetMainFrame(), nullptr);
    EXPECT_EQ(&GetUiServices(), fallback);
}

TEST(Seams, FallbackUiWritesToStderrAndAnswersNo)
{
    UiServices& ui = GetUiServices();
    testing::internal::CaptureStderr();
    EXPECT_EQ(ui.MessageBox(MsgKind::InternalError, "ORVtool Intern Error", "broken", 0), kBoxOk);
    EXPECT_FALSE(ui.AskYesNo("Really?", 16201));
    ui.AppendLog("a log line");
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("ORVtool Intern Error: broken"), std::string::npos);
    EXPECT_NE(err.find("Really?"), std::string::npos);
    EXPECT_NE(err.find("a log line"), std::string::npos);
    EXPECT_NE(ui.OpenHelpPage("/nowhere.htm"), 0);
}

TEST(Seams, TraceLastErrorAddsErrnoTextAndKeepsErrno)
{
    TraceLastError("before any sink"); // goes nowhere
    RecordingTraceSink trace;
    ScopedTraceSink reg(trace);
    errno = ENOENT;
    TraceLastError("_tfopen() failed");
    EXPECT_EQ(errno, ENOENT);
    DbgTrace("success");
    ASSERT_EQ(trace.Entries().size(), 2u);
    EXPECT_TRUE(trace.Entries()[0].lastError);
    EXPECT_EQ(trace.Entries()[0].text, "_tfopen() failed");
    EXPECT_EQ(trace.Entries()[0].errnoText, std::strerror(ENOENT));
    EXPECT_FALSE(trace.Entries()[1].lastError);
    EXPECT_EQ(trace.Entries()[1].text, "success");
}

TEST(Seams, BundleAccessorsNeedEveryLink)
{
    auto allNull = [] { return !GetPrjData() && !GetSpsPar() && !GetDevCfg(); };
    EXPECT_TRUE(allNull()) << "no frame";

    CFrameState frame;
    ScopedMainFrame reg(frame);
    EXPECT_TRUE(allNull()) << "no workspace state";

    TempDir dir;
    CWorkspaceState workspace(dir.Path(), dir.Path());
    frame.SetWorkspace(&workspace);
    EXPECT_TRUE(allNull()) << "no bundle";

    PrjBundle bundle;
    workspace.SetBundle(&bundle);
    EXPECT_TRUE(allNull()) << "empty bundle";

    const auto world = World().Drv().Build();
    workspace.SetBundle(&world->bundle);
    EXPECT_EQ(GetPrjData(), world->prj.get());
    EXPECT_EQ(GetSpsPar(), world->sps.get());
    EXPECT_EQ(GetDevCfg(), world->drvCfg.get());
    world->bundle.Clear();
    EXPECT_TRUE(allNull());
}

TEST(Seams, GetFontFamilyTable)
{
    const std::pair<const char*, int> cases[] = {
        {"alt", 1}, {"706", 2}, {"int", 3}, {"", 1}, {"xyz", 1},
    };
    for (const auto& [name, family] : cases)
        EXPECT_EQ(FakeStartSelInfo(40, 14, name).GetFontFamily(), family) << '"' << name << '"';
}

TEST(Seams, FrameStateDefaultsAndRanges)
{
    CFrameState frame;
    EXPECT_EQ(frame.GetLogLevel(), 1);
    EXPECT_EQ(frame.GetLangId(), 0);
    EXPECT_EQ(frame.GetLogMode(), 2);
    EXPECT_EQ(frame.GetStateFlags(), 0u);
    EXPECT_FALSE(frame.IsSourceEditMode());
    EXPECT_FALSE(frame.IsInsertMode());
    EXPECT_EQ(frame.GetStartSel(), nullptr);
    EXPECT_EQ(frame.GetWorkspace(), nullptr);
    for (int family = 0; family <= 4; ++family)
        EXPECT_EQ(frame.GetFon(family), nullptr);

    frame.SetLogLevel(3);
    frame.SetLogLevel(4);
    frame.SetLogLevel(-1);
    EXPECT_EQ(frame.GetLogLevel(), 3);
    frame.SetLangId(2);
    frame.SetLangId(3);
    EXPECT_EQ(frame.GetLangId(), 2);

    alignas(8) static char fon[8];
    frame.SetFon(2, reinterpret_cast<CFon*>(fon));
    frame.SetFon(4, reinterpret_cast<CFon*>(fon));
    EXPECT_EQ(frame.GetFon(1), nullptr);
    EXPECT_EQ(frame.GetFon(2), reinterpret_cast<CFon*>(fon));
    EXPECT_EQ(frame.GetFon(3), nullptr);
}

TEST(Seams, WorkspaceStateDefaults)
{
    TempDir dir;
    CWorkspaceState ws(dir.Path(), dir.Path());
    EXPECT_EQ(ws.GetDesignFlag(), 0);
    EXPECT_EQ(ws.GetBatchMode(), 0);
    EXPECT_EQ(ws.GetToolVersion(), "Q32r11000");
    const FileTags& t = ws.Tags();
    const std::vector<std::string> tags = {t.toolName, t.source, t.backup,  t.oldSyntax, t.compile, t.driver,
                                           t.function, t.printer, t.debug, t.recipe,    t.toolId};
    EXPECT_EQ(tags, (std::vector<std::string>{"ORVPRO.EXE", "ORV", "OR$", "OLD", "BIN", "DRV", "FKT", "PRN", "DBG",
                                              "REC", "Q32r11000"}));
    const EnvSettings& e = ws.Env();
    EXPECT_EQ(e.palette, 0);
    EXPECT_EQ(e.requestInterval, 30);
    EXPECT_EQ(e.lpt, 1);
    EXPECT_EQ(e.paperLen, 60);
    EXPECT_EQ(e.printHead, 1);
    EXPECT_EQ(e.arcOrvId, 2);
    EXPECT_EQ(e.teleService, 0);
    EXPECT_FALSE(ws.IsSimStart());
    EXPECT_FALSE(ws.IsSimDrvBound());
    EXPECT_FALSE(ws.IsDrvOverride());
    EXPECT_EQ(ws.GetBundle(), nullptr);
    EXPECT_EQ(ws.GetStdFktPath(-1), "");
    EXPECT_EQ(ws.GetStdFktPath(4), "");

    CMemInfo& m = ws.MemInfo();
    m.devType = 706;
    m.compiling = 1;
    m.counts.menuNodes = 9;
    m.freeData = 5;
    m.freeRecipe = 6;
    m.Init();
    EXPECT_EQ(m.devType, 14);
    EXPECT_EQ(m.compiling, 0);
    EXPECT_EQ(m.counts.menuNodes, 0);
    EXPECT_EQ(m.freeData, 131070u);
    EXPECT_EQ(m.freeRecipe, 4096u);
}

TEST(Seams, WorkspacePathsFindFilesAndKeepPaths)
{
    TempDir program;
    TempDir state;
    program.Write("cfg/Orv/orvpro.cfg", "x");
    CWorkspaceState ws(program.Path(), state.Path());
    EXPECT_EQ(ws.GetCfgDir(), program.Path() + "cfg/Orv/");
    EXPECT_EQ(ws.GetCfgFile(), program.Path() + "cfg/Orv/orvpro.cfg");
    // Not written yet: the exact names in the state directory.
    EXPECT_EQ(ws.GetIniFile(), state.Path() + "CFG/ORV/ORVPRO.INI");
    EXPECT_EQ(ws.GetTmpFile(), state.Path() + "CFG/ORV/ORVPRO.TMP");

    TempDir bare;
    EXPECT_EQ(CWorkspaceState(bare.Path(), bare.Path()).GetCfgDir(), bare.Path() + "CFG/ORV/");

    std::string longPath = "/Data/Projects/";
    while (longPath.size() < 296)
        longPath += "MixedCase/";
    longPath += "a.orv";
    ASSERT_GE(longPath.size(), 300u);
    EXPECT_EQ(ws.SetPrjFile(longPath), longPath);
    EXPECT_EQ(ws.GetPrjFile(), longPath);
    ws.SetFormFile(longPath);
    EXPECT_EQ(ws.GetFormFile(), longPath);
}

TEST(Seams, FrameFixtureWiresEverything)
{
    FrameFixture fx;
    EXPECT_EQ(GetMainFrame(), &fx.frame);
    EXPECT_EQ(&GetUiServices(), &fx.ui);
    EXPECT_EQ(fx.frame.GetWorkspace(), &fx.workspace);
    EXPECT_EQ(fx.workspace.GetBundle(), &fx.bundle);
    EXPECT_EQ(fx.frame.GetStartSel()->GetFontFamily(), 1);
    DbgTrace("seen");
    EXPECT_TRUE(fx.trace.Has("seen"));
}

} // namespace
