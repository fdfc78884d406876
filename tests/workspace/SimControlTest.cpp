// The workspace's simulation control over the program's own binding of the
// emulated panel's link library and the test simulation library: the panel
// check per panel type, the 118 family's data-set check and memory set-up,
// start, stop, a worker that ends on its own, and the program's end.
#include "workspace/PrjMgr.h"

#include "PanelScenario.h"
#include "link/SerLinkBinding.h"
#include "model/core/CatalogueIds.h"
#include "model/core/FrameState.h"
#include "model/core/LangStrings.h"
#include "model/project/PrjData.h"
#include "support/ConfigKit.h"
#include "support/EmuLinkFixture.h"
#include "support/EmulKit.h"
#include "support/ScopedEnv.h"
#include "support/ScriptedUi.h"
#include "workspace/StartSel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <string>
#include <unistd.h>
#include <vector>

namespace orv {
namespace {

using namespace std::chrono_literals;
using Variant = EmulKit::Variant;

constexpr auto kSimControlBound = 10s;

// The program's binding of the emulated link for the test's lifetime.
struct SimControlBinding {
    SimControlBinding() { EXPECT_TRUE(BindSerLink()); }
    ~SimControlBinding() { UnbindSerLink(); }
};

panelemu::PanelScenario SimScenario(uint16_t model, uint8_t terminal = 0x81, char digit = 0);

// The kit first, so that the workspace reads its directory; the UI last of
// the owners, so that its checks run after the rest went.
class workspace_sim_control : public testing::Test {
protected:
    workspace_sim_control()
    {
        frame.SetLogLevel(3);
        EXPECT_TRUE(sel.OpenDb(kit.Home()));
        frame.SetStartSel(&sel);
        EXPECT_EQ(mgr.Init(), CPrjMgr::kInitDone);
        mgr.SetLinkSleep([this](uint32_t ms) {
            sleeps.push_back(ms);
            initsAtSleep.push_back(emul.Inits());
            emu.Panel().AddWait(ms);
        });
        emul.SetRunSleepMs(1);
        ui.ClearCalls();
    }
    ~workspace_sim_control() override
    {
        mgr.SimBridge().RequestStop();
        emul.Release();
        EXPECT_TRUE(mgr.SimBridge().WaitEnded(kSimControlBound));
    }

    // A fresh panel and library, and the marks from which a test looks.
    void Seat(const panelemu::PanelScenario& scenario)
    {
        emu.Reset(scenario);
        emul.Reset();
        emul.SetRunSleepMs(1);
        Mark();
    }
    void Mark()
    {
        logMark = emu.Log().size();
        sleeps.clear();
        initsAtSleep.clear();
        ui.ClearCalls();
    }
    std::vector<std::string> LinkLog() const
    {
        const std::vector<std::string> log = emu.Log();
        return std::vector<std::string>(log.begin() + static_cast<std::ptrdiff_t>(logMark), log.end());
    }
    // The log lines, the thread id left out.
    std::vector<std::string> LogLines() const
    {
        std::vector<std::string> lines;
        for (std::string line : ui.TextsOf(UiCall::Kind::LogAppend)) {
            if (line.rfind("Simulation started ThreadID:", 0) == 0)
                line = "Simulation started ThreadID:*";
            lines.push_back(line);
        }
        return lines;
    }
    // A 706 panel, whose check is its identification alone, and a started
    // simulation.
    void Start706()
    {
        Seat(SimScenario(706));
        mgr.SetPanelType(706);
        mgr.ToggleSimulation();
    }
    std::vector<std::string> Bar() const { return ui.TextsOf(UiCall::Kind::Progress); }
    bool WorkerEnds() { return mgr.SimBridge().WaitEnded(kSimControlBound); }

