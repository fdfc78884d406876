// The project's own driver and special-function files beside its source, on
// a copy of the shipped program directory.
#include "workspace/PrjMgr.h"

#include "model/core/CatalogueIds.h"
#include "model/core/FrameState.h"
#include "model/core/UiServices.h"
#include "model/project/DrvCfg.h"
#include "model/project/FktCfg.h"
#include "model/project/PrjData.h"
#include "support/ConfigKit.h"
#include "support/FktBuilders.h"
#include "support/ScriptedUi.h"
#include "workspace/SelQueries.h"
#include "workspace/StartSel.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace orv {
namespace {

namespace fs = std::filesystem;

std::string PrjFilesRead(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void PrjFilesWrite(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

class PrjFilesKit : public testing::Test {
protected:
    PrjFilesKit()
    {
        frame.SetLogLevel(3);
        EXPECT_TRUE(sel.OpenDb(kit.Home()));
        frame.SetStartSel(&sel);
        fs::create_directories(kit.Home() + "DATA");
        src = kit.Home() + "DATA/DEMO.orv";
    }

    // The first PLC type and driver the shipped database offers the panel.
    bool SelectFirst(int devId)
    {
        CSelQueries q(&sel.Db());
        q.RunApp("ORVPRO");
        q.RunDev(devId);
        q.RunSps(-1);
        q.RunSps(q.sps.IdAt(0));
        q.RunDrv(-1);
        mgr.SetPanelType(devId);
        mgr.SetPlcType(q.spsId);
        mgr.SetDrvNum(q.drv.IdAt(0));
        mgr.SetIntlDisplay(false);
        mgr.SetSimDrvBound(false);
        const bool ok = mgr.Startselection();
        mgr.GetPrjData()->SetPath(src);
        return ok;
    }
    std::string Beside(const std::string& name) const { return kit.Home() + "DATA/" + name; }

    ScriptedUi ui;
    ScopedUiServices uiReg{ui};
    ConfigKit kit;
    CFrameState frame;
    ScopedMainFrame frameReg{frame};
    CStartSel sel;
    CPrjMgr mgr{frame, sel};
    std::string src;
};

TEST_F(PrjFilesKit, DriverFileLifeCycle)
{
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    for (const int devId : {14, 706}) {
        SCOPED_TRACE(devId);
        fs::remove(Beside("DEMO.DRV"));
        ASSERT_TRUE(SelectFirst(devId));
        CDrvCfg& drv = *mgr.GetDrvCfg();
        // Without a file the start-selection driver is taken, to be written.
        EXPECT_EQ(mgr.CheckPrjDriver(src), CPrjMgr::kDrvGoOn);
        mgr.LoadPrjDriver();
        EXPECT_FALSE(drv.IsDrvLoaded());
        EXPECT_GT(drv.GetModCount(), 0);
        EXPECT_TRUE(mgr.SavePrjDriver());
        ASSERT_TRUE(fs::exists(Beside("DEMO.DRV")));
        EXPECT_TRUE(drv.IsDrvLoaded());
        EXPECT_EQ(drv.GetModCount(), 0);
        EXPECT_EQ(drv.GetDrvPath(), Beside("DEMO.DRV"));
        // The project's own file of the same driver.
        const std::string written = PrjFilesRead(Beside("DEMO.DRV"));
        EXPECT_EQ(mgr.CheckPrjDriver(src), CPrjMgr::kDrvGoOn);
        mgr.LoadPrjDriver();
        EXPECT_TRUE(drv.IsDrvLoaded());
        EXPECT_EQ(drv.GetModCount(), 0);
        EXPECT_EQ(PrjFilesRead(Beside("DEMO.DRV")), written);
        // A file from a system that ignores case is the same file.
        fs::rename(Beside("DEMO.DRV"), Beside("demo.drv"));
        EXPECT_EQ(mgr.CheckPrjDriver(src), CPrjMgr::kDrvGoOn);
        mgr.LoadPrjDriver();
        EXPECT_TRUE(drv.IsDrvLoaded());
        EXPECT_EQ(drv.GetDrvPath(), Beside("demo.drv"));
        fs::rename(Beside("demo.drv"), Beside("DEMO.DRV"));
        EXPECT_TRUE(ui.CallsOf(UiCall::Kind::Box).empty());
    }
}

TEST_F(PrjFilesKit, AnotherDriversFileIsAskedAboutAndReplaced)
{
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    ASSERT_TRUE(SelectFirst(14));
    ASSERT_TRUE(mgr.SavePrjDriver());
    CDrvCfg& drv = *mgr.GetDrvCfg();
    const uint16_t own = drv.GetDrvNo();
    drv.SetDrvNo(static_cast<uint16_t>(own == 5 ? 50 : 5));
    ui.AnswerQuestion(static_cast<int>(msg::kSollDerImProjektVerwendete), false);
    EXPECT_EQ(mgr.CheckPrjDriver(src), CPrjMgr::kDrvStop);
    ui.AnswerQuestion(static_cast<int>(msg::kSollDerImProjektVerwendete), true);
    EXPECT_EQ(mgr.CheckPrjDriver(src), CPrjMgr::kDrvReplace);
    const auto questions = ui.CallsOf(UiCall::Kind::Question);
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_NE(questions[0].text.find("  ersetzt"), std::string::npos) << questions[0].text;
    EXPECT_NE(questions[0].text.find(drv.GetDrvFileName()), std::string::npos) << questions[0].text;
    // Taking the project deletes the other driver's file.
    mgr.LoadPrjDriver();
    EXPECT_FALSE(fs::exists(Beside("DEMO.DRV")));
    EXPECT_FALSE(drv.IsDrvLoaded());
    EXPECT_GT(drv.GetModCount(), 0);
}

TEST_F(PrjFilesKit, DamagedDriverFile)
{
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    ASSERT_TRUE(SelectFirst(14));
    PrjFilesWrite(Beside("DEMO.DRV"), std::string(300, '\xEE'));
    const int answer = mgr.CheckPrjDriver(src);
    EXPECT_TRUE(answer == CPrjMgr::kDrvStop || answer == CPrjMgr::kDrvReplace) << answer;
    PrjFilesWrite(Beside("DEMO.DRV"), "");
    EXPECT_NE(mgr.CheckPrjDriver(src), CPrjMgr::kDrvGoOn);
}

class PrjFktKit : public PrjFilesKit {
protected:
    void SetUp() override
    {
        std_ = kit.CfgPath("STD014.FKT");
        PrjFilesWrite(std_, Std("0000"));
    }
    static std::string Std(const char* version, const char* name = "STD014.FKT")
    {
        FktDosFile file;
        file.name = name;
        file.version = version;
        file.body = std::string(40, 'B');
        return file.Build();
    }
    std::string std_;
};

TEST_F(PrjFktKit, StartSelectionTakesTheGroupsStandardFile)
{
    mgr.Workspace().SetStdFktPath(0, "");
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    mgr.Workspace().SetStdFktPath(0, std_);
    const struct {
        const char* name;
        std::string bytes;  // empty: no file
        bool used;
        int box;
    } cases[] = {
        {"standard", Std("0000"), true, 0},
        {"not standard", Std("0000", "OTHER.FKT"), false, static_cast<int>(msg::kDateiIstBeschaedigt)},
        {"missing", "", false, static_cast<int>(msg::kDateiKannNichtGeoeffnetWerden)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.bytes.empty())
            fs::remove(std_);
        else
            PrjFilesWrite(std_, c.bytes);
        ui.ClearCalls();
        mgr.SetLastError(0);
        EXPECT_TRUE(SelectFirst(14));
        EXPECT_EQ(mgr.GetAbortCode(), 0);
        EXPECT_EQ(mgr.GetFktCfg()->IsUsed() != 0, c.used);
        const auto boxes = ui.CallsOf(UiCall::Kind::Box);
        if (c.box) {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].id, c.box);
            EXPECT_EQ(mgr.GetLastError(), CPrjMgr::kErrFktFile);
        } else {
            EXPECT_TRUE(boxes.empty());
        }
    }
    // 473 has no standard file.
    EXPECT_TRUE(SelectFirst(473));
    EXPECT_FALSE(mgr.GetFktCfg()->IsUsed());
}

TEST_F(PrjFktKit, ProjectCopyIsWrittenLoadedAndReplacedOnlyWhenNewer)
{
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    mgr.Workspace().SetStdFktPath(0, std_);
    ASSERT_TRUE(SelectFirst(14));
    CFktCfg& fkt = *mgr.GetFktCfg();
    ASSERT_TRUE(fkt.IsUsed());
    EXPECT_TRUE(mgr.SavePrjFkt());
    ASSERT_TRUE(fs::exists(Beside("DEMO.FKT")));
    EXPECT_TRUE(fkt.IsLoaded());
    EXPECT_EQ(fkt.GetModCount(), 0);
    const std::string copy = PrjFilesRead(Beside("DEMO.FKT"));
    EXPECT_NE(copy, PrjFilesRead(std_));  // stamped with the project's name
    mgr.LoadPrjFkt();
    EXPECT_TRUE(fkt.IsLoaded());
    // The standard file not newer: the copy keeps its bytes.
    EXPECT_TRUE(mgr.SavePrjFkt());
    EXPECT_EQ(PrjFilesRead(Beside("DEMO.FKT")), copy);
    // A newer standard file replaces it.
    PrjFilesWrite(std_, Std("0001"));
    EXPECT_TRUE(mgr.SavePrjFkt());
    EXPECT_NE(PrjFilesRead(Beside("DEMO.FKT")), copy);
    // A foreign file beside the source is deleted, the standard taken.
    PrjFilesWrite(Beside("DEMO.FKT"), Std("0000", "OTHER.FKT"));
    mgr.LoadPrjFkt();
    EXPECT_FALSE(fs::exists(Beside("DEMO.FKT")));
    EXPECT_FALSE(fkt.IsLoaded());
    EXPECT_GT(fkt.GetModCount(), 0);
}

} // namespace
} // namespace orv
