#include "LinkRig.h"
#include "serlink/orvlink.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

using namespace orv;

namespace {

struct FrameCase {
    const char* name;
    bool connectFirst;  // one good frame before the one under test
    std::function<void(Rig&)> panelBehaviour;
    std::string command;
    uint16_t result;
    std::string console;
    const char* wire;  // nullptr: not compared
    std::string commandAfter;
    std::string answerAfter;
    uint64_t elapsedMs;
};

std::string Bytes(const char* text, size_t n) { return std::string(text, n); }

void Nothing(Rig&) {}

void PrintTo(const FrameCase& c, std::ostream* os) { *os << c.name; }

const std::vector<FrameCase>& FrameCases() {
    static const std::string kHello = "1. Verbindungsaufnahme\n";
    static const std::string kUp = "Verbindung aufgebaut\n";
    static const std::vector<FrameCase> cases = {
        {"FirstFrameRunsHandshake", false, Nothing, "V", 0, kHello + kUp,
         "+00 -56 -56 +00 +00 +00", Bytes("VV\0", 3), "OK", 105},
        {"SecondFrameSkipsHandshake", true, Nothing, "V", 0, "", "-56 -56 +00 +00 +00", Bytes("VV\0", 3), "OK", 4},
        {"EmptyCommandSendsOneZero", true, Nothing, "", 0, "", "-00 +00 +00 +00", Bytes("\0\0", 2), "OK", 4},
        {"ChecksumMayBeXonOrXoff", true, Nothing, "R\x43", 0, "", "-52 -43 -11 +00 +00 +00",
         Bytes("RC\x11\0", 4), "OK", 4},
        {"HandshakeCtsStuckOn", false, [](Rig& r) { r.panel.behaviour.ctsStuckOn = true; }, "V", 2,
         kHello + "1. Verbindungsaufbau CTS did not go low\n", "", Bytes("VV\0", 3), "", 600},
        {"HandshakeCtsNeverOn", false, [](Rig& r) { r.panel.behaviour.handshakeNoCts = true; }, "V", 1,
         kHello + "1. Verbindungsaufbau CTS did not go high\n", "", Bytes("VV\0", 3), "", 600},
        {"HandshakeCtsOnAfterSixteenZeros", false, [](Rig& r) { r.panel.behaviour.zerosToConnect = 0; }, "V", 0,
         kHello + kUp,
         "+00 +00 +00 +00 +00 +00 +00 +00 +00 +00 +00 +00 +00 +00 +00 +00 -56 -56 +00 +00 +00",
         Bytes("VV\0", 3), "OK", 120},
        {"NoCtsBeforeFrame", true, [](Rig& r) { r.panel.behaviour.frameNoCts = true; }, "V", 1, "", "",
         Bytes("VV\0", 3), "", 500},
        {"NoTransmitEmpty", true, [](Rig& r) { r.port.transmitEmpties = false; }, "V", 4, "", "-56",
         Bytes("VV\0", 3), "", 500},
        {"CtsLeftOnWithoutBytes", true, [](Rig& r) { r.panel.behaviour.holdCts = true; }, "V", 5, "", "-56 -56 +00",
         Bytes("VV\0", 3), "", 501},
        {"AnswerBytes400msApart", true, [](Rig& r) { r.panel.behaviour.byteDelayMs = 400; }, "V", 0, "",
         "-56 -56 +00 +00 +00", Bytes("VV\0", 3), "OK", 1201},
        {"HundredEventsAccepted",
         true,
         [](Rig& r) {
             r.reply = std::string(99, 'H');
             r.panel.behaviour.ctsDropDelayMs = 1;
         },
         "V", 0, "", nullptr, Bytes("VV\0", 3), std::string(99, 'H'), 102},
        {"HundredFirstEventFails",
         true,
         [](Rig& r) {
             r.reply = std::string(100, 'H');
             r.panel.behaviour.ctsDropDelayMs = 1;
         },
         "V", 30, "", nullptr, Bytes("VV\0", 3), "", 102},
        {"EndlessAnswerFails", true, [](Rig& r) { r.panel.behaviour.endless = true; }, "V", 30, "", nullptr,
         Bytes("VV\0", 3), "", 102},
        {"BadChecksumKeepsText", true, [](Rig& r) { r.panel.behaviour.badChecksum = true; }, "V", 31, "",
         "-56 -56 +00 +00 +00", Bytes("VV\0", 3), "OK", 4},
        {"OneByteAnswerIsEmpty", true, [](Rig& r) { r.reply = ""; }, "V", 0, "", "-56 -56 +00",
         Bytes("VV\0", 3), "", 2},
        {"CtsFallsWithNothingQueued", true, [](Rig& r) { r.panel.behaviour.silent = true; }, "V", 0, "",
         "-56 -56 +00", Bytes("VV\0", 3), "", 1},
        {"AnswerInBatches",
         true,
         [](Rig& r) {
             r.reply = "0123456789ABCDEF";
             r.panel.behaviour.batch = 5;
         },
         "V", 0, "", "-56 -56 +00 +00 +00 +00", Bytes("VV\0", 3), "0123456789ABCDEF", 5},
        {"LongestFrameFits",
         true,
         [](Rig& r) {
             r.reply = std::string(125, 'L');
             r.panel.behaviour.batch = 5;
         },
         "V", 0, "", nullptr, Bytes("VV\0", 3), std::string(125, 'L'), 27},
        {"FrameTooLongInBatches",
         true,
         [](Rig& r) {
             r.reply = std::string(126, 'L');
             r.panel.behaviour.batch = 10;
         },
         "V", 32, "", nullptr, Bytes("VV\0", 3), "", 14},
        {"ReadFails", true, [](Rig& r) { r.port.FailAfter(FakePort::Call::Read); }, "V", 28, "",
         "-56 -56 +00 +00 +00", Bytes("VV\0", 3), "", 4},
        {"LineCallFails", true, [](Rig& r) { r.port.FailAfter(FakePort::Call::Cts); }, "V", 29, "", "",
         Bytes("VV\0", 3), "", 0},
        {"WriteFailsMidFrame", true, [](Rig& r) { r.port.FailAfter(FakePort::Call::Write, 1); }, "V", 29, "",
         "-56", Bytes("VV\0", 3), "", 0},
        {"QueueCallFails", true, [](Rig& r) { r.port.FailAfter(FakePort::Call::InputCount); }, "V", 29, "",
         "-56 -56 +00", Bytes("VV\0", 3), "", 1},
        {"LineCallFailsInHandshake", false, [](Rig& r) { r.port.FailAfter(FakePort::Call::Rts, 1); }, "V", 29,
         kHello, "", Bytes("VV\0", 3), "", 100},
    };
    return cases;
}

class SerlinkProtocol : public testing::TestWithParam<std::tuple<FrameCase, FakePort::Pace>> {};

// Paced by the wire, a frame takes no longer than with time standing still,
// where every look at the line costs a millisecond; the windows themselves are
// the same in both (see SerlinkWire).
TEST_P(SerlinkProtocol, Frame) {
    const auto& [c, pace] = GetParam();
    Rig rig(pace);
    ASSERT_EQ(rig.link.Start("/dev/fake", true), 0);
    if (c.connectFirst) {
        ASSERT_EQ(rig.Rec("V"), 0);
    }
    c.panelBehaviour(rig);
    rig.console.clear();
    rig.port.ClearWire();
    rig.clock.AlignToMs();
    const uint64_t before = rig.clock.NowMs();

    EXPECT_EQ(rig.Rec(c.command), c.result);
    EXPECT_EQ(rig.console, c.console);
    if (c.wire) {
        EXPECT_EQ(rig.port.Wire(), c.wire);
    }
    EXPECT_EQ(std::string(rig.command, c.commandAfter.size()), c.commandAfter);
    EXPECT_STREQ(rig.answer, c.answerAfter.c_str());
    if (pace == FakePort::Pace::Still) {
        EXPECT_EQ(rig.clock.NowMs() - before, c.elapsedMs);
    } else {
        EXPECT_LE(rig.clock.NowMs() - before, c.elapsedMs);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SerlinkProtocol,
                         testing::Combine(testing::ValuesIn(FrameCases()),
                                          testing::Values(FakePort::Pace::Still, FakePort::Pace::Wire)),
                         [](const testing::TestParamInfo<SerlinkProtocol::ParamType>& info) {
                             const bool wire = std::get<1>(info.param) == FakePort::Pace::Wire;
                             return std::string(std::get<0>(info.param).name) + (wire ? "Wire" : "Still");
                         });

TEST(SerlinkProtocolFrames, PanelSeesCommandWithoutChecksum) {
    Rig rig;
    ASSERT_EQ(rig.link.Start("/dev/fake", false), 0);
    ASSERT_EQ(rig.Rec("R000010"), 0);
    ASSERT_EQ(rig.Rec(""), 0);
    EXPECT_EQ(rig.commands, (std::vector<std::string>{"R000010", ""}));
}

TEST(SerlinkProtocolFrames, TooLongFrameLeavesGuardBytes) {
    Rig rig;
    ASSERT_EQ(rig.link.Start("/dev/fake", true), 0);
    rig.reply = std::string(126, 'L');
    rig.panel.behaviour.batch = 7;
    std::memset(rig.answer, 'x', sizeof rig.answer);
    std::strcpy(rig.command, "V");
    EXPECT_EQ(rig.link.Rec(rig.command, rig.answer), ORVLINK_ANSWER_TOO_LONG);
    EXPECT_EQ(rig.answer[0], '\0');
    for (size_t i = 1; i < sizeof rig.answer; ++i) ASSERT_EQ(rig.answer[i], 'x') << i;
    // The rest of the frame does not leak into the next answer.
    rig.reply = "OK";
    EXPECT_EQ(rig.Rec("V"), 0);
    EXPECT_STREQ(rig.answer, "OK");
}

TEST(SerlinkProtocolLifecycle, EndWithoutStartAndTwice) {
    Rig rig;
    EXPECT_EQ(rig.link.End(), ORVLINK_NO_PORT);
    ASSERT_EQ(rig.link.Start("/dev/fake", true), 0);
    EXPECT_EQ(rig.link.End(), 0);
    EXPECT_EQ(rig.link.End(), ORVLINK_NO_PORT);
    EXPECT_FALSE(rig.port.Dtr());
}

TEST(SerlinkProtocolLifecycle, RecWithoutPortTouchesNothing) {
    Rig rig;
    for (int round = 0; round < 2; ++round) {
        char command[8] = "V";
        char answer[8] = "keep";
        EXPECT_EQ(rig.link.Rec(command, answer), ORVLINK_NO_PORT);
        EXPECT_STREQ(command, "V");
        EXPECT_EQ(command[2], '\0');
        EXPECT_STREQ(answer, "keep");
        EXPECT_EQ(rig.port.Wire(), "");
        ASSERT_EQ(rig.link.Start("/dev/fake", true), 0);
        ASSERT_EQ(rig.link.End(), 0);
    }
}

TEST(SerlinkProtocolLifecycle, StartOnOpenPortClosesFirstAndHandshakesAgain) {
    Rig rig;
    ASSERT_EQ(rig.link.Start("/dev/fake", true), 0);
    ASSERT_EQ(rig.Rec("V"), 0);
    ASSERT_TRUE(rig.link.Connected());
    EXPECT_EQ(rig.link.Start("/dev/fake", true), 0);
    EXPECT_EQ(rig.port.Opens(), 2);
    EXPECT_FALSE(rig.link.Connected());
    rig.console.clear();
    EXPECT_EQ(rig.Rec("V"), 0);
    EXPECT_EQ(rig.console, "1. Verbindungsaufnahme\nVerbindung aufgebaut\n");
}

TEST(SerlinkProtocolLifecycle, StartEndStartHandshakesAgain) {
    Rig rig;
    ASSERT_EQ(rig.link.Start("/dev/fake", true), 0);
    ASSERT_EQ(rig.Rec("V"), 0);
    ASSERT_EQ(rig.link.End(), 0);
    ASSERT_EQ(rig.link.Start("/dev/fake", false), 0);
    rig.console.clear();
    EXPECT_EQ(rig.Rec("V"), 0);
    EXPECT_EQ(rig.console, "1. Verbindungsaufnahme\nVerbindung aufgebaut\n");
    EXPECT_STREQ(rig.answer, "OK");
}

TEST(SerlinkProtocolLifecycle, FailedHandshakeIsRetriedByNextFrame) {
    Rig rig;
    ASSERT_EQ(rig.link.Start("/dev/fake", true), 0);
    rig.panel.behaviour.handshakeNoCts = true;
    ASSERT_EQ(rig.Rec("V"), 1);
    rig.panel.behaviour.handshakeNoCts = false;
    rig.console.clear();
    EXPECT_EQ(rig.Rec("V"), 0);
    EXPECT_EQ(rig.console, "1. Verbindungsaufnahme\nVerbindung aufgebaut\n");
    EXPECT_STREQ(rig.answer, "OK");
}

TEST(SerlinkProtocolLifecycle, TimerTextsAtStartAndEnd) {
    Rig rig;
    EXPECT_EQ(rig.link.Start("/dev/fake", true), 0);
    EXPECT_EQ(rig.link.End(), 0);
    EXPECT_EQ(rig.console, "Timer period OK\nTimer period OK\n");

    rig.console.clear();
    rig.clock.fineResolution = false;
    EXPECT_EQ(rig.link.Start("/dev/fake", true), ORVLINK_TIMER);
    EXPECT_FALSE(rig.port.IsOpen());
    EXPECT_EQ(rig.console, "Timer period out of range\n");
    rig.clock.fineResolution = true;
    ASSERT_EQ(rig.link.Start("/dev/fake", true), 0);
    rig.clock.fineResolution = false;
    rig.console.clear();
    EXPECT_EQ(rig.link.End(), ORVLINK_TIMER);
    EXPECT_FALSE(rig.port.IsOpen());
    EXPECT_EQ(rig.console, "Timer period out of range\n");
}

TEST(SerlinkProtocolLifecycle, StartFailures) {
    struct Case {
        std::function<void(Rig&)> fault;
        uint16_t result;
        bool open;
    };
    const Case cases[] = {
        {[](Rig& r) { r.port.FailAfter(FakePort::Call::Open); }, ORVLINK_NO_PORT, false},
        {[](Rig& r) { r.port.configureResult = orv::IPort::ConfigResult::ReadFailed; }, ORVLINK_GET_STATE, true},
        {[](Rig& r) { r.port.configureResult = orv::IPort::ConfigResult::WriteFailed; }, ORVLINK_SET_STATE, true},
        {[](Rig& r) { r.port.FailAfter(FakePort::Call::Dtr); }, ORVLINK_SET_STATE, true},
        {[](Rig& r) { r.port.FailAfter(FakePort::Call::Rts); }, ORVLINK_SET_STATE, true},
    };
    for (const Case& c : cases) {
        Rig rig;
        c.fault(rig);
        EXPECT_EQ(rig.link.Start("/dev/ttyUSB7", true), c.result);
        EXPECT_EQ(rig.port.IsOpen(), c.open);
        EXPECT_EQ(rig.link.End(), c.open ? 0 : ORVLINK_NO_PORT);
    }
}

TEST(SerlinkProtocolLifecycle, FailedOpenNamesDeviceAndReason) {
    Rig rig;
    rig.port.FailAfter(FakePort::Call::Open);
    ASSERT_EQ(rig.link.Start("/dev/ttyUSB7", true), ORVLINK_NO_PORT);
    EXPECT_EQ(rig.console, "Timer period OK\nCannot open /dev/ttyUSB7: Input/output error\n");
    char command[8] = "V";
    char answer[8] = "keep";
    EXPECT_EQ(rig.link.Rec(command, answer), ORVLINK_NO_PORT);
    EXPECT_STREQ(answer, "keep");
}

TEST(SerlinkProtocolLifecycle, StartLeavesModemLinesLow) {
    Rig rig;
    ASSERT_EQ(rig.link.Start("/dev/fake", true), 0);
    EXPECT_FALSE(rig.port.Dtr());
    EXPECT_FALSE(rig.port.Rts());
    EXPECT_FALSE(rig.panel.LinkUp());
}

}  // namespace
