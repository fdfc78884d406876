// The workspace object on a copy of the shipped program directory: start-up,
// the start selection's checks, a failed start and the tool configuration.
#include "workspace/PrjMgr.h"

#include "model/core/CatalogueIds.h"
#include "model/core/FrameState.h"
#include "model/core/LangStrings.h"
#include "model/core/UiServices.h"
#include "model/project/CharSet.h"
#include "model/project/DrvCfg.h"
#include "model/project/FktCfg.h"
#include "model/project/Fon.h"
#include "model/project/FrmCfg.h"
#include "model/project/PrjData.h"
#include "model/project/SpsPar.h"
#include "support/ConfigKit.h"
#include "support/FktBuilders.h"
#include "support/ScriptedUi.h"
#include "support/StartSelRows.h"
#include "support/TempDir.h"
#include "workspace/SelQueries.h"
#include "tools/cfggen/DrvBuilders.h"
#include "workspace/StartSel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace orv {
namespace {

namespace fs = std::filesystem;

// A catalogue text with its one argument, as a box shows it.
std::string PrjMgrTestText(int id, const std::string& arg)
{
    std::string text = LoadLangString(static_cast<uint32_t>(id));
    const size_t at = text.find("%s");
    return at == std::string::npos ? text : text.replace(at, 2, arg);
}

// Every file below dir with its bytes and modification time.
using PrjMgrTestFiles = std::map<std::string, std::pair<std::string, fs::file_time_type>>;
PrjMgrTestFiles PrjMgrTestSnapshot(const std::string& dir)
{
    PrjMgrTestFiles files;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        files[entry.path().string()] = {std::string(std::istreambuf_iterator<char>(in), {}),
                                        entry.last_write_time()};
    }
    return files;
}

// The sections of a tool configuration file by name, each with its bytes.
std::map<std::string, std::string> PrjMgrTestSections(const std::string& ini)
{
    std::map<std::string, std::string> sections;
    std::string name;
    for (size_t at = 0; at < ini.size();) {
        size_t end = ini.find('\n', at);
        end = end == std::string::npos ? ini.size() : end + 1;
        const std::string line = ini.substr(at, end - at);
        if (!line.empty() && line[0] == '[')
            name = line.substr(1, line.find(']') - 1);
        sections[name] += line;
        at = end;
    }
    return sections;
}

// The kit first, so that the workspace reads its directory; the UI last, so
// that its check of unused answers runs after the rest went.
class PrjMgrKit : public testing::Test {
protected:
    PrjMgrKit()
    {
        frame.SetLogLevel(3);
        EXPECT_TRUE(sel.OpenDb(kit.Home()));
        frame.SetStartSel(&sel);
    }

    std::vector<std::pair<int, std::string>> Boxes() const
    {
        std::vector<std::pair<int, std::string>> boxes;
        for (const UiCall& call : ui.CallsOf(UiCall::Kind::Box))
            boxes.emplace_back(call.id, call.text);
        return boxes;
    }
    bool Logged(const std::string& line) const
    {
        const auto logs = ui.TextsOf(UiCall::Kind::LogAppend);
        return std::any_of(logs.begin(), logs.end(),
                           [&](const std::string& text) { return text.find(line) != std::string::npos; });
    }
    // The log lines from the first that holds each of lines, in this order.
    bool LoggedInOrder(const std::vector<std::string>& lines) const
    {
        const auto logs = ui.TextsOf(UiCall::Kind::LogAppend);
        auto at = logs.begin();
        for (const std::string& line : lines) {
            at = std::find_if(at, logs.end(),
                              [&](const std::string& text) { return text.find(line) != std::string::npos; });
            if (at == logs.end())
                return false;
            ++at;
        }
        return true;
    }
    // The panel's first offered PLC type and driver; 755 as the dialog
    // hands it over, 47 with the international display.
    bool SelectOffered(int devId, bool sim = false)
    {
        const OfferedChoice offered = FirstOffered(sel.Db(), devId);
        return Select(devId == 755 ? 47 : devId, offered.spsId, offered.drvId, devId == 755, sim);
    }
    // A selection as the dialog's OK hands it over.
    bool Select(int devType, int spsType, int drvNo, bool intl = false, bool sim = false)
    {
        mgr.SetPanelType(devType);
        mgr.SetPlcType(spsType);
        mgr.SetDrvNum(drvNo);
        mgr.SetIntlDisplay(intl);
        mgr.SetSimDrvBound(sim);
        return mgr.Startselection();
    }

