// A workspace started on a kit of the panel maker's files and bound to the
// emulated panel the way the program binds its serial link, with project
// directories of its own.
#pragma once

#include "model/core/FrameState.h"
#include "model/core/UiServices.h"
#include "support/ConfigKit.h"
#include "support/EmuLinkFixture.h"
#include "support/ScopedEnv.h"
#include "support/ScriptedRecordChooser.h"
#include "support/ScriptedUi.h"
#include "support/TempDir.h"
#include "workspace/PrjMgr.h"
#include "workspace/StartSel.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orv {

// The 118 family's transfer marks the project's driver file with two zero
// bytes at the offset the file's first word names. The built drivers name
// their own end, so the mark lengthens the file and never reaches the
// panel: the driver without it.
std::string WithoutEndMark(const std::string& driver);
// A whole file's bytes; empty when it cannot be read.
std::string FileBytes(const std::string& path);
// A golden source of the round trips, by its file name.
std::string GoldenSource(const std::string& name);

// The UI first, so that its check of unused answers runs after the rest
// went; the kit and the link library before the workspace.
class PrjMgrLinkKit {
public:
    PrjMgrLinkKit();
    ~PrjMgrLinkKit();
    PrjMgrLinkKit(const PrjMgrLinkKit&) = delete;
    PrjMgrLinkKit& operator=(const PrjMgrLinkKit&) = delete;

    // A workspace of its own, started on the kit, with the start selection
    // of the panel (755: 47 with the international display), PLC 33 and the
    // driver; false when either failed.
    bool Start(uint16_t panel, uint16_t drv = 5);
    // The source as the file name in dir, parsed into the project as the
    // load does: project and frame hold its path, 0x10 is set and the
    // project's driver and special-function files are taken.
    bool Parse(const std::string& dir, const std::string& name, const std::string& source);
    // The project written as source; its bytes.
    std::string WriteSource(const std::string& path);

    CPrjMgr& Mgr() { return *m_mgr; }
    // The log lines and message boxes in order.
    std::string LogText() const;
    bool Logged(const std::string& line) const { return ui.HasLogLine(line); }
    std::vector<int> BoxIds() const { return ui.BoxIds(); }

    ScriptedUi ui;
    ScopedUiServices uiReg{ui};
    ConfigKit kit;
    ScopedEnv serlink{"ORVTOOL_SERLINK", ORV_SERLINK_EMU};
    EmuLinkFixture emu;
    CFrameState frame;
    ScopedMainFrame frameReg{frame};
    CStartSel sel;
    ScriptedRecordChooser chooser;
    TempDir dirA;
    TempDir dirB;
    std::vector<uint32_t> sleeps;

private:
    std::unique_ptr<CPrjMgr> m_mgr;
};

} // namespace orv