    ScriptedUi ui;
    ScopedUiServices uiReg{ui};
    ConfigKit kit;
    ScopedEnv serlinkPath{"ORVTOOL_SERLINK", ORV_SERLINK_EMU};
    ScopedEnv emulPath{"ORVTOOL_EMUL", EmulKit::Path(Variant::Full).c_str()};
    EmuLinkFixture emu;
    SimControlBinding binding;
    EmulKit emul;
    CFrameState frame;
    ScopedMainFrame frameReg{frame};
    CStartSel sel;
    std::vector<uint32_t> sleeps;
    // The library's emulInit count at each pause.
    std::vector<int> initsAtSleep;
    size_t logMark = 0;
    CPrjMgr mgr{frame, sel};
};

const std::string kConnect = "Verbindungsaufbau COM1  115kBaud";

panelemu::PanelScenario SimScenario(uint16_t model, uint8_t terminal, char digit)
{
    panelemu::PanelScenario scenario = EmuScenario(model);
    scenario.terminalModule = terminal;
    if (digit != 0) {
        scenario.identification = panelemu::DefaultIdentification(model, '1', 0);
        scenario.identification[5] = digit;
    }
    return scenario;
}

struct CheckCase {
    const char* name;
    uint16_t panelType;
    panelemu::PanelScenario scenario;
    bool started;
    uint16_t error;
    std::vector<std::string> log;
    std::vector<std::string> link;
};

TEST_F(workspace_sim_control, ThePanelCheckPerPanelTypeAndAnswer)
{
    std::vector<std::string> silence = {kConnect};
    std::vector<std::string> silentLink = {"start 115200"};
    for (int rate = 0; rate < 2; ++rate) {
        if (rate == 1) {
            silence.push_back("Verbindungsaufbau COM1  38400 Baud");
            silentLink.insert(silentLink.end(), {"end", "start 38400"});
        }
        for (int i = 0; i < 5; ++i) {
            silence.push_back("Ubertragungsfehler:1");
            silentLink.push_back("V");
        }
    }
    silence.insert(silence.end(), {"Simulation Error Connection", "Simulation failed"});
    silentLink.push_back("end");
    panelemu::PanelScenario silent = SimScenario(43);
    silent.faults = EmuScenario(43, {"V,10,result:1"}).faults;

    const std::vector<std::string> started = {kConnect, "fueher startOLDsim ->now ??", "Simulation started ThreadID:*"};
    // The first version digit sits at 5: a shorter identification is no answer.
    panelemu::PanelScenario shortId = SimScenario(43);
    shortId.identification = "OG043";
    const CheckCase cases[] = {
        {"OG043 with 0x80", 43, SimScenario(43, 0x80), true, 0, started, {"start 115200", "V", "R804001", "end"}},
        {"OG043 with 0x00 and digit '1'", 43, SimScenario(43, 0x00, '1'), true, 0, started,
         {"start 115200", "V", "R804001", "end"}},
        {"OG043 with 0x00 and digit '2'", 43, SimScenario(43, 0x00, '2'), false, 33,
         {kConnect, "Simulation Error Terminal", "Simulation failed"}, {"start 115200", "V", "R804001", "end"}},
        {"OG047 with bit 0 clear", 47, SimScenario(47, 0x80), false, 33,
         {kConnect, "Simulation Error Terminal", "Simulation failed"}, {"start 115200", "V", "R804001", "end"}},
        {"OG047 with bit 0 set", 47, SimScenario(47, 0x01), true, 0, started, {"start 115200", "V", "R804001", "end"}},
        {"OG043 for a 47", 47, SimScenario(43), false, 34, {kConnect, "Simulation errEPROMSign", "Simulation failed"},
         {"start 115200", "V", "end"}},
        {"OG036", 36, SimScenario(36, 0x00), true, 0, {kConnect, "Simulation started ThreadID:*"},
         {"start 115200", "V", "end"}},
        {"OG014", 14, SimScenario(14, 0x00), true, 0, started, {"start 115200", "V", "end"}},
        {"706", 706, SimScenario(706), true, 0, {kConnect, "Simulation started ThreadID:*"}, {"start 115200", "V", "end"}},
        {"silence", 43, silent, false, 29, silence, silentLink},
        {"identification of 5 characters", 43, shortId, false, 29,
         {kConnect, "Verbindungsaufbau COM1  38400 Baud", "Simulation Error Connection", "Simulation failed"},
         silentLink},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        Seat(c.scenario);
        mgr.SetPanelType(c.panelType);
        mgr.ToggleSimulation();
        EXPECT_EQ(mgr.IsSimRunning(), c.started);
        EXPECT_EQ(mgr.GetLastError(), c.error);
        EXPECT_EQ(LogLines(), c.log);
        EXPECT_EQ(LinkLog(), c.link);
        if (mgr.IsSimRunning())
            mgr.ToggleSimulation();
        EXPECT_TRUE(WorkerEnds());
    }
}

// A 118 panel holding data set "ANLAGE1.ORV" in bank 2, stamped with its
// check word, and the driver's name in bank 0x20.
class workspace_sim_control_118 : public workspace_sim_control {
protected:
    workspace_sim_control_118() { mgr.SetPanelType(118); }

