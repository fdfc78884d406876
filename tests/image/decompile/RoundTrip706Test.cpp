// Golden sources of panels 706, 473 and 477: each is loaded and written
// (S1), compiled, decompiled into the cleared project with the same
// firmware, driver and special-function files, and written again (S2). S2
// equals S1, or the golden's ".s2" file where the image loses what it
// cannot carry.
#include "DecoWorld.h"
#include "RoundTripKit.h"

#include "image/compile/Comp706.h"
#include "image/decompile/Deco706.h"
#include "image/firmware/FirmwareSource.h"
#include "model/project/CharDef.h"
#include "model/project/FrmCfg.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "tools/cfggen/DrvBuilders.h"
#include "support/FktBuilders.h"
#include "support/RoundTripFirmware.h"
#include "tools/cfggen/FwBuilders.h"

#include <gtest/gtest.h>

#include <functional>

using namespace orv;

namespace {

// A firmware with the built-in variables the goldens set.
std::string FirmwareFixture()
{
    Fw706Image img;
    return AddRoundTripVars(img).Build();
}

// A bundle of the panel whose built-in variables come from the firmware
// fixture, with a firmware configuration for the compiler.
class SourceProject706 : public DecoWorld {
public:
    SourceProject706(uint16_t panel, const std::string& firmware) : DecoWorld(panel)
    {
        world.Rewire(WorldPart::Frm);
        frm.SetFrmId("FW706");
        dir.Write("ORV706.FRM", firmware);
        workspace.SetFormFile(dir.File("ORV706.FRM"));
        prj.SetFwVarSource(&source);
        charSet.FillFontBuffer(charSet.GetGroup());
        prj.Clear();
        prj.SetSrcDevType(panel);
        workspace.MemInfo().freeData = 0x3FFFF;
    }

    CFirmwareVarSource source{workspace};
};

// The golden's trip; tweak changes the loaded project before the compile,
// for what no source line can carry; memLimit (when not 0) is the panel
// memory the compile gets.
RoundTripOutcome RoundTrip(SourceProject706& p, const std::string& golden,
                           const std::function<void(CPrjData&)>& tweak = {}, uint32_t memLimit = 0)
{
    const uint16_t panel = PanelOf(golden);
    auto compile = [&] {
        if (tweak)
            tweak(p.prj);
        Drv706Entry drv;
        drv.base = panel == 706 ? Drv706Entry::kBase706 : Drv706Entry::kBase473;
        p.dir.Write("PRJ.DRV", drv.Build().bytes);
        Fkt706File fkt;
        p.dir.Write("PRJ.FKT", fkt.Build());
        if (memLimit != 0)
            p.workspace.MemInfo().freeData = memLimit;
        CComp706 comp(p.workspace, p.dir.File("P.BIN"), p.bundle);
        EXPECT_EQ(comp.GetError(), 0);
    };
    auto decompile = [&] {
        CDeco706 deco(&p.workspace, p.dir.File("P.BIN"), p.DrvPath(), p.dir.File("PRJ.FKT"), &p.bundle);
        EXPECT_EQ(deco.GetError(), 0) << deco.GetErrName();
    };
    return GoldenRoundTrip(p, golden, compile, decompile);
}

class RoundTrip706 : public ::testing::TestWithParam<const char*> {};

TEST_P(RoundTrip706, WrittenAgainByteForByte)
{
    const std::string golden = Golden(GetParam());
    ASSERT_NE(PanelOf(golden), 0);
    SourceProject706 p(PanelOf(golden), FirmwareFixture());
    const RoundTripOutcome out = RoundTrip(p, golden);
    EXPECT_EQ(out.s2, ExpectedS2(GetParam(), out.s1));
}

INSTANTIATE_TEST_SUITE_P(Goldens, RoundTrip706, ::testing::Values("rt706.orv", "rt473.orv", "rt477.orv"));

CPrjVar* Var(const CPrjData& prj, const char* name)
{
    return prj.GetVarList()->FindByName(std::string_view(name));
}

// What the image cannot carry. Each golden is small; its ".s2" shows the
// loss where a source can show it, and check looks at the decompiled
// project where a source cannot.
struct LossCase {
    const char* golden;
    std::function<void(CPrjData&)> tweak;
    std::function<void(const CPrjData&)> check;
    bool tightMemory = false;
};

void PrintTo(const LossCase& c, std::ostream* os) { *os << c.golden; }

class RoundTrip706Losses : public ::testing::TestWithParam<LossCase> {};

TEST_P(RoundTrip706Losses, DecompiledAsExpected)
{
    const LossCase& c = GetParam();
    const std::string golden = Golden(c.golden);
    ASSERT_NE(PanelOf(golden), 0);
    uint32_t memLimit = 0;
    if (c.tightMemory) {
        // Room for everything but the description.
        SourceProject706 full(PanelOf(golden), Fw706Image().Build());
        RoundTrip(full, golden, c.tweak);
        memLimit = static_cast<uint32_t>(full.dir.Read("P.BIN").size()) - 1;
    }
    // No built-in variables: the goldens stay small.
    SourceProject706 p(PanelOf(golden), Fw706Image().Build());
    const RoundTripOutcome out = RoundTrip(p, golden, c.tweak, memLimit);
    EXPECT_EQ(out.s2, ExpectedS2(c.golden, out.s1));
    if (c.check)
        c.check(p.prj);
}

const LossCase kLosses[] = {
    // A word variable of the form without a display form comes back as a
    // word variable of form 0.
    {"loss706word.orv", [](CPrjData& prj) { Var(prj, "Wort")->SetType(32); }, {}},
    // Double words keep no PLC range.
    {"loss706plc.orv",
     [](CPrjData& prj) {
         Var(prj, "Menge")->SetExtWord3(10);
         Var(prj, "Menge")->SetExtWord4(5000);
         Var(prj, "Ist")->SetExtWord3(-100);
         Var(prj, "Ist")->SetExtWord4(100);
     },
     [](const CPrjData& prj) {
         for (const char* name : {"Menge", "Ist"}) {
             EXPECT_EQ(Var(prj, name)->GetExtWord3(), 0) << name;
             EXPECT_EQ(Var(prj, name)->GetExtWord4(), 0) << name;
         }
     }},
    // BCD variables keep no flag.
    {"loss706bcd.orv", [](CPrjData& prj) { static_cast<CPrjVarBcd*>(Var(prj, "Druck"))->SetFlag(1); },
     [](const CPrjData& prj) { EXPECT_EQ(Var(prj, "Druck")->GetExtByte12(), 0); }},
    // A 706 character keeps seven rows of five pixels.
    {"loss706char.orv",
     [](CPrjData& prj) {
         CCharDef* def = prj.GetCharDefColl()->FindByCode(130);
         def->SetRow(0, 0xFF);
         def->SetRow(7, 0x1F);
     },
     [](const CPrjData& prj) {
         const CCharDef* def = prj.GetCharDefColl()->FindByCode(130);
         ASSERT_NE(def, nullptr);
         EXPECT_EQ(def->GetRow(0), 0x1F);
         EXPECT_EQ(def->GetRow(7), 0);
     }},
    // An all-zero character of the 473 is not brought back.
    {"loss473char.orv", {}, {}},
    // Screen rows keep 39 packed bytes, printer rows 131 bytes.
    {"loss706rows.orv", {}, {}},
    // A description that does not fit is left out.
    {"loss706descr.orv", {}, {}, true},
};

INSTANTIATE_TEST_SUITE_P(Goldens, RoundTrip706Losses, ::testing::ValuesIn(kLosses));

} // namespace
