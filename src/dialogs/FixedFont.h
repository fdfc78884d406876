// The one fixed-pitch face that views and dialogs write names and source in,
// so they all look alike and nobody picks it on their own.
#pragma once

#include <QFont>

namespace orv {

// Courier New where it is installed, else the system's fixed font; the size is
// the caller's.
QFont FixedPitchFont();

} // namespace orv
