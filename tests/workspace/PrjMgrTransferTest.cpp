// The commands "Übertragen" and "Rücklesen" of the workspace against the
// emulated panel: the recompile decision, the notice, the refusals, and what
// a read-back leaves behind when it works and when it does not.
#include "PrjMgrLinkKit.h"

#include "link/SerLinkBinding.h"
#include "model/core/CatalogueIds.h"
#include "model/core/CheckedFormat.h"
#include "model/core/LangStrings.h"
#include "model/core/ProgramIni.h"
#include "model/project/DrvCfg.h"
#include "model/project/PrjData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

namespace orv {
namespace {

namespace fs = std::filesystem;

std::string GoldenOf(uint16_t panel)
{
    return GoldenSource("rt" + std::string(panel < 100 ? "0" : "") + std::to_string(panel) + ".orv");
}

class TransferCommand : public testing::Test, public PrjMgrLinkKit {
protected:
    // The golden of the panel loaded from A as name and saved, so that
    // nothing is left to save.
    void Loaded(uint16_t panel, const std::string& name, uint16_t drv = 5)
    {
        ASSERT_TRUE(Start(panel, drv));
        ASSERT_TRUE(Parse(dirA.Path(), name, GoldenOf(panel)));
        ASSERT_TRUE(Mgr().SavePrj());
    }
    // A panel of the model holding the project: loaded, compiled and sent.
    void Sent(uint16_t panel, const std::string& name, uint16_t drv = 5)
    {
        Loaded(panel, name, drv);
        // The 047 panel of version 4 and the 118 family offer their
        // records.
        if (panel == 47 || panel == 118 || panel == 163 || panel == 167)
            chooser.Choose(1);
        ASSERT_EQ(Mgr().Transmit(), CPrjMgr::kLinkDone) << LogText();
        ui.ClearCalls();
    }
    // A second workspace of the panel that reads back into B.
    void ReadingInto(uint16_t panel, uint16_t drv = 5)
    {
        ASSERT_TRUE(Start(panel, drv));
        Mgr().SetPrjDir(dirB.Path());
        ui.ClearCalls();
    }
    // What a failure after the emptying leaves: nothing a save could
    // write over a file.
    bool NoProject()
    {
        return frame.GetPrjPath().empty() && (frame.GetStateFlags() & CFrameState::kStateProjectLoaded) == 0 &&
               Mgr().GetPrjData()->GetPath().empty();
    }
    int Hints() const { return static_cast<int>(ui.CallsOf(UiCall::Kind::Hint).size()); }
};

// --- Transfer -------------------------------------------------------------

TEST_F(TransferCommand, Transmit)
{
    const struct Case {
        const char* what;
        uint16_t type;      // the start selection's panel
        uint16_t model;     // the emulated panel's
        int hintKey;        // -1: not in the file
        bool hintKeeps;     // the notice's box when it closes
        int change;         // 0 unchanged; 1 changed, Yes to 15045; 2 changed, No
        bool compiled;      // an image compiled before, newer than the source
        bool notice;
        const char* decision; // the compile decision's log line, or none
        const char* ran;      // the command only the transfer class that ran sends
        int answer;
    } cases[] = {
        {"706, no image yet", 706, 706, -1, true, 0, false, true, "need compile Compresult=-1", "C", 1},
        {"43, image up to date, key 0", 43, 43, 0, true, 0, true, false, "No compile needed", "CW", 1},
        {"the box unticked", 43, 43, 1, false, 0, true, true, "No compile needed", "CW", 1},
        {"changed, saved first", 43, 43, 1, true, 1, true, true, "need compile Compresult=-1", "CW", 1},
        {"changed, not saved: no test", 706, 706, 1, true, 2, true, true, nullptr, "C", 1},
        {"another model", 43, 706, 1, true, 0, true, true, "No compile needed", nullptr, 255},
        {"a 706 project on a 043 panel", 706, 43, 1, true, 0, true, true, "No compile needed", nullptr, 255},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        emu.Reset(EmuScenario(c.model));
        Loaded(c.type, "TX.ORV");
        fs::remove(kit.Home() + "ORVtool.ini");
        if (c.hintKey >= 0)
            WriteIniInt("FifoWarn", c.hintKey);
        if (c.notice)
            ui.AnswerHint(c.hintKeeps);
        if (c.compiled) {
            ASSERT_TRUE(Mgr().Compile());
        }
        if (c.change != 0) {
            Mgr().GetPrjData()->SetModified(true);
            ui.AnswerQuestion(msg::kDatensatzWirdNunZunaechstGespeichert, c.change == 1);
        }
        frame.SetStateFlags(CFrameState::kStateProjectLoaded | CPrjMgr::kStateCompiled);
        emu.Reset(EmuScenario(c.model));
        ui.ClearCalls();
        EXPECT_EQ(Mgr().Transmit(), c.answer) << LogText();
        EXPECT_EQ(Hints(), c.notice ? 1 : 0);
        EXPECT_EQ(ReadIniInt("FifoWarn", 1), c.notice && !c.hintKeeps ? 0 : c.hintKey < 0 ? 1 : c.hintKey);
        EXPECT_EQ(Logged("need compile Compresult=-1"), c.decision && std::string(c.decision)[0] == 'n');
        EXPECT_EQ(Logged("No compile needed"), c.decision && std::string(c.decision)[0] == 'N');
        const std::string image = dirA.File("TX.BIN");
        const std::string success = CheckedFormat(LoadLangString(msg::kDateiWurdeUebertragen), image);
        const std::string errors = CheckedFormat(LoadLangString(msg::kUebertragungsfehler), 0);
        EXPECT_EQ(Logged(success), c.answer == 1);
        EXPECT_EQ(Logged(errors), c.answer == 1);
        EXPECT_EQ(Mgr().GetLastError(), c.answer == 1 ? 0 : CPrjMgr::kErrTransfer);
        EXPECT_EQ(Mgr().GetLinkErrors(), 0u);
        const uint32_t kept = CFrameState::kStateProjectLoaded | CPrjMgr::kStateCompiled;
        EXPECT_EQ(frame.GetStateFlags(), c.answer == 1 ? kept | 0x80 : kept);
        const std::vector<std::string> commands = emu.Commands();
        if (c.ran) {
            EXPECT_GT(emu.Count(c.ran), 0) << c.ran;
        } else {
            EXPECT_EQ(std::count_if(commands.begin(), commands.end(),
                                    [](const std::string& cmd) { return cmd[0] == 'W'; }),
                      0);
        }
    }
}

TEST_F(TransferCommand, ATypeOutsideTheFamiliesTransfersNothing)
{
    Loaded(43, "TX.ORV");
    ASSERT_TRUE(Mgr().Compile());
    Mgr().SetPanelType(1724);
    EXPECT_EQ(Mgr().Transmit(), CPrjMgr::kTransmitFailed);
    EXPECT_EQ(Mgr().GetLastError(), CPrjMgr::kErrTransfer);
    EXPECT_TRUE(emu.Log().empty());
    EXPECT_FALSE(Logged(CheckedFormat(LoadLangString(msg::kDateiWurdeUebertragen), dirA.File("TX.BIN"))));
}

TEST_F(TransferCommand, WithoutTheLinkLibraryTheLinkRefuses)
{
    Loaded(706, "TX.ORV");
    UnbindSerLink();
    EXPECT_EQ(Mgr().Transmit(), CPrjMgr::kTransmitFailed);
    EXPECT_EQ(Mgr().GetLastError(), CPrjMgr::kErrTransfer);
    EXPECT_NE(std::find(BoxIds().begin(), BoxIds().end(), static_cast<int>(msg::kBediengeraetAntwortetNichtBitteCOM)),
              BoxIds().end());
    EXPECT_EQ(frame.GetStateFlags() & 0x80, 0u);
    EXPECT_TRUE(emu.Log().empty());
}

// The shipped stand-ins carry no panel code: what holds one never starts
// the link.
TEST_F(TransferCommand, PlaceholdersNeverReachAPanel)
{
    const std::string shipped = std::string(ORV_SHIPPED_DIR) + "/CFG/ORV/";
    auto fromShipped = [&](const std::string& installed, const std::string& target) {
        fs::copy_file(shipped + fs::path(installed).filename().string(), target,
                      fs::copy_options::overwrite_existing);
    };
    const struct {
        const char* what;
        uint16_t panel;
        // Puts the shipped file in place; the file the message names.
        std::function<std::string()> spoil;
    } cases[] = {
        {"an image with the shipped driver appended", 43,
         [&] {
             fromShipped(Mgr().GetDrvFile(), Mgr().GetDrvFile());
             fs::remove(dirA.File("TX.DRV"));
             EXPECT_TRUE(Mgr().SavePrj());
             EXPECT_TRUE(Mgr().Compile());
             return dirA.File("TX.BIN");
         }},
        {"the shipped form file", 706,
         [&] {
             EXPECT_TRUE(Mgr().Compile());
             fromShipped(Mgr().GetFormFile(), Mgr().GetFormFile());
             return Mgr().GetFormFile();
         }},
        {"a driver file taken from the shipped library", 118,
         [&] {
             EXPECT_TRUE(Mgr().Compile());
             fromShipped(Mgr().GetDrvFile(), dirA.File("TX.DRV"));
             return dirA.File("TX.DRV");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Loaded(c.panel, "TX.ORV");
        const std::string named = c.spoil();
        emu.Reset(EmuScenario(c.panel));
        ui.ClearCalls();
        EXPECT_EQ(Mgr().Transmit(), CPrjMgr::kTransmitFailed);
        EXPECT_EQ(Mgr().GetLastError(), CPrjMgr::kErrTransfer);
        ASSERT_EQ(BoxIds(), std::vector<int>{static_cast<int>(msg::kDateiIstNurEinPlatzhalter)});
        EXPECT_NE(ui.CallsOf(UiCall::Kind::Box)[0].text.find(named), std::string::npos);
        EXPECT_TRUE(emu.Log().empty()) << "no start at all";
        EXPECT_EQ(frame.GetStateFlags() & 0x80, 0u);
        kit.ReplacePlaceholders();
    }
}

// --- Read-back ------------------------------------------------------------

TEST_F(TransferCommand, ReceiveDeclinedSaveChangesNothing)
{
    Loaded(706, "RT706.ORV");
    Mgr().GetPrjData()->SetModified(true);
    const std::string before = WriteSource(dirA.File("BEFORE.ORV"));
    const std::string path = frame.GetPrjPath();
    ui.AnswerQuestion(msg::kSollZuerstGespeichertWerden, false);
    EXPECT_EQ(Mgr().Receive(), CPrjMgr::kLinkFailed);
    EXPECT_EQ(frame.GetPrjPath(), path);
    EXPECT_EQ(Mgr().GetPrjData()->GetPath(), path);
    EXPECT_EQ(WriteSource(dirA.File("AFTER.ORV")), before);
    EXPECT_TRUE(emu.Log().empty());
    EXPECT_TRUE(Logged(CheckedFormat(LoadLangString(msg::kUebertragungsfehler), 0)));
}

TEST_F(TransferCommand, ReceiveTakesTheProjectIntoTheProjectDirectory)
{
    const struct {
        uint16_t panel;
        uint16_t dsType;
    } cases[] = {{706, 706}, {43, 43}, {118, 118}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.panel);
        emu.Reset(EmuScenario(c.panel));
        const std::string name = "RT" + std::string(c.panel < 100 ? "0" : "") + std::to_string(c.panel);
        Sent(c.panel, name + ".ORV");
        TempDir into;
        ASSERT_TRUE(Start(c.panel));
        Mgr().SetPrjDir(into.Path());
        ui.ClearCalls();
        // The report at level 0 shows, the error count at level 2 not.
        frame.SetLogLevel(1);
        EXPECT_EQ(Mgr().Receive(), CPrjMgr::kLinkDone) << LogText();
        frame.SetLogLevel(3);
        EXPECT_EQ(Mgr().GetImageFile(), into.File(name + ".BIN"));
        EXPECT_EQ(Mgr().GetDrvFile(), into.File(name + ".DRV"));
        EXPECT_EQ(frame.GetPrjPath(), into.File(name + ".ORV"));
        EXPECT_EQ(Mgr().GetPrjData()->GetPath(), frame.GetPrjPath());
        EXPECT_EQ(Mgr().GetPrjData()->GetDsType(), c.dsType);
        EXPECT_TRUE(Mgr().GetDrvCfg()->IsDrvLoaded());
        EXPECT_EQ(FileBytes(into.File(name + ".DRV")), WithoutEndMark(FileBytes(dirA.File(name + ".DRV"))));
        EXPECT_FALSE(Mgr().NeedsCompile()) << "the image is newer than what the compile reads";
        EXPECT_FALSE(Logged(CheckedFormat(LoadLangString(msg::kUebertragungsfehler), 0)));
        EXPECT_NE(LogText().find(LoadLangString(msg::kFreierORVSpeicher)), std::string::npos);
        EXPECT_FALSE(fs::exists(fs::current_path() / (name + ".BIN"))) << "nothing lands in the current directory";
        EXPECT_TRUE(BoxIds().empty());
    }
}

TEST_F(TransferCommand, AFailedReadBackLeavesNoProject)
{
    const struct {
        const char* what;
        panelemu::PanelScenario scenario;
        int box;
    } cases[] = {
        {"a panel that does not answer", EmuScenario(706, {"@start,2,open"}),
         static_cast<int>(msg::kBediengeraetAntwortetNichtBitteCOM)},
        {"an empty panel", EmuScenario(706), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Loaded(706, "RT706.ORV");
        Mgr().SetPrjDir(dirB.Path());
        emu.Reset(c.scenario);
        ui.ClearCalls();
        EXPECT_EQ(Mgr().Receive(), CPrjMgr::kLinkFailed);
        EXPECT_TRUE(NoProject());
        EXPECT_TRUE(dirB.Names().empty());
        if (c.box != 0)
            EXPECT_EQ(BoxIds(), std::vector<int>{c.box});
        else
            EXPECT_EQ(BoxIds().size(), 1u);
    }
}

TEST_F(TransferCommand, ADecompileFailureLeavesNoProject)
{
    const struct {
        uint16_t panel;
        bool deletes;
    } cases[] = {{43, true}, {118, false}, {706, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.panel);
        emu.Reset(EmuScenario(c.panel));
        const std::string name = "RT" + std::string(c.panel < 100 ? "0" : "") + std::to_string(c.panel);
        Sent(c.panel, name + ".ORV");
        // The data set's sections past its header are erased.
        const uint8_t bank = c.panel == 706 ? 6 : 0;
        for (uint32_t at = 140; at < 400; ++at)
            emu.Panel().Memory().Write(bank, static_cast<uint16_t>(at), 0xFF);
        TempDir into;
        ASSERT_TRUE(Start(c.panel));
        Mgr().SetPrjDir(into.Path());
        ui.ClearCalls();
        EXPECT_EQ(Mgr().Receive(), CPrjMgr::kLinkFailed) << LogText();
        EXPECT_TRUE(NoProject());
        EXPECT_EQ(fs::exists(into.File(name + ".BIN")), !c.deletes);
        EXPECT_EQ(fs::exists(into.File(name + ".DRV")), !c.deletes && c.panel == 118);
    }
}

TEST_F(TransferCommand, AnExistingFileIsAskedAbout)
{
    Sent(706, "RT706.ORV");
    ReadingInto(706);
    dirB.Write("RT706.ORV", "old");
    ui.AnswerQuestion(msg::kDateiWuerdeUeberschreibenWerdenSoll, true);
    EXPECT_EQ(Mgr().Receive(), CPrjMgr::kLinkDone);
    ReadingInto(706);
    ui.AnswerQuestion(msg::kDateiWuerdeUeberschreibenWerdenSoll, false);
    EXPECT_EQ(Mgr().Receive(), CPrjMgr::kLinkFailed);
    EXPECT_TRUE(NoProject());
}

} // namespace
} // namespace orv