    ScriptedUi ui;
    ScopedUiServices uiReg{ui};
    ConfigKit kit;
    CFrameState frame;
    ScopedMainFrame frameReg{frame};
    CStartSel sel;
    CPrjMgr mgr{frame, sel};
};

TEST_F(PrjMgrKit, ConstructorDefaults)
{
    const EnvSettings& env = mgr.Workspace().Env();
    const struct {
        const char* field;
        long value;
        long expected;
    } cases[] = {
        {"REQUEST_INTERVAL", env.requestInterval, 30}, {"LINK_COM", mgr.GetLinkPort(), 0},
        {"SIM_COM", mgr.GetSimPort(), 0},              {"LPT", env.lpt, 1},
        {"PAPERLEN", env.paperLen, 60},                {"PRINT_HEAD", env.printHead, 1},
        {"ARC_ORV_ID", env.arcOrvId, 2},               {"panel type", mgr.GetChoice().devType, 14},
        {"PLC type", mgr.GetChoice().spsType, 33},     {"driver", mgr.GetChoice().drvNo, 5},
        {"offset", mgr.GetChoice().offset, 0},         {"length", mgr.GetChoice().length, 256},
        {"DB", mgr.GetChoice().db, 0},                 {"international", mgr.IsIntlDisplay(), 0},
        {"simulation bound", mgr.IsSimDrvBound(), 0},  {"abort code", mgr.GetAbortCode(), 0},
        {"unreadable", mgr.IsCfgUnreadable(), 0},      {"initial load", mgr.IsInitialLoadDone(), 0},
        {"last error", mgr.GetLastError(), 0},         {"link errors", mgr.GetLinkErrors(), 0},
        {"root", mgr.GetPrjData() != nullptr, 0},      {"character set", mgr.GetCharSet() != nullptr, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(c.value, c.expected);
    }
    EXPECT_EQ(frame.GetWorkspace(), &mgr.Workspace());
    EXPECT_EQ(mgr.GetCfgDir(), kit.Home() + "CFG/ORV/");
    EXPECT_EQ(mgr.GetIniFile(), kit.CfgPath("ORVPRO.INI"));
    EXPECT_EQ(mgr.GetCfgFile(), kit.CfgPath("ORVPRO.CFG"));
    EXPECT_EQ(mgr.GetPrjDir(), kit.Home() + "DATA/");
}

TEST_F(PrjMgrKit, SimDriverBoundTakesItsDriverAndPlc)
{
    mgr.SetSimDrvBound(true);
    EXPECT_EQ(mgr.GetChoice().drvNo, 78);
    EXPECT_EQ(mgr.GetChoice().spsType, 49);
    EXPECT_TRUE(Logged("Simulationstreiber wird an Projekt gebunden"));
}

TEST_F(PrjMgrKit, CheckCfgFilesSeedsAnEmptyStateDirectoryOnce)
{
    TempDir state;
    CPrjMgr m(frame, sel, kit.Home(), state.Path());
    const std::string seeded = state.File("CFG/ORV/ORVPRO.INI");
    EXPECT_TRUE(m.CheckCfgFiles());
    EXPECT_EQ(m.GetIniFile(), seeded);
    EXPECT_EQ(state.Read("CFG/ORV/ORVPRO.INI"), kit.Read("ORVPRO.INI"));
    const std::string own = "[ENVIRONMENT]\r\nLINK_COM=2\r\n";
    state.Write("CFG/ORV/ORVPRO.INI", own);
    EXPECT_TRUE(m.CheckCfgFiles());
    EXPECT_EQ(state.Read("CFG/ORV/ORVPRO.INI"), own);
    EXPECT_TRUE(Boxes().empty());
    // Neither seeded nor installed: the box names the state directory's file.
    fs::remove(seeded);
    kit.Remove("ORVPRO.INI");
    EXPECT_FALSE(m.CheckCfgFiles());
    kit.Remove("ORVPRO.CFG");
    EXPECT_FALSE(m.CheckCfgFiles());
    const int box = static_cast<int>(msg::kDateiKannNichtGeoeffnetWerden);
    EXPECT_EQ(Boxes(), (std::vector<std::pair<int, std::string>>{
                           {box, PrjMgrTestText(box, seeded)}, {box, PrjMgrTestText(box, kit.CfgPath("ORVPRO.CFG"))}}));
}

// A program directory that only root could write: every write of a run
// lands in the state directory, and the installed files keep their bytes
// and times.
TEST_F(PrjMgrKit, SeparateStateDirectoryTakesEveryWrite)
{
    TempDir state;
    const PrjMgrTestFiles installed = PrjMgrTestSnapshot(kit.Home());
    // The frame reloads its screen font from the process's own directories.
    frame.SetStartSel(nullptr);
    {
        CPrjMgr m(frame, sel, kit.Home(), state.Path());
        ASSERT_EQ(m.Init(), CPrjMgr::kInitDone);
        EXPECT_EQ(m.GetPrjDir(), state.Path() + "DATA/");
        const OfferedChoice offered = FirstOffered(sel.Db(), 706);
        m.SetPanelType(706);
        m.SetPlcType(offered.spsId);
        m.SetDrvNum(offered.drvId);
        ASSERT_TRUE(m.Startselection());
        frame.SetStateFlags(CFrameState::kStateProjectLoaded);
        m.GetPrjData()->SetPath(state.File("DATA/DEMO.orv"));
        m.SaveCfg();
        EXPECT_TRUE(m.WriteFontFile());
        const std::string ini = state.Read("CFG/ORV/ORVPRO.INI");
        EXPECT_NE(ini.find("ORV=ORV706"), std::string::npos) << ini;
        EXPECT_NE(ini.find("ORV_FILE=\"" + state.File("DATA/DEMO.orv") + "\""), std::string::npos) << ini;
        EXPECT_TRUE(fs::exists(state.File("CFG/ORV/TM~ALT.FON")));
        EXPECT_TRUE(Boxes().empty());
    }
    // The test's own directories may lie below the program directory.
    PrjMgrTestFiles after = PrjMgrTestSnapshot(kit.Home());
    std::erase_if(after, [&](const auto& file) { return file.first.rfind(state.Path(), 0) == 0; });
    for (const auto& [path, file] : after)
        EXPECT_TRUE(installed.count(path) && installed.at(path) == file) << path;
    EXPECT_EQ(after.size(), installed.size());
}

// The panel font by the selected device's font name; a name without a
// panel font writes nothing. The frame then reloads its screen font.
TEST_F(PrjMgrKit, WriteFontFileByTheDevicesFontName)
{
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    {
        CSelDb db;
        StartSelRows(db, kit.Home() + "startsel.db", false).Exec("UPDATE Devices SET FntNam = 'xyz' WHERE DevId = 43");
    }
    const struct {
        int devId;
        const char* written;  // null: none
        const char* installed;
    } cases[] = {
        {14, "TM~ALT.FON", "ALT.FON"}, {706, "TM~706.FON", "706.FON"}, {755, "TM~INT.FON", "INT.FON"}, {43, nullptr, nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.devId);
        for (const char* name : {"TM~ALT.FON", "TM~706.FON", "TM~INT.FON"})
            kit.Remove(name);
        const OfferedChoice offered = FirstOffered(sel.Db(), c.devId);
        if (!c.written) {
            ui.ExpectFatal("FATAL: could not load screen font " + kit.CfgPath("xyz.fon"));
            ui.ExpectFatal("FATAL: could not load screen font " + kit.CfgPath("TM~xyz.fon"));
        }
        ASSERT_TRUE(sel.SetOrvVals("ORVPRO", c.devId, offered.spsId, offered.drvId, 0, 0, 256));
        frame.UnloadFon();
        ui.ClearCalls();
        EXPECT_TRUE(mgr.WriteFontFile());
        std::vector<std::string> present;
        for (const char* name : {"TM~ALT.FON", "TM~706.FON", "TM~INT.FON"})
            if (kit.Exists(name))
                present.emplace_back(name);
        if (c.written) {
            EXPECT_EQ(present, std::vector<std::string>{c.written});
            EXPECT_EQ(kit.Read(c.written), kit.Read(c.installed));
            EXPECT_TRUE(LoggedInOrder({std::string("WriteFontdatei ") + c.written}));
            EXPECT_NE(frame.GetScreenFon(), nullptr);
        } else {
            EXPECT_TRUE(present.empty());
            EXPECT_FALSE(Logged("WriteFontdatei"));
        }
    }
}

// A font file that cannot be written is no success: the font says why.
TEST_F(PrjMgrKit, WriteFontFileReportsAFileItCouldNotWrite)
{
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    ASSERT_TRUE(SelectOffered(14));
    kit.Remove("TM~ALT.FON");
    fs::create_directories(kit.CfgPath("TM~ALT.FON"));
    ui.ClearCalls();
    // What stands in the file's place is no font either.
    ui.ExpectFatal("FATAL: could not load screen font " + kit.CfgPath("TM~ALT.FON"));
    EXPECT_FALSE(mgr.WriteFontFile());
    EXPECT_TRUE(Logged("Font file " + kit.CfgPath("TM~ALT.FON") + " not written"));
    fs::remove_all(kit.CfgPath("TM~ALT.FON"));
}

TEST_F(PrjMgrKit, LogFirmwareNamesTheFormFileVersionAndDate)
{
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    ASSERT_TRUE(SelectOffered(706));
    ui.ClearCalls();
    mgr.LogFirmware();
    EXPECT_EQ(ui.TextsOf(UiCall::Kind::LogAppend), std::vector<std::string>{"ORV706.FRM Version 999.0 vom 26.01.01"});
}

TEST_F(PrjMgrKit, InitBuildsTheWorkspaceWithoutAWord)
{
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    EXPECT_TRUE(Boxes().empty());
    ASSERT_TRUE(mgr.IsBuilt());
    EXPECT_EQ(GetPrjData(), mgr.GetPrjData());
    EXPECT_EQ(GetDevCfg(), mgr.GetDrvCfg());
    EXPECT_EQ(mgr.GetAbortCode(), 0);
    EXPECT_TRUE(Logged("Startselection OK"));
    EXPECT_EQ(sel.GetSelection().q.devId, mgr.GetChoice().devType);
    EXPECT_EQ(sel.GetSelection().q.spsId, mgr.GetChoice().spsType);
    EXPECT_EQ(sel.GetSelection().dwLength, mgr.GetChoice().length);
    EXPECT_NE(mgr.GetPrjData()->GetFwVarSource(), nullptr);
    // The scan marked what the shipped libraries hold.
    EXPECT_TRUE(mgr.GetDrvCfg()->GetDrvAvail(14, mgr.GetChoice().drvNo));
    for (int family = 1; family <= 3; ++family)
        EXPECT_NE(frame.GetFon(family), nullptr) << family;
    EXPECT_EQ(mgr.GetDrvFile(), kit.CfgPath(mgr.GetDrvCfg()->DrvLibName(mgr.GetPanelType())));
}

TEST_F(PrjMgrKit, InternationalVariantSurvivesARestart)
{
    const std::string ini = kit.Read("ORVPRO.INI");
    const size_t at = ini.find("ORV=");
    ASSERT_NE(at, std::string::npos);
    std::string changed = ini.substr(0, at) + "ORV=ORV0755" + ini.substr(ini.find("\r\n", at));
    kit.Write("ORVPRO.INI", changed);
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    EXPECT_EQ(sel.GetDevId(), 755);
    EXPECT_EQ(mgr.GetPanelType(), 47);
    EXPECT_TRUE(mgr.IsIntlDisplay());
    EXPECT_EQ(mgr.GetPrjData()->GetVariant(), 1);
    EXPECT_NE(kit.Read("ORVPRO.INI").find("ORV=ORV0755"), std::string::npos);
}

// Everything a caller may do after a failed start answers "nothing done",
// shows nothing, logs nothing and writes nothing.
void ExpectNothingDone(CPrjMgr& mgr, const ScriptedUi& ui, const ConfigKit& kit)
{
    const std::string ini = kit.Read("ORVPRO.INI");
    const size_t calls = ui.Calls().size();
    const std::string src = kit.Home() + "DATA/DEMO.orv";
    const auto done = [](const std::function<void()>& op) {
        return [op] {
            op();
            return 0L;
        };
    };
    const struct {
        const char* op;
        std::function<long()> call;
        long nothing;
    } cases[] = {
        {"IsBuilt", [&] { return long{mgr.IsBuilt()}; }, 0},
        {"GetPrjData", [&] { return long{mgr.GetPrjData() != nullptr}; }, 0},
        {"GetSpsPar", [&] { return long{mgr.GetSpsPar() != nullptr}; }, 0},
        {"GetDrvCfg", [&] { return long{mgr.GetDrvCfg() != nullptr}; }, 0},
        {"GetFktCfg", [&] { return long{mgr.GetFktCfg() != nullptr}; }, 0},
        {"GetFrmCfg", [&] { return long{mgr.GetFrmCfg() != nullptr}; }, 0},
        {"GetCharSet", [&] { return long{mgr.GetCharSet() != nullptr}; }, 0},
        {"the root below", [] { return long{GetPrjData() != nullptr}; }, 0},
        {"the PLC parameters below", [] { return long{GetSpsPar() != nullptr}; }, 0},
        {"the driver configuration below", [] { return long{GetDevCfg() != nullptr}; }, 0},
        {"Startselection", [&] { return long{mgr.Startselection()}; }, 0},
        {"GetAbortCode", [&] { return long{mgr.GetAbortCode()}; }, 0},
        {"WriteFontFile", [&] { return long{mgr.WriteFontFile()}; }, 0},
        {"CheckPrjDriver", [&] { return long{mgr.CheckPrjDriver(src)}; }, CPrjMgr::kDrvStop},
        {"LoadPrjDriver", done([&] { mgr.LoadPrjDriver(); }), 0},
        {"LoadPrjFkt", done([&] { mgr.LoadPrjFkt(); }), 0},
        {"SavePrjDriver", [&] { return long{mgr.SavePrjDriver()}; }, 0},
        {"SavePrjFkt", [&] { return long{mgr.SavePrjFkt()}; }, 0},
        {"SaveCfg", done([&] { mgr.SaveCfg(); }), 0},
        {"LogFirmware", done([&] { mgr.LogFirmware(); }), 0},
        {"PrjBundle::Reset", done([&] { mgr.Bundle().Reset(); }), 0},
        {"GetDrvFile", [&] { return static_cast<long>(mgr.GetDrvFile().size()); }, 0},
        {"GetFormFile", [&] { return static_cast<long>(mgr.GetFormFile().size()); }, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.op);
        EXPECT_EQ(c.call(), c.nothing);
    }
    EXPECT_EQ(ui.Calls().size(), calls);
    EXPECT_EQ(kit.Read("ORVPRO.INI"), ini);
    EXPECT_FALSE(fs::exists(kit.Home() + "DATA"));
}

TEST_F(PrjMgrKit, MissingFontStopsTheStart)
{
    const char* const fonts[] = {"ALT.FON", "706.FON", "INT.FON"};
    for (int missing = 0; missing < 3; ++missing) {
        const char* font = fonts[missing];
        SCOPED_TRACE(font);
        ConfigKit other;
        other.Remove(font);
        ui.ClearCalls();
        CStartSel otherSel;
        CPrjMgr m(frame, otherSel);
        EXPECT_EQ(m.Init(), CPrjMgr::kInitFailed);
        const int box = static_cast<int>(msg::kDateiKannNichtGeoeffnetWerden);
        EXPECT_EQ(Boxes(), (std::vector<std::pair<int, std::string>>{{box, PrjMgrTestText(box, other.CfgPath(font))}}));
        // The frame holds the fonts before the missing one; the later ones
        // were not tried.
        for (int family = 1; family <= 3; ++family) {
            const CFon* fon = frame.GetFon(family);
            EXPECT_EQ(fon != nullptr, family <= missing) << family;
            EXPECT_TRUE(!fon || fon->HasFont()) << family;
        }
        ExpectNothingDone(m, ui, other);
    }
}

TEST_F(PrjMgrKit, MissingConfigurationFileStopsTheStart)
{
    for (const char* file : {"ORVPRO.CFG", "ORVPRO.INI"}) {
        SCOPED_TRACE(file);
        ConfigKit other;
        other.Remove(file);
        ui.ClearCalls();
        CStartSel otherSel;
        CPrjMgr m(frame, otherSel);
        EXPECT_EQ(m.Init(), CPrjMgr::kInitFailed);
        const int box = static_cast<int>(msg::kDateiKannNichtGeoeffnetWerden);
        const auto boxes = Boxes();
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[0], std::make_pair(box, PrjMgrTestText(box, other.CfgPath(file))));
        EXPECT_EQ(boxes[1].first, static_cast<int>(msg::kInternalError));
        EXPECT_NE(boxes[1].second.find("Configfiles not found"), std::string::npos);
        ExpectNothingDone(m, ui, other);
    }
}

