// The project the PLC dialogs' forms work on: the parser's project with a
// driver set up by DrvXrefSetup, a frame that logs debug lines, and the
// scripted UI that records the messages.
#pragma once

#include "model/core/FrameState.h"
#include "model/core/Log.h"
#include "support/DrvXrefSetup.h"
#include "support/ParserWorld.h"

#include <memory>
#include <utility>
#include <vector>

namespace orv {

// A driver with the address limits of DrvXrefSetup, cross-reference entries
// 0..entries-1 (all fields 0) and the PLC definitions, multi-access or not.
inline DrvXrefSetup PlcDrv(std::vector<PlcDefRow> defs, bool multi = true, int entries = 256)
{
    DrvXrefSetup setup;
    setup.multi = multi;
    setup.entries = entries;
    setup.defs = std::move(defs);
    return setup;
}

struct PlcFormWorld {
    explicit PlcFormWorld(const DrvXrefSetup& setup) : world(ParserWorld(43).Build())
    {
        frame.SetLogLevel(kLogDebug);
        setup.Apply(*world->drvCfg);
    }

    CDrvCfg& Drv() const { return *world->drvCfg; }
    ScriptedUi& Ui() const { return world->ui; }

    CFrameState frame;
    ScopedMainFrame frameScope{frame};
    std::unique_ptr<ProjectWorld> world;
};

} // namespace orv
