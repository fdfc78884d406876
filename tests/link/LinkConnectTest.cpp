// The link start of the transfer and the read-back: the better rate first,
// the fallback to 38400 baud remembered for the next session, and a panel
// that does not answer.
#include "LinkKit.h"
#include "LinkProbes.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

using Kind = UiCall::Kind;
using Log = std::vector<std::string>;

Log Repeat(Log log, const std::string& entry, int n)
{
    for (int i = 0; i < n; ++i)
        log.push_back(entry);
    return log;
}

// Starts the link with the transfer's or the read-back's start.
bool Connect(Link706Rig& rig, bool transfer, uint16_t& error)
{
    if (transfer) {
        TransmitProbe t(rig.emu.Context(), rig.f.workspace, 706, 0, 0, rig.prj.prj.get(), rig.prjPath);
        const bool answered = t.LinkConnect();
        error = t.GetError();
        return answered;
    }
    ReceiveProbe r(rig.emu.Context(), rig.f.workspace, nullptr, nullptr, nullptr, 706, 0, 0);
    const bool answered = r.LinkConnect();
    error = r.GetError();
    return answered;
}

TEST(link_connect, BetterRateFirstAndTheFallbackRemembered)
{
    for (bool transfer : {true, false}) {
        SCOPED_TRACE(transfer ? "transfer" : "read-back");
        Link706Rig rig;
        rig.f.frame.SetLogLevel(3);
        rig.Write();
        uint16_t error = 0;
        EXPECT_TRUE(Connect(rig, transfer, error));
        EXPECT_EQ(rig.emu.Log(), (Log{"start 115200", "V", "end"}));
        EXPECT_EQ(rig.emu.Context().Rates(), (std::array<uint16_t, 2>{1, 0}));

        auto slow = EmuScenario(706);
        slow.runs115200 = false;
        rig.emu.Reset(slow);
        rig.f.ui.ClearCalls();
        EXPECT_TRUE(Connect(rig, transfer, error));
        EXPECT_EQ(error, 0);
        Log expected = Repeat({"start 115200"}, "V", 5);
        expected.insert(expected.end(), {"end", "start 38400", "V", "end"});
        EXPECT_EQ(rig.emu.Log(), expected);
        EXPECT_EQ(rig.emu.Context().Rates(), (std::array<uint16_t, 2>{0, 1}));
        const Log lines = rig.f.ui.TextsOf(Kind::LogAppend);
        EXPECT_NE(std::find(lines.begin(), lines.end(), "Verbindungsaufbau COM1  115kBaud"), lines.end());
        EXPECT_NE(std::find(lines.begin(), lines.end(), "Verbindungsaufbau COM1  38400 Baud"), lines.end());

        // The next session, of either kind, starts at the rate that worked.
        rig.emu.Reset(slow);
        EXPECT_TRUE(Connect(rig, !transfer, error));
        EXPECT_EQ(rig.emu.Log(), (Log{"start 38400", "V", "end"}));
    }
}

TEST(link_connect, SilentPanelAndFailedStartGive29)
{
    struct Case {
        const char* name;
        bool transfer;
        bool openFails;
    };
    const Case cases[] = {{"transfer, silent", true, false}, {"read-back, silent", false, false},
                          {"transfer, start fails", true, true}, {"read-back, start fails", false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Link706Rig rig;
        rig.Write();
        auto scenario = EmuScenario(706, c.openFails ? std::vector<std::string>{"@start,1,open"} : std::vector<std::string>{});
        scenario.runs115200 = scenario.runs38400 = c.openFails;
        rig.emu.Reset(scenario);
        rig.f.workspace.Env().linkCom = 1;
        bool reported = true;
        if (c.transfer) {
            CTransmit706 t(rig.emu.Context(), rig.f.workspace, 706, 1, 0, rig.prjPath, rig.prj.prj.get());
            EXPECT_EQ(t.GetError(), 29);
            reported = t.ReportResult();
        } else {
            CReceive706 r(rig.emu.Context(), rig.f.workspace, rig.prj.prj.get(), &rig.drv, rig.prj.sps.get(), 706, 1, 0);
            EXPECT_EQ(r.GetError(), 29);
            reported = r.ReportResult();
        }
        EXPECT_FALSE(reported);
        Log expected;
        // A start that failed is ended too (the emulator logs no end for a
        // port it never opened), and only once.
        if (c.openFails) {
            expected = {"start 115200"};
        } else {
            expected = Repeat({"start 115200"}, "V", 5);
            expected.push_back("end");
            expected.push_back("start 38400");
            expected = Repeat(expected, "V", 5);
            expected.push_back("end");
        }
        EXPECT_EQ(rig.emu.Log(), expected);
        EXPECT_EQ(rig.emu.Sleeps(), std::vector<uint32_t>(c.openFails ? 1 : 2, 10));
        EXPECT_EQ(BoxIds(rig.f.ui), std::vector<int>{15300});
        EXPECT_NE(rig.f.ui.TextsOf(Kind::Box).at(0).find("COM2"), std::string::npos);
    }
}

} // namespace
} // namespace orv
