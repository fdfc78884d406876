// The 706 family's transfer over the emulated panel: the files in their
// banks, the commands in order, every check before and after the link
// start, and the messages of the session's errors.
#include "LinkKit.h"
#include "LinkProbes.h"

#include "link/LinkCommands.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

using LinkTransmit706Kind = UiCall::Kind;
using LinkTransmit706Log = std::vector<std::string>;

const std::string kX = "0123456789ABCDEF0123456789ABCDEF0123456789ABCDEF";

// The panel's log without the writes, which the memory check covers.
LinkTransmit706Log WithoutWrites(const LinkTransmit706Log& log)
{
    LinkTransmit706Log out;
    for (const std::string& e : log)
        if (e.empty() || e[0] != 'W')
            out.push_back(e);
    return out;
}

panelemu::PanelScenario WithSetupWord(panelemu::PanelScenario scenario)
{
    scenario.preloads.push_back({2, 0x0174, {0x11, 0x22, 0x33, 0x44}});
    return scenario;
}

TEST(link_transmit706, MainPathPutsTheFilesIntoTheirBanks)
{
    for (uint16_t type : {706, 473}) {
        SCOPED_TRACE(type);
        const bool function = type == 706;
        Link706Rig rig(type, function);
        if (type == 473)
            rig.drv.SetDrvNo(60);
        rig.Write();
        rig.emu.Reset(WithSetupWord(EmuScenario(type)));
        auto t = rig.Transmit();
        EXPECT_EQ(t->GetError(), 0);
        EXPECT_TRUE(t->ReportResult());
        EXPECT_TRUE(BoxIds(rig.f.ui).empty());
        t->Close();

        const uint16_t drvAt = type == 706 ? 0xE000 : 0xB000;
        EXPECT_EQ(rig.emu.Memory(4, 0, rig.firmware.size()), rig.firmware);
        EXPECT_EQ(rig.emu.Memory(5, drvAt, rig.driver.size()), rig.driver);
        if (function) {
            EXPECT_EQ(rig.emu.Memory(5, 0xA000, rig.function.size()), rig.function);
        }
        EXPECT_EQ(rig.emu.Memory(6, 0, rig.image.size()), rig.image);

        LinkTransmit706Log expected{"start 115200", "V", "C", "D1 "};
        for (int line : ExtraClearLines(type))
            expected.push_back(ClearLineCommand(line));
        expected.insert(expected.end(), {TitleLineCommand(type, "INITIALISIERUNG"), "B02", "R017404", "X",
                                         "M" + kX.substr(0, 32) + "3344" + "0700" + "1122" + kX.substr(44), "EP0",
                                         "PON", "D1 "});
        for (int line : ExtraClearLines(type))
            expected.push_back(ClearLineCommand(line));
        expected.insert(expected.end(), {TitleLineCommand(type, "DATEI UEBERTRAGEN"), "B04",
                                         FileLineCommand(type, ">> ORV706.FRM"), "B05",
                                         FileLineCommand(type, ">> ANLAGE1.DRV")});
        if (function)
            expected.insert(expected.end(), {"B05", FileLineCommand(type, ">> ANLAGE1.FKT")});
        expected.insert(expected.end(), {"B06", FileLineCommand(type, ">> ANLAGE1.BIN"), "A81", "POF", "end"});
        EXPECT_EQ(WithoutWrites(rig.emu.Log()), expected);
        EXPECT_EQ(rig.emu.Sleeps(), std::vector<uint32_t>{10});
        EXPECT_EQ(rig.f.workspace.GetLinkErrors(), 0u);
    }
}

struct CheckCase {
    const char* name;
    uint16_t type;
    std::function<void(Link706Rig&, panelemu::PanelScenario&)> setUp;
    uint16_t error;  // before the report
    int box;         // 0: none
    std::string shows;
    bool linkTouched;
};

std::string Identification(const std::string& head, size_t length, const std::string& fieldbus = "00")
{
    std::string id = head;
    id.resize(28, ' ');
    id += fieldbus;
    id.resize(length, ' ');
    return id;
}

