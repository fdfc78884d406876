// The workspace object on a copy of the shipped program directory: start-up,
// the start selection's checks, a failed start and the tool configuration.
#include "workspace/PrjMgr.h"

#include "model/core/CatalogueIds.h"
#include "model/core/FrameState.h"
#include "model/core/UiServices.h"
#include "model/project/CharSet.h"
#include "model/project/DrvCfg.h"
#include "model/project/FktCfg.h"
#include "model/project/Fon.h"
#include "model/project/FrmCfg.h"
#include "model/project/PrjData.h"
#include "model/project/SpsPar.h"
#include "support/ConfigKit.h"
#include "support/ScriptedUi.h"
#include "workspace/SelQueries.h"
#include "workspace/StartSel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <utility>
#include <vector>

namespace orv {
namespace {

namespace fs = std::filesystem;

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

// Everything a caller may do after a failed start answers "nothing done".
void ExpectNothingDone(CPrjMgr& mgr, CFrameState& frame)
{
    EXPECT_FALSE(mgr.IsBuilt());
    EXPECT_EQ(mgr.GetPrjData(), nullptr);
    EXPECT_EQ(mgr.GetSpsPar(), nullptr);
    EXPECT_EQ(mgr.GetDrvCfg(), nullptr);
    EXPECT_EQ(mgr.GetFktCfg(), nullptr);
    EXPECT_EQ(mgr.GetFrmCfg(), nullptr);
    EXPECT_EQ(mgr.GetCharSet(), nullptr);
    EXPECT_EQ(GetPrjData(), nullptr);
    EXPECT_EQ(GetSpsPar(), nullptr);
    EXPECT_EQ(GetDevCfg(), nullptr);
    EXPECT_FALSE(mgr.Startselection());
    EXPECT_FALSE(mgr.WriteFontFile());
    mgr.SaveCfg();
    mgr.LogFirmware();
    for (int family = 1; family <= 3; ++family) {
        const CFon* fon = frame.GetFon(family);
        EXPECT_TRUE(!fon || fon->HasFont()) << family;
    }
}

TEST_F(PrjMgrKit, MissingFontStopsTheStart)
{
    for (const char* font : {"ALT.FON", "706.FON", "INT.FON"}) {
        SCOPED_TRACE(font);
        ConfigKit other;
        other.Remove(font);
        ui.ClearCalls();
        CStartSel otherSel;
        CPrjMgr m(frame, otherSel);
        EXPECT_EQ(m.Init(), CPrjMgr::kInitFailed);
        const auto boxes = Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].first, static_cast<int>(msg::kDateiKannNichtGeoeffnetWerden));
        EXPECT_NE(boxes[0].second.find(other.CfgPath(font)), std::string::npos) << boxes[0].second;
        ExpectNothingDone(m, frame);
        const auto after = Boxes();
        EXPECT_EQ(after.size(), 1u);
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
        const auto boxes = Boxes();
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[0].first, static_cast<int>(msg::kDateiKannNichtGeoeffnetWerden));
        EXPECT_NE(boxes[0].second.find(other.CfgPath(file)), std::string::npos) << boxes[0].second;
        EXPECT_EQ(boxes[1].first, static_cast<int>(msg::kInternalError));
        EXPECT_NE(boxes[1].second.find("Configfiles not found"), std::string::npos);
        ExpectNothingDone(m, frame);
        EXPECT_EQ(Boxes().size(), 2u);
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
        mgr.SetPanelType(706);
        m.SetPanelType(706);
        m.SetPlcType(mgr.GetChoice().spsType);
        m.Startselection();
        m.GetPrjData()->Clear();
        EXPECT_EQ(frame.GetWorkspace(), &m.Workspace());
    }
    for (int family = 1; family <= 3; ++family)
        EXPECT_EQ(frame.GetFon(family), nullptr) << family;
    EXPECT_EQ(frame.GetWorkspace(), nullptr);
    EXPECT_EQ(GetPrjData(), nullptr);
}

struct ApplyCase {
    const char* name;
    int devType;
    int spsType;
    int drvNo;
    const char* removed;  // a file of the configuration directory taken away
    const char* damaged;
    bool sim;
    uint16_t abort;
    std::vector<int> boxes;
};

