// Golden sources of panels 706, 473 and 477: each is loaded and written
// (S1), compiled, decompiled into the cleared project with the same
// firmware, driver and special-function files, and written again (S2). S2
// equals S1, or the golden's ".s2" file where the image loses what it
// cannot carry.
#include "DecoFixture.h"

#include "image/Comp706.h"
#include "image/Deco706.h"
#include "image/FirmwareSource.h"
#include "model/FrmCfg.h"
#include "source/ParsOrvLoad.h"
#include "source/RestOrv.h"
#include "support/DrvBuilders.h"
#include "support/FktBuilders.h"
#include "support/FwBuilders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

// The built-in variables the goldens set: cycle time, printer status word,
// printer line settings, date mode, weekday names, the softkey row and a
// character sequence.
std::string FirmwareFixture()
{
    Fw706Image img;
    auto num = [&img](const char* name, int32_t lower, int32_t upper) {
        Fw706Entry e = Fw706Var(name, 134);
        e.digits = 3;
        e.lower = lower;
        e.upper = upper;
        img.Add(e);
    };
    auto states = [&img](const char* name, std::vector<FwText> texts) {
        Fw706Entry e = Fw706Var(name, 142);
        e.states = std::move(texts);
        img.Add(e);
    };
    num("[Z005]", 1, 255);
    num("[Z006]", 1, 255);
    num("[Z100]", 0, 255);
    states("[Z018]", {"1", "2", "3", "4", "5", "6", "7"});
    states("[Z027]", {"1200", "2400", "4800", "9600", "19200"});
    states("[Z028]", {"N", "E", "O"});
    states("[Z029]", {"7", "8"});
    states("[Z030]", {"1", "2"});
    states("[Z031]", {"V24", "TTY"});
    states("[Z084]", {" "});
    Fw706Entry date = Fw706Var("[Z016]", 251);
    img.Add(date);
    Fw706Entry hex = Fw706Var("[Z078]", 249);
    hex.raw = std::string("\x1B", 1) + '\0';
    // Printer rows may show it.
    hex.v = Fw706Image::Adr(0x100);
    hex.flags = 0xFFFF;
    img.Add(hex);
    return img.Build();
}

std::string Golden(const std::string& name)
{
    std::ifstream in(std::string(ORV_TEST_DATA_DIR) + "/roundtrip/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint16_t PanelOf(const std::string& bytes)
{
    const size_t at = bytes.find("_PARAMETER");
    return at == std::string::npos || at < 3 ? 0 : static_cast<uint16_t>(std::stoi(bytes.substr(at - 3, 3)));
}

// A bundle of the panel whose built-in variables come from the firmware
// fixture, with a firmware configuration for the compiler.
class SourceProjectC : public DecoFixture {
public:
    explicit SourceProjectC(uint16_t panel) : DecoFixture(panel)
    {
        bundle.frmCfg = &frm;
        frm.SetFrmId("FW706");
        dir.Write("ORV706.FRM", FirmwareFixture());
        workspace.SetFormFile(dir.File("ORV706.FRM"));
        prj.SetFwVarSource(&source);
        charSet.FillFontBuffer(charSet.GetGroup());
        prj.Clear();
        prj.SetSrcDevType(panel);
        workspace.MemInfo().freeData = 0x3FFFF;
    }

    std::string Write(const std::string& name)
    {
        {
            CRestOrv w(dir.File(name), &bundle);
            w.WriteDescription();
            w.WriteAll();
            EXPECT_TRUE(w.Finish());
        }
        return dir.Read(name);
    }

    CFrmCfg frm{&bundle};
    CFirmwareVarSource source{workspace};
};

class RoundTripC : public ::testing::TestWithParam<const char*> {};

TEST_P(RoundTripC, WrittenAgainByteForByte)
{
    const std::string golden = Golden(GetParam());
    const uint16_t panel = PanelOf(golden);
    ASSERT_NE(panel, 0);
    SourceProjectC p(panel);
    p.dir.Write("P.ORV", golden);
    {
        CParsOrvLoad parser(p.dir.File("P.ORV"), true, p.bundle);
        parser.ReadDescription();
        parser.Parse();
        ASSERT_EQ(parser.GetError(), 0) << parser.GetLineNo() << ": " << parser.GetXError() << " " << parser.GetErrorText();
    }
    const std::string s1 = p.Write("S1.ORV");
    Drv706Entry drv;
    drv.base = panel == 706 ? Drv706Entry::kBase706 : Drv706Entry::kBase473;
    p.dir.Write("PRJ.DRV", drv.Build().bytes);
    Fkt706File fkt;
    p.dir.Write("PRJ.FKT", fkt.Build());
    {
        CComp706 comp(p.workspace, p.dir.File("P.BIN"), p.bundle);
        ASSERT_EQ(comp.GetError(), 0);
    }
    p.prj.Clear();
    {
        CDeco706 deco(&p.workspace, p.dir.File("P.BIN"), p.DrvPath(), p.dir.File("PRJ.FKT"), &p.bundle);
        ASSERT_EQ(deco.GetError(), 0) << deco.GetErrName();
    }
    const std::string s2 = p.Write("S2.ORV");
    std::string lossy = GetParam();
    lossy.replace(lossy.size() - 3, 3, "s2");
    const std::string expected = Golden(lossy);
    if (const char* dump = std::getenv("ORV_RT_DUMP")) {
        std::ofstream(std::string(dump) + "/" + GetParam() + ".s1", std::ios::binary) << s1;
        std::ofstream(std::string(dump) + "/" + GetParam() + ".s2", std::ios::binary) << s2;
    }
    EXPECT_EQ(s2, expected.empty() ? s1 : expected);
}

INSTANTIATE_TEST_SUITE_P(Goldens, RoundTripC, ::testing::Values("rt706.orv", "rt473.orv", "rt477.orv"));

} // namespace
