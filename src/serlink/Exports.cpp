// The library's three exports over one process-wide link. The version script
// keeps every other symbol local.
#include "serlink/LinkProtocol.h"
#include "serlink/PortSettings.h"
#include "serlink/PosixPort.h"
#include "serlink/SystemClock.h"
#include "serlink/orvlink.h"

#include <cstdio>

namespace {

void WriteConsole(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

struct ProcessLink {
    orv::SystemClock clock;
    orv::PosixPort port{clock};
    orv::LinkProtocol protocol{port, clock, WriteConsole};
};

ProcessLink& Link() {
    static ProcessLink link;
    return link;
}

}  // namespace

extern "C" uint16_t orvlink_start(uint16_t port, uint16_t fast) {
    try {
        return Link().protocol.Start(orv::ConfiguredDevice(port), fast != 0);
    } catch (...) {
        return ORVLINK_NO_PORT;
    }
}

extern "C" uint16_t orvlink_rec(char* command, char* answer) {
    try {
        return Link().protocol.Rec(command, answer);
    } catch (...) {
        return ORVLINK_WAIT;
    }
}

extern "C" uint16_t orvlink_end(void) {
    try {
        return Link().protocol.End();
    } catch (...) {
        return ORVLINK_NO_PORT;
    }
}