TEST_F(PrjMgrKit, UnreadableToolConfigurationIsWrittenAnewWithTheOldKept)
{
    const std::string damaged = "[ENVIRONMENT]\r\nREQUEST_INTERVAL=\xEE\r\n[CONFIGURATION]\r\nORV=\r\nKEEP=1\r\n";
    kit.Write("ORVPRO.INI", damaged);
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    EXPECT_FALSE(mgr.IsCfgUnreadable());
    EXPECT_EQ(kit.Read("ORVPRO.IN$"), damaged);
    const std::string fresh = kit.Read("ORVPRO.INI");
    EXPECT_NE(fresh, damaged);
    EXPECT_NE(fresh.find("[CONFIGURATION]"), std::string::npos);
    EXPECT_TRUE(Logged("ORVPRO.IN$"));
}

TEST_F(PrjMgrKit, DestructionLeavesTheFrameEmpty)
{
    {
        CStartSel otherSel;
        ASSERT_TRUE(otherSel.OpenDb(kit.Home()));
        CPrjMgr m(frame, otherSel);
        ASSERT_EQ(m.Init(), CPrjMgr::kInitDone);
        const OfferedChoice offered = FirstOffered(otherSel.Db(), 706);
        m.SetPanelType(706);
        m.SetPlcType(offered.spsId);
        m.SetDrvNum(offered.drvId);
        ASSERT_TRUE(m.Startselection());
        m.GetPrjData()->SetPath(kit.Home() + "DATA/DEMO.orv");
        m.Bundle().Reset();
        EXPECT_EQ(frame.GetWorkspace(), &m.Workspace());
    }
    for (int family = 1; family <= 3; ++family)
        EXPECT_EQ(frame.GetFon(family), nullptr) << family;
    EXPECT_EQ(frame.GetWorkspace(), nullptr);
    EXPECT_EQ(GetPrjData(), nullptr);
}

