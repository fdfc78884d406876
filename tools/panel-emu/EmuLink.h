// The panel emulator's stand-in for the serial link library's calls, holding the
// real library's buffer contract.
#pragma once

#include "PanelEmulator.h"

#include <cstdint>

namespace panelemu {

// The serial link library's three calls over an emulated panel, with the real
// library's buffer contract: the checksum goes over the command's NUL with a
// NUL behind it, at most 126 answer bytes are written (32 beyond that), and
// 21 without a start.
class EmuLink {
public:
    static constexpr size_t kAnswerBufferSize = 126;

    explicit EmuLink(PanelEmulator& panel) : m_panel(panel) {}

    uint16_t Start(uint16_t port, uint16_t fast);
    uint16_t Rec(char* command, char* answer);
    uint16_t End();

private:
    PanelEmulator& m_panel;
    bool m_open = false;
};

}  // namespace panelemu
