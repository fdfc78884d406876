// What model code needs of the user interface, as an interface the GUI fills in;
// the model never includes Qt.
#pragma once

#include "model/core/ProgressBar.h"

#include <memory>
#include <string>
#include <string_view>

namespace orv {

// Kinds of message box: warning icon with OK, error icon with OK (internal
// errors), and a plain box with OK.
enum class MsgKind { Warning, InternalError, PlainOk };

// Result of a box that only offers OK.
inline constexpr int kBoxOk = 1;

// What model code needs of the user interface. Texts are cp1252 bytes, except
// the source editor's, which are the project file's bytes in the panel's OEM
// code page. A string id is the text's catalogue number, 0 for a literal.
class UiServices {
public:
    virtual ~UiServices() = default;

    virtual int MessageBox(MsgKind kind, std::string_view caption, std::string_view text, int stringId) = 0;
    virtual bool AskYesNo(std::string_view text, int stringId) = 0;
    virtual void SetStatusText(std::string_view text) = 0;
    virtual void AppendLog(std::string_view line) = 0;
    virtual void ClearLog() = 0;
    // 0 when the page was handed to a browser, else an error number.
    virtual int OpenHelpPage(const std::string& path) = 0;
    // Line and column are 1-based.
    virtual void LoadSourceEditor(std::string_view text, int line, int column) = 0;
    // The editor's text. False when there is no editor, or when the text
    // cannot be stored (the user has been told why); nothing is to be written
    // then.
    virtual bool GetSourceEditorText(std::string& text) = 0;
    // A progress bar in a status-bar pane, with a label, a share of the pane's
    // width in percent and a range of 0..rangeMax.
    virtual std::unique_ptr<CProgressBar> CreateProgressBar(std::string_view label, int sizePercent, int rangeMax,
                                                            bool smooth, int pane) = 0;

    // A notice the user may switch off: shown only while the integer key of
    // section "GUI" of the program's INI file (default 1) is 1; the state of
    // the box "Diesen Hinweis immer anzeigen" is written back under the key.
    void ShowHint(std::string_view key, int stringId, int helpPage);
    // Shows the notice with that box ticked and a way to the help page;
    // answers whether the box is still ticked when the notice closes.
    virtual bool HintBox(std::string_view text, int helpPage) = 0;
};

// The registered services, or a fallback that writes boxes and log lines to
// stderr, answers every question with No and opens no help page.
UiServices& GetUiServices();

// Registers services program-wide for its lifetime and restores the
// previous registration when it goes.
class ScopedUiServices {
public:
    explicit ScopedUiServices(UiServices& ui);
    ~ScopedUiServices();
    ScopedUiServices(const ScopedUiServices&) = delete;
    ScopedUiServices& operator=(const ScopedUiServices&) = delete;

private:
    UiServices* m_previous;
};

} // namespace orv
