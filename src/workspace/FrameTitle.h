// The main window's title, composed in the workspace layer so it is tested
// without Qt.
#pragma once

#include <cstdint>
#include <string>

namespace orv {

// The state flag that says a project was loaded.
constexpr uint32_t kStateProjectLoaded = 0x10;

// The main window's title: the project path while a project is loaded,
// otherwise `untitled`, followed by the program's name and version.
std::string ComposeFrameTitle(const std::string& prjPath, uint32_t stateFlags,
                              const std::string& untitled);

} // namespace orv
