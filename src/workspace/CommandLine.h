// The program's command-line rules, kept out of the GUI so they are tested
// without Qt.
#pragma once

#include <string>
#include <vector>

namespace orv {

// Whether the program may come up with these arguments (the program name not
// included). A first argument that begins with '/' must name an existing
// file; anything else comes up. A file argument loads nothing.
bool CommandLineAllowsStart(const std::vector<std::string>& args);

// The one line the program prints and exits with when no display can show its
// window: no platform chosen (QT_QPA_PLATFORM or "-platform") and neither
// DISPLAY nor WAYLAND_DISPLAY set. Empty when the window can show. Null and
// "" both mean unset.
std::string MissingDisplayMessage(const std::vector<std::string>& args, const char* qpaPlatform,
                                  const char* display, const char* waylandDisplay);

// The arguments of main() after the program name, copied before any toolkit
// removes its own options.
std::vector<std::string> CopyArguments(int argc, char** argv);

} // namespace orv
