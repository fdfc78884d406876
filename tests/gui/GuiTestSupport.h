#pragma once

#include "gui/MainFrame.h"
#include "gui/QtUiServices.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QTimer;
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
    // Copies the sample into data/ of the program directory and names it in
    // "ORVPRO.INI" as the last project, on the 043 panel; its path.
    std::string UseSampleAsLastProject();
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

// Answers every message box while it lives: Yes to a question, OK to a
// message; keeps their texts.
class ModalBoxAnswers {
public:
    ModalBoxAnswers();
    ~ModalBoxAnswers();
    ModalBoxAnswers(const ModalBoxAnswers&) = delete;
    ModalBoxAnswers& operator=(const ModalBoxAnswers&) = delete;

    std::vector<std::string> texts;

private:
    std::unique_ptr<QTimer> m_timer;
};

// Runs `act` on the next modal dialog or popup once the event loop shows it.
void OnNextModal(std::function<void(QWidget*)> act);

} // namespace orv
