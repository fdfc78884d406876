#pragma once

#include "serlink/LinkProtocol.h"
#include "serlink/orvlink.h"
#include "support/FakePort.h"
#include "support/LinePanel.h"
#include "support/VirtualClock.h"

#include <cstring>
#include <string>
#include <vector>

namespace orv {

// The link over a fake line to a panel that answers `reply` to every command.
// On a wire-timed line the panel answers as soon as a zero byte has reached it.
struct Rig {
    explicit Rig(FakePort::Pace pace = FakePort::Pace::Still) : port(clock, panel, pace) {
        if (pace == FakePort::Pace::Wire) panel.behaviour.byteDelayMs = 0;
    }

    VirtualClock clock;
    std::string reply = "OK";
    std::vector<std::string> commands;
    LinePanel panel{[this](const std::string& command) {
        commands.push_back(command);
        return reply;
    }};
    FakePort port;
    std::string console;
    orv::LinkProtocol link{port, clock, [this](std::string_view text) { console += text; }};
    char command[ORVLINK_BUFFER_SIZE] = {};
    char answer[ORVLINK_BUFFER_SIZE + 8] = {};

    uint16_t Rec(const std::string& text) {
        std::memset(command, '#', sizeof command);
        std::memset(answer, 'x', sizeof answer);
        std::memcpy(command, text.c_str(), text.size() + 1);
        return link.Rec(command, answer);
    }
};

} // namespace orv