// How a case changes one file of the configuration directory; the file is
// restored after the case.
struct ApplyEdit {
    enum class Kind { None, Remove, Replace };
    Kind kind = Kind::None;
    const char* file = nullptr;
    std::string bytes;
};

struct ApplyCase {
    const char* name;
    int devId; // 755: 47 with the international display
    int spsType;
    int drvNo; // -1 each: the first the database offers
    ApplyEdit edit;
    bool sim;
    uint16_t abort;
    std::vector<std::pair<int, std::string>> boxes; // id and a part of the text
    std::vector<std::string> logs;                  // in this order
    const char* drvFile;                            // null: none chosen
    const char* formFile;
    bool header; // the driver's header read
    bool fktUsed;
    const char* iniPanel; // the panel CONFIGURATION names; null: the file as before
};

TEST_F(PrjMgrKit, StartSelectionApply)
{
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    const CfgChoice start = mgr.GetChoice();
    ASSERT_EQ(start.devType, 14);
    FktDosFile std014;
    std014.name = "STD014.FKT";
    std014.body = std::string(40, 'B');
    kit.Write("STD014.FKT", std014.Build());
    mgr.Workspace().SetStdFktPath(0, kit.CfgPath("STD014.FKT"));
    const std::string frm = kit.Read("ORV706.FRM");
    // The name at 6, the magic at 4.
    const std::string otherName = std::string(frm).replace(6, 12, "ORV473.FRM  ");
    const std::string badMagic = std::string(frm).replace(4, 2, "\xEE\xEE");
    Drv706Entry other;
    other.drvFile = "OTHER.DRV";
    const std::string lib706 = other.Build().bytes;
    const std::string noCombination = "[ORV0014-NONE-NONE]\r\nADR=VAR,0,255,<->\r\n";
    using K = ApplyEdit::Kind;
    const int notAvailable = static_cast<int>(msg::kInternalError);
    const std::string notAvailableText = "This Simulation Driver is not available";
    const int noLib = static_cast<int>(msg::kTreiberBibliothekKonnteNichtGeoeffnet);
    const int noDrv = static_cast<int>(msg::kTreiberNichtInDateiEnthalten);
    // The user is told why the selection did not apply.
    const int noCombo = static_cast<int>(msg::kInternalError);
    const int noForm = static_cast<int>(msg::kFirmwaredateiKannNichtGeoeffnetWerden);
    const int badForm = static_cast<int>(msg::kFirmwaredateiIstBeschaedigt);
    const ApplyCase cases[] = {
        {"the default combination", 14, start.spsType, start.drvNo, {}, false, 0, {},
         {"Startselection: ORV:14 SPS:33 DRV:5 Offs:0 Len:256 DB:0", "Font:alt", "Normal Display"}, "ORV014.DRV",
         nullptr, true, true, "ORV014"},
        {"a combination missing from ORVPRO.CFG", 43, -1, -1, {K::Replace, "ORVPRO.CFG", noCombination}, false, 2,
         {{noCombo, "Kombination der Startauswahl nicht in .CFG File gefunden"}},
         {"Normal Display"}, "ORV014.DRV", nullptr, true, false, "ORV043"},
        {"a missing library", 36, -1, -1, {K::Remove, "ORV014.DRV", ""}, false, 3, {{noLib, "ORV014.DRV"}}, {}, "ORV014.DRV",
         nullptr, false, false, "ORVlight"},
        {"a driver missing from the 043 family library", 14, 33, 999, {}, false, 3, {{noDrv, "ORV014.DRV"}}, {}, "ORV014.DRV",
         nullptr, false, false, "ORV014"},
        {"a driver missing from the 706 family library", 706, -1, -1, {K::Replace, "ORV706.DRV", lib706}, false, 0,
         {{noDrv, "ORV706.DRV"}}, {"Font:706"}, "ORV706.DRV", "ORV706.FRM", false, false, "ORV706"},
        {"a missing form file", 706, -1, -1, {K::Remove, "ORV706.FRM", ""}, false, 4, {{noForm, PrjMgrTestText(noForm, "ORV706.FRM")}}, {},
         nullptr, "ORV706.FRM", false, false, "ORV706"},
        {"another panel's form file", 706, -1, -1, {K::Replace, "ORV706.FRM", otherName}, false, 4,
         {{badForm, PrjMgrTestText(badForm, "ORV706.FRM")}}, {}, nullptr, "ORV706.FRM", false, false, "ORV706"},
        {"a form file with a wrong magic", 706, -1, -1, {K::Replace, "ORV706.FRM", badMagic}, false, 4,
         {{badForm, PrjMgrTestText(badForm, "ORV706.FRM")}}, {}, nullptr, "ORV706.FRM", false, false, "ORV706"},
        {"simulation on 14", 14, -1, -1, {}, true, 0, {}, {"Normal Display", "Simulationdrv for MINI"}, "SIMMINI.DRV",
         nullptr, true, true, nullptr},
        {"simulation on 118", 118, -1, -1, {}, true, 0, {}, {"Simulationdrv for MINI"}, "SIMMINI.DRV", "ORV118.FRM",
         true, true, nullptr},
        {"simulation on 473", 473, -1, -1, {}, true, 0, {}, {"Simulationdrv for ORV473pe"}, "SIM473pe.DRV",
         "ORV473.FRM", true, false, nullptr},
        {"simulation on 755", 755, -1, -1, {}, true, 0, {},
         {"Font:int", "International Display", "Simulationdrv for MIDI"}, "SIMMIDI.DRV", nullptr, true, false,
         nullptr},
        {"simulation on 477", 477, -1, -1, {}, true, 3, {{notAvailable, notAvailableText}}, {}, nullptr, nullptr,
         false, false, nullptr},
        {"simulation on 706", 706, -1, -1, {}, true, 3, {{notAvailable, notAvailableText}}, {}, nullptr, nullptr,
         false, false, nullptr},
    };
    for (const ApplyCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string ini = kit.Read("ORVPRO.INI");
        const std::string kept = c.edit.file ? kit.Read(c.edit.file) : "";
        if (c.edit.kind == K::Remove)
            kit.Remove(c.edit.file);
        if (c.edit.kind == K::Replace)
            kit.Write(c.edit.file, c.edit.bytes);
        mgr.SetDrvFile("");
        mgr.SetFormFile("");
        mgr.GetDrvCfg()->Clear();
        mgr.GetFktCfg()->SetUsed(false);
        const OfferedChoice offered = FirstOffered(sel.Db(), c.devId);
        const int sps = c.spsType < 0 ? offered.spsId : c.spsType;
        const int drv = c.drvNo < 0 ? offered.drvId : c.drvNo;
        sel.SetOrvVals("ORVPRO", c.devId, sps, drv, 0, 0, 256);
        ui.ClearCalls();
        EXPECT_EQ(Select(c.devId == 755 ? 47 : c.devId, sps, drv, c.devId == 755, c.sim), c.abort == 0);
        EXPECT_EQ(mgr.GetAbortCode(), c.abort);
        const auto shown = Boxes();
        ASSERT_EQ(shown.size(), c.boxes.size());
        for (size_t i = 0; i < shown.size(); ++i) {
            EXPECT_EQ(shown[i].first, c.boxes[i].first);
            EXPECT_NE(shown[i].second.find(c.boxes[i].second), std::string::npos) << shown[i].second;
        }
        EXPECT_TRUE(LoggedInOrder(c.logs)) << testing::PrintToString(ui.TextsOf(UiCall::Kind::LogAppend));
        EXPECT_EQ(mgr.GetDrvFile(), c.drvFile ? kit.CfgPath(c.drvFile) : "");
        EXPECT_EQ(mgr.GetFormFile(), c.formFile ? kit.CfgPath(c.formFile) : "");
        EXPECT_EQ(!mgr.GetDrvCfg()->GetDrvName().empty(), c.header);
        EXPECT_EQ(mgr.GetFktCfg()->IsUsed() != 0, c.fktUsed);
        if (c.iniPanel) {
            EXPECT_NE(kit.Read("ORVPRO.INI").find(std::string("ORV=") + c.iniPanel + "\r\n"), std::string::npos);
        } else {
            EXPECT_EQ(kit.Read("ORVPRO.INI"), ini);
            mgr.SaveCfg();
            EXPECT_EQ(kit.Read("ORVPRO.INI"), ini);
        }
        if (c.edit.kind != K::None)
            kit.Write(c.edit.file, kept);
    }
}

