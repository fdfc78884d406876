// The exchange core under its callers: retries over the emulator's faults,
// the error each caller leaves, what is counted and logged, and the command
// restored for every retry.
#include "LinkKit.h"
#include "LinkProbes.h"

#include "support/SerLinkStubs.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orv {
namespace {

using LinkExchangeKind = UiCall::Kind;

int CountPrefix(const std::vector<std::string>& lines, const std::string& prefix)
{
    return static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                          [&](const std::string& l) { return l.rfind(prefix, 0) == 0; }));
}

int CountText(const std::string& text, const std::string& part)
{
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

struct FaultCase {
    const char* name;
    std::string fault;
    std::string command;
    uint8_t minBytes;
    bool ok;
    uint16_t transferError;
    int tries;
};

const FaultCase kFaults[] = {
    {"?11 every try", "B,20,?11", "B02", 0, false, 24, 20},
    {"?12 every try", "B,20,?12", "B02", 0, false, 24, 20},
    {"?13 every try", "B,20,?13", "B02", 0, false, 39, 20},
    {"empty every try", "B,20,empty", "B02", 0, false, 39, 20},
    {"silence every try", "B,20,result:1", "B02", 0, false, 39, 20},
    {"wrong checksum every try", "B,20,result:31", "B02", 0, false, 39, 20},
    {"over-long every try", "B,20,result:32", "B02", 0, false, 39, 20},
    {"wrong checksum once", "B,1,result:31", "B02", 0, true, 0, 2},
    {"silence once", "B,1,result:1", "B02", 0, true, 0, 2},
    {"cut read every try", "R,20,cut:6", "R000004", 4, false, 39, 20},
    {"cut read once", "R,1,cut:6", "R000004", 4, true, 0, 2},
};

TEST(link_exchange, TransferRetriesCountsAndSetsTheError)
{
    for (const FaultCase& c : kFaults) {
        SCOPED_TRACE(c.name);
        Link706Rig rig(43, false);
        rig.f.frame.SetLogLevel(3);
        rig.Write();
        TransmitProbe t(rig.emu.Context(), rig.f.workspace, 43, 0, 0, nullptr, rig.prjPath);
        ASSERT_EQ(t.GetError(), 0);
        ASSERT_TRUE(t.LinkConnect());
        rig.emu.Reset(EmuScenario(706, {c.fault}));
        rig.emu.Panel().Start(true);
        rig.f.ui.ClearCalls();
        rig.f.workspace.SetLinkErrors(0);

        EXPECT_EQ(t.Send(c.command, c.minBytes), c.ok ? 1 : -1);
        EXPECT_EQ(t.GetError(), c.transferError);
        const std::vector<std::string> sent = rig.emu.Commands();
        EXPECT_EQ(sent, std::vector<std::string>(static_cast<size_t>(c.tries), c.command));
        EXPECT_EQ(rig.emu.Context().Command(), c.command);
        EXPECT_EQ(rig.f.workspace.GetLinkErrors(), static_cast<uint32_t>(c.tries - 1 + (c.ok ? 0 : 1)));
        const std::vector<std::string> log = rig.f.ui.TextsOf(LinkExchangeKind::LogAppend);
        EXPECT_EQ(CountPrefix(log, "SENDE Versuch"), c.tries - (c.ok ? 1 : 0));
        EXPECT_EQ(CountPrefix(log, "EMPFANGE"), c.tries - (c.ok ? 1 : 0));
        // A failed exchange ends the link itself, once.
        EXPECT_EQ(rig.emu.Count("end"), c.ok ? 0 : 1);
        t.EndLink();
        t.Close();
        const std::string trace = rig.Read("ANLAGE1.DBG");
        EXPECT_EQ(CountText(trace, "\nSend   : V "), c.tries);
        EXPECT_EQ(CountText(trace, "\nReceive:"), c.tries);
    }
}

TEST(link_exchange, ReadBackCountsOnceAndEndsTheLink)
{
    for (const FaultCase& c : kFaults) {
        SCOPED_TRACE(c.name);
        Link706Rig rig(706, false);
        rig.f.frame.SetLogLevel(3);
        ReceiveProbe r(rig.emu.Context(), rig.f.workspace, nullptr, nullptr, nullptr, 706, 0, 0);
        ASSERT_TRUE(r.LinkConnect());
        rig.emu.Reset(EmuScenario(706, {c.fault}));
        rig.emu.Panel().Start(true);
        rig.f.ui.ClearCalls();
        rig.f.workspace.SetLinkErrors(0);

        EXPECT_EQ(r.Send(c.command, c.minBytes), c.ok ? 1 : -1);
        EXPECT_EQ(r.GetError(), c.ok ? 0 : 40);
        EXPECT_EQ(rig.emu.Commands(), std::vector<std::string>(static_cast<size_t>(c.tries), c.command));
        EXPECT_EQ(rig.emu.Context().Command(), c.command);
        EXPECT_EQ(rig.f.workspace.GetLinkErrors(), c.ok ? 0u : 1u);
        EXPECT_EQ(rig.emu.Count("end"), c.ok ? 0 : 1);
        EXPECT_EQ(rig.emu.Sleeps(), c.ok ? std::vector<uint32_t>{} : std::vector<uint32_t>{10});
        // A short read answer is a failed try without a log line.
        const bool cut = c.fault.find("cut") != std::string::npos;
        const int logged = CountPrefix(rig.f.ui.TextsOf(LinkExchangeKind::LogAppend), "Ubertragungsfehler:");
        EXPECT_EQ(logged, cut ? 0 : c.tries - (c.ok ? 1 : 0));
        r.EndLink();
        r.Close();
        const std::string trace = rig.Read("recei.dbg");
        EXPECT_EQ(CountText(trace, "\nSend   : V "), c.tries);
        EXPECT_EQ(CountText(trace, "\nReceive:"), c.tries);
    }
}

TEST(link_exchange, SimulationTriesTenTimesLoggingEachFailure)
{
    Link706Rig rig(706, false);
    rig.f.frame.SetLogLevel(3);
    rig.emu.Reset(EmuScenario(706, {"B,20,?13"}));
    ASSERT_EQ(rig.emu.Api()->start(0, 1), 0);
    rig.emu.Context().SetCommand("B02");
    const ExchangeOutcome outcome =
        ExchangeCommand(rig.emu.Context(), ExchangeMode::Simulation, 0, {nullptr, 0, &rig.f.workspace});
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.answer, "?13");
    EXPECT_EQ(rig.emu.Commands().size(), 10u);
    EXPECT_EQ(rig.f.workspace.GetLinkErrors(), 0u);
    EXPECT_EQ(rig.f.ui.TextsOf(LinkExchangeKind::LogAppend), std::vector<std::string>(10, "Ubertragungsfehler:0"));
    rig.emu.Api()->end();
}

TEST(link_exchange, WithoutAllEntryPointsNothingIsCalled)
{
    FrameFixture f;
    CSerLinkBinding binding;
    EXPECT_FALSE(binding.Bind(SerLinkStubNoRec()));
    f.ui.ClearCalls();
    CLinkContext ctx(binding.Api(), [](uint32_t) { ADD_FAILURE() << "no pause without a link"; });
    f.dir.Write("A.BIN", "x");
    TransmitProbe t(ctx, f.workspace, 43, 0, 0, nullptr, f.dir.File("A.ORV"));
    EXPECT_FALSE(t.LinkConnect());
    EXPECT_EQ(t.GetError(), 29);
    t.EndLink();
    ReceiveProbe r(ctx, f.workspace, nullptr, nullptr, nullptr, 706, 0, 0);
    EXPECT_FALSE(r.LinkConnect());
    EXPECT_EQ(r.GetError(), 29);
}

} // namespace
} // namespace orv
