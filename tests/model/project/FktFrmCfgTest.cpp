#include "model/project/FktCfg.h"
#include "model/project/FrmCfg.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "support/ProjectWorld.h"

#include <gtest/gtest.h>

#include <string>

using namespace orv;

namespace {

TEST(FktFrmCfg, FktCfgCutsItsFieldsAtTheirWidths)
{
    CFktCfg cfg(nullptr);
    cfg.SetFile("ABCDEFGHIJKL.XY");  // 15
    EXPECT_EQ(cfg.GetFile(), "ABCDEFGHIJKL");
    cfg.SetName("NAME567890abc");
    EXPECT_EQ(cfg.GetName(), "NAME567890");
    cfg.SetVersion("1.234567");
    EXPECT_EQ(cfg.GetVersion(), "1.234");
    cfg.SetDate("01.02.2003 12:00");
    EXPECT_EQ(cfg.GetDate(), "01.02.2003");
    cfg.SetVersion("V1");  // a shorter text replaces the whole field
    EXPECT_EQ(cfg.GetVersion(), "V1");
    const std::string path(300, 'p');  // paths have no width
    cfg.SetPath(path);
    EXPECT_EQ(cfg.GetPath(), path);
}

TEST(FktFrmCfg, FktCfgClearKeepsTheInUseFlag)
{
    PrjBundle bundle;  // the configuration alone, no other part beside it
    CFktCfg cfg(&bundle);
    cfg.SetUsed(1);
    cfg.SetLoaded(1);
    cfg.SetPath("/p/x.FKT");
    cfg.SetName("n");
    cfg.SetFile("X.FKT");
    cfg.SetVersion("1.0");
    cfg.SetDate("d");
    cfg.SetModified(true);
    cfg.Clear();
    EXPECT_EQ(cfg.IsUsed(), 1);
    EXPECT_EQ(cfg.IsLoaded(), 0);
    EXPECT_EQ(cfg.GetModCount(), 0);
    EXPECT_EQ(bundle.modCount, 0);
    EXPECT_EQ(cfg.GetPath(), "");
    EXPECT_EQ(cfg.GetName(), "");
    EXPECT_EQ(cfg.GetFile(), "");
    EXPECT_EQ(cfg.GetVersion(), "");
    EXPECT_EQ(cfg.GetDate(), "");
}

TEST(FktFrmCfg, FktCfgCounterMovesTheBundleCounter)
{
    PrjBundle bundle;  // the configuration alone, no other part beside it
    CFktCfg cfg(&bundle);
    bundle.modCount = 4;  // changes counted by other members
    EXPECT_EQ(cfg.SetModified(false), 0);
    EXPECT_EQ(bundle.modCount, 4);  // nothing of this object's to clear

    cfg.SetModified(true);
    cfg.SetModified(true);
    EXPECT_EQ(cfg.GetModCount(), 2);
    EXPECT_EQ(bundle.modCount, 6);
    cfg.SetModified(false);
    EXPECT_EQ(cfg.GetModCount(), 0);
    EXPECT_EQ(bundle.modCount, 0);

    CFktCfg loose(nullptr);  // without a bundle only its own counter moves
    loose.SetModified(true);
    EXPECT_EQ(loose.GetModCount(), 1);
}

TEST(FktFrmCfg, SetFrmIdDerivesTheVersionFromAFullId)
{
    struct Case {
        std::string in;
        std::string id;
        std::string version;
    };
    const Case cases[] = {
        {"ABCDE1234", "ABCDE1234", "123.4"},
        {"ABCDE123", "ABCDE123", ""},
        {"ABCDE1234XYZ", "ABCDE1234", "123.4"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        CFrmCfg cfg(nullptr);
        cfg.SetFrmId("QQQQQ9876");
        cfg.SetFrmId(c.in);
        EXPECT_EQ(cfg.GetFrmId(), c.id) << c.in;
        EXPECT_EQ(cfg.GetVersion(), c.version) << c.in;
    }
}

TEST(FktFrmCfg, FrmCfgNameAndClear)
{
    CFrmCfg cfg(nullptr);
    cfg.SetName("12.03.2004 extra");
    EXPECT_EQ(cfg.GetName(), "12.03.2004");
    cfg.SetFrmId("ABCDE1234");
    cfg.Clear();
    EXPECT_EQ(cfg.GetFrmId(), "");
    EXPECT_EQ(cfg.GetVersion(), "");
    EXPECT_EQ(cfg.GetName(), "");
}

TEST(FktFrmCfg, FrmFileNameFollowsThePanelType)
{
    struct Case {
        uint16_t devType;
        const char* file;
    };
    const Case cases[] = {
        {14, "ORV706.FRM"},  {36, "ORV706.FRM"},  {43, "ORV706.FRM"},  {47, "ORV706.FRM"},
        {755, "ORV706.FRM"}, {118, "ORV118.FRM"}, {163, "ORV163.FRM"}, {167, "ORV167.FRM"},
        {473, "ORV473.FRM"}, {477, "ORV473.FRM"}, {706, "ORV706.FRM"}, {999, "ORV706.FRM"},
    };
    const auto world = World().Build();
    const CFrmCfg& cfg = *world->frm;
    for (const Case& c : cases) {
        world->prj->SetDevType(c.devType);
        EXPECT_EQ(cfg.FrmFileName(), c.file) << c.devType;
    }

    PrjBundle empty;  // no root to ask
    EXPECT_EQ(CFrmCfg(&empty).FrmFileName(), "ORV706.FRM");
    EXPECT_EQ(CFrmCfg(nullptr).FrmFileName(), "ORV706.FRM");
}

} // namespace
