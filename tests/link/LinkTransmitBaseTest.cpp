// The transfer base: which companion files a transfer needs and opens, and
// how a file is placed into the panel's memory bank by bank.
#include "LinkKit.h"
#include "LinkProbes.h"

#include "link/LinkCommands.h"
#include "model/core/CheckedFormat.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace orv {
namespace {

using LinkTransmitBaseKind = UiCall::Kind;
using LinkTransmitBaseLog = std::vector<std::string>;

std::string Bytes(size_t n, uint8_t first = 1)
{
    std::string bytes;
    for (size_t i = 0; i < n; ++i)
        bytes += static_cast<char>(first + i);
    return bytes;
}

std::string Hex(const std::string& bytes)
{
    std::string hex;
    for (char c : bytes)
        hex += FormatText("%02X", static_cast<uint8_t>(c));
    return hex;
}

struct Placement {
    const char* name;
    uint16_t type;
    std::string file;
    uint8_t bank;
    uint16_t start;
    LinkTransmitBaseLog commands;  // after the set-up commands
    // Bank, address and the file's bytes expected there.
    struct Part {
        uint8_t bank;
        uint16_t address;
        size_t from;
        size_t count;
    };
    std::vector<Part> parts;
};

TEST(link_send_file, PlacesTheFileBankByBank)
{
    const std::string f40 = Bytes(40);
    const std::string f42 = Bytes(42);
    const std::string f50 = Bytes(50);
    const std::string f23 = Bytes(23);
    const Placement cases[] = {
        {"706 over the bank end", 706, f40, 6, 0xFFF0,
         {"WFFF0" + Hex(f40.substr(0, 16)), "B07", "W0000" + Hex(f40.substr(16, 23)), "W0017" + Hex(f40.substr(39))},
         {{6, 0xFFF0, 0, 16}, {7, 0, 16, 24}}},
        {"118 switches banks powerless", 118, f40, 2, 0x7FF0,
         {"W7FF0" + Hex(f40.substr(0, 16)), "POF", "B03", "PON", "W0000" + Hex(f40.substr(16, 23)),
          "W0017" + Hex(f40.substr(39))},
         {{2, 0x7FF0, 0, 16}, {3, 0, 16, 24}}},
        {"43 skips two bytes and goes on at 0x8000", 43, f42, 2, 0x7FF0,
         {"W7FF0" + Hex(f42.substr(2, 16)), "B03", "W8000" + Hex(f42.substr(18, 23)), "W8017" + Hex(f42.substr(41))},
         {{2, 0x7FF0, 2, 16}, {3, 0x8000, 18, 24}}},
        {"51-character commands", 706, f50, 6, 0,
         {"W0000" + Hex(f50.substr(0, 23)), "W0017" + Hex(f50.substr(23, 23)), "W002E" + Hex(f50.substr(46))},
         {{6, 0, 0, 50}}},
        {"a chunk ending at the bank end", 706, f23, 6, 0xFFE9, {"WFFE9" + Hex(f23), "B07"}, {{6, 0xFFE9, 0, 23}}},
    };
    for (const Placement& c : cases) {
        SCOPED_TRACE(c.name);
        Link706Rig rig(c.type == 43 ? 706 : c.type, false);
        rig.Write();
        rig.f.dir.Write("ANLAGE1.BIN", c.file);
        rig.f.dir.Write("ANLAGE1.REC", "R");
        rig.f.workspace.SetFormFile("");
        TransmitProbe t(rig.emu.Context(), rig.f.workspace, c.type, 0, 0, nullptr, rig.prjPath);
        ASSERT_EQ(t.GetError(), 0);
        ASSERT_TRUE(t.LinkConnect());
        t.m_bank = c.bank;
        ASSERT_EQ(t.Send(BankCommand(c.bank)) + t.Send("EP0") + t.Send("PON"), 3);
        const size_t before = rig.emu.Commands().size();
        t.SendFile(CTransmit::kImage, 3, c.start);
        EXPECT_EQ(t.GetError(), 0);
        const LinkTransmitBaseLog all = rig.emu.Commands();
        EXPECT_EQ(LinkTransmitBaseLog(all.begin() + static_cast<long>(before), all.end()), c.commands);
        for (const auto& part : c.parts)
            EXPECT_EQ(rig.emu.Memory(part.bank, part.address, part.count), c.file.substr(part.from, part.count));
        // Each percentage is shown once.
        LinkTransmitBaseLog texts;
        for (const std::string& p : rig.f.ui.TextsOf(LinkTransmitBaseKind::Progress))
            if (p.rfind("SetText ", 0) == 0)
                texts.push_back(p);
        EXPECT_FALSE(texts.empty());
        EXPECT_EQ(std::set<std::string>(texts.begin(), texts.end()).size(), texts.size());
    }
}

TEST(link_send_file, FailedExchangeMidFileStopsAndEndsOnce)
{
    Link706Rig rig(706, false);
    rig.Write();
    rig.f.dir.Write("ANLAGE1.BIN", Bytes(100));
    rig.emu.Reset(EmuScenario(706, {"W,20,?13,2"}));
    TransmitProbe t(rig.emu.Context(), rig.f.workspace, 706, 0, 0, nullptr, rig.prjPath);
    ASSERT_TRUE(t.LinkConnect());
    ASSERT_EQ(t.Send("B06") + t.Send("EP0") + t.Send("PON"), 3);
    t.SendFile(CTransmit::kImage, 3, 0);
    EXPECT_EQ(t.GetError(), 39);
    const LinkTransmitBaseLog log = rig.emu.Log();
    EXPECT_EQ(log.back(), "end");
    EXPECT_EQ(rig.emu.Count("end"), 1);
    // Two writes went through, the third was tried 20 times, nothing after.
    EXPECT_EQ(rig.emu.Count("W002E" + Hex(Bytes(100).substr(46, 23))), 20);
    EXPECT_EQ(log.size(), 1u + 4 + 2 + 20 + 1);
    t.EndLink();
    EXPECT_EQ(rig.emu.Count("end"), 1);
}

TEST(link_send_file, StatusBlockWrittenAndRead)
{
    for (bool cut : {false, true}) {
        SCOPED_TRACE(cut ? "cut answers" : "whole answers");
        Link706Rig rig(706, false);
        rig.Write();
        rig.emu.Reset(EmuScenario(706, cut ? std::vector<std::string>{"SR,20,cut:31"} : std::vector<std::string>{}));
        TransmitProbe t(rig.emu.Context(), rig.f.workspace, 706, 0, 0, nullptr, rig.prjPath);
        ASSERT_TRUE(t.LinkConnect());
        std::array<uint8_t, 16> block{};
        for (size_t i = 0; i < block.size(); ++i)
            block[i] = static_cast<uint8_t>(0xA0 + i);
        EXPECT_TRUE(t.WriteStatus(nullptr));
        EXPECT_TRUE(t.WriteStatus(&block));
        EXPECT_EQ(rig.emu.Panel().Status(), block);
        std::array<uint8_t, 16> read{};
        EXPECT_FALSE(t.ReadStatus(nullptr));
        // An answer short of 32 digits is never taken for the block.
        EXPECT_EQ(t.ReadStatus(&read), !cut);
        const std::array<uint8_t, 16> none{};
        EXPECT_EQ(read, cut ? none : block);
        EXPECT_EQ(t.GetError(), cut ? 39 : 0);
    }
}

struct OpenCase {
    const char* name;
    uint16_t type;
    bool function;
    std::vector<std::string> missing;
    bool noFirmwarePath;
    uint16_t error;
    std::vector<int> boxes;
};

TEST(link_transmit_open, NeedsAndOpensTheCompanionFiles)
{
    const OpenCase cases[] = {
        {"all present", 706, true, {}, false, 0, {}},
        {"no firmware named", 706, false, {"ORV706.FRM"}, true, 0, {}},
        {"43 without driver", 43, false, {"ANLAGE1.DRV"}, false, 0, {}},
        {"missing firmware", 706, false, {"ORV706.FRM"}, false, 8, {15025}},
        {"missing 706 driver", 706, false, {"ANLAGE1.DRV"}, false, 5, {15025}},
        {"missing special-function file", 706, true, {"ANLAGE1.FKT"}, false, 7, {15025}},
        {"missing image", 473, false, {"ANLAGE1.BIN"}, false, 3, {15025}},
        {"missing recipe", 118, false, {"ANLAGE1.REC"}, false, 10, {15025}},
    };
    for (const OpenCase& c : cases) {
        SCOPED_TRACE(c.name);
        Link706Rig rig(c.type == 43 || c.type == 118 ? 706 : c.type, c.function);
        rig.Write();
        rig.f.dir.Write("ANLAGE1.REC", "RECIPE");
        for (const std::string& name : c.missing)
            std::filesystem::remove(rig.f.dir.File(name));
        if (c.noFirmwarePath)
            rig.f.workspace.SetFormFile("");
        TransmitProbe t(rig.emu.Context(), rig.f.workspace, c.type, 0, 0, rig.prj.prj.get(), rig.prjPath);
        EXPECT_EQ(t.GetError(), c.error);
        EXPECT_EQ(BoxIds(rig.f.ui), c.boxes);
        if (c.error != 0)
            continue;
        uint32_t total = 0;
        for (const char* name : {"ORV706.FRM", "ANLAGE1.DRV", "ANLAGE1.FKT", "ANLAGE1.BIN", "ANLAGE1.REC"}) {
            const std::string path = rig.f.dir.File(name);
            const bool taken = std::filesystem::exists(path) && !(c.noFirmwarePath && std::string(name) == "ORV706.FRM") &&
                               !(std::string(name) == "ANLAGE1.FKT" && !c.function) &&
                               !(std::string(name) == "ANLAGE1.REC" && c.type != 118) &&
                               !(std::string(name) == "ANLAGE1.DRV" && c.type == 43);
            if (taken)
                total += static_cast<uint32_t>(std::filesystem::file_size(path));
        }
        EXPECT_EQ(t.GetTotalBytes(), total);
        EXPECT_EQ(t.IsOpen(CTransmit::kFirmware), !c.noFirmwarePath);
        EXPECT_EQ(t.IsOpen(CTransmit::kDriver), c.type != 43);
        EXPECT_EQ(t.IsOpen(CTransmit::kFunction), c.function);
        EXPECT_EQ(t.GetImageSize(), rig.image.size());
    }
}

TEST(link_transmit_open, TraceIsReplacedOrFails)
{
    Link706Rig rig;
    rig.f.frame.SetLogLevel(3);
    rig.Write();
    rig.f.dir.Write("ANLAGE1.DBG", "OLD TRACE");
    {
        TransmitProbe t(rig.emu.Context(), rig.f.workspace, 706, 0, 0, rig.prj.prj.get(), rig.prjPath);
        EXPECT_EQ(t.GetError(), 0);
    }
    EXPECT_EQ(rig.Read("ANLAGE1.DBG"), "");
    const LinkTransmitBaseLog log = rig.f.ui.TextsOf(LinkTransmitBaseKind::LogAppend);
    EXPECT_NE(std::find(log.begin(), log.end(), "Delete " + rig.f.dir.File("ANLAGE1.DBG")), log.end());

    std::filesystem::remove(rig.f.dir.File("ANLAGE1.DBG"));
    std::filesystem::create_directories(rig.f.dir.File("ANLAGE1.DBG") + "/keep");
    auto t = rig.Transmit();
    EXPECT_EQ(t->GetError(), 46);
    EXPECT_TRUE(rig.emu.Log().empty());
    EXPECT_FALSE(t->ReportResult());
    EXPECT_EQ(BoxIds(rig.f.ui), std::vector<int>{15025});
    EXPECT_NE(rig.f.ui.TextsOf(LinkTransmitBaseKind::Box).at(0).find("DEBUGFILE"), std::string::npos);
}

} // namespace
} // namespace orv
