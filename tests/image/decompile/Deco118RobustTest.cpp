#include "../compile/CompWorld.h"
#include "Deco118Kit.h"
#include "DecoSweep.h"

#include "image/compile/Comp118.h"
#include "image/decompile/Deco118.h"
#include "model/project/CharDef.h"
#include "model/project/DrvTab.h"
#include "model/project/Mnu.h"
#include "model/project/MsgTxt.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "model/project/RcpTxt.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "tools/cfggen/DrvBuilders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <set>

using namespace orv;

using deco_kit::BinPayload;
using deco_kit::Malformed;
using deco_kit::Mutated;
using namespace deco_b;

namespace {

const std::set<uint16_t> kDeco118RobustCodes{CDeco::kErrImage, CDeco::kErrDrv, CDeco::kErrRead, CDeco::kErrWord};

Image118Builder::Var Deco118RobustPlain(uint8_t adr)
{
    return {4, 0, adr, std::string(7, '\0'), 0, std::nullopt};
}

// A small project of every section, with the double-word option on and
// the firmware's clock and recipe numbers in rows, compiled into its first
// image.
std::string SmallCompiledImage()
{
    CompWorld c(118);
    CFirmwareVarSource source{c.workspace};
    c.dir.Write("ORV118.FRM", Firmware());
    c.workspace.SetFormFile(c.dir.File("ORV118.FRM"));
    c.prj.SetFwVarSource(&source);
    c.prj.Clear();
    c.prj.SetDWordVars(1);
    c.prj.SetDateMode(1);
    CPrjVarList& vars = *c.prj.GetVarList();
    vars.FindByName(std::string_view("[Z24]"))->SetAdr(40);
    vars.FindByName(std::string_view("[Z25]"))->SetAdr(50);
    CTextPool* pool = c.prj.GetTextPool();
    auto* bcd = c.Add(new CPrjVarBcd("Bcd", 1, 1, 0, 4, 0, 9999, 0));
    auto* bit = c.Add(new CPrjVarBit("Bit", 2, 2, 12, 3, pool));
    bit->SetStateTxt(0, "AUS");
    bit->SetStateTxt(1, "EIN");
    auto* bin = c.Add(new CPrjVarBin("Bin", 3, 1, 2, 4, 1, 0, 100, 0, 1000));
    auto* big = c.Add(new CPrjVarBin("Big", 4, 1, 7, 8, 0, 0, 100000, 0, 200000));
    auto* sgn = c.Add(new CPrjVarVbin("Sgn", 6, 1, 22, 6, 0, -500, 500, -1000, 1000));
    auto* lst = c.Add(new CPrjVarString("Lst", 8, 1, 14, pool));
    lst->SetTxtCount(2);
    for (int i = 0; i < 3; ++i)
        lst->SetStateTxt(i, std::string(static_cast<size_t>(i + 1), 'L').c_str());
    for (CPrjVar* var : std::initializer_list<CPrjVar*>{bcd, bit, bin, big, sgn, lst})
        var->SetWidth(4);
    CPrjOpTxt* first = c.OpTxt(1, "A      B", {{bcd, 1}});
    c.Row(first, "C     ", {{bit, 1}}, 2);
    CPrjOpTxt* second = c.OpTxt(2, "X          ", {{bin, 1}, {big, 6}});
    c.OpTxt(3, "T     ", {{vars.FindByName(std::string_view("[Z15]")), 0},
                         {vars.FindByName(std::string_view("[Z26]")), 3}});
    c.prj.InsMsgTxt(c.Row(new CMsgTxt(0, 3, 2, 0), "M     ", {{sgn, 2}}));
    c.prj.InsHlpTxt(1, c.Row(new CKindTxt(0), "H     ", {{lst, 1}}));
    c.prj.GetRcpTxtList()->Insert(c.Row(new CPrjRcpTxt(1), "R          ", {{bcd, 0}, {bin, 5}}));
    auto* act = new CPrjSkAct(1, "GO");
    act->SetOperation(0, CPrjSkAct::kOpWrite, 4, 5, 1);
    c.prj.InsSkAct(act);
    auto* sk = new CPrjSkTxt(0);
    sk->SetActs(1, act, nullptr);
    c.prj.InsSkTxt(sk);
    auto* menu = new CPrjMnu(1, "MAIN", 0x1234);
    menu->InsNode(new CPrjMnuNode(1, 0, 2, 0, 0, first, 1));
    menu->InsNode(new CPrjMnuNode(2, 1, 0, 0, 0, second, 0));
    c.prj.InsMnu(menu);
    c.prj.InsCharDef(new CCharDef(1, {1, 2, 3, 4, 5, 6, 7, 8}));
    c.prj.SetDescr("D");
    CComp118 comp(c.workspace, c.dir.File("P.BIN"), "", "", 0, c.bundle);
    EXPECT_EQ(comp.GetError(), 0);
    return c.dir.Read("P.BIN");
}

class Deco118Rig : public Deco118Fixture, public DecoSweepRig {
public:
    std::string Image() override { return SmallCompiledImage(); }
    const std::set<uint16_t>& Codes() const override { return kDeco118RobustCodes; }
    // Runs the decompile on a cleared project.
    uint16_t Fresh(const std::string& image) override
    {
        prj.SetDWordVars(0);
        ResetForDecompile();
        return Decompile(image);
    }
};

class Deco118Robust : public ::testing::Test, public Deco118Rig {};

TEST_F(Deco118Robust, MalformedTable)
{
    const Malformed cases[] = {
        {"cyclic variable chain",
         [] {
             Image118Builder b;
             const uint16_t first = b.AddVar(Deco118RobustPlain(1));
             const uint16_t second = b.AddVar(Deco118RobustPlain(2));
             b.U16(first, second);
             return b.Finish();
         },
         CDeco::kErrRead},
        {"cyclic node chain",
         [] {
             Image118Builder b;
             b.AddList(Image118Builder::kOpTexts, {{1, 0, {"T"}}});
             b.AddMenus({{1, 0, {{1, 0, 0, 0, 0, 1}, {2, 0, 0, 0, 0, 1}}}});
             const uint16_t first = static_cast<uint16_t>(BeWord(b.DataSet(), BeWord(b.DataSet(), 168) + 14u));
             b.U16(first + 8u, first);
             return b.Finish();
         },
         CDeco::kErrRead},
        {"nine references in a row",
         [] {
             Image118Builder b;
             const uint16_t v = b.AddVar({1, 34, 1, "", 0, std::nullopt});
             std::string row;
             for (int i = 0; i < 9; ++i)
                 row += Image118Builder::Field(v);
             b.AddList(Image118Builder::kOpTexts, {{0, 0, {row}}});
             return b.Finish();
         },
         CDeco::kErrRead},
        {"divisor 0",
         [] {
             Image118Builder b;
             b.AddVar({5, 2, 1, BinPayload(0, 100, 0, 1, 0, 0), 0, std::nullopt});
             return b.Finish();
         },
         CDeco::kErrRead},
        {"double-word divisor 0",
         [] {
             Image118Builder b;
             b.Mask(2);
             b.AddVar({5, 23, 1, VbinDwPayload(0, 100, 0, 1, 0), 0, std::nullopt});
             return b.Finish();
         },
         CDeco::kErrRead},
        {"menu place beyond 255",
         [] {
             Image118Builder b;
             b.AddList(Image118Builder::kOpTexts, {{1, 0, {"T"}}});
             b.AddMenus({{256, 0, {{1, 0, 0, 0, 0, 1}}}});
             return b.Finish();
         },
         CDeco::kErrRead},
        {"menu places 0 and 256",
         [] {
             Image118Builder b;
             b.AddList(Image118Builder::kOpTexts, {{1, 0, {"T"}}});
             b.AddMenus({{0, 0, {{1, 0, 0, 0, 0, 1}}}, {256, 0, {{1, 0, 0, 0, 0, 1}}}});
             return b.Finish();
         },
         CDeco::kErrRead},
        {"menu node without its operator text",
         [] {
             Image118Builder b;
             b.AddMenus({{1, 0, {{1, 0, 0, 0, 0, 9}}}});
             return b.Finish();
         },
         CDeco::kErrRead},
        {"text table past the end",
         [] {
             Image118Builder b;
             b.U16(Image118Builder::kMsgTexts, 0xFFF0);
             return b.Finish();
         },
         CDeco::kErrRead},
        {"place count past the end",
         [] {
             Image118Builder b;
             const uint16_t table = b.AddList(Image118Builder::HelpSlot(2), {{0, 0, {"H"}}});
             b.U16(table + 10u, 0x7FFF);
             return b.Finish();
         },
         CDeco::kErrRead},
        {"row count past the end",
         [] {
             Image118Builder b;
             const uint16_t table = b.AddList(Image118Builder::kRcpTexts, {{0, 0, {"R"}}});
             b.U8(BeWord(b.DataSet(), table + 12u) + 1u, 0xFF);
             return b.Finish();
         },
         CDeco::kErrRead},
        {"name past the end",
         [] {
             Image118Builder b;
             b.AddVar({4, 0, 1, std::string(7, '\0'), 0x9000, std::nullopt});
             return b.Finish();
         },
         CDeco::kErrRead},
        {"state texts past the end",
         [] {
             Image118Builder b;
             b.AddVar({4, 14, 1, ByteBuilder().U8(0, 200).U16(1, 260).Str(), 0, std::nullopt});
             return b.Finish();
         },
         CDeco::kErrRead},
        {"date block past the end",
         [] {
             Image118Builder b;
             b.U16(172, 0xFFFF);
             return b.Finish();
         },
         CDeco::kErrRead},
        {"recipe block past the end",
         [] {
             Image118Builder b;
             b.U16(216, static_cast<uint16_t>(b.Size() + 2));
             return b.Finish();
         },
         CDeco::kErrRead},
        {"101 records of one name",
         [] {
             Image118Builder b;
             for (int i = 0; i < 101; ++i)
                 b.AddName(b.AddVar(Deco118RobustPlain(static_cast<uint8_t>(i % 60))), "X");
             return b.Finish();
         },
         CDeco::kErrRead},
        {"empty image", [] { return std::string(); }, CDeco::kErrRead},
    };
    for (const Malformed& c : cases) {
        EXPECT_EQ(Fresh(c.image()), c.code) << c.what;
        EXPECT_FALSE(CDeco118(&workspace, dir.File("IMG.BIN"), DrvPath(), "", &bundle).CheckError()) << c.what;
    }
    EXPECT_EQ(CDeco118(&workspace, dir.File("NONE.BIN"), DrvPath(), "", &bundle).GetError(), CDeco::kErrImage);
}

TEST_F(Deco118Robust, WithoutProjectObjectsNothingCountsAsSuccess)
{
    const std::string image = Image118Builder().Finish();
    world.Unwire(WorldPart::CharSet);
    EXPECT_EQ(Fresh(image), CDeco::kErrRead);
    world.Rewire(WorldPart::CharSet);
    world.Unwire(WorldPart::Sps);
    EXPECT_EQ(Fresh(image), CDeco::kErrRead);
    world.Rewire(WorldPart::Sps);
    EXPECT_EQ(Fresh(image), 0);
}

TEST_F(Deco118Robust, MissingOrCutDriverFileGives5)
{
    // A driver record, so that the block's records are read too.
    drv.AddParItem(new CDrvTabEntry5(0, 0, 0, 0, 0));
    Drv043Entry e;
    DrvXrefLayout x;
    x.kind = 'E';
    x.count = 1;
    e.xref = x;
    const std::string driver = e.Build().bytes;
    Image118Builder b;
    b.AddVar(Deco118RobustPlain(1));
    const std::string image = b.Finish();
    std::filesystem::remove(DrvPath());
    EXPECT_EQ(Fresh(image), CDeco::kErrDrv);
    for (size_t cut = 0; cut < driver.size(); ++cut) {
        dir.Write("PRJ.DRV", driver.substr(0, cut));
        EXPECT_EQ(Fresh(image), CDeco::kErrDrv) << cut;
        // Nothing of the data set is decoded after it.
        EXPECT_EQ(workspace.MemInfo().counts.vars, 0) << cut;
    }
    dir.Write("PRJ.DRV", driver);
    EXPECT_EQ(Fresh(image), 0);
}

TEST_F(Deco118Robust, SmallCompiledImageDecompiles)
{
    EXPECT_EQ(Fresh(SmallCompiledImage()), 0);
    EXPECT_EQ(Var("[Z24]")->GetAdr(), 40);
    EXPECT_EQ(Var("[Z25]")->GetAdr(), 50);
    // With the built-in lists [Z084] and [Z085].
    EXPECT_EQ(workspace.MemInfo().counts.vars, 6 + 2);
    EXPECT_EQ(workspace.MemInfo().counts.rcpTexts, 1);
    EXPECT_EQ(workspace.MemInfo().counts.menuNodes, 2);
    EXPECT_EQ(prj.GetDWordVars(), 1);
}

} // namespace

std::unique_ptr<DecoSweepRig> orv::MakeDeco118SweepRig() { return std::make_unique<Deco118Rig>(); }
