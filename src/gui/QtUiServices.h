// The Qt implementation of the model's UI services, registered by main for the
// program's lifetime.
#pragma once

#include "model/core/UiServices.h"

namespace orv {

class CMainFrame;

// The user interface of the program: Qt message boxes and the main frame's
// status bar, log view and source editor. Boxes work without a frame; what
// needs the frame does nothing while none is registered.
class CQtUiServices final : public UiServices {
public:
    int MessageBox(MsgKind kind, std::string_view caption, std::string_view text, int stringId) override;
    bool AskYesNo(std::string_view text, int stringId) override;
    void SetStatusText(std::string_view text) override;
    void AppendLog(std::string_view line) override;
    void ClearLog() override;
    int OpenHelpPage(const std::string& path) override;
    void LoadSourceEditor(std::string_view text, int line, int column) override;
    bool GetSourceEditorText(std::string& text) override;
    std::unique_ptr<CProgressBar> CreateProgressBar(std::string_view label, int sizePercent, int rangeMax,
                                                    bool smooth, int pane) override;
    bool HintBox(std::string_view text, int helpPage) override;

private:
    static CMainFrame* Frame();
};

} // namespace orv
