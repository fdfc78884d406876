// A project world standing in a frame: the frame's bundle carries the parts,
// and the frame's scripted UI records what a step showed.
#pragma once

#include "support/FrameFixture.h"
#include "support/ProjectWorld.h"

#include <string>
#include <vector>

namespace orv {

class CPrjVar;

// The driver configuration answers to the frame's workspace.
class FrameWorld : public FrameFixture {
public:
    explicit FrameWorld(const WorldRecipe& wanted);

    // Ids of the message boxes shown so far.
    std::vector<int> BoxIds() const;
    std::vector<std::string> LogLines() const;
    // Whether a log line holds the text.
    bool Logged(const std::string& text) const;
    // Texts of the questions asked so far.
    std::vector<std::string> Questions() const;
    // A variable of the project's variable list, else of the firmware's.
    CPrjVar* Var(const std::string& name) const { return world.Var(name); }

    ProjectWorld world;
    CCharSet& charSet;
    CPrjData& prj;
    CSpsPar& sps;
    CDrvCfg& drv;
    CFktCfg& fkt;
    CFrmCfg& frm;
};

} // namespace orv
