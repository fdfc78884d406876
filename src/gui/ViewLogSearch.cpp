// Reads and edits the source editor for the search dialog. Edits go through
// text cursors as typing does, so the keyword rule and undo treat them alike.
#include "gui/ViewLogSearch.h"

#include "dialogs/QtText.h"
#include "gui/ViewLog.h"

#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace orv {

namespace {

// A byte 0 came from a character the code page lacks; it is put back as the
// replacement character, which saving refuses with its place, never as a NUL
// that would be saved into the source.
QString SearchInsertText(std::string_view bytes)
{
    QString text = FromCp437(bytes);
    text.replace(QChar(u'\0'), QChar(QChar::ReplacementCharacter));
    return text;
}

} // namespace

std::string CViewLogSearch::Text() const
{
    return ToCp437Places(m_view.document()->toPlainText());
}

TextRange CViewLogSearch::Selection() const
{
    const QTextCursor cursor = m_view.textCursor();
    return {static_cast<size_t>(cursor.selectionStart()), static_cast<size_t>(cursor.selectionEnd())};
}

void CViewLogSearch::SetSelection(TextRange range)
{
    const auto last = static_cast<size_t>(std::max(0, m_view.document()->characterCount() - 1));
    QTextCursor cursor = m_view.textCursor();
    cursor.setPosition(static_cast<int>(std::min(range.start, last)));
    cursor.setPosition(static_cast<int>(std::min(range.end, last)), QTextCursor::KeepAnchor);
    m_view.setTextCursor(cursor);
    m_view.ensureCursorVisible();
}

void CViewLogSearch::ReplaceSelection(std::string_view text)
{
    QTextCursor cursor = m_view.textCursor();
    cursor.beginEditBlock();
    cursor.insertText(SearchInsertText(text));
    cursor.endEditBlock();
    m_view.setTextCursor(cursor);
}

void CViewLogSearch::ReplaceRanges(const std::vector<TextRange>& ranges, std::string_view text)
{
    if (ranges.empty())
        return;
    const QString with = SearchInsertText(text);
    QTextCursor cursor(m_view.document());
    cursor.beginEditBlock();
    for (auto r = ranges.rbegin(); r != ranges.rend(); ++r) {
        cursor.setPosition(static_cast<int>(r->start));
        cursor.setPosition(static_cast<int>(r->end), QTextCursor::KeepAnchor);
        cursor.insertText(with);
    }
    cursor.endEditBlock();
    // Every range before the last one changed the text by the same amount.
    qsizetype shift = 0;
    for (size_t i = 0; i + 1 < ranges.size(); ++i)
        shift += with.size() - static_cast<qsizetype>(ranges[i].end - ranges[i].start);
    QTextCursor caret(m_view.document());
    caret.setPosition(static_cast<int>(static_cast<qsizetype>(ranges.back().start) + shift + with.size()));
    m_view.setTextCursor(caret);
}

} // namespace orv
