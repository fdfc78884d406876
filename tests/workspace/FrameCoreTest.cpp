#include "model/core/CatalogueIds.h"
#include "model/core/FrameState.h"
#include "model/project/DrvParColl.h"
#include "model/project/DrvParItem.h"
#include "model/project/PrjData.h"
#include "model/project/SpsPar.h"
#include "platform/ProgramDirs.h"
#include "support/ConfigKit.h"
#include "support/FrameFakes.h"
#include "support/ScriptedUi.h"
#include "workspace/FrameCore.h"
#include "workspace/FrameTitle.h"
#include "workspace/FrameViews.h"
#include "workspace/StartSel.h"
#include "workspace/PrjMgr.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

namespace orv {
namespace {

// The frame core on the shipped configuration with fake views, window,
// dialogs and file dialogs; the views and the window share one journal.
class workspace_frame_commands : public testing::Test {
protected:
    workspace_frame_commands()
    {
        frame.SetLogLevel(3);
        core.SetNavFactory([this](int listType, CFrameCore&) { return std::make_unique<FakeNav>(journal, listType); });
        core.SetViewDc(&dc);
        core.SetViewLst(&lst);
        core.SetViewTree(&tree);
    }

    std::vector<std::string> Logs() const { return ui.TextsOf(UiCall::Kind::LogAppend); }
    bool Logged(const std::string& line) const
    {
        const auto logs = Logs();
        return std::find(logs.begin(), logs.end(), line) != logs.end();
    }
    std::vector<std::string> Boxes() const { return ui.TextsOf(UiCall::Kind::Box); }

    // The shipped sample in the kit's home under a name of its own.
    std::string Sample(const std::string& name = "demo043.orv") const
    {
        const std::string path = kit.Home() + "/" + name;
        std::filesystem::copy_file(ORV_SAMPLE_PROJECT, path, std::filesystem::copy_options::overwrite_existing);
        return path;
    }
    // Starts and opens the sample; the views' journal and the UI calls
    // start empty afterwards.
    std::string StartWithSample()
    {
        core.Start();
        const std::string path = Sample();
        files.answers = {path};
        EXPECT_TRUE(core.Execute(32810));
        EXPECT_EQ(frame.GetPrjPath(), path);
        // The sample has no project driver beside it yet: the first save
        // writes it, so that the project counts as unchanged.
        EXPECT_TRUE(core.Execute(32812));
        journal.clear();
        ui.ClearCalls();
        return path;
    }
    void MarkChanged() { core.GetPrjMgr()->GetPrjData()->SetModCount(1); }
    bool Has(const std::string& entry) const { return IndexOf(entry) < journal.size(); }
    size_t IndexOf(const std::string& entry) const
    {
        return static_cast<size_t>(std::find(journal.begin(), journal.end(), entry) - journal.begin());
    }

