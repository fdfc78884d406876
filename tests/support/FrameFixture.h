#pragma once

#include "model/core/FrameState.h"
#include "model/project/PrjBundle.h"
#include "model/core/WorkspaceState.h"
#include "support/FakeStartSelInfo.h"
#include "support/RecordingTraceSink.h"
#include "support/ScriptedUi.h"
#include "support/TempDir.h"

namespace orv {

// A plain frame wired to a workspace state (program and state directory in
// one temporary directory), an empty project bundle, a fake start selection,
// the scripted UI and a recording trace sink, all registered for the
// fixture's lifetime. The registrations go first, the UI last, so that its
// check of unused answers runs after everything else.
class FrameFixture {
public:
    FrameFixture();

    ScriptedUi ui;
    RecordingTraceSink trace;
    FakeStartSelInfo startSel;
    TempDir dir;
    CWorkspaceState workspace;
    PrjBundle bundle;
    CFrameState frame;

private:
    ScopedUiServices m_uiReg;
    ScopedTraceSink m_traceReg;
    ScopedMainFrame m_frameReg;
};

} // namespace orv
