// The main window's bottom pane: the program log, or the project source editor in
// source-edit mode.
#pragma once

#include <QPlainTextEdit>

#include <string>
#include <string_view>

namespace orv {

class CSourceHighlighter;

// The bottom pane. In log mode it is a read-only log that keeps its last
// lines; in source-edit mode it edits the project source without a limit,
// colours it, rewrites keywords in the lines the user changes and shows the
// caret's place in the status bar.
class CViewLog final : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr int kMaxLogLines = 50000;

    explicit CViewLog(QWidget* parent = nullptr);
    ~CViewLog() override;

    // Appends one log line (cp1252); ignored in source-edit mode.
    void AppendLine(std::string_view line);
    void ClearText();

    // Switches between log and source-edit mode; the text is kept.
    void SetSourceMode(bool on);
    bool IsSourceMode() const { return m_sourceMode; }
    // Enters source-edit mode with the project source (code page 437 bytes,
    // lines ended by LF or CR LF) and puts the caret at the 1-based line and
    // column. Loading never changes the text.
    void LoadSource(std::string_view bytes, int line, int column);
    // The edited source as code page 437 bytes with LF line ends. A character
    // that the code page cannot hold refuses: the user is told its line and
    // column and the result is false.
    bool GetSourceText(std::string& bytes);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnContentsChange(int position, int charsRemoved, int charsAdded);
    void OnCursorMoved();
    void RewriteKeywords(int first, int last);

    CSourceHighlighter* m_highlighter;
    bool m_sourceMode = false;
    bool m_loading = false;
    bool m_rewriting = false;
};

} // namespace orv