TEST_F(PrjMgrKit, BundleResetEmptiesTheProjectButKeepsTheChoice)
{
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    ASSERT_TRUE(Select(706, mgr.GetChoice().spsType, mgr.GetChoice().drvNo));
    CDrvCfg& drv = *mgr.GetDrvCfg();
    const uint16_t drvNo = drv.GetDrvNo();
    ASSERT_FALSE(drv.GetDrvName().empty());
    mgr.GetFktCfg()->SetName("FKT");
    mgr.GetPrjData()->SetPath(kit.Home() + "DATA/DEMO.orv");
    mgr.Bundle().Reset();
    EXPECT_TRUE(mgr.GetPrjData()->GetPath().empty());
    EXPECT_TRUE(drv.GetDrvName().empty());
    EXPECT_EQ(drv.GetDrvNo(), drvNo);
    EXPECT_TRUE(mgr.GetFktCfg()->GetName().empty());
    EXPECT_EQ(mgr.GetSpsPar()->GetSpsType(), mgr.GetChoice().spsType);
}

TEST_F(PrjMgrKit, SaveCfgWritesTheRootsPathAndEveryOtherSectionAsItWas)
{
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    kit.Write("ORVPRO.INI", kit.Read("ORVPRO.INI") + "[OWN]\r\nKEY=1\r\n");
    auto others = PrjMgrTestSections(kit.Read("ORVPRO.INI"));
    others.erase("ENVIRONMENT");
    const std::string demo = kit.Home() + "DATA/DEMO.ORV";
    const std::string line = "\r\nORV_FILE=\"" + demo + "\"\r\n";
    frame.SetStateFlags(CFrameState::kStateProjectLoaded);
    mgr.GetPrjData()->SetPath(demo);
    mgr.SaveCfg();
    EXPECT_EQ(mgr.GetPrjFile(), demo);
    auto sections = PrjMgrTestSections(kit.Read("ORVPRO.INI"));
    EXPECT_NE(sections["ENVIRONMENT"].find(line), std::string::npos) << sections["ENVIRONMENT"];
    sections.erase("ENVIRONMENT");
    EXPECT_EQ(sections, others);
    // Without a loaded project the last one stays for the next start.
    frame.SetStateFlags(0);
    mgr.GetPrjData()->SetPath(kit.Home() + "DATA/OTHER.ORV");
    mgr.SaveCfg();
    sections = PrjMgrTestSections(kit.Read("ORVPRO.INI"));
    EXPECT_NE(sections["ENVIRONMENT"].find(line), std::string::npos) << sections["ENVIRONMENT"];
    EXPECT_EQ(sections["ENVIRONMENT"].find("OTHER.ORV"), std::string::npos);
    sections.erase("ENVIRONMENT");
    EXPECT_EQ(sections, others);
}

