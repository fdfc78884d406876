// Wires a project world into a test frame and reads back what the frame's UI saw.
#include "support/FrameWorld.h"

namespace orv {

namespace {

WorldRecipe InFrame(WorldRecipe wanted, CWorkspaceState& workspace)
{
    return wanted.Workspace(&workspace);
}

} // namespace

FrameWorld::FrameWorld(const WorldRecipe& wanted)
    : world(InFrame(wanted, workspace), bundle),
      charSet(*world.charSet),
      prj(*world.prj),
      sps(*world.sps),
      drv(*world.drvCfg),
      fkt(*world.fkt),
      frm(*world.frm)
{
}

std::vector<int> FrameWorld::BoxIds() const
{
    std::vector<int> ids;
    for (const UiCall& call : ui.CallsOf(UiCall::Kind::Box))
        ids.push_back(call.id);
    return ids;
}

std::vector<std::string> FrameWorld::LogLines() const { return ui.TextsOf(UiCall::Kind::LogAppend); }

bool FrameWorld::Logged(const std::string& text) const
{
    for (const std::string& line : LogLines())
        if (line.find(text) != std::string::npos)
            return true;
    return false;
}

std::vector<std::string> FrameWorld::Questions() const { return ui.TextsOf(UiCall::Kind::Question); }

} // namespace orv
