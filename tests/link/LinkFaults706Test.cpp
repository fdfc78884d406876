// Both 706-family sequences against a freshly reset panel that fails at the
// identification or in the middle of a file: one error, one message, the
// link ended once, nothing reported as success, and what remains.
#include "LinkKit.h"

#include "link/LinkCommands.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace orv {
namespace {

using LinkFaults706Log = std::vector<std::string>;

std::vector<uint8_t> Vec(const std::string& bytes) { return {bytes.begin(), bytes.end()}; }

// Where a fault strikes: at the identification, or by skip count in the
// middle of one of the files.
enum class Where { Identification, Firmware, Driver, Function, Image, SetupRead };

struct Row {
    const char* name;
    Where where;
    std::string action;
    int count;  // 0: every try of the sequence's exchange
    uint16_t error;
    int box;
};

const char* FileOf(Where where)
{
    switch (where) {
    case Where::Firmware: return "ORV706.FRM";
    case Where::Driver: return "ANLAGE1.DRV";
    case Where::Function: return "ANLAGE1.FKT";
    default: return "ANLAGE1.BIN";
    }
}

TEST(link_faults_706, TransferFaults)
{
    const Row rows[] = {
        {"silent identification", Where::Identification, "result:1", 10, 29, 15300},
        {"identification with a wrong checksum", Where::Identification, "result:31", 10, 29, 15300},
        {"cut identification", Where::Identification, "cut:7", 1, 34, 15416},
        {"refused identification", Where::Identification, "?11", 10, 29, 15300},
        {"empty identification", Where::Identification, "empty", 10, 29, 15300},
        {"silence mid firmware", Where::Firmware, "result:1", 20, 39, 15418},
        {"wrong checksum mid driver", Where::Driver, "result:31", 20, 39, 15418},
        {"?11 mid special-function file", Where::Function, "?11", 20, 24, 15412},
        {"empty answers mid image", Where::Image, "empty", 20, 39, 15418},
        {"cut set-up read", Where::SetupRead, "cut:6", 20, 39, 15418},
        {"one wrong checksum mid image", Where::Image, "result:31", 1, 0, 0},
    };
    LinkFaults706Log clean;
    {
        Link706Rig rig;
        rig.Write();
        rig.Transmit();
        clean = rig.emu.Log();
    }
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Link706Rig rig;
        rig.Write();
        std::string fault;
        if (row.where == Where::Identification) {
            fault = "V," + std::to_string(row.count) + "," + row.action;
        } else if (row.where == Where::SetupRead) {
            fault = "R," + std::to_string(row.count) + "," + row.action;
        } else {
            const Span span = SpanOf(clean, "W", std::string(">> ") + FileOf(row.where));
            ASSERT_GT(span.within, 1);
            fault = Fault("W", row.action, row.count, span.before + span.within / 2);
        }
        rig.emu.Reset(EmuScenario(706, {fault}));
        auto t = rig.Transmit();
        EXPECT_EQ(t->GetError(), row.error);
        EXPECT_EQ(t->ReportResult(), row.error == 0);
        EXPECT_EQ(BoxIds(rig.f.ui), row.box ? std::vector<int>{row.box} : std::vector<int>{});
        // Once per start: a panel silent at both rates was started twice.
        EXPECT_EQ(rig.emu.Count("end"), row.error == 29 ? 2 : 1);
        EXPECT_EQ(rig.emu.Log().back(), "end");
        EXPECT_EQ(rig.emu.Count("A81"), row.error == 0 ? 1 : 0);
        t->Close();
        if (row.error == 0) {
            EXPECT_EQ(rig.emu.Memory(6, 0, rig.image.size()), rig.image);
            continue;
        }
        // The panel holds no data set after a failed transfer.
        rig.f.ui.ClearCalls();
        rig.emu.Panel().Reset([&] {
            panelemu::PanelScenario s = EmuScenario(706);
            return s;
        }());
        auto r = rig.Receive();
        EXPECT_EQ(r->GetError(), 44);
    }
}

TEST(link_faults_706, ReadBackFaults)
{
    const Row rows[] = {
        {"silent identification", Where::Identification, "result:1", 10, 29, 15300},
        {"identification with a wrong checksum", Where::Identification, "result:31", 10, 29, 15300},
        {"cut identification", Where::Identification, "cut:3", 1, 34, 15504},
        {"refused identification", Where::Identification, "?11", 10, 29, 15300},
        {"empty identification", Where::Identification, "empty", 10, 29, 15300},
        {"silence mid image", Where::Image, "result:1", 20, 40, 15507},
        {"wrong checksum mid driver", Where::Driver, "result:31", 20, 40, 15507},
        {"cut answers mid special-function file", Where::Function, "cut:6", 20, 40, 15507},
        {"?11 mid image", Where::Image, "?11", 20, 40, 15507},
        {"empty answers mid driver", Where::Driver, "empty", 20, 40, 15507},
        {"one silent try mid driver", Where::Driver, "result:1", 1, 0, 0},
    };
    const auto holding = [](const Link706Rig& rig, const std::vector<std::string>& faults) {
        panelemu::PanelScenario s = EmuScenario(706, faults);
        s.dataSetFlags = 0x11;
        s.preloads.push_back({6, 0, Vec(rig.image)});
        s.preloads.push_back({5, 0xE000, Vec(rig.driver)});
        s.preloads.push_back({5, 0xA000, Vec(rig.function)});
        return s;
    };
    LinkFaults706Log clean;
    {
        Link706Rig rig;
        rig.emu.Reset(holding(rig, {}));
        rig.f.workspace.SetPrjDir(rig.f.dir.File(""));
        rig.Receive();
        clean = rig.emu.Log();
    }
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Link706Rig rig;
        std::string fault;
        if (row.where == Where::Identification) {
            fault = "V," + std::to_string(row.count) + "," + row.action;
        } else {
            const Span span = SpanOf(clean, "R", std::string("<< ") + FileOf(row.where));
            ASSERT_GT(span.within, 1);
            fault = Fault("R", row.action, row.count, span.before + span.within / 2);
        }
        rig.emu.Reset(holding(rig, {fault}));
        auto r = rig.Receive();
        EXPECT_EQ(r->GetError(), row.error);
        EXPECT_EQ(r->ReportResult(), row.error == 0);
        EXPECT_EQ(BoxIds(rig.f.ui), row.box ? std::vector<int>{row.box} : std::vector<int>{});
        EXPECT_EQ(rig.emu.Count("end"), row.error == 29 ? 2 : 1);
        EXPECT_EQ(rig.emu.Log().back(), "end");
        const bool image = rig.Exists("ANLAGE1.BIN");
        const bool driver = rig.Exists("ANLAGE1.DRV");
        const bool function = rig.Exists("ANLAGE1.FKT");
        switch (row.error == 0 ? Where::Identification : row.where) {
        case Where::Image: EXPECT_FALSE(image || driver || function); break;
        case Where::Driver: EXPECT_FALSE(image || driver || function); break;
        case Where::Function:
            EXPECT_TRUE(image && driver);
            EXPECT_FALSE(function);
            break;
        default: break;
        }
        if (row.error == 0) {
            EXPECT_EQ(rig.Read("ANLAGE1.BIN"), rig.image);
            EXPECT_EQ(rig.Read("ANLAGE1.DRV"), rig.driver);
            EXPECT_EQ(rig.Read("ANLAGE1.FKT"), rig.function);
        }
    }
}

} // namespace
} // namespace orv
