// Composes the main window's title from the project path and state flags.
#include "workspace/FrameTitle.h"

namespace orv {

std::string ComposeFrameTitle(const std::string& prjPath, uint32_t stateFlags,
                              const std::string& untitled)
{
    const bool loaded = !prjPath.empty() && (stateFlags & kStateProjectLoaded) != 0;
    return (loaded ? prjPath : untitled) + " - ORVtool " + "1.10.00";
}

} // namespace orv
