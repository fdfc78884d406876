#include "Deco118Kit.h"
#include "RoundTripKit.h"

#include "image/compile/Comp118.h"
#include "image/compile/Comp118Img2.h"
#include "image/decompile/Deco118.h"
#include "image/firmware/FirmwareSource.h"
#include "model/project/FrmCfg.h"
#include "model/project/MsgTxt.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "model/project/TxtRow.h"
#include "tools/cfggen/DrvBuilders.h"

#include <gtest/gtest.h>

using namespace orv;

namespace {

// A project of a 118-family panel whose built-in variables come from the
// firmware fixture, written to and read from source files, compiled and
// decompiled with a driver file of its own.
class SourceProject118 : public DecoWorld {
public:
    explicit SourceProject118(uint16_t panel) : DecoWorld(panel)
    {
        world.Rewire(WorldPart::Frm);
        frm.SetFrmId("FW118");
        dir.Write("ORV118.FRM", deco_b::Firmware());
        workspace.SetFormFile(dir.File("ORV118.FRM"));
        prj.SetFwVarSource(&source);
        prj.SetDsType(panel);
        charSet.FillFontBuffer(charSet.GetGroup());
        prj.Clear();
        prj.SetSrcDevType(panel);
        workspace.MemInfo().freeData = kFreeData;
        Drv043Entry e;
        e.tail = "CODE";
        dir.Write("PRJ.DRV", e.Build().bytes);
    }

    // Both images as the compile command makes them; the first one's error.
    uint16_t Compile()
    {
        CComp118 comp(workspace, dir.File("P.BIN"), "", "", 0, bundle);
        if (comp.GetError() == 0) {
            CComp118Img2 second(workspace, dir.File("P.RCP"), bundle);
            EXPECT_EQ(second.GetError(), 0);
        }
        return comp.GetError();
    }

    // The first image decompiled into the cleared project.
    uint16_t Decompile()
    {
        prj.Clear();
        CDeco118 deco(&workspace, dir.File("P.BIN"), DrvPath(), "", &bundle);
        return deco.GetError();
    }

    static constexpr uint32_t kFreeData = 40960;
    CFirmwareVarSource source{workspace};
};

// Golden sources: S2 equals S1, or the golden's ".s2" file.
class RoundTrip118 : public ::testing::TestWithParam<const char*> {};

TEST_P(RoundTrip118, WrittenAgainByteForByte)
{
    const std::string golden = Golden(GetParam());
    const uint16_t panel = PanelOf(golden);
    ASSERT_NE(panel, 0);
    SourceProject118 p(panel);
    const RoundTripOutcome out = GoldenRoundTrip(
        p, golden, [&p] { ASSERT_EQ(p.Compile(), 0); },
        [&p] { ASSERT_EQ(p.Decompile(), 0) << ::testing::PrintToString(p.LogLines()); });
    EXPECT_EQ(out.s2, ExpectedS2(GetParam(), out.s1));
}

INSTANTIATE_TEST_SUITE_P(Goldens, RoundTrip118,
                         ::testing::Values("rt118.orv", "rt163.orv", "rt167.orv", "lossb-rowchars.orv",
                                           "lossb-recipevalues.orv"));

// Losses that no source file can show: the source has no type 32, no
// help list 5 and no operator text template on these panels, and it writes
// the PLC range of a double word only with the option on.
class RoundTrip118Losses : public ::testing::Test {
protected:
    template <class Entry>
    static Entry* Row(Entry* entry, const char* text)
    {
        entry->SetRowCount(1);
        entry->SetRow(std::make_unique<CPrjTxtRow>(1, text, nullptr));
        return entry;
    }
    CPrjVar* Var(const char* name) const { return p.prj.GetVarList()->FindByName(std::string_view(name)); }

    SourceProject118 p{163};
};

TEST_F(RoundTrip118Losses, WhatTheImageCannotCarry)
{
    CPrjData& prj = p.prj;
    ASSERT_EQ(prj.GetDWordVars(), 0);
    prj.InsVar(new CPrjVarWord("Wort32", 1, 1, 32, 0));
    prj.InsVar(new CPrjVarBin("Menge", 2, 1, 6, 8, 0, 0, 100000, 10, 50000));
    prj.InsVar(new CPrjVarVbin("Ist", 4, 1, 22, 7, 1, -100000, 100000, -5, 5));
    prj.InsHlpTxt(4, Row(new CKindTxtRange(0, 0xFFFF), "vier"));
    prj.InsHlpTxt(5, Row(new CKindTxtRange(0, 0xFFFF), "fuenf"));
    prj.InsOpTxt(Row(new CPrjOpTxtRange(0, 10), "Vorlage"));
    prj.InsOpTxt(Row(new CPrjOpTxt(3), "drei"));
    ASSERT_EQ(p.Compile(), 0);
    ASSERT_EQ(p.Decompile(), 0);

    ASSERT_NE(Var("Wort32"), nullptr);
    EXPECT_EQ(Var("Wort32")->GetType(), 33);
    EXPECT_EQ(Var("Wort32")->GetExtByte0(), 0);
    // Without the option the double words come back with the whole PLC
    // range of their kind.
    ASSERT_NE(Var("Menge"), nullptr);
    EXPECT_EQ(Var("Menge")->GetExtWord3(), 0);
    EXPECT_EQ(Var("Menge")->GetExtWord4(), 0xFFFF);
    ASSERT_NE(Var("Ist"), nullptr);
    EXPECT_EQ(Var("Ist")->GetExtWord2(), 100000);
    EXPECT_EQ(Var("Ist")->GetExtWord3(), 0);
    EXPECT_EQ(Var("Ist")->GetExtWord4(), 0x7FFF);
    // Lists 4 and 5 share a slot: list 5 comes back as list 4.
    ASSERT_EQ(prj.GetHlpTxtList(4)->GetCount(), 1);
    EXPECT_EQ(prj.GetHlpTxtList(4)->ItemAt(0)->GetRow(1)->GetText(), "fuenf");
    EXPECT_EQ(prj.GetHlpTxtList(5)->GetCount(), 0);
    // The operator text table carries no template.
    EXPECT_EQ(prj.GetOpTxtList()->GetTemplate(), nullptr);
    EXPECT_NE(prj.GetOpTxtList()->FindByNum(3), nullptr);
}

// Without the root, the PLC parameters or the character set nothing can be
// decoded, and an empty project is no success.
TEST(Decompile118, NeedsRootPlcParametersAndCharacterSet)
{
    SourceProject118 p(118);
    p.prj.InsOpTxt(new CPrjOpTxt(1));
    ASSERT_EQ(p.Compile(), 0);
    const std::pair<const char*, WorldPart> cases[] = {
        {"root", WorldPart::Root},
        {"PLC parameters", WorldPart::Sps},
        {"character set", WorldPart::CharSet},
    };
    for (const auto& [what, part] : cases) {
        p.world.Unwire(part);
        {
            CDeco118 deco(&p.workspace, p.dir.File("P.BIN"), p.DrvPath(), "", &p.bundle);
            EXPECT_EQ(deco.GetError(), CDeco::kErrRead) << what;
        }
        p.world.Rewire(part);
    }
    EXPECT_EQ(CDeco118(&p.workspace, p.dir.File("P.BIN"), p.DrvPath(), "", nullptr).GetError(), CDeco::kErrRead);
    EXPECT_EQ(p.Decompile(), 0);
}

} // namespace
