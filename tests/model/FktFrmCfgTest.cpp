#include "model/FktCfg.h"
#include "model/PrjBundle.h"

#include <gtest/gtest.h>

#include <string>

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
    PrjBundle bundle;
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
    PrjBundle bundle;
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

} // namespace
