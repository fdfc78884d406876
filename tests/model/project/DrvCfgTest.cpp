#include "model/core/Catalogues.h"
#include "model/project/DrvCfg.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarList.h"
#include "model/project/TextPool.h"
#include "model/core/WorkspaceState.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

using namespace orv;

namespace {

// A text-choice parameter of the driver with two state texts in its pool.
CPrjIntVarStr* ChoiceVar(CDrvCfg& cfg, const char* name, const char* off, const char* on)
{
    auto* var = new CPrjIntVarStr(name, 0, 1, 142, 0, 0, cfg.GetParList16());
    var->SetTxtCount(1);
    var->SetStateTxt(0, off);
    var->SetStateTxt(1, on);
    return var;
}

// A workspace whose program directory is a scratch directory with a
// configuration directory in it.
struct WorkspaceFixture {
    TempDir dir;
    CWorkspaceState ws{dir.Path(), dir.Path()};

    WorkspaceFixture() { dir.Write("CFG/ORV/.keep", ""); }
    std::string CfgDir() const { return dir.Path() + "CFG/ORV/"; }
};

TEST(DrvCfg, NewConfigurationHasTheDefaultDriverAndSafeLimits)
{
    PrjBundle bundle;  // the configuration alone, no other part beside it
    CDrvCfg cfg(nullptr, &bundle);
    EXPECT_EQ(cfg.GetDrvNo(), 5);
    EXPECT_EQ(cfg.GetDrvFileName(), "LTR.DRV");
    EXPECT_EQ(cfg.IsDrvLoaded(), 0);
    EXPECT_EQ(cfg.GetModCount(), 0);
    for (int i = 0; i < CDrvCfg::kLimitCount; ++i)
        EXPECT_EQ(cfg.GetAdrLimit(static_cast<CDrvCfg::AdrLimit>(i)), 0) << i;
    for (int i = 0; i < CDrvCfg::kFlagCount; ++i)
        EXPECT_EQ(cfg.GetFlag(static_cast<CDrvCfg::Flag>(i)), 0) << i;
    EXPECT_EQ(cfg.GetRecSize(), 0);
    EXPECT_EQ(cfg.GetAuxWord(), 0);
    EXPECT_EQ(cfg.GetDrvPath(), "");
    EXPECT_EQ(cfg.GetParItems()->GetCount(), 0);
    EXPECT_EQ(cfg.GetParItems3()->GetCount(), 0);
}

TEST(DrvCfg, EveryDriverKeyIsOneOfTheKeyTextsExactlyOnce)
{
    std::multiset<std::string> keys;
    for (int drv = 0; drv <= 78; ++drv)
        keys.insert(CDrvCfg::DrvIniKey(drv));
    std::multiset<std::string> texts;
    for (uint16_t n = 1; n <= 79; ++n)
        texts.insert(ResKonstText(n));
    EXPECT_EQ(keys, texts);
    EXPECT_STREQ(CDrvCfg::DrvIniKey(5), ResKonstText(7));
    EXPECT_STREQ(CDrvCfg::DrvIniKey(79), "");
    EXPECT_STREQ(CDrvCfg::DrvIniKey(-1), "");
}

TEST(DrvCfg, DriverFileNamesCoverTheFileTexts)
{
    WorkspaceFixture fx;
    fx.ws.SetDrvOverride("SIMUL.DRV", false);
    CDrvCfg cfg(&fx.ws, nullptr);

    std::map<std::string, std::vector<int>> drivers;
    for (int drv = 0; drv < 78; ++drv)
        drivers[cfg.DrvFileName(drv)].push_back(drv);
    EXPECT_EQ(drivers[""], std::vector<int>{68});
    EXPECT_EQ(drivers[ResKonstText(97)], (std::vector<int>{20, 21}));
    for (const auto& [name, numbers] : drivers) {
        if (name != "" && name != ResKonstText(97)) {
            EXPECT_EQ(numbers.size(), 1u) << name;
        }
    }

    // Every file text but the two unused ones names a driver.
    std::set<std::string> unused;
    for (uint16_t n = 80; n <= 157; ++n)
        if (n != 141 && n != 145 && !drivers.count(ResKonstText(n)))
            unused.insert(ResKonstText(n));
    EXPECT_TRUE(unused.empty()) << *unused.begin();

    EXPECT_EQ(cfg.DrvFileName(78), "SIMUL.DRV");
    EXPECT_EQ(cfg.DrvFileName(79), "");
    EXPECT_EQ(cfg.DrvFileName(65535), "");
    CDrvCfg loose(nullptr, nullptr);
    EXPECT_EQ(loose.DrvFileName(78), "");
}

TEST(DrvCfg, HeaderTextsAreCutAtTheirWidths)
{
    using Setter = void (CDrvCfg::*)(std::string_view);
    using Getter = const std::string& (CDrvCfg::*)() const;
    struct Case {
        const char* field;
        Setter set;
        Getter get;
        std::string in;
        std::string out;
    };
    const Case cases[] = {
        {"name", &CDrvCfg::SetDrvName, &CDrvCfg::GetDrvName, "ABCDEFGHIJKLMN", "ABCDEFGHIJ"},
        {"name", &CDrvCfg::SetDrvName, &CDrvCfg::GetDrvName, "ABCDEFGHIJ", "ABCDEFGHIJ"},
        {"file", &CDrvCfg::SetDrvFile, &CDrvCfg::GetDrvFile, "ABBCS3CS.DRVX", "ABBCS3CS.DRV"},
        {"version", &CDrvCfg::SetDrvVersion, &CDrvCfg::GetDrvVersion, "123.45", "123.4"},
        {"kind", &CDrvCfg::SetDrvKind, &CDrvCfg::GetDrvKind, "PSXX", "PSX"},
        {"kind", &CDrvCfg::SetDrvKind, &CDrvCfg::GetDrvKind, "P", "P"},
        {"date", &CDrvCfg::SetDrvDate, &CDrvCfg::GetDrvDate, "31.12.2001x", "31.12.2001"},
        {"date", &CDrvCfg::SetDrvDate, &CDrvCfg::GetDrvDate, std::string("1.1\0junk", 8), "1.1"},
    };
    for (const Case& c : cases) {
        CDrvCfg cfg(nullptr, nullptr);
        (cfg.*c.set)("previous");
        (cfg.*c.set)(c.in);
        EXPECT_EQ((cfg.*c.get)(), c.out) << c.field << " " << c.in;
    }
}

TEST(DrvCfg, SetDrvAvailWritesTheRowOfThePanelsLibrary)
{
    const uint16_t types[] = {14, 36, 43, 47, 755, 706, 473, 477, 118, 163, 167};
    struct Case {
        uint16_t devType;
        int drv;
        std::set<uint16_t> marked;  // panel types that then see driver drv
    };
    const Case cases[] = {
        {163, 12, {118, 163, 167}},
        {755, 12, {14, 36, 43, 47, 755}},
        {473, 0, {473}},
        {706, 77, {706}},
        {724, 12, {}},
        {14, 78, {}},
        {14, -1, {}},
    };
    for (const Case& c : cases) {
        CDrvCfg cfg(nullptr, nullptr);
        cfg.SetDrvAvail(c.devType, c.drv, 1);
        for (uint16_t t : types)
            for (int drv = 0; drv < 78; ++drv)
                EXPECT_EQ(cfg.GetDrvAvail(t, drv), drv == c.drv && c.marked.count(t) ? 1 : 0)
                    << "set " << c.devType << "/" << c.drv << ", read " << t << "/" << drv;
    }
}

TEST(DrvCfg, CounterMovesTheBundleCounter)
{
    PrjBundle bundle;  // the configuration alone, no other part beside it
    CDrvCfg cfg(nullptr, &bundle);
    bundle.modCount = 3;
    EXPECT_EQ(cfg.SetModified(false), 0);
    EXPECT_EQ(bundle.modCount, 3);
    EXPECT_EQ(cfg.SetModified(true), 0);
    EXPECT_EQ(cfg.GetModCount(), 1);
    EXPECT_EQ(bundle.modCount, 4);
    cfg.SetModified(false);
    EXPECT_EQ(cfg.GetModCount(), 0);
    EXPECT_EQ(bundle.modCount, 0);
    cfg.SetModCount(9);  // stored directly, the bundle untouched
    EXPECT_EQ(cfg.GetModCount(), 9);
    EXPECT_EQ(bundle.modCount, 0);
}

TEST(DrvCfg, ClearForgetsTheDriverFileButKeepsTheChoice)
{
    PrjBundle bundle;  // the configuration alone, no other part beside it
    CDrvCfg cfg(nullptr, &bundle);
    cfg.SetDrvNo(12);
    cfg.SetDrvAvail(14, 12, 1);
    cfg.AddParItem3(new CSpsDef(1, 2, 0, 0, "SPS1"));
    cfg.AddParItem(new CDrvTabEntry5(1, 0, 1, 2, 3));
    cfg.AddParItem2(new CDrvTabEntry6(0, 1, 2, 3, 4, 5));
    ASSERT_TRUE(cfg.AddPar6(ChoiceVar(cfg, "AK", "AUS", "EIN")));
    ASSERT_TRUE(cfg.AddPar6(ChoiceVar(cfg, "AL", "EIN", "HALT")));
    EXPECT_EQ(cfg.GetParList16()->GetCount(), 3);
    cfg.SetDrvLoaded(1);
    cfg.SetDrvPath("/p/PRJ.DRV");
    cfg.SetDrvName("n");
    cfg.SetDrvFile("f");
    cfg.SetDrvVersion("v");
    cfg.SetDrvKind("k");
    cfg.SetDrvDate("d");
    cfg.SetModified(true);

    cfg.Clear();
    EXPECT_EQ(cfg.GetParList6()->GetCount(), 0);
    EXPECT_EQ(cfg.GetParList16()->GetCount(), 0);
    EXPECT_EQ(cfg.GetDrvNo(), 12);
    EXPECT_EQ(cfg.GetDrvAvail(14, 12), 1);
    EXPECT_EQ(cfg.GetParItems3()->GetCount(), 1);
    EXPECT_EQ(cfg.GetParItems()->GetCount(), 1);
    EXPECT_EQ(cfg.GetParItems2()->GetCount(), 1);
    EXPECT_EQ(cfg.IsDrvLoaded(), 0);
    EXPECT_EQ(cfg.GetModCount(), 0);
    EXPECT_EQ(bundle.modCount, 0);
    for (const std::string& s : {cfg.GetDrvPath(), cfg.GetDrvName(), cfg.GetDrvFile(), cfg.GetDrvVersion(),
                                 cfg.GetDrvKind(), cfg.GetDrvDate()})
        EXPECT_EQ(s, "");
}

TEST(DrvCfg, AddedRecordsAreOwnedAndARefusedOneIsDestroyed)
{
    CDrvCfg cfg(nullptr, nullptr);
    EXPECT_TRUE(cfg.AddParItem(new CDrvTabEntry5(7, 1, 0, 0, 0)));
    EXPECT_TRUE(cfg.AddParItem(new CDrvTabEntry5(7, 2, 0, 0, 0)));
    EXPECT_FALSE(cfg.AddParItem(new CDrvTabEntry5(8, 2, 0, 0, 0)));
    EXPECT_FALSE(cfg.AddParItem(nullptr));
    EXPECT_TRUE(cfg.AddParItem2(new CDrvTabEntry6(4, 0, 0, 0, 0, 0)));
    EXPECT_FALSE(cfg.AddParItem2(new CDrvTabEntry6(4, 0, 0, 0, 0, 0)));
    EXPECT_TRUE(cfg.AddParItem3(new CSpsDef(2, 0, 0, 0, "SPS2")));
    EXPECT_FALSE(cfg.AddParItem3(new CSpsDef(2, 1, 0, 0, "SPS2")));
    EXPECT_TRUE(cfg.AddPar6(ChoiceVar(cfg, "AK", "AUS", "EIN")));
    EXPECT_FALSE(cfg.AddPar6(ChoiceVar(cfg, "AK", "AUS", "NEU")));  // released its texts
    EXPECT_FALSE(cfg.AddPar6(nullptr));
    EXPECT_EQ(cfg.GetParList6()->GetCount(), 1);
    ASSERT_EQ(cfg.GetParList16()->GetCount(), 2);
    EXPECT_EQ(cfg.GetParList16()->FindText("NEU"), nullptr);
    EXPECT_EQ(cfg.GetParList16()->FindText("AUS")->GetRefCount(), 1);
    EXPECT_EQ(cfg.GetParItems()->GetCount(), 2);

    ASSERT_NE(cfg.FindParItem(7), nullptr);
    EXPECT_EQ(cfg.FindParItem(7)->GetKey(), 1);  // the first in key order
    EXPECT_EQ(cfg.FindParItem(8), nullptr);
}

TEST(DrvCfg, DrvLibNameByPanelTypeAndOverride)
{
    struct Case {
        uint16_t devType;
        const char* lib;
    };
    const Case cases[] = {
        {14, "ORV014.DRV"}, {36, "ORV014.DRV"}, {43, "ORV014.DRV"}, {47, "ORV014.DRV"}, {755, "ORV014.DRV"},
        {118, "ORV118.DRV"}, {163, "ORV118.DRV"}, {167, "ORV118.DRV"}, {473, "ORV473.DRV"},
        {477, "ORV477.DRV"}, {706, "ORV706.DRV"}, {724, ""}, {0, ""},
    };
    WorkspaceFixture fx;
    CDrvCfg cfg(&fx.ws, nullptr);
    for (const Case& c : cases) {
        fx.ws.SetDrvOverride("SIM\\SIMUL.DRV", false);
        EXPECT_EQ(cfg.DrvLibName(c.devType), c.lib) << c.devType;
        fx.ws.SetDrvOverride("SIM\\SIMUL.DRV", true);
        EXPECT_EQ(cfg.DrvLibName(c.devType), "SIM\\SIMUL.DRV") << c.devType;
    }
}

// Records every pass; marks driver 3 of the library, unless the library's
// panel type is set to fail.
class RecordingScanner : public CDrvLibScanner {
public:
    struct Pass {
        DrvFamily family;
        std::string path;
        uint16_t devType;
        bool operator==(const Pass&) const = default;
    };

