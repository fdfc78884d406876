#include "workspace/FrameCommands.h"
#include "workspace/FrameCore.h"
#include "workspace/MenuModel.h"

#include <gtest/gtest.h>

#include <functional>

namespace orv {
namespace {

// A frame after a good start on a midi panel: project loaded, every dialog
// present, the list view showing details.
FrameSnapshot Ready()
{
    FrameSnapshot s;
    s.hasPrjPath = true;
    s.devId = 706;
    s.devTyp = "midi";
    s.spsId = 33;
    s.txtHst = true;
    s.txtRcp = true;
    s.bundleReady = true;
    s.hasListView = true;
    s.listStyle = 3;
    s.printableView = true;
    s.dialogs.set();
    return s;
}

// The rules of a row as they will hold once its handler is wired: the rows
// whose operations come later keep their rules in the table already.
CommandState Rule(uint32_t id, const FrameSnapshot& s)
{
    const CommandRow* found = FindCommandRow(id);
    if (found == nullptr)
        return {};
    CommandRow row = *found;
    if (row.handler == nullptr)
        row.handler = &CFrameCore::OnTestMode;
    return EvalCommand(row, s);
}

TEST(workspace_frame_command_state, EveryRowAgainstItsSnapshot)
{
    using Change = std::function<void(FrameSnapshot&)>;
    const Change none = [](FrameSnapshot&) {};
    struct Case {
        const char* what;
        uint32_t id;
        Change change;
        bool enabled;
        bool checked;
    } const cases[] = {
        {"Save without a path", 32812, [](FrameSnapshot& s) { s.hasPrjPath = false; }, false, false},
        {"Save with a path", 32812, none, true, false},
        {"Save in source-edit mode, editor holds the file, no path", 32812,
         [](FrameSnapshot& s) { s.hasPrjPath = false; s.sourceEdit = true; s.editorHoldsFile = true; }, true, false},
        {"Save in source-edit mode without the editor's file", 32812,
         [](FrameSnapshot& s) { s.sourceEdit = true; s.editorHoldsFile = false; }, false, false},
        {"Save as without a path", 32813, [](FrameSnapshot& s) { s.hasPrjPath = false; }, true, false},
        {"Suchen outside source-edit mode", 33252, none, false, false},
        {"Suchen in source-edit mode", 33252, [](FrameSnapshot& s) { s.sourceEdit = true; }, true, false},
        {"Ersetzen in source-edit mode", 33253, [](FrameSnapshot& s) { s.sourceEdit = true; }, true, false},
        {"Ersetzen without the search dialog", 33253,
         [](FrameSnapshot& s) { s.sourceEdit = true; s.dialogs.reset(DlgIndex(DlgId::Search)); }, false, false},
        {"Historytexte offered", 33229, none, true, false},
        {"Historytexte not offered", 33229, [](FrameSnapshot& s) { s.txtHst = false; }, false, false},
        {"Rezepttexte not offered", 33230, [](FrameSnapshot& s) { s.txtRcp = false; }, false, false},
        {"Rezepttexte offered", 33230, none, true, false},
        {"Zeitschaltuhren on 706", 33249, none, true, false},
        {"Zeitschaltuhren on 043", 33249, [](FrameSnapshot& s) { s.devId = 43; s.devTyp = "mini"; }, false, false},
        {"Firmware on midi", 33264, none, true, false},
        {"Firmware on mini", 33264, [](FrameSnapshot& s) { s.devTyp = "mini"; }, false, false},
        {"Drucker-Parameter on mini 043", 33265, [](FrameSnapshot& s) { s.devTyp = "mini"; s.devId = 43; }, false,
         false},
        {"Drucker-Parameter on mini 047", 33265, [](FrameSnapshot& s) { s.devTyp = "mini"; s.devId = 47; }, true,
         false},
        {"Drucker-Parameter on mini 755", 33265, [](FrameSnapshot& s) { s.devTyp = "mini"; s.devId = 755; }, true,
         false},
        {"Drucker-Parameter on mini, id of no panel", 33265,
         [](FrameSnapshot& s) { s.devTyp = "mini"; s.devId = 0x10000 + 47; }, false, false},
        {"Drucker-Parameter on midi", 33265, none, true, false},
        {"Datensatzgröße on midi", 33266, none, false, false},
        {"Datensatzgröße on plus", 33266, [](FrameSnapshot& s) { s.devTyp = "plus"; }, true, false},
        {"Adressverweise on PLC 33", 33103, none, false, false},
        {"Adressverweise on PLC 42", 33103, [](FrameSnapshot& s) { s.spsId = 42; }, true, false},
        {"Simulation neither bound nor plus", 32790, none, false, false},
        {"Simulation bound", 32790, [](FrameSnapshot& s) { s.simDrvBound = true; }, true, false},
        {"Simulation on plus", 32790, [](FrameSnapshot& s) { s.devTyp = "plus"; }, true, false},
        {"Simulation running", 32790, [](FrameSnapshot& s) { s.simDrvBound = true; s.simRunning = true; }, true,
         true},
        {"Testmodus unbound", 33237, none, true, false},
        {"Testmodus bound", 33237, [](FrameSnapshot& s) { s.simDrvBound = true; }, true, true},
        {"Testmodus after a failed start", 33237, [](FrameSnapshot& s) { s.bundleReady = false; }, true, false},
        {"details style", 59411, none, true, true},
        {"icon style while details", 59409, none, true, false},
        {"icon style", 59409, [](FrameSnapshot& s) { s.listStyle = 0; }, true, true},
        {"small icons", 59408, [](FrameSnapshot& s) { s.listStyle = 1; }, true, true},
        {"list style", 59410, [](FrameSnapshot& s) { s.listStyle = 2; }, true, true},
        {"style without a list view", 59411, [](FrameSnapshot& s) { s.hasListView = false; }, false, false},
        {"print with a printable view", 57607, none, true, false},
        {"print without a printable view", 57607, [](FrameSnapshot& s) { s.printableView = false; }, false, false},
        {"preview without a printable view", 57609, [](FrameSnapshot& s) { s.printableView = false; }, false, false},
        {"Beschreibung", 33100, none, true, false},
        {"Beschreibung without its dialog", 33100, [](FrameSnapshot& s) { s.dialogs.reset(DlgIndex(DlgId::Descr)); },
         false, false},
        {"Zeiten without its dialog", 33101, [](FrameSnapshot& s) { s.dialogs.reset(DlgIndex(DlgId::Times)); }, false,
         false},
        {"Projektoptionen without its dialog", 33272,
         [](FrameSnapshot& s) { s.dialogs.reset(DlgIndex(DlgId::PrjOpt)); }, false, false},
        {"Programmoptionen", 33271, none, true, false},
        {"Sprachauswahl without its dialog", 32784, [](FrameSnapshot& s) { s.dialogs.reset(DlgIndex(DlgId::Lang)); },
         false, false},
        {"Schnittstellen", 32785, none, true, false},
        {"Schnittstellen without its dialog", 32785,
         [](FrameSnapshot& s) { s.dialogs.reset(DlgIndex(DlgId::Ports)); }, false, false},
        {"Startauswahl after a failed start", 33223, [](FrameSnapshot& s) { s.bundleReady = false; }, true, false},
        {"Neu after a failed start", 32809, [](FrameSnapshot& s) { s.bundleReady = false; }, true, false},
        {"Öffnen after a failed start", 32810, [](FrameSnapshot& s) { s.bundleReady = false; }, false, false},
        {"Bedientexte after a failed start", 32794, [](FrameSnapshot& s) { s.bundleReady = false; }, false, false},
        {"Compilieren after a failed start", 32782, [](FrameSnapshot& s) { s.bundleReady = false; }, false, false},
        {"Compilieren without a path (its box says why)", 32782, [](FrameSnapshot& s) { s.hasPrjPath = false; }, true,
         false},
        {"Speichern unter without a path", 32813, [](FrameSnapshot& s) { s.hasPrjPath = false; }, true, false},
        {"Zeichen after a failed start", 32800, [](FrameSnapshot& s) { s.bundleReady = false; }, false, false},
        {"Programmoptionen after a failed start", 33271, [](FrameSnapshot& s) { s.bundleReady = false; }, true,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FrameSnapshot s = Ready();
        c.change(s);
        const CommandState state = Rule(c.id, s);
        EXPECT_EQ(state.enabled, c.enabled);
        EXPECT_EQ(state.checked, c.checked);
    }
}

TEST(workspace_frame_command_state, CommandsWithoutAHandlerAreGreyed)
{
    const FrameSnapshot s = Ready();
    // Without a handler in the original, never reached, or no recent-file
    // list: no row at all.
    for (uint32_t id : {33240u, 33241u, 33242u, 33243u, 33227u, 33228u, 33239u, 33247u, 33248u, 33250u, 33251u,
                        57616u, 33104u, 57603u, 32796u, 33259u, 59412u}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(FindCommandRow(id), nullptr);
        EXPECT_EQ(CommandStateOf(id, s), CommandState{});
    }
}

// Print and preview follow the printable view; the printer's setup needs
// none, nor a project.
TEST(workspace_frame_command_state, PrintingFollowsThePrintableView)
{
    struct Case {
        uint32_t id;
        bool printable;
        bool bundle;
        bool enabled;
    };
    const Case cases[] = {
        {57607, true, true, true},   {57607, false, true, false}, {57609, true, true, true},
        {57609, false, true, false}, {57606, false, true, true},  {57606, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << (c.printable ? " printable" : "") << (c.bundle ? "" : " no bundle"));
        FrameSnapshot s = Ready();
        s.printableView = c.printable;
        s.bundleReady = c.bundle;
        EXPECT_EQ(CommandStateOf(c.id, s).enabled, c.enabled);
    }
}

TEST(workspace_frame_command_state, EveryRowIsAMenuCommandOrAStyleButton)
{
    const CMenuModel menu = LoadMainMenu();
    for (const CommandRow* row = CommandRowsBegin(); row != CommandRowsEnd(); ++row) {
        SCOPED_TRACE(row->id);
        const bool styleButton = row->id >= 59408 && row->id <= 59411;
        EXPECT_TRUE(styleButton || menu.FindCommand(row->id) != nullptr);
        EXPECT_EQ(FindCommandRow(row->id), row) << "one row per id";
    }
}

TEST(workspace_frame_command_state, AFailedStartGreysWhatNeedsTheBundle)
{
    FrameSnapshot failed = Ready();
    failed.bundleReady = false;
    for (const CommandRow* row = CommandRowsBegin(); row != CommandRowsEnd(); ++row) {
        SCOPED_TRACE(row->id);
        if (row->needsBundle) {
            EXPECT_FALSE(Rule(row->id, failed).enabled);
        }
    }
    // The two commands that test the start selection keep their own path.
    EXPECT_FALSE(FindCommandRow(32809)->needsBundle);
    EXPECT_FALSE(FindCommandRow(33223)->needsBundle);
}

} // namespace
} // namespace orv
