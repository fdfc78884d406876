#include "model/project/CharDef.h"
#include "model/project/DrvCfg.h"
#include "model/project/DrvTab.h"
#include "model/project/Mnu.h"
#include "model/project/OpTxt.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "source/writer/SrcDriver.h"
#include "source/writer/SrcKeys.h"
#include "source/reader/SrcRules.h"
#include "support/ProjectWorld.h"
#include "SrcWriterRig.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace orv;

namespace {

TEST(WriterLayoutTest, ActionRecords)
{
    SrcWriterRig rig(43);
    CPrjSkActList acts(8, 8);
    auto* named = acts.Adopt(std::make_unique<CPrjSkAct>(1, "Motor ein"));
    named->SetOperation(0, CPrjSkAct::kOpWrite, 38, 1, CPrjSkAct::kFmtDec);
    named->SetOperation(2, CPrjSkAct::kOpOr, 40, 1, CPrjSkAct::kFmtHex);
    auto* plain = acts.Adopt(std::make_unique<CPrjSkAct>(3, nullptr));
    plain->SetOperation(0, CPrjSkAct::kOpAnd, 40, 0xFFFE, CPrjSkAct::kFmtBin);
    plain->SetOperation(1, CPrjSkAct::kOpWrite, 41, 7, CPrjSkAct::kFmtNone);
    const std::string out = rig.Write([&](CSrcSink& s) { WriteActionRecords(s, &acts); });
    EXPECT_EQ(out, "ACTION,   1, \"Motor ein\"\r\nWRITE,  38, 1\r\nOR   ,  40, $0001\r\n\r\n"
                   "ACTION,   3\r\nAND  ,  40, b1111111111111110\r\nWRITE,  41, 7\r\n\r\n");
    // The value without a format is written in decimal rather than empty.
    EXPECT_EQ(rig.leftOut, 1);
    acts.DeleteAll();
}

// Only texts with actions, and only the keys the panel has (counted when
// an action is lost): F20 exists on the 706 alone.
TEST(WriterLayoutTest, SoftkeysOnlyWithActions)
{
    CPrjSkActList acts(8, 8);
    CPrjSkAct* a1 = acts.Adopt(std::make_unique<CPrjSkAct>(1, nullptr));
    CPrjSkAct* a2 = acts.Adopt(std::make_unique<CPrjSkAct>(2, nullptr));
    for (const uint16_t type : {706, 43}) {
        SrcWriterRig rig(type);
        CPrjSkTxtList keys(8, 8);
        auto* k0 = static_cast<CPrjSkTxt*>(keys.Adopt(std::make_unique<CPrjSkTxt>(0)));
        k0->SetActs(1, a1, nullptr);
        k0->SetActs(20, a2, a1);
        keys.Adopt(std::make_unique<CPrjSkTxt>(1)); // no action: left out
        const std::string out =
            rig.Write([&](CSrcSink& s) { WriteSoftkeyRecords(s, &keys, PanelType(type, false)); });
        const std::string f20 = type == 706 ? "F20,   2,   1\r\n" : "";
        EXPECT_EQ(out, "SOFTKEY,   0\r\nF1 ,   1,   0\r\n" + f20 + "\r\n") << type;
        EXPECT_EQ(rig.leftOut, type == 706 ? 0 : 1) << type;
        keys.DeleteAll();
    }
    acts.DeleteAll();
}

TEST(WriterLayoutTest, MenusWithAndWithoutMaskAndTheirNodes)
{
    SrcWriterRig rig(43);
    CPrjOpTxt t1(1), t2(2);
    {
        CPrjMnuList menus(8, 8);
        auto* main = menus.Adopt(std::make_unique<CPrjMnu>(1, "Hauptmenue", 0x303F));
        main->InsNode(new CPrjMnuNode(1, 0, 2, 0, 0, &t1, 0));
        main->InsNode(new CPrjMnuNode(2, 1, 3, 0, 0, nullptr, 0)); // no text: left out
        main->InsNode(new CPrjMnuNode(3, 2, 0, 0, 0, &t2, 1));     // the start node comes first
        auto* service = menus.Adopt(std::make_unique<CPrjMnu>(2, "Service", 0x003F));
        service->InsNode(new CPrjMnuNode(1, 0, 0, 0, 0, &t2, 1));
        auto* bare = menus.Adopt(std::make_unique<CPrjMnu>(3, "Leer", 0x303F));
        bare->InsNode(new CPrjMnuNode(1, 0, 0, 0, 0, nullptr, 1)); // no node left: menu left out
        const std::string out = rig.Write([&](CSrcSink& s) { WriteMenuRecords(s, &menus, 0x303F); });
        EXPECT_EQ(out, "MENU, Hauptmenue      ,   1\r\n"
                       "NODE,   3,   2,   0,   0,   0,   2\r\n"
                       "NODE,   1,   0,   2,   0,   0,   1\r\n\r\n"
                       "MENU, Service         ,   2, 003F\r\n"
                       "NODE,   1,   0,   0,   0,   0,   2\r\n\r\n");
        // Two nodes and one menu.
        EXPECT_EQ(rig.leftOut, 3);
        menus.DeleteAll();
    }
}

TEST(WriterLayoutTest, CharDefsOn706AndElsewhere)
{
    CCharDefColl defs(4, 4);
    defs.Adopt(std::make_unique<CCharDef>(5, CCharDef::Rows{4, 14, 21, 4, 4, 4, 4, 0}));
    defs.Adopt(std::make_unique<CCharDef>(6, CCharDef::Rows{12, 18, 18, 12, 0, 0, 0, 0}));
    SrcWriterRig alt(43);
    EXPECT_EQ(alt.Write([&](CSrcSink& s) { WriteCharDefLines(s, &defs, PanelType(43, false)); }),
              "CHAR, 5,  4, 14, 21,  4,  4,  4,  4,  0\r\nCHAR, 6, 12, 18, 18, 12,  0,  0,  0,  0\r\n\r\n");
    SrcWriterRig f706(706);
    EXPECT_EQ(f706.Write([&](CSrcSink& s) { WriteCharDefLines(s, &defs, PanelType(706, false)); }),
              "CHAR,   5,  4, 14, 21,  4,  4,  4,  4\r\nCHAR,   6, 12, 18, 18, 12,  0,  0,  0\r\n\r\n");
    defs.DeleteAll();
}

TEST(WriterLayoutTest, DriverExtensionRecords)
{
    const auto world = World().Drv().Build();
    CDrvCfg& drv = *world->drvCfg;
    drv.SetDrvNo(5);
    drv.AddParItem(new CDrvTabEntry5(2, 1, 0, 10, 4));  // data block 10, data word 4
    drv.AddParItem(new CDrvTabEntry5(1, 2, 4, 0, 300)); // no data block: area IW
    drv.AddParItem(new CDrvTabEntry5(1, 3, 6, 0, 7));   // TW takes odd words
    // What the reader refuses: DW, DB and RES without data block, odd words.
    drv.AddParItem(new CDrvTabEntry5(1, 4, 0, 0, 8));
    drv.AddParItem(new CDrvTabEntry5(1, 5, 1, 0, 8));
    drv.AddParItem(new CDrvTabEntry5(1, 6, 2, 0, 8));
    drv.AddParItem(new CDrvTabEntry5(1, 7, 3, 0, 9));
    drv.AddParItem2(new CDrvTabEntry6(3, 1, 2, 3, 4, 5));
    drv.AddParItem3(new CSpsDef(1, 2, 3, 0, nullptr));
    drv.AddParItem3(new CSpsDef(2, 5, 1, 1, nullptr));
    const std::string head = std::string("COM_LIST-") + CDrvCfg::DrvIniKey(5) + "\r\n";
    const std::string sep = " " + std::string(76, '_') + "\r\n\r\n";
    SrcWriterRig rig(43);

    // Without the extension flag the driver writes nothing.
    EXPECT_EQ(rig.Write([&](CSrcSink& s) { WriteDriverLines(s, drv); }), "");

    drv.SetFlag(CDrvCfg::kFlagXref, 1);
    EXPECT_EQ(rig.Write([&](CSrcSink& s) { WriteDriverLines(s, drv); }),
              head + "WORD   1,  DB    10,  DW     4\r\nWORD   2,  IW   300\r\nWORD   3,  TW     7\r\n\r\n");
    EXPECT_EQ(rig.leftOut, 4);

    drv.SetFlag(CDrvCfg::kFlagMultiPlc, 1);
    EXPECT_EQ(rig.Write([&](CSrcSink& s) { WriteDriverLines(s, drv); }),
              "MULTI_EXT\r\nPLC  1,   2,  3,  0\r\nPLC  2,   5,  1,  1\r\n\r\n" + sep + head +
                  "WORD   1,  DB    10,  DW     4, PLC 2\r\nWORD   2,  IW   300, PLC 1\r\n"
                  "WORD   3,  TW     7, PLC 1\r\n\r\n");

    // The indexed table belongs to its own driver and is written under the
    // words of its entries; another driver reads only the word table.
    for (const uint16_t drvNo : {kDrvIndexedRefs, uint16_t{5}}) {
        CDrvCfg second(nullptr, &world->bundle);
        second.SetDrvNo(drvNo);
        second.SetFlag(CDrvCfg::kFlagXref, 1);
        second.AddParItem2(new CDrvTabEntry6(3, 1, 2, 3, 4, 5));
        second.AddParItem2(new CDrvTabEntry6(31, 1, 2, 3, 4, 5));
        const std::string out = rig.Write([&](CSrcSink& s) { WriteDriverLines(s, second); });
        if (drvNo == kDrvIndexedRefs) {
            EXPECT_EQ(out, std::string("COM_LIST-") + CDrvCfg::DrvIniKey(drvNo) +
                               "\r\nWORD   3,   1,    2,  3,    4,     5\r\nWORD  32,   1,    2,  3,    4,     5\r\n\r\n");
            EXPECT_EQ(rig.leftOut, 0);
        } else {
            EXPECT_EQ(out, "");
            EXPECT_EQ(rig.leftOut, 1);
        }
    }
}

} // namespace
