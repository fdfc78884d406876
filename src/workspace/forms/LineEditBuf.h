// The numbered line editor's lines, caret and mode, and its rules for keys,
// characters and clicks; the list box widget only translates events and
// paints what this holds.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orv {

// The keys the editor reacts to; every other key only places the caret again.
enum class LineEditKey {
    Backspace, Tab, Enter, PageUp, PageDown, End, Home,
    Left, Right, Up, Down, Insert, Delete, Other,
};

// What one step did: whether a line changed, and whether the box must beep
// because the step was refused.
struct LineEditStep {
    bool changed = false;
    bool beep = false;
};

struct CaretRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Lines are bytes in the panel's character set. A byte 0x0F starts a
// four-byte code that takes no column; every other byte takes one. Columns of
// the caret count the four cells of the line-number prefix, so the first text
// column is 4.
class CLineEditBuf {
public:
    static constexpr char kCodeByte = 0x0F;
    static constexpr int kCodeLen = 4;
    static constexpr int kPrefixCols = 4;

    // Columns of a text: its bytes outside embedded codes.
    static int VisibleLen(std::string_view text);
    // Where a text column begins: column 0 behind the codes at the very start,
    // column n right behind the n-th visible character, the text's length for
    // a column past its end.
    static std::size_t ByteOffsetOfColumn(int column, std::string_view text);
    // The bytes a text shows, one a column: the text without its codes.
    static std::string VisibleText(std::string_view text);

    void AddString(std::string text);
    // An index outside 0..count appends.
    void InsertString(int index, std::string text);
    void DeleteString(int index);
    void ResetContent();
    int GetCount() const { return static_cast<int>(m_lines.size()); }
    // Empty for an index outside the lines.
    const std::string& GetText(int index) const;

    int GetMaxLen() const { return m_maxLen; }
    void SetMaxLen(int maxLen) { m_maxLen = maxLen < 0 ? 0 : maxLen; }
    int GetCaretCol() const { return m_caret; }
    int GetCurLine() const { return m_cur; }
    // -1 while no line is selected.
    int GetSelected() const { return m_sel; }
    bool IsInsert() const { return m_insert; }

    // Inserts, or in overwrite mode replaces the next visible character with
    // the text's first byte; column counts text columns (caret column - 4).
    // A line that would pass the maximum length stays as it was and beeps.
    LineEditStep InsertText(std::string_view text, int line, int column, bool insert);
    LineEditStep Key(LineEditKey key, bool shift, bool ctrl);
    // A typed character as the display gives it. Codes below 16 are ignored;
    // one the panel's character set lacks is refused.
    LineEditStep Char(char32_t ch);
    // A panel character code sent by the character selection: inserted at the
    // caret as in insert mode, whatever the mode.
    LineEditStep InsertCharacter(int code);
    // A left click at x on the line under it (-1 for none).
    void Click(int line, int x, int charWidth);

    CaretRect Caret(int charWidth, int itemHeight) const;

private:
    // The line being edited, or an empty text when it does not exist.
    const std::string& CurText() const { return GetText(m_cur); }
    int CaretLimit() const { return m_maxLen + kPrefixCols; }
    // Makes line 0 current and selected when no line is.
    void EnsureCurrent();
    void MoveToLine(int line);
    // Removes the visible character with the index given (0 first), never a
    // byte of an embedded code.
    bool EraseVisible(int index);

    std::vector<std::string> m_lines;
    int m_caret = kPrefixCols;
    int m_cur = 0;
    int m_sel = -1;
    bool m_insert = false;
    int m_maxLen = 0;
};

} // namespace orv