    void SeatPanel(uint8_t status1 = 0, bool stamp = true, const std::vector<std::string>& faults = {},
                   const std::string& name = "ANLAGE1.ORV")
    {
        panelemu::PanelScenario scenario = EmuScenario(118, faults);
        scenario.status[1] = status1;
        scenario.status[7] = 1; // bit 0 of byte 2 clear: the page doubles to 2
        std::vector<uint8_t> setName(name.begin(), name.end());
        setName.resize(12, 0);
        scenario.preloads.push_back({2, 5, setName});
        const std::string driver = "ORV118.DRV";
        std::vector<uint8_t> driverName(driver.begin(), driver.end());
        driverName.resize(12, 0);
        scenario.preloads.push_back({0x20, 0x21, driverName});
        const std::string bios = "BIOS 118 V1.00 ";
        scenario.preloads.push_back({0x20, 0xA000, std::vector<uint8_t>(bios.begin(), bios.end())});
        emu.Reset(scenario);
        if (stamp) {
            emu.Panel().Start(true);
            emu.Panel().Command("B02");
            emu.Panel().Command("CW");
            emu.Panel().End();
        }
        emul.Reset();
        emul.SetRunSleepMs(1);
        Mark();
    }
    void SetProjectPath(const std::string& path) { mgr.GetPrjData()->SetPath(path); }