// As a new user starts: every combination the shipped database offers is
// applied without a word.
TEST_F(PrjMgrKit, ShippedStart)
{
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    EXPECT_TRUE(Boxes().empty());
    CSelQueries q(&sel.Db());
    q.RunApp("ORVPRO");
    q.RunDev(-1);
    std::set<std::tuple<int, int, int>> offered;
    const size_t devices = q.dev.Names().size();
    for (size_t row = 0; row < devices; ++row) {
        q.RunDev(q.dev.IdAt(static_cast<int>(row)));
        q.RunSps(-1);
        const size_t spsCount = q.sps.Names().size();
        for (size_t s = 0; s < spsCount; ++s) {
            q.RunSps(q.sps.IdAt(static_cast<int>(s)));
            q.RunDrv(-1);
            for (size_t d = 0; d < q.drv.Names().size(); ++d)
                offered.insert({q.devId, q.spsId, q.drv.IdAt(static_cast<int>(d))});
        }
    }
    ASSERT_FALSE(offered.empty());
    std::set<int> panels;
    for (const auto& [devId, spsId, drvId] : offered) {
        SCOPED_TRACE(testing::Message() << devId << "/" << spsId << "/" << drvId);
        const bool intl = devId == 755;
        const int devType = intl ? 47 : devId;
        panels.insert(devId);
        EXPECT_TRUE(Select(devType, spsId, drvId, intl));
        EXPECT_EQ(mgr.GetAbortCode(), 0);
        EXPECT_TRUE(Boxes().empty());
    }
    for (const int devId : panels) {
        if (devId == 477 || devId == 706)
            continue;
        SCOPED_TRACE(devId);
        const bool intl = devId == 755;
        EXPECT_TRUE(Select(intl ? 47 : devId, 0, 0, intl, true));
        EXPECT_TRUE(Boxes().empty());
    }
}

} // namespace
} // namespace orv
