// The 706 family's read-back over the emulated panel: a transfer read back
// byte for byte, the panel's flags, the check of driver and data area, and
// names from the panel that must not become paths.
#include "LinkKit.h"

#include "model/project/DrvTable.h"
#include "model/project/SpsPar.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace orv {
namespace {

using LinkReceive706Kind = UiCall::Kind;
using LinkReceive706Log = std::vector<std::string>;

std::vector<uint8_t> LinkReceive706Vec(const std::string& bytes) { return {bytes.begin(), bytes.end()}; }

// A panel that holds the rig's data set in the bank, its driver and, when
// asked, its special-function file, as a transfer leaves them.
panelemu::PanelScenario Holding(const Link706Rig& rig, uint8_t bank, bool function,
                                const std::vector<std::string>& faults = {})
{
    panelemu::PanelScenario s = EmuScenario(rig.panelType, faults);
    s.dataSetFlags = static_cast<uint8_t>((bank == 6 ? 0x01 : 0x02) | (function ? 0x10 : 0));
    s.preloads.push_back({bank, 0, LinkReceive706Vec(rig.image)});
    s.preloads.push_back({5, static_cast<uint16_t>(rig.panelType == 706 ? 0xE000 : 0xB000), LinkReceive706Vec(rig.driver)});
    if (function)
        s.preloads.push_back({5, 0xA000, LinkReceive706Vec(rig.function)});
    return s;
}

std::string BackDir(Link706Rig& rig)
{
    const std::string dir = rig.f.dir.File("back/");
    std::filesystem::create_directories(dir);
    rig.f.workspace.SetPrjDir(dir);
    return dir;
}

std::string ReadFile(const std::string& path)
{
    std::string bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
            bytes += static_cast<char>(c);
        std::fclose(file);
    }
    return bytes;
}

TEST(link_receive706, RoundTripGivesBackWhatWasSent)
{
    for (uint16_t type : {706, 473}) {
        SCOPED_TRACE(type);
        const bool function = type == 706;
        Link706Rig rig(type, function, type == 706 ? "AS511.DRV" : DrvStdFileName(60));
        if (type == 473)
            rig.drv.SetDrvNo(60);
        rig.Write();
        auto t = rig.Transmit();
        ASSERT_TRUE(t->ReportResult());
        t->Close();

        const std::string dir = BackDir(rig);
        auto r = rig.Receive();
        EXPECT_EQ(r->GetError(), 0);
        EXPECT_EQ(ReadFile(dir + "ANLAGE1.BIN"), rig.image);
        EXPECT_EQ(ReadFile(dir + "ANLAGE1.DRV"), rig.driver);
        EXPECT_EQ(std::filesystem::exists(dir + "ANLAGE1.FKT"), function);
        if (function) {
            EXPECT_EQ(ReadFile(dir + "ANLAGE1.FKT"), rig.function);
        }
        EXPECT_EQ(rig.f.workspace.GetDrvFile(), dir + "ANLAGE1.DRV");
        EXPECT_EQ(rig.f.workspace.GetRcvFile(3), dir + "ANLAGE1.BIN");
        EXPECT_EQ(rig.f.workspace.GetRcvFile(1), dir + "ANLAGE1.DRV");
        EXPECT_EQ(rig.f.workspace.GetRcvFile(2), dir + "ANLAGE1.FKT");
        EXPECT_TRUE(r->ReportResult());
        EXPECT_EQ(rig.prj.prj->GetPath(), "ANLAGE1.ORV");
        EXPECT_TRUE(BoxIds(rig.f.ui).empty());
        EXPECT_EQ(rig.emu.Log().back(), "end");
        EXPECT_EQ(rig.emu.Count("end"), 2);
        r->Close();
    }
}

struct FlagCase {
    const char* name;
    uint8_t bank;
    std::vector<std::string> faults;
    std::string identification;
    uint16_t error;
};

TEST(link_receive706, FlagsOfTheCAnswer)
{
    const FlagCase cases[] = {
        {"0x0D reads bank 6", 6, {}, "", 0},
        {"0x0E reads bank 8", 8, {}, "", 0},
        {"0x0C", 6, {"C,1,answer:0C000000"}, "", 44},
        {"check byte 0xFF", 6, {"C,1,answer:0DFF0000"}, "", 44},
        {"two characters", 6, {"C,1,answer:0D"}, "", 44},
        {"742 against a 706 project", 6, {}, "OG7429990 EMULATED PANEL", 34},
        {"X answer too long for M", 6, {"X,1,answer:" + std::string(124, 'A')}, "", 40},
    };
    for (const FlagCase& c : cases) {
        SCOPED_TRACE(c.name);
        Link706Rig rig(706, false);
        auto scenario = Holding(rig, c.bank, false, c.faults);
        scenario.identification = c.identification;
        rig.emu.Reset(scenario);
        const std::string dir = BackDir(rig);
        auto r = rig.Receive();
        EXPECT_EQ(r->GetError(), c.error);
        EXPECT_EQ(ReadFile(dir + "ANLAGE1.BIN"), c.error ? "" : rig.image);
        EXPECT_EQ(rig.emu.Count("B" + std::string(c.bank == 6 ? "06" : "08")), c.error == 44 ? 0 : c.error ? 1 : 2);
        EXPECT_EQ(rig.emu.Count("end"), 1);
    }
}

