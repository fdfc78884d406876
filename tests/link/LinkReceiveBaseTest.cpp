// The read-back base: block reads into files over bank ends, the messages
// of its errors with the composed data-area text, and what its constructor
// clears.
#include "LinkKit.h"
#include "LinkProbes.h"

#include "model/project/SpsPar.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace orv {
namespace {

using LinkReceiveBaseKind = UiCall::Kind;
using LinkReceiveBaseLog = std::vector<std::string>;

std::string Pattern(size_t n)
{
    std::string bytes;
    for (size_t i = 0; i < n; ++i)
        bytes += static_cast<char>(0x30 + i % 64);
    return bytes;
}

panelemu::PanelScenario Preloaded(uint16_t model, uint8_t bank, uint16_t address, const std::string& bytes,
                                  const std::vector<std::string>& faults = {})
{
    panelemu::PanelScenario scenario = EmuScenario(model, faults);
    scenario.preloads.push_back({bank, address, std::vector<uint8_t>(bytes.begin(), bytes.end())});
    return scenario;
}

TEST(link_receive_base, ReadPanelToFileOverTheBankEnd)
{
    struct Case {
        const char* name;
        uint16_t type;
        uint16_t start;
        uint32_t count;
        bool zeros;
        int32_t expected;
        LinkReceiveBaseLog reads;  // the commands after the file-name line
    };
    const Case cases[] = {
        {"118 over 0x7FFF", 118, 0x7FF0, 40, false, 40, {"B02", "R7FF010", "B03", "R000018"}},
        {"43 selects no bank first", 43, 0x7FF0, 40, false, 40, {"R7FF010", "B01", "R000018"}},
        {"count 0", 706, 0, 0, false, 40, {"B02"}},
        {"count 0 with the two zero bytes", 706, 0, 0, true, 40, {"B02"}},
        {"no percentage without expected bytes", 706, 0x100, 40, false, 0, {"B02", "R010020", "R012008"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Link706Rig rig;
        const std::string memory = Pattern(64);
        // The bank the read begins in: the 043 family's read selects none.
        const uint8_t bank = c.type == 43 ? 0 : 2;
        const size_t first = c.start >= 0x7FF0 ? 0x8000u - c.start : memory.size();
        auto scenario = Preloaded(c.type, bank, c.start, memory.substr(0, first));
        scenario.preloads.push_back({static_cast<uint8_t>(bank + 1), 0,
                                     std::vector<uint8_t>(memory.begin() + static_cast<long>(first), memory.end())});
        rig.emu.Reset(scenario);
        ReceiveProbe r(rig.emu.Context(), rig.f.workspace, nullptr, nullptr, nullptr, c.type, 0, 0);
        ASSERT_TRUE(r.LinkConnect());
        r.SetExpectedBytes(c.expected);
        rig.f.ui.ClearCalls();
        const std::string path = rig.f.dir.File("OUT.BIN");
        r.ReadPanelToFile(path, bank, c.start, c.count, 3, c.zeros);
        EXPECT_EQ(r.GetError(), 0);
        const LinkReceiveBaseLog commands = rig.emu.Commands();
        EXPECT_EQ(LinkReceiveBaseLog(commands.begin() + 2, commands.end()), c.reads);
        EXPECT_EQ(rig.Read("OUT.BIN"), (c.zeros ? std::string(2, '\0') : "") + memory.substr(0, c.count));
        LinkReceiveBaseLog percentages;
        for (const std::string& p : rig.f.ui.TextsOf(LinkReceiveBaseKind::Progress))
            if (p.rfind("SetText ", 0) == 0)
                percentages.push_back(p);
        if (c.expected > 0 && c.count > 0) {
            EXPECT_EQ(percentages.back(), "SetText 100% complete");
        } else {
            EXPECT_TRUE(percentages.empty());
        }
    }
}

TEST(link_receive_base, ReadPanelToFileFailures)
{
    Link706Rig rig;
    rig.emu.Reset(EmuScenario(706, {"R,20,?13,1"}));
    ReceiveProbe r(rig.emu.Context(), rig.f.workspace, nullptr, nullptr, nullptr, 706, 0, 0);
    ASSERT_TRUE(r.LinkConnect());
    const std::string path = rig.f.dir.File("OUT.BIN");
    r.ReadPanelToFile(path, 2, 0, 100, 3, false);
    EXPECT_EQ(r.GetError(), 40);
    EXPECT_EQ(rig.emu.Count("end"), 1);
    EXPECT_EQ(rig.emu.Log().back(), "end");
    EXPECT_EQ(rig.f.workspace.GetLinkErrors(), 1u);
    // What was read stays, the file is closed.
    EXPECT_EQ(rig.Read("OUT.BIN").size(), 32u);

    rig.emu.Reset();
    ReceiveProbe r2(rig.emu.Context(), rig.f.workspace, nullptr, nullptr, nullptr, 706, 0, 0);
    ASSERT_TRUE(r2.LinkConnect());
    std::filesystem::create_directories(rig.f.dir.File("DIR.BIN") + "/keep");
    r2.ReadPanelToFile(rig.f.dir.File("DIR.BIN"), 2, 0, 10, 5, false);
    EXPECT_EQ(r2.GetError(), 5);
    EXPECT_EQ(rig.emu.Count("end"), 1);
}

TEST(link_receive_base, ReportReceiveErrorMessages)
{
    struct Case {
        const char* name;
        uint16_t error;
        std::string firmwareId;
        std::string drvFile;
        uint16_t db, first, last;
        uint16_t plcType;
        int box;
        std::string text;  // expected part of the box text
        uint16_t after;
    };
    const Case cases[] = {
        {"3", 3, "", "", 0, 0, 0, 33, 15508, "", 0},
        {"5", 5, "", "", 0, 0, 0, 33, 15508, "", 0},
        {"7", 7, "", "", 0, 0, 0, 33, 15508, "", 0},
        {"10", 10, "", "", 0, 0, 0, 33, 15508, "", 0},
        {"29", 29, "", "", 0, 0, 0, 33, 15300, "COM2", 0},
        {"40", 40, "", "", 0, 0, 0, 33, 15507, "", 0},
        {"44", 44, "", "", 0, 0, 0, 33, 15027, "", 0},
        {"45", 45, "", "", 0, 0, 0, 33, 0, "", 0},
        {"unknown", 77, "", "", 0, 0, 0, 33, 0, "", 77},
        {"AS511 with data block", 34, "OG706", "AS511.DRV", 12, 10, 20, 33, 15502,
         " 'ORV 706' mit 'AS511-Protokoll' DB 12 DW 10 bis DW 20", 0},
        {"AS511 without data block", 34, "OG706", "AS511.DRV", 0, 10, 20, 33, 15502,
         " 'ORV 706' mit 'AS511-Protokoll' Merkerbereich MW 10 bis MW 20", 0},
        {"MODBUS type 44", 34, "OG473", "MODBUSPS.DRV", 0, 4, 9, 44, 15502, "' Wort 4 bis Wort 9", 0},
        {"hex numbers", 34, "OG706", "HITHXXPS.DRV", 0, 0x10, 0x2F, 33, 15502, "'\nWM0010 bis WM002F ", 0},
        {"zones", 34, "OG706", "CGLC100.DRV", 0, 5, 9, 33, 15502, "'\nZone5 (dez) bis Zone9 (dez) ", 0},
        {"data block only", 34, "OG706", "B19EDIR.DRV", 7, 1, 2, 33, 15502, "' DB 7 ", 0},
        {"protocol without area words", 34, "OG706", "LTR.DRV", 7, 1, 2, 33, 15502, "' ", 0},
        {"no protocol", 34, "OG477", "NOSUCH.DRV", 0, 0, 0, 33, 15502, "ORV 477", 34},
        {"047.2 by its variant", 34, "OG047", "NOSUCH.DRV", 0, 0, 0, 33, 15502, "ORV 047.2", 34},
        {"014plus", 34, "OG118", "NOSUCH.DRV", 0, 0, 0, 33, 15502, "ORV 014plus", 34},
        {"724", 34, "OG724", "AS511.DRV", 0, 0, 0, 33, 15505, "ORV724", 0},
        {"TEQ 210", 34, "TG210", "AS511.DRV", 0, 0, 0, 33, 15506, "TEQ210", 0},
        {"unknown id", 34, "XX123", "AS511.DRV", 0, 0, 0, 33, 15504, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Link706Rig rig;
        rig.prj.sps->SetSpsType(c.plcType);
        ReceiveProbe r(rig.emu.Context(), rig.f.workspace, nullptr, nullptr, rig.prj.sps.get(), 706, 1, 0);
        rig.f.ui.ClearCalls();
        r.m_error.Set(c.error);
        r.m_firmwareId = c.firmwareId;
        r.m_drvFileName = c.drvFile;
        r.m_dataBlock = c.db;
        r.m_firstAdr = c.first;
        r.m_lastAdr = c.last;
        r.m_panelVariant = c.firmwareId == "OG047" ? 50 : 0;
        EXPECT_FALSE(r.ReportReceiveError());
        EXPECT_EQ(r.GetError(), c.after);
        EXPECT_EQ(BoxIds(rig.f.ui), c.box ? std::vector<int>{c.box} : std::vector<int>{});
        if (c.box && !c.text.empty()) {
            EXPECT_NE(rig.f.ui.TextsOf(LinkReceiveBaseKind::Box).at(0).find(c.text), std::string::npos)
                << rig.f.ui.TextsOf(LinkReceiveBaseKind::Box).at(0);
        }
    }
}

TEST(link_receive_base, ConstructorClearsTheReadBackPaths)
{
    Link706Rig rig;
    rig.f.frame.SetPrjPath("/old/ANLAGE.ORV");
    rig.f.workspace.SetRcvAuxFile("aux");
    rig.f.workspace.SetDrvFile("drv");
    rig.f.workspace.SetImageFile("img");
    rig.f.dir.Write("recei.dbg", "OLD");
    {
        ReceiveProbe r(rig.emu.Context(), rig.f.workspace, nullptr, nullptr, nullptr, 706, 0, 0);
        r.Close();
    }
    EXPECT_EQ(rig.f.frame.GetPrjPath(), "");
    EXPECT_EQ(rig.f.workspace.GetRcvAuxFile(), "");
    EXPECT_EQ(rig.f.workspace.GetDrvFile(), "");
    EXPECT_EQ(rig.f.workspace.GetImageFile(), "");
    EXPECT_EQ(rig.Read("recei.dbg"), "");
    EXPECT_EQ(rig.f.ui.TextsOf(LinkReceiveBaseKind::Progress).at(0), "Create  20 100 0 0");
    EXPECT_EQ(rig.f.ui.TextsOf(LinkReceiveBaseKind::Progress).at(1), "SetText Receive");
}

} // namespace
} // namespace orv
