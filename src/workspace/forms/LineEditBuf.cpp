// The numbered line editor's rules. Every key maps columns to bytes through
// one walk, so that no step cuts an embedded code apart or reads past a line.
#include "workspace/forms/LineEditBuf.h"

#include "platform/CodePage.h"

#include <algorithm>

namespace orv {

namespace {

// A code whose four bytes would pass the end counts as a code up to the end.
std::size_t LebSkipCodes(std::size_t offset, std::string_view text)
{
    while (offset < text.size() && text[offset] == CLineEditBuf::kCodeByte)
        offset = std::min(offset + CLineEditBuf::kCodeLen, text.size());
    return offset;
}

// The offset of the visible character with the index given (0 first), or the
// text's length when there is none.
std::size_t LebVisibleOffset(int index, std::string_view text)
{
    return LebSkipCodes(CLineEditBuf::ByteOffsetOfColumn(index, text), text);
}

const std::string kLebNoLine;

} // namespace

int CLineEditBuf::VisibleLen(std::string_view text)
{
    return static_cast<int>(VisibleText(text).size());
}

std::size_t CLineEditBuf::ByteOffsetOfColumn(int column, std::string_view text)
{
    std::size_t offset = LebSkipCodes(0, text);
    for (int count = 0; count < column && offset < text.size(); ++count)
        offset = count + 1 < column ? LebSkipCodes(offset + 1, text) : offset + 1;
    return offset;
}

std::string CLineEditBuf::VisibleText(std::string_view text)
{
    std::string shown;
    for (std::size_t i = LebSkipCodes(0, text); i < text.size(); i = LebSkipCodes(i + 1, text))
        shown += text[i];
    return shown;
}

void CLineEditBuf::AddString(std::string text)
{
    m_lines.push_back(std::move(text));
}

void CLineEditBuf::InsertString(int index, std::string text)
{
    if (index < 0 || index > GetCount())
        index = GetCount();
    m_lines.insert(m_lines.begin() + index, std::move(text));
    if (m_sel >= index)
        ++m_sel;
}

void CLineEditBuf::DeleteString(int index)
{
    if (index < 0 || index >= GetCount())
        return;
    m_lines.erase(m_lines.begin() + index);
    if (m_sel == index)
        m_sel = -1;
    else if (m_sel > index)
        --m_sel;
}

void CLineEditBuf::ResetContent()
{
    m_lines.clear();
    m_sel = -1;
    m_cur = 0;
    m_caret = kPrefixCols;
}

const std::string& CLineEditBuf::GetText(int index) const
{
    return index >= 0 && index < GetCount() ? m_lines[static_cast<std::size_t>(index)] : kLebNoLine;
}

LineEditStep CLineEditBuf::InsertText(std::string_view text, int line, int column, bool insert)
{
    if (line < 0 || line >= GetCount())
        return {false, true};
    if (text.empty())
        return {};
    column = std::max(column, 0);
    std::string changed = m_lines[static_cast<std::size_t>(line)];
    if (insert || column >= VisibleLen(changed)) {
        changed.insert(ByteOffsetOfColumn(column, changed), text);
    } else {
        // Stepping over codes: replacing a code's first byte would break the
        // code and show its data bytes as characters.
        changed[LebVisibleOffset(column, changed)] = text.front();
    }
    if (VisibleLen(changed) > m_maxLen)
        return {false, true};
    m_lines[static_cast<std::size_t>(line)] = std::move(changed);
    m_caret = std::min(m_caret + VisibleLen(text), CaretLimit());
    m_sel = line;
    return {true, false};
}

bool CLineEditBuf::EraseVisible(int index)
{
    if (m_cur < 0 || m_cur >= GetCount())
        return false;
    std::string& text = m_lines[static_cast<std::size_t>(m_cur)];
    const std::size_t offset = LebVisibleOffset(index, text);
    if (offset >= text.size())
        return false;
    text.erase(offset, 1);
    return true;
}

void CLineEditBuf::MoveToLine(int line)
{
    if (GetCount() == 0)
        return;
    m_cur = std::clamp(line, 0, GetCount() - 1);
    m_sel = m_cur;
}

LineEditStep CLineEditBuf::Key(LineEditKey key, bool shift, bool ctrl)
{
    const int textEnd = VisibleLen(CurText()) + kPrefixCols;
    switch (key) {
    case LineEditKey::Backspace: {
        if (m_caret <= kPrefixCols)
            return {false, true};
        const bool changed = EraseVisible(m_caret - kPrefixCols - 1);
        --m_caret;
        return {changed, false};
    }
    case LineEditKey::Delete:
        if (shift)
            return {};
        if (m_caret >= textEnd)
            return {false, true};
        return {EraseVisible(m_caret - kPrefixCols), false};
    case LineEditKey::Enter:
        MoveToLine(m_cur + 1);
        m_caret = kPrefixCols;
        return {};
    case LineEditKey::End:
        if (!shift)
            m_caret = std::min(textEnd, CaretLimit());
        return {};
    case LineEditKey::Home:
        if (!shift)
            m_caret = kPrefixCols;
        return {};
    case LineEditKey::Left:
        if (!shift)
            m_caret = std::max(m_caret - 1, int{kPrefixCols});
        return {};
    case LineEditKey::Right:
        if (!shift && m_caret < textEnd)
            m_caret = std::min(m_caret + 1, CaretLimit());
        return {};
    case LineEditKey::Up:
    case LineEditKey::Down:
        MoveToLine(key == LineEditKey::Up ? m_cur - 1 : m_cur + 1);
        m_caret = std::min(m_caret, VisibleLen(CurText()) + kPrefixCols);
        return {};
    case LineEditKey::Insert:
        if (!shift && !ctrl)
            m_insert = !m_insert;
        return {};
    case LineEditKey::Tab:
    case LineEditKey::PageUp:
    case LineEditKey::PageDown:
    case LineEditKey::Other:
        return {};
    }
    return {};
}

void CLineEditBuf::EnsureCurrent()
{
    if (m_sel >= 0)
        return;
    m_cur = 0;
    if (GetCount() > 0)
        m_sel = 0;
}

LineEditStep CLineEditBuf::Char(char32_t ch)
{
    if (ch < 16)
        return {};
    EnsureCurrent();
    const std::optional<unsigned char> byte = ByteOf(ch, CodePage::Cp437);
    if (!byte)
        return {false, true};
    return InsertText(std::string(1, static_cast<char>(*byte)), m_cur, m_caret - kPrefixCols, m_insert);
}

LineEditStep CLineEditBuf::InsertCharacter(int code)
{
    if (code < 0 || code > 255)
        return {false, true};
    EnsureCurrent();
    return InsertText(std::string(1, static_cast<char>(code)), m_cur, m_caret - kPrefixCols, true);
}

void CLineEditBuf::Click(int line, int x, int charWidth)
{
    if (line >= 0 && line < GetCount())
        m_sel = line;
    m_cur = m_sel < 0 ? 0 : m_sel;
    int column = charWidth > 0 ? x / charWidth : kPrefixCols;
    // Past the end the caret goes behind the last character, never into the
    // empty cells beyond, so the next character lands right after the text.
    const int textEnd = VisibleLen(CurText()) + kPrefixCols;
    if (column > textEnd) {
        column = textEnd;
        m_insert = true;
    }
    m_caret = std::max(column, int{kPrefixCols});
}

CaretRect CLineEditBuf::Caret(int charWidth, int itemHeight) const
{
    const int top = (m_sel < 0 ? 0 : m_cur) * itemHeight;
    const int x = m_caret * charWidth;
    if (m_insert)
        return {x, top + itemHeight * 3 / 4, charWidth, itemHeight / 4};
    return {x, top, charWidth, itemHeight};
}

} // namespace orv
