// The 043 family's transfer over the emulated panel: the checks by panel
// type, the command order, the record choice of the 047 panel and the
// messages of the session's errors.
#include "LinkKit.h"
#include "LinkKit043.h"

#include "link/LinkCommands.h"

#include <gtest/gtest.h>

#include <functional>

namespace orv {
namespace {

using Transmit043Sc = panelemu::PanelScenario;

struct Transmit043Case {
    const char* name;
    uint16_t type;
    std::function<void(Link043Rig&, Transmit043Sc&)> setUp;
    uint16_t error;
    int box;
    std::string shows;
    bool written;
};

TEST(link_transmit043, ChecksByPanelType)
{
    using Rig = Link043Rig;
    const auto ident = [](const std::string& text, uint8_t module = 0x81) {
        return [=](Rig&, Transmit043Sc& s) {
            s.identification = Link043Ident(text, text.size() > 6 ? text[6] : '0');
            s.terminalModule = module;
        };
    };
    const Transmit043Case cases[] = {
        {"14 written", 14, ident("OG014999"), 0, 0, "", true},
        {"14 against a 043 panel", 14, ident("OG043999"), 34, 15413, "ORV 043", false},
        {"36 with the module bit", 36, ident("OG036999", 0x80), 0, 0, "", true},
        {"36 without it, digit 2", 36, ident("OG036299", 0x00), 33, 15403, "ORV523", false},
        {"36 without it, digit 1", 36, ident("OG036199", 0x00), 0, 0, "", true},
        {"43 without it, digit 2", 43, ident("OG043299", 0x00), 33, 15403, "ORV534", false},
        {"47 variant 0 against a .2 panel", 47, ident("OG047329"), 34, 15413, "ORV 047.2", false},
        {"47 variant 1 against a plain panel",
         47,
         [](Rig& r, Transmit043Sc& s) {
             r.prj.prj->SetVariant(1);
             s.identification = Link043Ident("OG047319", '1');
         },
         34, 15413, "ORV 047", false},
        {"47 bit 0 clear", 47, ident("OG047319", 0x80), 33, 15403, "ORV537", false},
        {"47 without printing", 47, ident("OG047314"), 0, 15410, "", true},
        {"image newer", 14, [](Rig& r, Transmit043Sc& s) {
             Patch(r.image, 22, "OG014A00");
             s.identification = Link043Ident("OG014999");
         }, 38, 15417, "", false},
        {"driver newer", 14, [](Rig& r, Transmit043Sc& s) {
             const size_t w = static_cast<uint8_t>(r.image[2]) << 8 | static_cast<uint8_t>(r.image[3]);
             Patch(r.image, w + 22, "KIND:A00");
             s.identification = Link043Ident("OG014999");
         }, 36, 15417, "", false},
        {"unreadable image version", 14, [](Rig& r, Transmit043Sc&) { r.image.resize(20); }, 3, 15025, "BINFILE",
         false},
    };
    for (const Transmit043Case& c : cases) {
        SCOPED_TRACE(c.name);
        Link043Rig rig(c.type);
        Transmit043Sc scenario = EmuScenario(c.type);
        c.setUp(rig, scenario);
        rig.Write();
        rig.emu.Reset(scenario);
        auto t = rig.Transmit();
        EXPECT_EQ(t->GetError(), c.error);
        EXPECT_EQ(t->ReportResult(), c.error == 0);
        const std::vector<int> boxes = BoxIds(rig.f.ui);
        if (c.box) {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0], c.box);
            EXPECT_NE(rig.f.ui.CallsOf(UiCall::Kind::Box)[0].text.find(c.shows), std::string::npos);
        } else {
            EXPECT_TRUE(boxes.empty());
        }
        EXPECT_EQ(rig.emu.Count("CW"), c.written ? 1 : 0);
        if (c.written) {
            EXPECT_EQ(rig.emu.Memory(0, 2, rig.image.size() - 2), rig.image.substr(2));
        }
        const bool linkTouched = c.error != 3;
        EXPECT_EQ(rig.emu.Count("end"), linkTouched ? 1 : 0);
    }
}

TEST(link_transmit043, MainPathWithoutChoice)
{
    Link043Rig rig(14);
    rig.Write();
    auto t = rig.Transmit();
    ASSERT_EQ(t->GetError(), 0);
    EXPECT_TRUE(t->ReportResult());
    const std::string x = "0123456789ABCDEF0123456789ABCDEF0123456789ABCDEF";
    std::string m = "M" + x;
    m[5] = 'F';
    m = m.substr(0, 25) + "0100";
    const std::vector<std::string> expected{
        "start 115200", "V", "D1 ", "D1 ", TitleLineCommand(14, "INITIALISIERUNG"), "RFFFE02", "X", m, "EP0", "D1 ",
        "D1 ", TitleLineCommand(14, "DATEI UEBERTRAGEN"), FileLineCommand(14, ">> ANLAGE1.BIN"), "PON", "POF", "CW",
        "end"};
    EXPECT_EQ(Link043WithoutWrites(rig.emu.Log()), expected);
    const std::vector<std::string> commands = rig.emu.Commands();
    const auto firstWrite =
        std::find_if(commands.begin(), commands.end(), [](const std::string& c) { return c[0] == 'W'; });
    ASSERT_NE(firstWrite, commands.end());
    EXPECT_EQ(firstWrite->substr(0, 5), "W0002");
    EXPECT_EQ(rig.emu.Memory(0, 2, rig.image.size() - 2), rig.image.substr(2));
    // "CW" stamped the bank's sum at 0, so "CR" now agrees with it.
    panelemu::PanelScenario stamped = Link043Holding(rig, 0, true, EmuScenario(14));
    const std::vector<uint8_t>& stampedBytes = stamped.preloads[0].bytes;
    EXPECT_EQ(rig.emu.Memory(0, 0, 2), std::string(stampedBytes.begin(), stampedBytes.begin() + 2));
    EXPECT_EQ(rig.emu.Sleeps(), std::vector<uint32_t>{10});
}