    explicit RecordingScanner(CDrvCfg& cfg, uint16_t failing = 0) : m_cfg(cfg), m_failing(failing) {}

    void Scan(DrvFamily family, const std::string& libPath, uint16_t devType) override
    {
        passes.push_back({family, libPath, devType});
        if (devType != m_failing)
            m_cfg.SetDrvAvail(devType, 3, 1);
    }

    std::vector<Pass> passes;

private:
    CDrvCfg& m_cfg;
    uint16_t m_failing;
};

TEST(DrvCfg, LoadDrvLibsScansTheFiveLibrariesInOrder)
{
    WorkspaceFixture fx;
    fx.dir.Write("CFG/ORV/ORV473.DRV", "x");
    CDrvCfg cfg(&fx.ws, nullptr);
    cfg.SetDrvAvail(706, 9, 1);
    RecordingScanner scanner(cfg);
    cfg.LoadDrvLibs(&scanner);

    const std::string dir = fx.CfgDir();
    const std::vector<RecordingScanner::Pass> expected = {
        {DrvFamily::F043, dir + "ORV014.DRV", 14},
        {DrvFamily::F043, dir + "ORV014.DRV", 14},
        {DrvFamily::F706, dir + "ORV473.DRV", 473},
        {DrvFamily::F706, dir + "ORV477.DRV", 477},
        {DrvFamily::F043, dir + "ORV118.DRV", 118},
    };
    EXPECT_EQ(scanner.passes, expected);
    for (uint16_t t : {14, 473, 477, 118})
        EXPECT_EQ(cfg.GetDrvAvail(t, 3), 1) << t;
    EXPECT_EQ(cfg.GetDrvAvail(706, 3), 0);
    EXPECT_EQ(cfg.GetDrvAvail(706, 9), 1);

    CDrvCfg quiet(&fx.ws, nullptr);
    quiet.LoadDrvLibs(nullptr);  // without a scanner nothing is read
    EXPECT_EQ(quiet.GetDrvAvail(14, 3), 0);
}

TEST(DrvCfg, LoadDrvLibsFindsALibraryWrittenInOtherCase)
{
    WorkspaceFixture fx;
    fx.dir.Write("CFG/ORV/orv014.drv", "x");
    CDrvCfg cfg(&fx.ws, nullptr);
    RecordingScanner scanner(cfg);
    cfg.LoadDrvLibs(&scanner);
    ASSERT_EQ(scanner.passes.size(), 5u);
    EXPECT_EQ(scanner.passes[0].path, fx.CfgDir() + "orv014.drv");
    EXPECT_EQ(scanner.passes[1].path, fx.CfgDir() + "orv014.drv");
}

TEST(DrvCfg, LoadDrvLibsUsesTheNameOfTheOverride)
{
    for (const char* name : {"C:\\SIM\\SIMUL.DRV", "/opt/sim/SIMUL.DRV", "SIMUL.DRV"}) {
        WorkspaceFixture fx;
        fx.ws.SetDrvOverride(name, true);
        CDrvCfg cfg(&fx.ws, nullptr);
        RecordingScanner scanner(cfg);
        cfg.LoadDrvLibs(&scanner);
        ASSERT_EQ(scanner.passes.size(), 5u);
        for (const auto& pass : scanner.passes)
            EXPECT_EQ(pass.path, fx.CfgDir() + "SIMUL.DRV") << name;
    }
}

TEST(DrvCfg, AFailingLibraryKeepsItsRowAndTheNextOneIsRead)
{
    WorkspaceFixture fx;
    CDrvCfg cfg(&fx.ws, nullptr);
    cfg.SetDrvAvail(473, 7, 1);
    RecordingScanner scanner(cfg, 473);
    cfg.LoadDrvLibs(&scanner);
    ASSERT_EQ(scanner.passes.size(), 5u);
    EXPECT_EQ(cfg.GetDrvAvail(473, 7), 1);
    EXPECT_EQ(cfg.GetDrvAvail(473, 3), 0);
    EXPECT_EQ(cfg.GetDrvAvail(477, 3), 1);
    EXPECT_EQ(cfg.GetDrvAvail(118, 3), 1);
}

} // namespace
