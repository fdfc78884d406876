// The link over a wire-timed line: frames take the line's time and no more,
// every window still ends with its result, and a wait the device refuses
// ends the frame at once.
#include "LinkRig.h"
#include "support/WireBound.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

using namespace orv;

namespace {

constexpr bool kRates[] = {false, true};

void SerlinkWireNothing(Rig&) {}

uint32_t Baud(bool fast) { return fast ? 115200 : 38400; }

std::string AtRate(const char* name, bool fast) { return std::string(name) + " at " + std::to_string(Baud(fast)); }

// A wire-timed link that has made its handshake.
std::unique_ptr<Rig> ConnectedOnWire(bool fast) {
    auto rig = std::make_unique<Rig>(FakePort::Pace::Wire);
    EXPECT_EQ(rig->link.Start("/dev/fake", fast), 0);
    EXPECT_EQ(rig->Rec("V"), 0);
    return rig;
}

std::string Hex(size_t bytes) {
    std::string text;
    for (size_t i = 0; i < bytes; ++i) text += "A5";
    return text;
}

TEST(SerlinkWire, FrameTakesTheLinesTime) {
    struct Case {
        const char* name;
        std::string command;
        std::string reply;
    };
    const Case cases[] = {
        {"write 32 data bytes", "W1000" + Hex(32), "OK"},
        {"read 32 bytes", "R100020", Hex(32)},
        {"empty command, empty answer", "", ""},
        {"hundred answer bytes", "V", std::string(99, 'H')},
        {"longest command", std::string(123, 'C'), "OK"},
    };
    for (const bool fast : kRates) {
        for (const Case& c : cases) {
            SCOPED_TRACE(AtRate(c.name, fast));
            const auto rigOnWire = ConnectedOnWire(fast);
            Rig& rig = *rigOnWire;
            rig.reply = c.reply;
            const uint64_t before = rig.clock.NowNs();
            ASSERT_EQ(rig.Rec(c.command), 0);
            EXPECT_EQ(rig.answer, c.reply);
            const double took = static_cast<double>(rig.clock.NowNs() - before);
            const double bound = FrameBoundNs(c.command.size(), c.reply.size(), Baud(fast));
            EXPECT_GE(took, bound);
            EXPECT_LE(took, 1.05 * bound);
        }
    }
}

TEST(SerlinkWire, WindowsKeepTheirResults) {
    struct Case {
        const char* name;
        std::function<void(Rig&)> fault;
        uint16_t result;
        std::optional<uint64_t> elapsedMs;  // none: depends on the rate
    };
    const Case cases[] = {
        {"transmitter never empties", [](Rig& r) { r.port.transmitEmpties = false; }, ORVLINK_NO_TX_EMPTY, 500},
        {"no CTS before the frame", [](Rig& r) { r.panel.behaviour.frameNoCts = true; }, ORVLINK_CTS_NOT_ON, 500},
        {"CTS left on after the frame", [](Rig& r) { r.panel.behaviour.holdCts = true; }, ORVLINK_CTS_LEFT_ON, 501},
        {"answer bytes 498 ms apart", [](Rig& r) { r.panel.behaviour.byteDelayMs = 498; }, ORVLINK_OK,
         std::nullopt},
        {"answer byte after 500 ms", [](Rig& r) { r.panel.behaviour.byteDelayMs = 500; }, ORVLINK_CTS_LEFT_ON, 501},
        {"101 answer wake-ups", [](Rig& r) { r.panel.behaviour.endless = true; }, ORVLINK_TOO_MANY_EVENTS,
         std::nullopt},
    };
    for (const bool fast : kRates) {
        for (const Case& c : cases) {
            SCOPED_TRACE(AtRate(c.name, fast));
            const auto rigOnWire = ConnectedOnWire(fast);
            Rig& rig = *rigOnWire;
            c.fault(rig);
            rig.clock.AlignToMs();
            const uint64_t before = rig.clock.NowNs();
            EXPECT_EQ(rig.Rec("V"), c.result);
            const uint64_t elapsedMs = (rig.clock.NowNs() - before) / VirtualClock::kNsPerMs;
            if (c.elapsedMs) {
                EXPECT_EQ(elapsedMs, *c.elapsedMs);
            }
        }
    }
}

// A wait that the device refuses (an unplugged adapter) ends the frame with
// 29 at once: no window is waited out and the wait is not tried again.
TEST(SerlinkWaitFaults, FailedWaitEndsAtOnce) {
    struct Case {
        const char* name;
        bool connectFirst;
        std::function<void(Rig&)> setup;
        FakePort::Call call;
        uint64_t elapsedMs;
    };
    const Case cases[] = {
        {"transmit-empty in the frame", true, SerlinkWireNothing, FakePort::Call::TxEmpty, 0},
        {"transmit-empty in the handshake", false, SerlinkWireNothing, FakePort::Call::TxEmpty, 100},
        {"CTS off in the handshake", false, [](Rig& r) { r.panel.behaviour.ctsStuckOn = true; },
         FakePort::Call::Wait, 100},
        {"CTS on before the frame", true, [](Rig& r) { r.panel.behaviour.frameNoCts = true; },
         FakePort::Call::Wait, 0},
        {"answer byte", true, [](Rig& r) { r.panel.behaviour.byteDelayMs = 400; }, FakePort::Call::Wait, 1},
    };
    for (const FakePort::Pace pace : {FakePort::Pace::Still, FakePort::Pace::Wire}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (pace == FakePort::Pace::Wire ? " on the wire" : " standing still"));
            Rig rig(pace);
            ASSERT_EQ(rig.link.Start("/dev/fake", true), 0);
            if (c.connectFirst) {
                ASSERT_EQ(rig.Rec("V"), 0);
            }
            c.setup(rig);
            const int callsBefore = rig.port.Calls(c.call);
            rig.port.FailAfter(c.call);
            rig.clock.AlignToMs();
            const uint64_t before = rig.clock.NowMs();
            EXPECT_EQ(rig.Rec("V"), ORVLINK_WAIT);
            EXPECT_EQ(rig.clock.NowMs() - before, c.elapsedMs);
            EXPECT_EQ(rig.port.Calls(c.call) - callsBefore, 1);
        }
    }
}

}  // namespace
