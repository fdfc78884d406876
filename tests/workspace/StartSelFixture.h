// A small start-selection database and a frame that records what the
// selection tells it, shared by the start-selection suites.
#pragma once

#include "model/core/FrameState.h"
#include "support/RecordingStartSelTarget.h"
#include "support/ScopedEnv.h"
#include "support/ScriptedUi.h"
#include "support/StartSelRows.h"
#include "support/TempDir.h"
#include "workspace/StartSel.h"

#include <string>
#include <vector>

namespace orv {

// Records tool-bar names and screen-font loads into one ordered log.
class RecordingFrame : public CFrameState {
public:
    // English, as the expected report texts are.
    explicit RecordingFrame(std::vector<std::string>& log) : m_log(log) { InitLangId(1); }
    void SetSelectionFields(std::string_view panel, std::string_view plc, std::string_view driver) override
    {
        CFrameState::SetSelectionFields(panel, plc, driver);
        m_log.push_back("Fields " + std::string(panel) + "|" + std::string(plc) + "|" + std::string(driver));
    }

protected:
    void OnScreenFontChanged() override { m_log.push_back("LoadFon"); }

private:
    std::vector<std::string>& m_log;
};

// A target whose intl-display calls go into the same log.
class LoggingTarget : public RecordingStartSelTarget {
public:
    explicit LoggingTarget(std::vector<std::string>& log) : m_log(log) {}
    void SetIntlDisplay(int32_t v) override
    {
        RecordingStartSelTarget::SetIntlDisplay(v);
        m_log.push_back("SetIntlDisplay " + std::to_string(v));
    }

private:
    std::vector<std::string>& m_log;
};

// Two applications; ORVPRO with 14 (mini, "alt"), 755 (mini, "int") and 706
// (midi, "706"); PLC types 33 (driver 5 and 50 by offset), 20 (hex, 15.5)
// and 9 (three drivers); midi offers 33 with 5 only.
struct StartSelFixture {
    StartSelFixture();

    std::vector<std::string> log;
    // A program directory of its own with the shipped panel fonts, so that
    // the screen font loads whatever the environment says.
    TempDir home;
    ScopedEnv homeEnv{"ORVTOOL_HOME", home.Path().c_str()};
    ScriptedUi ui;
    RecordingFrame frame{log};
    LoggingTarget target{log};
    TempDir dir;
    orv::CStartSel sel;
    ScopedUiServices uiReg{ui};
    ScopedMainFrame frameReg{frame};

    std::vector<std::string> Boxes() const { return ui.TextsOf(UiCall::Kind::Box); }
    // Writes "startsel.db" in dir with the rows and opens it.
    void Open();
};

} // namespace orv