    ScriptedUi ui;
    ScopedUiServices uiReg{ui};
    ConfigKit kit;
    CFrameState frame;
    ScopedMainFrame frameReg{frame};
    Journal journal;
    FakeFrameWindow window{journal};
    FakeDlgRunner dialogs;
    FakeFilePrompt files;
    FakeViewDc dc{journal};
    FakeViewLst lst{journal};
    FakeViewTree tree{journal};
    CFrameCore core{frame, window, dialogs, files};
};

TEST_F(workspace_frame_commands, StartOpensTheOperatorTexts)
{
    EXPECT_EQ(frame.GetStartSel(), &core.GetStartSel());
    core.Start();
    ASSERT_TRUE(core.IsBundleReady());
    EXPECT_TRUE(ui.CallsOf(UiCall::Kind::Box).empty());
    EXPECT_EQ(frame.GetWorkspace(), &core.GetPrjMgr()->Workspace());
    EXPECT_EQ(core.GetListType(), 2);
    ASSERT_NE(core.GetCurNav(), nullptr);
    EXPECT_EQ(journal, (Journal{"dc SavTxtRows", "nav new 2", "nav SetActive 2 0 false", "window RepaintDisplay"}));
    // The shipped database: the program family's application follows the
    // other one, as the open dialog's offer per row assumes.
    const CAppQuery& apps = core.GetStartSel().GetSelection().q.app;
    EXPECT_EQ(apps.NameAt(0), "TEQPRO");
    EXPECT_EQ(apps.NameAt(1), "ORVPRO");
    EXPECT_EQ(core.GetStartSel().GetAppIdx(), 1);
}

TEST_F(workspace_frame_commands, FailedStartLeavesTheFrameWithoutAProject)
{
    kit.Remove("ALT.FON");
    core.Start();
    EXPECT_FALSE(core.IsBundleReady());
    const auto boxes = ui.CallsOf(UiCall::Kind::Box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].id, static_cast<int>(msg::kDateiKannNichtGeoeffnetWerden));
    EXPECT_EQ(core.GetListType(), 0);
    EXPECT_EQ(core.GetCurNav(), nullptr);
    EXPECT_TRUE(journal.empty()) << "the views stay empty";
    dialogs.available.set();
    for (uint32_t id : {32794u, 32805u, 32797u, 32798u, 32800u, 33102u, 33264u, 33100u, 33272u}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(core.StateOf(id).enabled);
        EXPECT_FALSE(core.Execute(id));
    }
    EXPECT_TRUE(journal.empty());
    EXPECT_TRUE(dialogs.runs.empty());
    EXPECT_TRUE(core.StateOf(33271).enabled) << "program options need no project";
    // Closing after a failed start writes nothing and crashes nothing.
    core.Close();
    EXPECT_EQ(ui.CallsOf(UiCall::Kind::Box).size(), 1u);
}

TEST_F(workspace_frame_commands, ListTypesWithoutANavigatorLeaveNone)
{
    core.Start();
    for (int type : {18, 20, 0, 5}) {
        SCOPED_TRACE(type);
        core.SetListType(type, 0);
        EXPECT_EQ(core.GetListType(), type);
        EXPECT_EQ(core.GetCurNav(), nullptr);
    }
    journal.clear();
    core.SetListType(19, 4);
    EXPECT_EQ(journal, (Journal{"dc SavTxtRows", "nav new 19", "nav SetActive 19 4 false", "window RepaintDisplay"}));
}

TEST_F(workspace_frame_commands, AReplacedNavigatorIsFreedWhenItsCommandReturned)
{
    core.Start();
    journal.clear();
    ASSERT_TRUE(core.Execute(32795));
    // Typed rows reach their text before its navigator goes; the old
    // navigator outlives the switch and goes once the command is done.
    EXPECT_EQ(journal, (Journal{"lst SetListMode 1", "dc SavTxtRows", "nav new 3", "nav SetActive 3 0 false",
                                "window RepaintDisplay", "lst Activate 1", "nav delete 2"}));
    journal.clear();
    ASSERT_TRUE(core.Execute(33244));
    EXPECT_EQ(core.GetCurNav(), nullptr);
    EXPECT_EQ(journal.back(), "nav delete 3");
}

TEST_F(workspace_frame_commands, ResetViewsUnloadsTheProject)
{
    core.Start();
    frame.SetPrjPath("/p/demo043.orv");
    journal.clear();
    ui.ClearCalls();
    core.ResetViews();
    // The navigator left the frame; it goes once the command that reset the
    // views has returned.
    EXPECT_EQ(core.GetCurNav(), nullptr);
    EXPECT_EQ(journal, (Journal{"dc Unload", "dc SavTxtRows", "window RepaintDisplay", "window RepaintDisplay",
                                "lst Deactivate 0", "lst Deactivate 2", "lst Deactivate 1", "lst Deactivate 6",
                                "lst Deactivate 5", "lst Deactivate 4", "lst Deactivate 3", "tree BuildTree"}));
    EXPECT_EQ(Logs(),
              (std::vector<std::string>{"Projekt wurde entladen: /p/demo043.orv", "Es ist kein Projekt geladen"}));
    EXPECT_EQ(frame.GetPrjPath(), "");
    EXPECT_EQ(core.GetListType(), 0);
}

TEST_F(workspace_frame_commands, RefreshAfterLoadShowsTheProject)
{
    core.Start();
    frame.SetPrjPath("/p/demo043.orv");
    frame.SetStateFlags(CFrameState::kStateProjectLoaded);
    journal.clear();
    ui.ClearCalls();
    core.RefreshAfterLoad();
    EXPECT_EQ(journal, (Journal{"dc Unload", "tree RebuildTree demo043.orv", "dc SavTxtRows", "nav new 2",
                                "nav SetActive 2 0 false", "window RepaintDisplay", "dc RedrawParts 3",
                                "lst SetListMode 0", "lst SetVarProvider 0", "lst Activate 0"}));
    EXPECT_EQ(Logs(), (std::vector<std::string>{"Projekt wurde geladen: /p/demo043.orv"}));

    frame.SetStateFlags(0);
    journal.clear();
    ui.ClearCalls();
    core.RefreshAfterLoad();
    // Without a project (a failed read-back emptied it) nothing it held
    // stays in the display or the list.
    EXPECT_EQ(journal, (Journal{"dc Unload", "window RepaintDisplay", "lst Deactivate 0", "lst Deactivate 2",
                                "lst Deactivate 1", "lst Deactivate 6", "lst Deactivate 5", "lst Deactivate 4",
                                "lst Deactivate 3", "tree BuildTree"}));
    EXPECT_TRUE(Logs().empty());
}

TEST_F(workspace_frame_commands, ListCommandsSwitchTheListView)
{
    core.Start();
    struct Case {
        uint32_t id;
        Journal calls;
    } const cases[] = {
        {32805, {"lst SetListMode 0", "lst SetVarProvider 0", "lst Activate 0"}},
        {32806, {"lst SetListMode 0", "lst SetVarProvider 1", "lst Activate 0"}},
        {33270, {"lst SetListMode 0", "lst SetVarProvider 2", "lst Activate 0"}},
        {32798, {"lst SetListMode 4", "lst Activate 4"}},
        {32799, {"lst SetListMode 3", "lst Activate 3"}},
        {32800, {"lst SetListMode 6", "lst Activate 6"}},
        {33102, {"lst SetListMode 5", "lst Activate 5"}},
        {32797, {"tree MnuSelectedFirst"}},
        {59409, {"lst SetStyle 0"}},
        {59411, {"lst SetStyle 3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        journal.clear();
        EXPECT_TRUE(core.Execute(c.id));
        EXPECT_EQ(journal, c.calls);
    }
    EXPECT_TRUE(core.StateOf(59411).checked);
    EXPECT_EQ(core.GetListType(), 2) << "the list view's modes keep the navigator";
}

TEST_F(workspace_frame_commands, CallsThroughMissingViewsAreSkipped)
{
    core.SetViewDc(nullptr);
    core.SetViewLst(nullptr);
    core.SetViewTree(nullptr);
    core.Start();
    for (uint32_t id : {32805u, 32798u, 32797u, 32794u, 33246u})
        EXPECT_TRUE(core.Execute(id)) << id;
    EXPECT_FALSE(core.StateOf(59409).enabled) << "the styles need a list view";
    frame.SetStateFlags(CFrameState::kStateProjectLoaded);
    core.RefreshAfterLoad();
    core.ResetViews();
    core.Close();
    EXPECT_EQ(core.GetListType(), 0);
}

TEST_F(workspace_frame_commands, KeptDialogCommandsRunTheirDialog)
{
    core.Start();
    struct Case {
        uint32_t id;
        DlgId dialog;
    } const cases[] = {
        {33100, DlgId::Descr}, {33101, DlgId::Times}, {33272, DlgId::PrjOpt}, {33271, DlgId::PrgOpt},
        {32785, DlgId::Ports},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        dialogs.available.reset();
        EXPECT_FALSE(core.Execute(c.id)) << "greyed while the dialog is missing";
        dialogs.available.set(DlgIndex(c.dialog));
        dialogs.runs.clear();
        EXPECT_TRUE(core.Execute(c.id));
        EXPECT_EQ(dialogs.runs, std::vector<int>{static_cast<int>(c.dialog)});
    }
    // The shipped start is a 014 panel: no time switches there.
    dialogs.available.set();
    EXPECT_FALSE(core.Execute(33249));
}

TEST_F(workspace_frame_commands, SearchAndLanguage)
{
    core.Start();
    dialogs.available.set();
    EXPECT_FALSE(core.Execute(33252)) << "search needs the source editor";
    frame.SetSourceEditMode(true);
    EXPECT_TRUE(core.Execute(33252));
    EXPECT_TRUE(core.Execute(33253));
    EXPECT_EQ(dialogs.searches, (std::vector<int>{0, 1}));

    journal.clear();
    dialogs.answerOk = true;
    EXPECT_TRUE(core.Execute(32784));
    EXPECT_EQ(dialogs.runs.back(), static_cast<int>(DlgId::Lang));
    EXPECT_TRUE(journal.empty()) << "the dialog applies the language, OK adds nothing";
}

TEST_F(workspace_frame_commands, FirmwareLineAndTestMode)
{
    core.Start();
    ui.ClearCalls();
    ASSERT_TRUE(core.StateOf(33264).enabled == (core.GetStartSel().Dev().devTyp != "mini"));
    EXPECT_TRUE(core.Execute(33237));
    EXPECT_FALSE(core.StateOf(33237).checked);
    EXPECT_TRUE(ui.Calls().empty()) << "Testmodus changes nothing";
}

TEST_F(workspace_frame_commands, ChooseProjectFileAsksUntilAFileExists)
{
    core.Start();
    TempDir dir;
    dir.Write("demo043.orv", "x");
    files.answers = {dir.File("missing.orv"), dir.File("demo043.orv")};
    EXPECT_EQ(core.ChooseProjectFile(), dir.File("demo043.orv"));
    ASSERT_EQ(files.asks.size(), 2u);
    EXPECT_EQ(files.asks[0].initial, GetProgramDir() + "data/demo043.orv");
    EXPECT_EQ(files.asks[0].filter, "ORV Files (*.orv *.ORV)");
    EXPECT_EQ(files.asks[0].defSuffix, "orv");
    EXPECT_EQ(core.GetLastFilePath(), dir.File("demo043.orv"));
    EXPECT_EQ(core.GetLastFileTitle(), "demo043.orv");

    files.asks.clear();
    EXPECT_EQ(core.ChooseProjectFile(), "") << "cancelled";
    ASSERT_EQ(files.asks.size(), 1u);
    EXPECT_EQ(files.asks[0].initial, dir.File("demo043.orv"));
    EXPECT_EQ(core.GetLastFilePath(), dir.File("demo043.orv"));
}

TEST_F(workspace_frame_commands, ProjectFileOfferPerApplicationRow)
{
    struct Case {
        int row;
        const char* last;
        const char* initial;
        const char* filter;
        const char* suffix;
    } const cases[] = {
        {0, "", "/prog/data/teq_260.teq", "TEQ Files (*.teq *.TEQ)", "teq"},
        {1, "", "/prog/data/demo043.orv", "ORV Files (*.orv *.ORV)", "orv"},
        {1, "/p/x.orv", "/p/x.orv", "ORV Files (*.orv *.ORV)", "orv"},
        {2, "", "/prog/", "", ""},
        {-1, "", "/prog/", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        const FileAsk ask = ProjectFileAsk(c.row, c.last, "/prog/");
        EXPECT_EQ(ask.initial, c.initial);
        EXPECT_EQ(ask.filter, c.filter);
        EXPECT_EQ(ask.defSuffix, c.suffix);
    }
}

// The other application's projects cannot be loaded yet: the open dialog
// offers their files, and choosing one only says so.
TEST_F(workspace_frame_commands, OpenOnTheOtherApplicationRowOnlySaysSo)
{
    const std::string path = StartWithSample();
    Selection sel = core.GetStartSel().GetSelection();
    sel.q.RunApp("TEQPRO");
    core.GetStartSel().Commit(sel);
    ASSERT_EQ(core.GetStartSel().GetAppIdx(), 0);
    journal.clear();
    ui.ClearCalls();
    files.asks.clear();

    files.answers = {Sample("other.teq")};
    ASSERT_TRUE(core.Execute(32810));
    ASSERT_EQ(files.asks.size(), 1u);
    EXPECT_EQ(files.asks[0].filter, "TEQ Files (*.teq *.TEQ)");
    EXPECT_EQ(Logs(), std::vector<std::string>{"TEQ Project Datei laden - noch nicht implementiert"});
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(frame.GetPrjPath(), path);
    EXPECT_EQ(core.GetPrjMgr()->GetPrjData()->GetPath(), path);
    EXPECT_TRUE(journal.empty()) << "the views keep the project";
}

// A view that says whether it can print.
class CoreFakePrintView final : public IViewPrint {
public:
    bool CanPrint() const override { return printable; }
    bool printable = true;
};

TEST_F(workspace_frame_commands, PrintCommandsReachTheWindowWhileAViewCanPrint)
{
    core.Start();
    CoreFakePrintView view;
    struct Case {
        const char* what;
        IViewPrint* view;
        bool printable;
        Journal journal;
    };
    const Case cases[] = {
        {"no view", nullptr, true, {"window Print 2"}},
        {"a view that cannot print", &view, false, {"window Print 2"}},
        {"a printable view", &view, true, {"window Print 0", "window Print 1", "window Print 2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        view.printable = c.printable;
        core.SetViewPrint(c.view);
        journal.clear();
        for (uint32_t id : {57607u, 57609u, 57606u})
            core.Execute(id);
        EXPECT_EQ(journal, c.journal);
    }
    core.SetViewPrint(nullptr);
}

TEST_F(workspace_frame_commands, CloseFlushesAndKeepsTheLastProject)
{
    core.Start();
    CPrjMgr& mgr = *core.GetPrjMgr();
    mgr.GetPrjData()->SetPath("/p/demo043.orv");
    frame.SetStateFlags(CFrameState::kStateProjectLoaded);
    journal.clear();
    core.Close();
    EXPECT_EQ(journal.front(), "dc SavTxtRows");
    EXPECT_NE(kit.Read("ORVPRO.INI").find("ORV_FILE=\"/p/demo043.orv\""), std::string::npos) << kit.Read("ORVPRO.INI");
}

TEST_F(workspace_frame_commands, OpenLoadsTheChosenProjectAndShowsIt)
{
    core.Start();
    journal.clear();
    ui.ClearCalls();
    // Cancel changes nothing.
    ASSERT_TRUE(core.Execute(32810));
    EXPECT_EQ(frame.GetPrjPath(), "");
    EXPECT_TRUE(journal.empty());

    const std::string path = Sample();
    files.answers = {kit.Home() + "/missing.orv", path};
    ASSERT_TRUE(core.Execute(32810));
    EXPECT_EQ(files.asks.size(), 3u) << "a missing file asks again";
    EXPECT_EQ(frame.GetPrjPath(), path);
    EXPECT_NE(frame.GetStateFlags() & CFrameState::kStateProjectLoaded, 0u);
    EXPECT_TRUE(Boxes().empty());
    for (const char* entry : {"window UpdateTitle", "tree RebuildTree demo043.orv", "nav SetActive 2 0 false",
                              "dc RedrawParts 3", "lst SetListMode 0", "lst SetVarProvider 0", "lst Activate 0"}) {
        SCOPED_TRACE(entry);
        EXPECT_TRUE(Has(entry));
    }
    EXPECT_LT(IndexOf("window UpdateTitle"), IndexOf("tree RebuildTree demo043.orv"));
    EXPECT_TRUE(Logged("Projekt wurde geladen: " + path));
    EXPECT_TRUE(core.StateOf(32812).enabled);
}

TEST_F(workspace_frame_commands, ADeclinedOpenKeepsTheProjectAndItsPath)
{
    const std::string path = StartWithSample();
    MarkChanged();
    files.answers = {Sample("other.orv")};
    ui.AnswerQuestion(static_cast<int>(msg::kSollZuerstGespeichertWerden), false);
    ASSERT_TRUE(core.Execute(32810));
    EXPECT_EQ(frame.GetPrjPath(), path);
    EXPECT_NE(frame.GetStateFlags() & CFrameState::kStateProjectLoaded, 0u);
    EXPECT_EQ(core.GetPrjMgr()->GetPrjData()->GetModCount(), 1u);
    EXPECT_FALSE(Has("tree RebuildTree other.orv"));
}

TEST_F(workspace_frame_commands, AFailedOpenAfterTheProjectChangedLeavesNoPath)
{
    StartWithSample();
    // A file that reads as no project: the project in memory is emptied
    // on the way, so the old file must not be the save's target any more.
    const std::string broken = kit.Home() + "/broken.orv";
    std::ofstream(broken) << "not a project\r\n";
    files.answers = {broken};
    ui.AnswerQuestion(static_cast<int>(msg::kSyntaxfehlerZeileZeichenEditieren), false);
    ASSERT_TRUE(core.Execute(32810));
    ASSERT_EQ(frame.GetPrjPath(), "");
    EXPECT_EQ(frame.GetStateFlags() & CFrameState::kStateProjectLoaded, 0u);
    EXPECT_TRUE(Logged("Es ist kein Projekt geladen"));
    EXPECT_FALSE(core.StateOf(32812).enabled) << "Speichern has no target";
}

TEST_F(workspace_frame_commands, NewAsksOnceAndNoStopsIt)
{
    const std::string path = StartWithSample();
    dialogs.available.set();
    MarkChanged();
    ui.AnswerQuestion(static_cast<int>(msg::kSollZuerstGespeichertWerden), false);
    ASSERT_TRUE(core.Execute(32809));
    EXPECT_EQ(frame.GetPrjPath(), path);
    EXPECT_TRUE(dialogs.runs.empty());
    EXPECT_EQ(journal, (Journal{"dc SavTxtRows"}));

    journal.clear();
    ui.ClearCalls();
    ui.AnswerQuestion(static_cast<int>(msg::kSollZuerstGespeichertWerden), true);
    ASSERT_TRUE(core.Execute(32809));
    EXPECT_EQ(dialogs.runs, (std::vector<int>{static_cast<int>(DlgId::StartSel)}));
    const auto logs = Logs();
    ASSERT_GE(logs.size(), 2u);
    EXPECT_EQ((std::vector<std::string>(logs.end() - 2, logs.end())),
              (std::vector<std::string>{"Projekt wurde entladen: " + path, "Es ist kein Projekt geladen"}));
    EXPECT_EQ(frame.GetPrjPath(), "");
    EXPECT_EQ(journal.front(), "dc SavTxtRows") << "the typed rows before the question";
}

TEST_F(workspace_frame_commands, StartSelectionAsksFirstAndEscapeKeepsTheProject)
{
    const std::string path = StartWithSample();
    dialogs.available.set();
    MarkChanged();
    ui.AnswerQuestion(static_cast<int>(msg::kSollZuerstGespeichertWerden), false);
    ASSERT_TRUE(core.Execute(33223));
    EXPECT_TRUE(dialogs.runs.empty()) << "No stops it before the dialog";

    ui.AnswerQuestion(static_cast<int>(msg::kSollZuerstGespeichertWerden), true);
    dialogs.answerOk = false;
    ASSERT_TRUE(core.Execute(33223));
    EXPECT_EQ(dialogs.runs.size(), 1u);
    EXPECT_EQ(frame.GetPrjPath(), path);
    EXPECT_FALSE(Logged("Es ist kein Projekt geladen"));
    EXPECT_NE(core.GetCurNav(), nullptr);

    dialogs.answerOk = true;
    ASSERT_TRUE(core.Execute(33223));
    EXPECT_TRUE(Logged("Es ist kein Projekt geladen"));
    EXPECT_EQ(frame.GetPrjPath(), "");
}

TEST_F(workspace_frame_commands, AnUnsetSelectionShowsTheFatalBoxAndClosesTheFrame)
{
    // Without a start the selection was never set.
    dialogs.available.set();
    for (uint32_t id : {32809u, 33223u}) {
        SCOPED_TRACE(id);
        journal.clear();
        ui.ClearCalls();
        ASSERT_TRUE(core.Execute(id));
        EXPECT_EQ(Boxes(), (std::vector<std::string>{std::string(CStartSel::kFatalNotSet)}));
        EXPECT_EQ(journal, (Journal{"window RequestClose"}));
        EXPECT_TRUE(dialogs.runs.empty());
    }
}

TEST_F(workspace_frame_commands, SaveWritesTheTypedRowsAndSaveAsNamesTheFile)
{
    const std::string path = StartWithSample();
    std::filesystem::remove(path);
    bool fileThereAtFlush = true;
    dc.onSave = [&] { fileThereAtFlush = std::filesystem::exists(path); };
    ASSERT_TRUE(core.Execute(32812));
    EXPECT_FALSE(fileThereAtFlush) << "the rows reach the text before it is written";
    EXPECT_TRUE(std::filesystem::exists(path));

    // A new project saved under a name is a loaded project of that name.
    frame.SetStateFlags(CPrjMgr::kStateNewPrj);
    const std::string named = kit.Home() + "/named.orv";
    files.answers = {""};
    ASSERT_TRUE(core.Execute(32813));
    EXPECT_EQ(frame.GetPrjPath(), path) << "Cancel changes nothing";
    files.answers = {named};
    dc.onSave = [&] { fileThereAtFlush = std::filesystem::exists(named); };
    ASSERT_TRUE(core.Execute(32813));
    EXPECT_FALSE(fileThereAtFlush);
    EXPECT_TRUE(std::filesystem::exists(named));
    EXPECT_EQ(files.asks.back().initial, path);
    EXPECT_EQ(frame.GetPrjPath(), named);
    EXPECT_NE(frame.GetStateFlags() & CFrameState::kStateProjectLoaded, 0u);
    EXPECT_EQ(ComposeFrameTitle(frame.GetPrjPath(), frame.GetStateFlags(), "<unbenanntes Projekt>").rfind(named, 0),
              0u);
    EXPECT_EQ(journal.back(), "window UpdateTitle");
}

TEST_F(workspace_frame_commands, SaveInSourceEditModeReloadsTheEditorsFile)
{
    const std::string path = StartWithSample();
    ASSERT_TRUE(core.Execute(33238));
    ASSERT_TRUE(frame.IsSourceEditMode());
    // A failed open left another path in the frame, and the project in
    // memory changed: neither may reach the file the editor writes.
    frame.SetPrjPath(kit.Home() + "/elsewhere.orv");
    MarkChanged();
    ui.ClearCalls();
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ui.SetSourceEditorText(text);
    ASSERT_TRUE(core.Execute(32812));
    EXPECT_TRUE(ui.CallsOf(UiCall::Kind::Question).empty());
    EXPECT_FALSE(frame.IsSourceEditMode());
    EXPECT_EQ(frame.GetPrjPath(), path);
    EXPECT_TRUE(Logged("Projekt wurde geladen: " + path));
}

TEST_F(workspace_frame_commands, ProjectSourceAsksBeforeItShowsTheFile)
{
    core.Start();
    ASSERT_TRUE(core.Execute(33238));
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Kein Projekt Source File ausgewählt"}));
    StartWithSample();
    MarkChanged();
    ui.AnswerQuestion(static_cast<int>(msg::kSollZuerstGespeichertWerden), false);
    ASSERT_TRUE(core.Execute(33238));
    EXPECT_FALSE(frame.IsSourceEditMode());
    EXPECT_TRUE(ui.CallsOf(UiCall::Kind::LoadSource).empty());
}

TEST_F(workspace_frame_commands, AppendRefreshesTheViewsWithoutTheLoadLine)
{
    StartWithSample();
    files.answers = {Sample("other.orv")};
    // The same menus again clash; what was read stays appended.
    ui.AnswerQuestion(static_cast<int>(msg::kSyntaxfehlerZeileZeichenEditieren), false);
    ASSERT_TRUE(core.Execute(32811));
    EXPECT_TRUE(Has("tree RebuildTree demo043.orv"));
    EXPECT_TRUE(Has("lst SetVarProvider 0"));
    for (const std::string& line : Logs())
        EXPECT_EQ(line.find("Projekt wurde geladen"), std::string::npos) << line;
}

TEST_F(workspace_frame_commands, CompileLogsThePathAndKeepsTheTitle)
{
    core.Start();
    ASSERT_TRUE(core.Execute(32782));
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Vor dem Compilieren muss ein Projekt geladen werden"}));
    ASSERT_TRUE(core.Execute(32789));
    EXPECT_EQ(Boxes().back(), "Vor dem Transmit muss ein Projekt geladen werden");

    const std::string path = StartWithSample();
    MarkChanged();
    bool questionAtFlush = true;
    dc.onSave = [&] { questionAtFlush = !ui.CallsOf(UiCall::Kind::Question).empty(); };
    ui.AnswerQuestion(static_cast<int>(msg::kDatensatzWirdNunZunaechstGespeichert), true);
    ASSERT_TRUE(core.Execute(32782));
    EXPECT_FALSE(questionAtFlush) << "the rows reach the text before the save question";
    EXPECT_TRUE(Logged("Projekt wurde compiliert: " + path));
    EXPECT_EQ(ComposeFrameTitle(frame.GetPrjPath(), frame.GetStateFlags(), "<unbenanntes Projekt>").rfind(path, 0),
              0u);
}

TEST_F(workspace_frame_commands, AFailedReadBackShowsNoLoadLine)
{
    StartWithSample();
    // No panel answers the link.
    ASSERT_TRUE(core.Execute(32783));
    ASSERT_EQ(frame.GetStateFlags() & CFrameState::kStateProjectLoaded, 0u);
    for (const std::string& line : Logs())
        EXPECT_EQ(line.find("Projekt wurde geladen"), std::string::npos) << line;
    EXPECT_TRUE(Has("tree BuildTree"));
    // The emptied project's rows leave the list and the display.
    EXPECT_TRUE(Has("lst Deactivate 0"));
    EXPECT_TRUE(Has("dc Unload"));
}

// "Nein" to the save question reads nothing: the views stay and no load is
// announced.
TEST_F(workspace_frame_commands, ADeclinedReadBackAnnouncesNoLoad)
{
    StartWithSample();
    core.GetPrjMgr()->GetPrjData()->SetModified(true);
    ui.AnswerQuestion(static_cast<int>(msg::kSollZuerstGespeichertWerden), false);
    journal.clear();
    ui.ClearCalls();
    ASSERT_TRUE(core.Execute(32783));
    EXPECT_NE(frame.GetStateFlags() & CFrameState::kStateProjectLoaded, 0u);
    for (const std::string& line : Logs())
        EXPECT_EQ(line.find("Projekt wurde geladen"), std::string::npos) << line;
    EXPECT_FALSE(Has("tree RebuildTree demo043.orv"));
    EXPECT_FALSE(Has("lst Deactivate 0"));
}

TEST_F(workspace_frame_commands, SimulationNeedsItsDriverBound)
{
    StartWithSample();
    ASSERT_FALSE(core.GetPrjMgr()->IsSimDrvBound());
    core.OnSimulation(0);
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Simulationstreiber vorher binden (Startselektion)"}));
    EXPECT_TRUE(journal.empty());
}

TEST_F(workspace_frame_commands, PollStepStoresOnlyChangedWordsAndStopsWithTheWorker)
{
    core.Start();
    CDrvParColl& items = core.GetPrjMgr()->GetSpsPar()->GetItems();
    items.FreeAll();
    for (uint16_t word : {3, 7, 9})
        items.Add(new CDrvParVarItem(word, CDrvParItem::DirToPanel));
    items.ItemAt(1)->SetValue(70);
    std::map<uint16_t, uint16_t> words = {{3, 0}, {7, 71}, {9, 90}};
    std::vector<std::string> order;
    bool running = true;
    core.SetSimSource({[&] {
                           order.push_back("poll");
                           return running;
                       },
                       [&](uint16_t word) {
                           order.push_back("word " + std::to_string(word));
                           // An item added while the step runs is read too.
                           if (word == 9 && items.GetCount() == 3)
                               items.Add(new CDrvParVarItem(12, CDrvParItem::DirToPanel));
                           return words[word];
                       }});
    journal.clear();
    EXPECT_TRUE(core.PollSimStep());
    EXPECT_EQ(order, (std::vector<std::string>{"poll", "word 3", "word 7", "word 9", "word 12"}));
    EXPECT_EQ(journal, (Journal{"lst RefreshRow 5 1", "lst RefreshRow 5 2"}));
    EXPECT_EQ(items.ItemAt(1)->GetValue(), 71);
    EXPECT_EQ(items.ItemAt(2)->GetValue(), 90);

    // The worker ended on its own: the timer stops with the closing line.
    running = false;
    journal.clear();
    order.clear();
    EXPECT_FALSE(core.PollSimStep());
    EXPECT_EQ(order, (std::vector<std::string>{"poll"}));
    EXPECT_EQ(journal, (Journal{"window SimPolling off"}));
    EXPECT_TRUE(Logged("Simulationsmodus wurde beendet"));
}

TEST_F(workspace_frame_commands, CloseAsksToSaveAndNoClosesWithoutSaving)
{
    const std::string path = StartWithSample();
    MarkChanged();
    std::filesystem::remove(path);
    ui.AnswerQuestion(static_cast<int>(msg::kSollZuerstGespeichertWerden), false);
    core.Close();
    EXPECT_FALSE(std::filesystem::exists(path)) << "No writes nothing";
    EXPECT_NE(kit.Read("ORVPRO.INI").find("ORV_FILE=\"" + path + "\""), std::string::npos);
}

} // namespace
} // namespace orv