struct AreaCase {
    const char* name;
    std::string drvFile;
    std::function<void(Link706Rig&)> setUp;
    bool withDrvCfg;
    uint16_t error;
    std::string shows;
};

TEST(link_receive706, DriverAndDataAreaAgainstTheProject)
{
    const auto param = [](const std::string& name, uint32_t value) {
        return [=](Link706Rig& r) {
            for (DrvParamSpec& p : r.drvEntry.params)
                if (p.name == name)
                    p.setting = value;
        };
    };
    const AreaCase cases[] = {
        {"equal area", "AS511.DRV", [](Link706Rig&) {}, true, 0, ""},
        {"AL differs", "AS511.DRV", param("AL", 999), true, 34, "MW 999 bis MW"},
        {"no driver configuration", "AS511.DRV", param("AL", 999), false, 0, ""},
        {"other driver", "AS511.DRV", [](Link706Rig& r) { r.drvEntry.drvFile = "LTR.DRV"; }, true, 34, "'ORV 706'"},
        {"MODBUS type 44 without entries", "MODBUSPS.DRV",
         [](Link706Rig& r) {
             r.prj.sps->SetSpsType(44);
             r.prj.sps->SetOffset(10);
             r.drvEntry.params.clear();
         },
         true, 34, "Wort"},
        {"473MPIMD equal", "473MPIMD.DRV", [](Link706Rig&) {}, true, 0, ""},
        {"473MPIMD differs", "473MPIMD.DRV", param("AM", 4711), true, 34, ""},
        {"cyclic chain", "AS511.DRV", [](Link706Rig& r) { r.drvEntry.cyclicChain = true; }, true, 0, ""},
    };
    for (const AreaCase& c : cases) {
        SCOPED_TRACE(c.name);
        Link706Rig rig(706, false, c.drvFile);
        rig.f.frame.SetLogLevel(3);
        c.setUp(rig);
        rig.driver = rig.drvEntry.Build().bytes;
        rig.emu.Reset(Holding(rig, 6, false));
        const std::string dir = BackDir(rig);
        auto r = c.withDrvCfg ? rig.Receive() : std::make_unique<CReceive706>(rig.emu.Context(), rig.f.workspace,
                                                                              rig.prj.prj.get(), nullptr,
                                                                              rig.prj.sps.get(), 706, 0, 0);
        EXPECT_EQ(r->GetError(), c.error);
        EXPECT_EQ(std::filesystem::exists(dir + "ANLAGE1.BIN"), c.error == 0);
        EXPECT_EQ(r->ReportResult(), c.error == 0);
        EXPECT_EQ(BoxIds(rig.f.ui), c.error ? std::vector<int>{15502} : std::vector<int>{});
        if (!c.shows.empty() || c.error) {
            EXPECT_NE(rig.f.ui.TextsOf(LinkReceive706Kind::Box).at(0).find(c.shows), std::string::npos)
                << rig.f.ui.TextsOf(LinkReceive706Kind::Box).at(0);
        }
        const LinkReceive706Log log = rig.f.ui.TextsOf(LinkReceive706Kind::LogAppend);
        const bool loops = std::any_of(log.begin(), log.end(), [](const std::string& l) {
            return l.find("parameter chain loops") != std::string::npos;
        });
        EXPECT_EQ(loops, rig.drvEntry.cyclicChain);
    }
}

TEST(link_receive706, NamesFromThePanelAndExistingFiles)
{
    struct Case {
        const char* name;
        std::string projectName;
        bool existing;
        bool overwrite;
        uint16_t error;
        std::vector<int> boxes;
    };
    const Case cases[] = {
        {"parent directory", "../ETC", false, false, 44, {15027}},
        {"separator", "A/B.ORV", false, false, 44, {15027}},
        {"empty", "", false, false, 44, {15027}},
        {"existing, declined", "ANLAGE1.ORV", true, false, 45, {}},
        {"existing, overwritten", "ANLAGE1.ORV", true, true, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Link706Rig rig(706, false);
        std::string name = c.projectName;
        name.resize(12, ' ');
        Patch(rig.image, 6, name);
        rig.emu.Reset(Holding(rig, 6, false));
        const std::string dir = BackDir(rig);
        if (c.existing) {
            rig.f.dir.Write("back/ANLAGE1.ORV", "SOURCE");
            rig.f.ui.AnswerQuestion(15501, c.overwrite);
        }
        auto r = rig.Receive();
        EXPECT_EQ(r->GetError(), c.error);
        EXPECT_EQ(r->ReportResult(), c.error == 0);
        EXPECT_EQ(BoxIds(rig.f.ui), c.boxes);
        EXPECT_EQ(std::filesystem::exists(dir + "ANLAGE1.BIN"), c.error == 0);
        EXPECT_FALSE(std::filesystem::exists(rig.f.dir.File("ETC")));
        EXPECT_EQ(rig.emu.Count("end"), 1);
        EXPECT_EQ(rig.emu.Log().back(), "end");
    }
}

} // namespace
} // namespace orv
