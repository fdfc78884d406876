#include "PanelEmulator.h"
#include "serlink/LinkProtocol.h"
#include "serlink/orvlink.h"
#include "support/FakePort.h"
#include "support/LinePanel.h"
#include "support/VirtualClock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace orv;

namespace {

// The real protocol over the fake line, with the emulator answering frames.
struct EmulatedLine {
    panelemu::PanelEmulator emulator;
    VirtualClock clock;
    LinePanel panel{[this](const std::string& command) { return emulator.Command(command).answer; }};
    FakePort port{clock, panel};
    orv::LinkProtocol link{port, clock, [](std::string_view) {}};
    char command[ORVLINK_BUFFER_SIZE] = {};
    char answer[ORVLINK_BUFFER_SIZE] = {};

    EmulatedLine() { emulator.Start(true); }

    std::string Send(const std::string& text) {
        std::strcpy(command, text.c_str());
        const uint16_t result = link.Rec(command, answer);
        EXPECT_EQ(result, 0) << text;
        return answer;
    }
};

TEST(SerlinkProtocolEmu, VersionAndBlockRoundTrip) {
    EmulatedLine line;
    ASSERT_EQ(line.link.Start("/dev/fake", true), 0);
    EXPECT_EQ(line.Send("V").substr(0, 5), "OG706");

    std::string block;
    const char* pattern[] = {"00", "11", "13", "FF"};
    for (int i = 0; i < 32; ++i) block += pattern[i % 4];
    EXPECT_EQ(line.Send("EP0"), "OK");
    EXPECT_EQ(line.Send("PON"), "OK");
    EXPECT_EQ(line.Send("B06"), "OK");
    EXPECT_EQ(line.Send("W1000" + block), "OK");
    EXPECT_EQ(line.Send("R100020"), block);
    EXPECT_EQ(line.emulator.Memory().Read(6, 0x1001), 0x11);
    EXPECT_EQ(line.panel.Frames().size(), 6u);
}

}  // namespace