TEST_F(PrjMgrKit, StartSelectionApply)
{
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    const CfgChoice start = mgr.GetChoice();
    const ApplyCase cases[] = {
        {"the default combination", start.devType, start.spsType, start.drvNo, nullptr, nullptr, false, 0, {}},
        {"driver missing from the 043 family library", 14, start.spsType, 999, nullptr, nullptr, false, 3,
         {static_cast<int>(msg::kTreiberNichtInDateiEnthalten)}},
        {"combination missing from the configuration", start.devType, start.spsType, start.drvNo, nullptr,
         "ORVPRO.CFG", false, 2, {}},
        {"missing library", 14, start.spsType, start.drvNo, "ORV014.DRV", nullptr, false, 3,
         {static_cast<int>(msg::kTreiberBibliothekKonnteNichtGeoeffnet)}},
        {"missing form file", 706, start.spsType, start.drvNo, "ORV706.FRM", nullptr, false, 4,
         {static_cast<int>(msg::kFirmwaredateiKannNichtGeoeffnetWerden)}},
        {"damaged form file", 706, start.spsType, start.drvNo, nullptr, "ORV706.FRM", false, 4,
         {static_cast<int>(msg::kFirmwaredateiIstBeschaedigt)}},
        {"simulation on 706", 706, 0, 0, nullptr, nullptr, true, 3, {static_cast<int>(msg::kInternalError)}},
        {"simulation on 477", 477, 0, 0, nullptr, nullptr, true, 3, {static_cast<int>(msg::kInternalError)}},
    };
    for (const ApplyCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string removedBytes = c.removed ? kit.Read(c.removed) : "";
        const std::string damagedBytes = c.damaged ? kit.Read(c.damaged) : "";
        if (c.removed)
            kit.Remove(c.removed);
        if (c.damaged)
            kit.Damage(c.damaged);
        ui.ClearCalls();
        Select(c.devType, c.spsType, c.drvNo, false, c.sim);
        EXPECT_EQ(mgr.GetAbortCode(), c.abort);
        std::vector<int> ids;
        for (const auto& box : Boxes())
            ids.push_back(box.first);
        EXPECT_EQ(ids, c.boxes);
        if (c.removed)
            kit.Write(c.removed, removedBytes);
        if (c.damaged)
            kit.Write(c.damaged, damagedBytes);
    }
}

TEST_F(PrjMgrKit, BoundSimulationDriverLeavesTheToolConfigurationAlone)
{
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    const std::string before = kit.Read("ORVPRO.INI");
    const struct {
        int devType;
        const char* driver;
    } cases[] = {{14, "SIMMINI.DRV"}, {118, "SIMMINI.DRV"}, {473, "SIM473pe.DRV"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.devType);
        ui.ClearCalls();
        Select(c.devType, 0, 0, false, true);
        EXPECT_TRUE(Boxes().empty());
        EXPECT_EQ(mgr.Workspace().GetDrvOverrideName(), c.driver);
        EXPECT_EQ(mgr.GetDrvFile(), kit.CfgPath(c.driver));
        mgr.SaveCfg();
        EXPECT_EQ(kit.Read("ORVPRO.INI"), before);
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
    mgr.Bundle().Reset();
    EXPECT_TRUE(drv.GetDrvName().empty());
    EXPECT_EQ(drv.GetDrvNo(), drvNo);
    EXPECT_TRUE(mgr.GetFktCfg()->GetName().empty());
    EXPECT_EQ(mgr.GetSpsPar()->GetSpsType(), mgr.GetChoice().spsType);
}

TEST_F(PrjMgrKit, SaveCfgWritesTheLastProject)
{
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    frame.SetStateFlags(CFrameState::kStateProjectLoaded);
    mgr.SetPrjFile(kit.Home() + "DATA/DEMO.ORV");
    mgr.SaveCfg();
    EXPECT_NE(kit.Read("ORVPRO.INI").find("ORV_FILE=\"" + kit.Home() + "DATA/DEMO.ORV\""), std::string::npos);
    // Without a loaded project the last one stays for the next start.
    frame.SetStateFlags(0);
    mgr.SetPrjFile("");
    mgr.SaveCfg();
    EXPECT_NE(kit.Read("ORVPRO.INI").find("ORV_FILE=\"" + kit.Home() + "DATA/DEMO.ORV\""), std::string::npos);
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
