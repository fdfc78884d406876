// The emulator's reset per test, mid-file faults, replaced answers and the
// line clock that the link benchmark measures against.
#include "FaultScript.h"
#include "PanelEmulator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using panelemu::FaultRule;
using panelemu::PanelEmulator;
using panelemu::PanelScenario;

namespace {

PanelScenario WithFaults(const std::vector<std::string>& texts)
{
    PanelScenario scenario;
    for (const std::string& text : texts) {
        FaultRule rule;
        std::string error;
        EXPECT_TRUE(panelemu::ParseFaultRule(text, rule, error)) << error;
        scenario.faults.push_back(rule);
    }
    return scenario;
}

std::vector<std::string> Answers(PanelEmulator& panel, const std::vector<std::string>& commands)
{
    std::vector<std::string> answers;
    for (const std::string& c : commands)
        answers.push_back(panel.Command(c).answer);
    return answers;
}

// The rule written out: characters of 11 bits at the rate, 1 ms per frame,
// 100 ms for the handshake.
double FrameUs(size_t command, size_t answer, bool handshake, double rate)
{
    const double chars = static_cast<double>(command + 1 + 1 + answer + 1 + (handshake ? 1 : 0));
    return chars * 11 * 1e6 / rate + 1000 + (handshake ? 100000 : 0);
}

TEST(panel_emu, ResetGivesAnIndependentPanel)
{
    PanelEmulator panel(WithFaults({"SR,5,?12"}));
    panel.Start(true);
    Answers(panel, {"B06", "EP0", "PON", "W00101122"});
    ASSERT_EQ(panel.Memory().Read(6, 0x10), 0x11);

    PanelScenario second;
    second.model = 473;
    second.dataSetFlags = 0x01;
    panel.Reset(second);
    EXPECT_EQ(panel.Memory().Read(6, 0x10), 0xFF);
    EXPECT_TRUE(panel.Log().empty());
    EXPECT_EQ(panel.Bank(), 0);
    EXPECT_EQ(panel.ClockUs(), 0);
    EXPECT_FALSE(panel.Answering());
    panel.Start(true);
    // The first panel's fault and programming state are gone with it.
    EXPECT_EQ(Answers(panel, {"SR", "W00101122"}), (std::vector<std::string>{std::string(32, '0'), "?11"}));
    EXPECT_EQ(panel.Command("V").answer.substr(0, 5), "OG473");
    EXPECT_EQ(panel.Command("C").answer.substr(0, 2), "0D");
}

TEST(panel_emu, SkipCountAndReplacedAnswer)
{
    PanelEmulator panel(WithFaults({"W,1,?11,3", "C,1,answer:0DFF0000"}));
    panel.Start(true);
    Answers(panel, {"EP0", "PON"});
    EXPECT_EQ(Answers(panel, {"W000011", "W000122", "W000233", "W000344", "W000455"}),
              (std::vector<std::string>{"OK", "OK", "OK", "?11", "OK"}));
    EXPECT_EQ(panel.Memory().Read(0, 3), 0xFF);
    EXPECT_EQ(panel.Memory().Read(0, 4), 0x55);
    EXPECT_EQ(Answers(panel, {"C", "C"}), (std::vector<std::string>{"0DFF0000", "0C000000"}));

    FaultRule rule;
    std::string error;
    EXPECT_FALSE(panelemu::ParseFaultRule("W,1,?11,x", rule, error));
    EXPECT_NE(error.find("skip"), std::string::npos);
}

TEST(panel_emu, LineClockFollowsTheRule)
{
    struct Case {
        const char* name;
        bool fast;
        bool handshake;
    };
    const Case cases[] = {{"115200 first", true, true}, {"115200 again", true, false},
                          {"38400 first", false, true}, {"38400 again", false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PanelEmulator panel;
        panel.Start(c.fast);
        if (!c.handshake) {
            panel.Command("V");
            panel.ResetClock();
        }
        const std::string id = panel.Command("V").answer;
        const double rate = c.fast ? 115200 : 38400;
        EXPECT_NEAR(panel.ClockUs(), FrameUs(1, id.size(), c.handshake, rate), 1.0);
        EXPECT_EQ(panel.Frames(), 1u);
        EXPECT_EQ(panel.CharsSent(), 3u + (c.handshake ? 1 : 0));
        EXPECT_EQ(panel.CharsReceived(), id.size() + 1);
    }

    PanelEmulator panel;
    panel.Start(true);
    panel.Command("EP0");
    panel.Command("PON");
    panel.ResetClock();
    const std::string write = "W0000" + std::string(46, 'A');
    ASSERT_EQ(write.size(), 51u);
    EXPECT_EQ(panel.Command(write).answer, "OK");
    EXPECT_NEAR(panel.ClockUs(), FrameUs(51, 2, false, 115200), 1.0);
    panel.AddWait(10);
    EXPECT_NEAR(panel.ClockUs(), FrameUs(51, 2, false, 115200) + 10000, 1.0);
    EXPECT_EQ(panel.CallerWaitUs(), 10000);
}

} // namespace
