// The icons compiled into the GUI library.
#pragma once

namespace orv {

// Registers the icons; safe to call again.
void InitIconResources();

} // namespace orv