TEST(link_transmit043, RecordChoiceOf047)
{
    Link043Rig rig(47);
    rig.Write();
    rig.chooser.Choose(3);
    auto t = rig.Transmit();
    ASSERT_EQ(t->GetError(), 0);
    ASSERT_EQ(rig.chooser.Runs().size(), 1u);
    const ScriptedRecordChooser::Shown& shown = rig.chooser.Runs()[0];
    EXPECT_EQ(shown.mode, 1);
    EXPECT_EQ(shown.count, 4u);
    EXPECT_FALSE(shown.box);
    EXPECT_EQ(rig.emu.Count("B02"), 1);
    EXPECT_EQ(rig.emu.Memory(2, 2, rig.image.size() - 2), rig.image.substr(2));
    for (uint8_t bank : {0, 1, 3})
        EXPECT_EQ(rig.emu.Memory(bank, 2, 4), std::string(4, '\xFF')) << int(bank);

    Link043Rig cancelled(47);
    cancelled.Write();
    cancelled.chooser.Cancel();
    auto c = cancelled.Transmit();
    EXPECT_EQ(c->GetError(), 45);
    EXPECT_FALSE(c->ReportResult());
    EXPECT_TRUE(BoxIds(cancelled.f.ui).empty());
    for (const std::string& command : cancelled.emu.Commands())
        EXPECT_NE(command[0], 'W');
    EXPECT_EQ(cancelled.emu.Count("end"), 1);
}

struct Report043Case {
    uint16_t type;
    uint16_t error;
    uint8_t status9;
    uint16_t drvNo;
    int box;
    std::string shows;
};

// A transfer that failed at once on a missing image, its code then set
// as each row needs.
class Transmit043Probe : public CTransmit043 {
public:
    using CTransmit043::CTransmit043;
    void Force(uint16_t code) { m_error.Clear(); m_error.Set(code); }
};

TEST(link_transmit043, ReportResultMessages)
{
    const Report043Case cases[] = {
        {14, 3, 0, 0, 15025, "BINFILE"},
        {118, 5, 0, 0, 15088, "ANLAGE1.DRV"},
        {118, 8, 0, 0, 15086, "ORV118.FRM"},
        {118, 10, 0, 0, 15087, "ANLAGE1.REC"},
        {14, 46, 0, 0, 15025, "DEBUGFILE"},
        {36, 33, 0, 0, 15403, "ORV523"},
        {43, 33, 0, 0, 15403, "ORV534"},
        {167, 33, 0, 0, 15403, "ORV537"},
        {14, 33, 0, 0, 0, ""},
        {118, 52, 1, 0, 15404, "ORV 014plus mit INTERBUS Protokoll"},
        {163, 52, 2, 0, 15404, "PROFIBUS-DP (ORV 617) Protokoll"},
        {167, 52, 3, 0, 15404, "MPI-Multi Protokoll"},
        {118, 52, 0, 75, 15404, "PROFIBUS-DP (ORV 617) Protokoll"},
        {118, 52, 0, 76, 15404, "INTERBUS-S (ORV 621) Protokoll"},
        {118, 52, 0, 77, 15404, "Multi PLC (ORV 622) Protokoll"},
        {118, 52, 7, 0, 15404, "mit  einstellen"},
    };
    for (const Report043Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " " + std::to_string(c.error));
        Link043Rig rig(c.type);
        rig.drv.SetDrvNo(c.drvNo ? c.drvNo : DrvNoOf("AS511.DRV"));
        rig.Write();
        panelemu::PanelScenario s = EmuScenario(c.type);
        s.status[9] = c.status9;
        s.status[1] = 0x80;
        rig.emu.Reset(s);
        if (rig.Is118())
            rig.chooser.Forget();
        Transmit043Probe t(rig.emu.Context(), rig.f.workspace, c.type, 0, 0, rig.prjPath, rig.prj.prj.get());
        t.Force(c.error);
        EXPECT_FALSE(t.ReportResult());
        const std::vector<int> boxes = BoxIds(rig.f.ui);
        if (c.box == 0) {
            EXPECT_TRUE(boxes.empty());
            EXPECT_EQ(t.GetError(), c.error);
            continue;
        }
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0], c.box);
        EXPECT_NE(rig.f.ui.CallsOf(UiCall::Kind::Box)[0].text.find(c.shows), std::string::npos)
            << rig.f.ui.CallsOf(UiCall::Kind::Box)[0].text;
        EXPECT_EQ(t.GetError(), 0);
    }
}

} // namespace
} // namespace orv