TEST(link_transmit706, ChecksBeforeAnythingIsWritten)
{
    using Rig = Link706Rig;
    using Sc = panelemu::PanelScenario;
    const auto id = [](const std::string& head) {
        return [head](Rig&, Sc& s) { s.identification = Identification(head, 30); };
    };
    const auto fieldbus = [](const std::string& kind, uint16_t drvNo, bool sim) {
        return [=](Rig& r, Sc& s) {
            s.identification = Identification("OG4739990", 30, kind);
            r.drv.SetDrvNo(drvNo);
            r.f.workspace.SetSimDrvBound(sim);
        };
    };
    const CheckCase cases[] = {
        {"weekly time switch", 706, [](Rig& r, Sc&) { r.image[56] |= 0x08; }, 30, 15097, "", false},
        {"softkeys", 706, [](Rig& r, Sc&) { r.image[56] |= 0x10; }, 30, 15096, "", false},
        {"feature 0", 706, [](Rig& r, Sc&) { r.image[63] |= 0x01; }, 30, 15098, "", false},
        {"identity", 706, [](Rig& r, Sc&) { r.image[72] = '6'; }, 31, 15099, "", false},
        {"firmware newer", 706, id("OG7060000"), 35, 15417, "Firmware", true},
        {"driver 199 against 210", 706, [](Rig& r, Sc& s) {
             s.identification = Identification("OG7062100", 30);
             r.drvEntry.kind = "199";
             r.driver = r.drvEntry.Build().bytes;
         }, 36, 15417, "Treiber", true},
        {"special-function file", 706, [](Rig& r, Sc& s) {
             s.identification = Identification("OG7062100", 30);
             Patch(r.function, 51, "300");
         }, 37, 15417, "Sonderfunktion", true},
        {"image", 706, [](Rig& r, Sc& s) {
             s.identification = Identification("OG7062100", 30);
             Patch(r.image, 51, "900");
         }, 38, 15417, "OG706 V900", true},
        {"477 panel", 706, id("OG4779990"), 34, 15413, "ORV 477", true},
        {"fieldbus 0 with 60", 473, fieldbus("00", 60, false), 0, 0, "", true},
        {"fieldbus 6 with 71", 473, fieldbus("06", 71, false), 0, 0, "", true},
        {"fieldbus 2 with 60", 473, fieldbus("02", 60, false), 47, 15404, "INTERBUS Protokoll", true},
        {"fieldbus 8", 473, fieldbus("08", 60, false), 47, 15404, " mit  einstellen", true},
        {"simulation driver bound", 473, fieldbus("02", 60, true), 0, 0, "", true},
        {"473 identification of 29", 473, [](Rig& r, Sc& s) {
             s.identification = Identification("OG4739990", 29);
             r.drv.SetDrvNo(60);
         }, 34, 15416, "", true},
        {"identification of 7", 706, [](Rig&, Sc& s) { s.identification = "OG70699"; }, 34, 15416, "", true},
        {"cartridge 197", 706, id("OG7069C50"), 25, 15100, "ORV706", true},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        Link706Rig rig(c.type, c.type == 706);
        panelemu::PanelScenario scenario = EmuScenario(c.type);
        c.setUp(rig, scenario);
        rig.Write();
        rig.emu.Reset(scenario);
        auto t = rig.Transmit();
        EXPECT_EQ(t->GetError(), c.error);
        EXPECT_EQ(t->ReportResult(), c.error == 0);
        EXPECT_EQ(t->GetError(), 0);
        EXPECT_EQ(BoxIds(rig.f.ui), c.box ? std::vector<int>{c.box} : std::vector<int>{});
        if (c.box) {
            EXPECT_NE(rig.f.ui.TextsOf(LinkTransmit706Kind::Box).at(0).find(c.shows), std::string::npos);
        }
        EXPECT_EQ(!rig.emu.Log().empty(), c.linkTouched);
        EXPECT_EQ(rig.emu.Count("end"), c.linkTouched ? 1 : 0);
        // Nothing was written unless the transfer went through.
        EXPECT_EQ(rig.emu.Count("A81"), c.error == 0 ? 1 : 0);
    }
}

TEST(link_transmit706, ErrorMessages)
{
    struct Case {
        const char* name;
        uint16_t type;
        uint16_t error;
        std::string answer;
        int box;
        std::string shows;
        bool kept;
    };
    const Case cases[] = {
        {"24 on 118", 118, 24, "", 15411, "", false},
        {"24 on 706", 706, 24, "", 15412, "DIL9+10", false},
        {"29", 706, 29, "", 15300, "COM2", false},
        {"39", 706, 39, "", 15418, "", false},
        {"45 silent", 706, 45, "", 0, "", false},
        {"unknown code", 706, 77, "", 0, "", true},
        {"047.2", 706, 34, "OG0474292 EMULATED", 15413, "ORV 047.2", false},
        {"047", 706, 34, "OG0474191 EMULATED", 15413, "ORV 047", false},
        {"014plus", 706, 34, "OG1189990", 15413, "ORV 014plus", false},
        {"753c", 706, 34, "OG75C9990", 15414, "ORV 753c", false},
        {"TEQ 330", 706, 34, "TG3309990", 15415, "TEQ 330", false},
        {"unknown id", 706, 34, "ABCDE9990", 15416, "ABCDE9990", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Link706Rig rig(706, false);
        rig.Write();
        rig.f.dir.Write("ANLAGE1.REC", "R");
        TransmitProbe t(rig.emu.Context(), rig.f.workspace, c.type, 1, 0, rig.prj.prj.get(), rig.prjPath);
        ASSERT_EQ(t.GetError(), 0);
        t.m_error.Set(c.error);
        t.m_panelAnswer = c.answer;
        EXPECT_FALSE(t.ReportError());
        EXPECT_EQ(t.GetError(), c.kept ? c.error : 0);
        EXPECT_EQ(BoxIds(rig.f.ui), c.box ? std::vector<int>{c.box} : std::vector<int>{});
        if (c.box && !c.shows.empty()) {
            EXPECT_NE(rig.f.ui.TextsOf(LinkTransmit706Kind::Box).at(0).find(c.shows), std::string::npos);
        }
    }
}

TEST(link_transmit706, OverlongMemoryAnswerEndsTheTransfer)
{
    Link706Rig rig;
    rig.Write();
    rig.emu.Reset(EmuScenario(706, {"X,1,answer:" + std::string(124, 'A')}));
    auto t = rig.Transmit();
    EXPECT_EQ(t->GetError(), 39);
    EXPECT_EQ(rig.emu.Count("end"), 1);
    EXPECT_EQ(rig.emu.Commands().back(), "X");
    EXPECT_FALSE(t->ReportResult());
    EXPECT_EQ(BoxIds(rig.f.ui), std::vector<int>{15418});
}

} // namespace
} // namespace orv
