// The emulator library's C exports; nothing thrown inside reaches them, and a
// scenario that fails to load is reported at the first start.
#include "SerlinkEmu.h"

#include "EmuLink.h"
#include "PanelEmulator.h"
#include "PanelScenario.h"

#include "serlink/orvlink.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

namespace {

struct EmulatedLink {
    std::unique_ptr<panelemu::PanelEmulator> panel;
    std::unique_ptr<panelemu::EmuLink> link;
    std::string error;

    // A scenario that cannot be loaded leaves no link and says why at the
    // first start; nothing it throws may reach the exports.
    EmulatedLink() {
        try {
            panelemu::PanelScenario scenario;
            const char* file = std::getenv("ORVTOOL_PANEL_EMU");
            if (file && *file && !panelemu::LoadScenario(file, scenario, error)) return;
            panel = std::make_unique<panelemu::PanelEmulator>(scenario);
            link = std::make_unique<panelemu::EmuLink>(*panel);
        } catch (const std::exception& e) {
            link.reset();
            error = std::string("cannot load the scenario: ") + e.what();
        }
    }
};

EmulatedLink& Emulated() {
    static EmulatedLink emulated;
    return emulated;
}

}  // namespace

extern "C" uint16_t orvlink_start(uint16_t port, uint16_t fast) {
    try {
        EmulatedLink& e = Emulated();
        if (!e.link) {
            std::printf("Panel emulator: %s\n", e.error.c_str());
            std::fflush(stdout);
            return ORVLINK_NO_PORT;
        }
        return e.link->Start(port, fast);
    } catch (...) {
        return ORVLINK_NO_PORT;
    }
}

extern "C" uint16_t orvlink_rec(char* command, char* answer) {
    try {
        EmulatedLink& e = Emulated();
        if (!e.link) return ORVLINK_NO_PORT;
        return e.link->Rec(command, answer);
    } catch (...) {
        return ORVLINK_WAIT;
    }
}

extern "C" uint16_t orvlink_end(void) {
    try {
        EmulatedLink& e = Emulated();
        if (!e.link) return ORVLINK_NO_PORT;
        return e.link->End();
    } catch (...) {
        return ORVLINK_NO_PORT;
    }
}

extern "C" panelemu::PanelEmulator* orvlink_emu_panel(void) {
    try {
        return Emulated().panel.get();
    } catch (...) {
        return nullptr;
    }
}