    const std::vector<std::string> kUntilDriver = {"start 115200", "V", "SR", "B02", "CR", "R000002", "R00050C",
                                                   "B20", "R00210C"};
    const std::string kMemory = "M0123F56789ABCDEF0123456700FE";
};

std::vector<std::string> SimThen(std::vector<std::string> head, const std::vector<std::string>& tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

TEST_F(workspace_sim_control_118, AGoodPanelIsCheckedSetUpAndSimulated)
{
    SeatPanel();
    SetProjectPath(kit.Home() + "anlage1.orv");
    for (const uint16_t word : {4, 13, 14})
        mgr.SetSimWord(word, 0x7777);
    mgr.ToggleSimulation();

    EXPECT_EQ(LinkLog(), SimThen(kUntilDriver, {"RA0000F", "RFFFE02", "X", kMemory, "end"}));
    EXPECT_EQ(sleeps, (std::vector<uint32_t>{10, 1000}));
    EXPECT_EQ(initsAtSleep, (std::vector<int>{0, 0}));
    ASSERT_TRUE(mgr.IsSimRunning());
    EXPECT_TRUE(emul.WaitRuns(1));
    EXPECT_EQ(emul.Inits(), 1);
    // The worker's kernel thread id, not the test's.
    const std::vector<std::string> lines = ui.TextsOf(UiCall::Kind::LogAppend);
    const auto started = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.rfind("Simulation started ThreadID:", 0) == 0;
    });
    ASSERT_NE(started, lines.end());
    const unsigned long threadId = std::stoul(started->substr(started->find(':') + 1), nullptr, 16);
    EXPECT_NE(threadId, 0u);
    EXPECT_NE(threadId, static_cast<unsigned long>(::gettid()));
    EXPECT_EQ(Bar(), (std::vector<std::string>{"Create  20 100 0 0", "SetText Simulation l\xE4uft"}));
    EXPECT_EQ(mgr.GetSimWord(4), 0);
    EXPECT_EQ(mgr.GetSimWord(13), 0x0FC8);
    EXPECT_EQ(mgr.GetSimWord(14), 0);
    const std::vector<std::string> log = LogLines();
    for (const char* line : {"SIM Monitor aktiviere Page 2", "SIM Checksum OK", "SIM Dateiname: ANLAGE1.ORV",
                             "SIM Orginal-Treibername: ORV118.DRV", "BIOS:BIOS 118 V1.00 "}) {
        SCOPED_TRACE(line);
        EXPECT_NE(std::find(log.begin(), log.end(), line), log.end());
    }
}

TEST_F(workspace_sim_control_118, TheDataSetMustBeTheProjects)
{
    const struct {
        const char* name;
        uint8_t status1;
        bool stamp;
        std::string path; // relative to the kit
        std::string panelName;
        bool started;
        uint16_t error;
        bool warning;
        std::vector<std::string> link;
    } cases[] = {
        {"not readable", 0x80, true, "anlage1.orv", "ANLAGE1.ORV", false, 33, false, {"start 115200", "V", "SR", "end"}},
        {"checksum differs", 0, false, "anlage1.orv", "ANLAGE1.ORV", false, 44, false,
         {"start 115200", "V", "SR", "B02", "CR", "R000002", "end"}},
        {"another name", 0, true, "anlage2.orv", "ANLAGE1.ORV", false, 0, true, SimThen(kUntilDriver, {"end"})},
        {"the name in another case", 0, true, "ANLAGE1.orv", "anlage1.ORV", true, 0, false,
         SimThen(kUntilDriver, {"RA0000F", "RFFFE02", "X", kMemory, "end"})},
        {"no project path", 0, true, "", "OTHER.ORV", true, 0, false,
         SimThen(kUntilDriver, {"RA0000F", "RFFFE02", "X", kMemory, "end"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SeatPanel(c.status1, c.stamp, {}, c.panelName);
        SetProjectPath(c.path.empty() ? "" : kit.Home() + c.path);
        mgr.ToggleSimulation();
        EXPECT_EQ(mgr.IsSimRunning(), c.started);
        EXPECT_EQ(mgr.GetLastError(), c.error);
        EXPECT_EQ(LinkLog(), c.link);
        const std::vector<UiCall> boxes = ui.CallsOf(UiCall::Kind::Box);
        ASSERT_EQ(boxes.size(), c.warning ? 1u : 0u);
        if (c.warning) {
            EXPECT_EQ(boxes[0].text, std::string(LoadLangString(msg::kDatensatzInDerORVBesitzt)) + "\n" +
                                         LoadLangString(msg::kDargestellteBelegungDerSPSWorte));
            EXPECT_EQ(boxes[0].id, static_cast<int>(msg::kDatensatzInDerORVBesitzt));
        }
        if (mgr.IsSimRunning())
            mgr.ToggleSimulation();
        EXPECT_TRUE(WorkerEnds());
    }
}

TEST_F(workspace_sim_control_118, ShortAnswersAreFailedTriesOfTheExchange)
{
    const struct {
        const char* fault;
        std::string command;
        bool started;
        int sent;
    } cases[] = {
        {"SR,10,cut:30", "SR", false, 10}, {"SR,1,cut:30", "SR", true, 2},
        {"CR,10,cut:2", "CR", false, 10},  {"CR,1,cut:2", "CR", true, 2},
        {"X,10,cut:20", "X", false, 10},   {"X,1,cut:20", "X", true, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        SeatPanel(0, true, {c.fault});
        SetProjectPath("");
        mgr.ToggleSimulation();
        EXPECT_EQ(mgr.IsSimRunning(), c.started);
        // Any other text would be a retry that kept the checksum byte.
        const std::vector<std::string> link = LinkLog();
        EXPECT_EQ(std::count(link.begin(), link.end(), c.command), c.sent);
        EXPECT_EQ(link.back(), "end");
        if (mgr.IsSimRunning())
            mgr.ToggleSimulation();
        EXPECT_TRUE(WorkerEnds());
    }
}

TEST_F(workspace_sim_control_118, StopEndsTheWorkerAndSetsThePanelUpAgain)
{
    SeatPanel();
    SetProjectPath("");
    mgr.ToggleSimulation();
    ASSERT_TRUE(mgr.IsSimRunning());
    ASSERT_TRUE(emul.WaitRuns(2));
    Mark();
    mgr.ToggleSimulation();
    EXPECT_FALSE(mgr.IsSimRunning());
    EXPECT_TRUE(WorkerEnds());
    EXPECT_EQ(emul.Exits(), 1);
    EXPECT_EQ(sleeps, (std::vector<uint32_t>{1000, 10}));
    EXPECT_EQ(LinkLog(),
              (std::vector<std::string>{"start 115200", "V", "RFFFE02", "X", "M0123F56789ABCDEF012345670100", "end"}));
    EXPECT_EQ(Bar(), (std::vector<std::string>{"SetPos 0", "Clear"}));
    EXPECT_EQ(LogLines(), (std::vector<std::string>{kConnect, "Simulation stopped"}));
}

TEST_F(workspace_sim_control, WithTheSimulationDriverBoundTheLinkStaysShut)
{
    Seat(SimScenario(43));
    mgr.SetPanelType(43);
    mgr.SetSimDrvBound(true);
    Mark();
    mgr.ToggleSimulation();
    EXPECT_TRUE(mgr.IsSimRunning());
    EXPECT_TRUE(emul.WaitRuns(1));
    mgr.ToggleSimulation();
    EXPECT_FALSE(mgr.IsSimRunning());
    EXPECT_TRUE(LinkLog().empty());
    EXPECT_EQ(Bar(), (std::vector<std::string>{"Create  20 100 0 0", "SetText Simulation l\xE4uft", "SetPos 0", "Clear"}));
    EXPECT_TRUE(WorkerEnds());
}

TEST_F(workspace_sim_control, ASecondStartWhileTheWorkerRunsOnlyMakesANewBar)
{
    Start706();
    ASSERT_TRUE(mgr.IsSimRunning());
    // Stopped, but the library does not come back to see the stop flag.
    emul.Hold();
    ASSERT_TRUE(emul.WaitHeld());
    mgr.ToggleSimulation();
    Mark();
    mgr.ToggleSimulation();
    EXPECT_FALSE(mgr.IsSimRunning());
    EXPECT_TRUE(LinkLog().empty());
    EXPECT_EQ(Bar(), (std::vector<std::string>{"Create  20 100 0 0", "Destroy"}));
    emul.Release();
    EXPECT_TRUE(WorkerEnds());
    EXPECT_EQ(emul.Inits(), 1);
}

TEST_F(workspace_sim_control, AStaleStopFlagOrErrorDoesNotStopTheNextStart)
{
    Seat(SimScenario(706));
    mgr.SetPanelType(706);
    mgr.SimBridge().RequestStop();
    mgr.SetLastError(39);
    mgr.ToggleSimulation();
    ASSERT_TRUE(mgr.IsSimRunning());
    EXPECT_TRUE(emul.WaitRuns(3));
    EXPECT_TRUE(mgr.SimBridge().IsRunning());
    Mark();
    mgr.ToggleSimulation();
    const std::vector<std::string> link = LinkLog();
    EXPECT_NE(std::find(link.begin(), link.end(), "RFFFE02"), link.end());
    EXPECT_TRUE(WorkerEnds());
}

TEST_F(workspace_sim_control, AWorkerThatEndedOnItsOwnIsStoppedByThePoll)
{
    Seat(SimScenario(706));
    mgr.SetPanelType(706);
    {
        ScopedEnv missing("ORVTOOL_EMUL", "/nonexistent/libemul.so");
        mgr.ToggleSimulation();
    }
    EXPECT_TRUE(mgr.IsSimRunning());
    ASSERT_TRUE(WorkerEnds());
    Mark();
    EXPECT_FALSE(mgr.PollSimulation());
    EXPECT_FALSE(mgr.IsSimRunning());
    const std::vector<UiCall> boxes = ui.CallsOf(UiCall::Kind::Box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Fehler");
    EXPECT_EQ(boxes[0].text, "ERROR: Can't find the libemul.so in the \\SYSTEM dir or local dir");
    EXPECT_EQ(LinkLog(), (std::vector<std::string>{"start 115200", "V", "RFFFE02", "X",
                                                   "M0123F56789ABCDEF012345670100", "end"}));
    EXPECT_FALSE(mgr.PollSimulation());

    mgr.ToggleSimulation();
    EXPECT_TRUE(mgr.IsSimRunning());
    EXPECT_TRUE(emul.WaitRuns(1));
    EXPECT_TRUE(mgr.PollSimulation());
    mgr.ToggleSimulation();
}

TEST_F(workspace_sim_control, GetSimWordMovesTheBarOnlyWhileActive)
{
    mgr.SetSimWord(3, 0x4242);
    EXPECT_EQ(mgr.GetSimWord(3), 0);
    Start706();
    ASSERT_TRUE(emul.WaitRuns(3));
    ui.ClearCalls();
    EXPECT_EQ(mgr.GetSimWord(3), 0x4242);
    const std::vector<std::string> bar = Bar();
    ASSERT_EQ(bar.size(), 1u);
    EXPECT_EQ(bar[0].rfind("SetPos ", 0), 0u);
    mgr.ToggleSimulation();
    ui.ClearCalls();
    EXPECT_EQ(mgr.GetSimWord(3), 0);
    EXPECT_TRUE(Bar().empty());
}

TEST_F(workspace_sim_control, TheProgramEndJoinsTheWorker)
{
    std::vector<int> ended;
    mgr.SetSimProcessEnd([&](int code) { ended.push_back(code); }, 50ms);
    Start706();
    ASSERT_TRUE(emul.WaitRuns(1));
    mgr.EndApplication();
    EXPECT_FALSE(mgr.IsSimRunning());
    EXPECT_FALSE(mgr.SimBridge().IsRunning());
    EXPECT_EQ(emul.Exits(), 1);
    EXPECT_TRUE(ended.empty());
}

TEST_F(workspace_sim_control, ALibraryThatDoesNotReturnEndsTheProcess)
{
    std::vector<int> ended;
    mgr.SetSimProcessEnd([&](int code) { ended.push_back(code); }, 50ms);
    Start706();
    emul.Hold();
    ASSERT_TRUE(emul.WaitHeld());
    mgr.EndApplication();
    EXPECT_EQ(ended, std::vector<int>{0});
    EXPECT_TRUE(mgr.SimBridge().IsRunning());
    emul.Release();
    EXPECT_TRUE(WorkerEnds());
    EXPECT_EQ(emul.Exits(), 1);
}

} // namespace
} // namespace orv
