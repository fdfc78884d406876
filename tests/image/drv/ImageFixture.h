#pragma once

#include "model/project/DrvCfg.h"
#include "model/project/FktCfg.h"
#include "model/project/PrjData.h"
#include "model/project/SpsPar.h"
#include "support/FrameFixture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

// A frame with a project bundle of root, PLC parameters, driver and
// special-function configuration, all registered, in a temporary
// directory that is also the program directory.
class ImageFixture : public FrameFixture {
public:
    ImageFixture();

    // The PLC window: a word-counting PLC type, the first data word, the
    // number of words and the data block.
    void SetWindow(uint16_t first, uint16_t length, uint16_t db = 0, uint16_t type = 2);

    // Ids of the message boxes shown so far.
    std::vector<int> BoxIds() const;
    // Texts of the questions asked so far.
    std::vector<std::string> Questions() const;

    CPrjData prj{&bundle};
    CSpsPar sps{&bundle};
    CDrvCfg drv{&workspace, &bundle};
    CFktCfg fkt{&bundle};
};

} // namespace orv
