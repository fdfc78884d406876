#pragma once

// libserlink-emu.so: the serial link library's three exports (declared in
// serlink/orvlink.h) over one process-wide emulated panel, whose scenario is
// the INI file named by ORVTOOL_PANEL_EMU.

namespace panelemu {
class PanelEmulator;
}

// The process-wide emulator, for tests; null when the scenario could not be
// loaded.
extern "C" panelemu::PanelEmulator* orvlink_emu_panel(void);
