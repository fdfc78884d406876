// The program's side of the serial link library: loads it at run time and binds
// its three exports, so the tool runs without it.
#pragma once

#include "platform/DynLib.h"
#include "serlink/orvlink.h"

#include <string>

namespace orv {

// The serial link library's three entry points.
struct SerLinkApi {
    orvlink_start_fn start = nullptr;
    orvlink_rec_fn rec = nullptr;
    orvlink_end_fn end = nullptr;
};

// Loads the serial link library and binds its exports by name. A missing
// library or export is reported to the user once; the entry points are handed
// out only when all three were found, so the link code never calls a null
// entry point and refuses with its link error instead.
class CSerLinkBinding {
public:
    // Loads the library at `absPath` (closing one held before) and reports
    // what is missing. True when all three entry points are bound.
    bool Bind(const std::string& absPath);
    // The entry points, or null unless all three are bound.
    const SerLinkApi* Api() const { return m_complete ? &m_api : nullptr; }
    void Unbind();

private:
    DynLib m_lib;
    SerLinkApi m_api;
    bool m_complete = false;
};

// The library the program binds: the file that ORVTOOL_SERLINK names (to run
// against the panel emulator), else "libserlink.so" beside the executable.
std::string SerLinkPath();

// The program-wide binding, held from the main window's creation until its
// destruction.
bool BindSerLink();
void UnbindSerLink();
// The bound entry points for the link code, or null when the library or one
// of its exports is missing.
const SerLinkApi* GetSerLink();

} // namespace orv
