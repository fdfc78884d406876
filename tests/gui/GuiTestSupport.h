#pragma once

#include "gui/MainFrame.h"
#include "gui/QtUiServices.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace orv {

// A program directory of its own, a copy of the one the build ships, with the
// stub serial link, the Qt user interface registered, and main windows built
// as the program builds them.
class FrameHarness {
public:
    FrameHarness();
    ~FrameHarness();

    // Writes section "GUI" of ORVtool.ini.
    void WriteIni(const std::string& keys);
    std::string ReadIni() const;
    // Builds, creates and shows a main window (replacing one held).
    CMainFrame& Start(KeptDialogFactory dialogFactory = MakeKeptDialog);
    void Stop();
    CMainFrame& Frame() { return *m_frame; }

    TempDir home;

private:
    ScopedEnv m_homeEnv;
    ScopedEnv m_serlinkEnv;
    CQtUiServices m_ui;
    ScopedUiServices m_uiReg;
    std::unique_ptr<CMainFrame> m_frame;
};

// Runs `act` on the next modal dialog or popup once the event loop shows it.
void OnNextModal(std::function<void(QWidget*)> act);

} // namespace orv
