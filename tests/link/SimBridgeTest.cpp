// The simulation bridge over the test library: the worker's life through
// every way it can end, the block's fixed fields and data words, the cycle
// counter, and a worker that is always joined.
#include "link/SimBridge.h"

#include "support/EmulKit.h"
#include "support/FrameFixture.h"
#include "support/ScopedEnv.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace orv {
namespace {

using Variant = EmulKit::Variant;
using namespace std::chrono_literals;

constexpr auto kSimBridgeBound = 10s;

// The notices as "caption|text" for boxes and "log <level>" for log lines.
std::vector<std::string> NoticeTexts(const std::vector<SimNotice>& notices)
{
    std::vector<std::string> texts;
    for (const SimNotice& n : notices)
        texts.push_back(n.kind == SimNotice::Kind::Box ? n.caption + "|" + n.text : "log " + std::to_string(n.level));
    return texts;
}

uint16_t BlockWord(const CSimBridge& bridge, size_t offset)
{
    return static_cast<uint16_t>(bridge.GetByte(offset) << 8 | bridge.GetByte(offset + 1));
}

// Runs the library at full speed until it answers 0 after limit runs.
void RunUntilTheLibraryEnds(CSimBridge& bridge, EmulKit& kit, int limit, int16_t port)
{
    kit.SetRunSleepMs(0);
    kit.SetRunLimit(limit);
    bridge.StartSimThread(EmulKit::Path(Variant::Full), port);
    ASSERT_TRUE(bridge.WaitEnded(kSimBridgeBound));
}

struct LifeCase {
    const char* name;
    Variant variant;
    bool missingFile;
    int initResult;
    int runLimit; // below 0: never ends by itself
    bool stop;    // the stop flag is set once the library has run
    std::vector<std::string> notices;
    int inits, runs, exits; // runs below 0: not looked at
    uint16_t runWord;       // at 9440 afterwards
    int cycle;              // below 0: not looked at
};

const LifeCase kLifeCases[] = {
    {"missing file", Variant::Full, true, 1, -1, false,
     {"Fehler|ERROR: Can't find the libemul.so in the \\SYSTEM dir or local dir", "log 0"}, 0, 0, 0, 0, 0},
    {"without emulRun", Variant::NoRun, false, 1, -1, false, {"Error|DLL Function 'emulRun' is unknown !!!"}, 0, 0,
     0, 0, 0},
    {"without emulInit", Variant::NoInit, false, 1, -1, false, {"Error|DLL Function 'emulInit' is unknown !!!"}, 0, 0,
     1, 0, 0},
    {"without emulExit", Variant::NoExit, false, 1, 3, false, {"Error|DLL Function 'emulExit' is unknown !!!"}, 1, 4,
     0, 1000, 3},
    {"init 0", Variant::Full, false, 0, -1, false, {}, 1, 0, 1, 0, 0},
    {"run 0 after 5", Variant::Full, false, 1, 5, false, {}, 1, 6, 1, 1000, 5},
    {"stop flag while running", Variant::Full, false, 1, -1, true, {}, 1, -1, 1, 1000, -1},
};

TEST(link_sim_bridge, LifecycleEndsAndCallsAsTheLibraryAllows)
{
    for (const LifeCase& c : kLifeCases) {
        SCOPED_TRACE(c.name);
        EmulKit kit(c.variant);
        kit.SetInitResult(c.initResult);
        kit.SetRunLimit(c.runLimit);
        kit.SetRunSleepMs(c.stop ? 1 : 0);
        CSimBridge bridge;
        const std::string path = c.missingFile ? "/nonexistent/libemul.so" : EmulKit::Path(c.variant);
        EXPECT_NE(bridge.StartSimThread(path, 0), 0u);
        if (c.stop) {
            ASSERT_TRUE(kit.WaitRuns(3));
            bridge.RequestStop();
        }
        ASSERT_TRUE(bridge.WaitEnded(kSimBridgeBound));

        const std::vector<SimNotice> notices = bridge.TakeNotices();
        EXPECT_EQ(NoticeTexts(notices), c.notices);
        if (c.missingFile) {
            EXPECT_NE(notices.back().text.find("/nonexistent/libemul.so"), std::string::npos) << notices.back().text;
        }
        EXPECT_EQ(kit.Inits(), c.inits);
        if (c.runs >= 0) {
            EXPECT_EQ(kit.Runs(), c.runs);
        }
        EXPECT_EQ(kit.Exits(), c.exits);
        EXPECT_EQ(BlockWord(bridge, ORVEMUL_OFF_RUN), c.runWord);
        if (c.cycle >= 0) {
            EXPECT_EQ(bridge.GetCycle(), static_cast<uint32_t>(c.cycle));
        }
        EXPECT_FALSE(bridge.IsRunning());
        EXPECT_FALSE(bridge.IsStopRequested());
    }
}

TEST(link_sim_bridge, TheLibraryIsUnloadedAfterAFailedStart)
{
    const struct {
        const char* name;
        Variant variant;
        const char* initResult;
    } cases[] = {{"without emulRun", Variant::NoRun, nullptr}, {"init 0", Variant::Full, "0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedEnv initResult("EMUL_INIT_RESULT", c.initResult);
        CSimBridge bridge;
        bridge.StartSimThread(EmulKit::Path(c.variant), 0);
        ASSERT_TRUE(bridge.WaitEnded(kSimBridgeBound));
        EXPECT_FALSE(EmulKit::IsLoaded(c.variant));
    }
}

TEST(link_sim_bridge, BlockFieldsAreWrittenAnewAtEveryStart)
{
    EmulKit kit;
    CSimBridge bridge;
    RunUntilTheLibraryEnds(bridge, kit, 2, 3);
    EXPECT_EQ(kit.PortByte(), 4);
    // The library scribbled over the window and state fields while it ran.
    ASSERT_EQ(bridge.GetByte(ORVEMUL_OFF_WINDOW), 0xFF);
    ASSERT_EQ(BlockWord(bridge, ORVEMUL_OFF_STATE), 0xFFFF);

    kit.Reset();
    RunUntilTheLibraryEnds(bridge, kit, 0, -1);
    EXPECT_EQ(kit.PortByte(), 0);
    EXPECT_EQ(kit.WindowBytes(), 0);
    EXPECT_EQ(bridge.GetByte(ORVEMUL_OFF_RUN), 0x03);
    EXPECT_EQ(bridge.GetByte(ORVEMUL_OFF_RUN + 1), 0xE8);
    EXPECT_EQ(BlockWord(bridge, ORVEMUL_OFF_STATE), 0);
}

TEST(link_sim_bridge, TheCounterRunsModuloAHundred)
{
    EmulKit kit;
    CSimBridge bridge;
    RunUntilTheLibraryEnds(bridge, kit, 250, 0);
    EXPECT_EQ(bridge.GetCycle(), 50u);
}

TEST(link_sim_bridge, DataWordsGoHighByteFirstAndStayInsideTheBlock)
{
    FrameFixture f;
    f.frame.SetLogLevel(3);
    EmulKit kit;
    kit.SetRunSleepMs(1);
    CSimBridge bridge;
    bridge.StartSimThread(EmulKit::Path(Variant::Full), 0);

    bridge.SetWord(1, 0x1234);
    EXPECT_EQ(bridge.GetByte(13224), 0x12);
    EXPECT_EQ(bridge.GetByte(13225), 0x34);
    // The library mirrors word 1 into word 2 on its thread.
    const int runs = kit.Runs();
    ASSERT_TRUE(kit.WaitRuns(runs + 2));
    EXPECT_EQ(bridge.GetWord(2), 0x1234);

    bridge.RequestStop();
    ASSERT_TRUE(bridge.WaitEnded(kSimBridgeBound));
    // The library counts word 0 up while it runs; it has ended now.
    bridge.SetWord(0, 0xABCD);
    EXPECT_EQ(bridge.GetByte(13222), 0xAB);
    EXPECT_EQ(bridge.GetWord(0), 0xABCD);
    bridge.SetWord(9772, 0xBEEF);
    EXPECT_EQ(bridge.GetByte(32766), 0xBE);
    EXPECT_EQ(bridge.GetByte(32767), 0xEF);
    EXPECT_EQ(bridge.GetWord(9772), 0xBEEF);
    f.ui.ClearCalls();
    for (const uint16_t index : {uint16_t{9773}, uint16_t{65535}}) {
        SCOPED_TRACE(index);
        bridge.SetWord(index, 0x5555);
        EXPECT_EQ(bridge.GetWord(index), 0);
    }
    EXPECT_EQ(f.ui.TextsOf(UiCall::Kind::LogAppend),
              (std::vector<std::string>{"SetSimWord: data word 9773 lies beyond the simulation block",
                                        "SetSimWord: data word 65535 lies beyond the simulation block"}));
}

TEST(link_sim_bridge, StartStopAndStartAgainRunsTheLibraryTwice)
{
    EmulKit kit;
    kit.SetRunSleepMs(1);
    CSimBridge bridge;
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        const uint32_t id = bridge.StartSimThread(EmulKit::Path(Variant::Full), 0);
        EXPECT_NE(id, 0u);
        EXPECT_NE(id, static_cast<uint32_t>(::gettid()));
        EXPECT_TRUE(bridge.IsRunning());
        ASSERT_TRUE(kit.WaitRuns(kit.Runs() + 2));
        bridge.RequestStop();
        ASSERT_TRUE(bridge.WaitEnded(kSimBridgeBound));
        EXPECT_EQ(kit.Inits(), round);
        EXPECT_EQ(kit.Exits(), round);
    }
}

TEST(link_sim_bridge, DestroyingTheBridgeStopsAndJoinsTheWorker)
{
    EmulKit kit;
    kit.SetRunSleepMs(1);
    {
        CSimBridge bridge;
        bridge.StartSimThread(EmulKit::Path(Variant::Full), 0);
        ASSERT_TRUE(kit.WaitRuns(2));
    }
    EXPECT_EQ(kit.Exits(), 1);
}

TEST(link_sim_bridge, TheLibraryIsTheProgramDirectorysUnlessTheEnvironmentNamesOne)
{
    const std::string cwd = std::filesystem::current_path().string();
    const struct {
        const char* named;
        std::string path;
    } cases[] = {
        {nullptr, "/opt/orv/libemul.so"},
        {"", "/opt/orv/libemul.so"},
        {"/plc/libplc.so", "/plc/libplc.so"},
        {"plc/libplc.so", cwd + "/plc/libplc.so"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.named ? c.named : "unset");
        ScopedEnv named("ORVTOOL_EMUL", c.named);
        EXPECT_EQ(EmulPath("/opt/orv/"), c.path);
    }
}

} // namespace
} // namespace orv
