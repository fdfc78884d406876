// The log and source-edit pane; keyword rewrites run in the same edit block as
// the key that caused them, so one undo takes both back.
#include "gui/ViewLog.h"

#include "dialogs/FixedFont.h"
#include "dialogs/QtText.h"
#include "gui/SourceHighlighter.h"
#include "model/core/FrameState.h"
#include "model/core/HelpPage.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "platform/CodePage.h"
#include "workspace/SourceTokenizer.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace orv {

namespace {

QFont LogFont()
{
    QFont font = FixedPitchFont();
    font.setPointSize(8);
    return font;
}

std::u16string_view View(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())};
}

bool FrameInSourceEdit()
{
    const CFrameState* frame = GetMainFrame();
    return frame != nullptr && frame->IsSourceEditMode();
}

// The 1-based column of the first character of `line` that code page 437
// lacks, or 0 when it has them all.
int FirstUnsavableColumn(const QString& line)
{
    int column = 1;
    for (int i = 0; i < line.size(); ++column) {
        const int len = line.at(i).isHighSurrogate() && i + 1 < line.size() ? 2 : 1;
        bool lossy = false;
        orv::FromUtf8(line.mid(i, len).toStdString(), orv::CodePage::Cp437, &lossy);
        if (lossy)
            return column;
        i += len;
    }
    return 0;
}

} // namespace

CViewLog::CViewLog(QWidget* parent)
    : QPlainTextEdit(parent), m_highlighter(new CSourceHighlighter(static_cast<QTextDocument*>(nullptr)))
{
    m_highlighter->setParent(this);
    setObjectName(QStringLiteral("viewLog"));
    setFont(LogFont());
    setTabStopDistance(0.2 * logicalDpiX());
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setMaximumBlockCount(kMaxLogLines);
    connect(document(), &QTextDocument::contentsChange, this, &CViewLog::OnContentsChange);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &CViewLog::OnCursorMoved);
}

CViewLog::~CViewLog()
{
    // The base class still changes the text and the caret while it goes.
    disconnect(document(), nullptr, this, nullptr);
    disconnect(this, nullptr, this, nullptr);
}

void CViewLog::AppendLine(std::string_view line)
{
    if (m_sourceMode || FrameInSourceEdit())
        return;
    appendPlainText(FromCp1252(line));
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void CViewLog::ClearText()
{
    clear();
}

void CViewLog::SetSourceMode(bool on)
{
    if (on != m_sourceMode) {
        m_sourceMode = on;
        setMaximumBlockCount(on ? 0 : kMaxLogLines);
        setReadOnly(!on);
        setUndoRedoEnabled(on);
        m_highlighter->setDocument(on ? document() : nullptr);
    }
    OnCursorMoved();
}

void CViewLog::LoadSource(std::string_view bytes, int line, int column)
{
    SetSourceMode(true);
    QString text;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = std::min(bytes.find('\n', start), bytes.size());
        const size_t next = end + 1;
        if (end > start && bytes[end - 1] == '\r')
            --end;
        if (start > 0)
            text += QLatin1Char('\n');
        text += FromCp437(bytes.substr(start, end - start));
        start = next;
    }
    m_loading = true;
    setPlainText(text);
    m_loading = false;

    QTextBlock block = document()->findBlockByNumber(std::max(line, 1) - 1);
    if (!block.isValid())
        block = document()->lastBlock();
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + std::clamp(column - 1, 0, block.length() - 1));
    setTextCursor(cursor);
    ensureCursorVisible();
    setFocus();
}

bool CViewLog::GetSourceText(std::string& bytes)
{
    std::string out;
    int lineNo = 1;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next(), ++lineNo) {
        const QString line = block.text();
        bool lossy = false;
        const std::string converted = orv::FromUtf8(line.toStdString(), orv::CodePage::Cp437, &lossy);
        if (lossy) {
            ShowMessageText("Das Zeichen in Zeile %d, Spalte %d gibt es im Zeichensatz des Panels nicht. "
                                 "Die Datei wurde nicht gespeichert.",
                                 lineNo, FirstUnsavableColumn(line));
            return false;
        }
        if (lineNo > 1)
            out += '\n';
        out += converted;
    }
    bytes = std::move(out);
    return true;
}

void CViewLog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        ShowHelpPage(0, 0);
        event->accept();
        return;
    }
    if (!m_sourceMode) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    // One edit block per key, so that the keyword rewrite the key causes can
    // join it as one undo step.
    QTextCursor block(document());
    block.beginEditBlock();
    QPlainTextEdit::keyPressEvent(event);
    block.endEditBlock();
}

void CViewLog::OnContentsChange(int position, int charsRemoved, int charsAdded)
{
    (void)charsRemoved;
    if (m_loading || m_rewriting || !m_sourceMode)
        return;
    // An undo or redo leaves steps to redo; it puts back text as it was and
    // must not be rewritten again.
    if (document()->availableRedoSteps() > 0)
        return;
    RewriteKeywords(position, position + charsAdded);
}

void CViewLog::RewriteKeywords(int first, int last)
{
    QTextDocument* doc = document();
    const int lastPos = std::max(0, doc->characterCount() - 1);
    QTextBlock block = doc->findBlock(std::clamp(first, 0, lastPos));
    const QTextBlock end = doc->findBlock(std::clamp(last, 0, lastPos));
    QTextCursor cursor(doc);
    bool joined = false;
    m_rewriting = true;
    for (; block.isValid(); block = block.next()) {
        const QString text = block.text();
        const std::u16string rewritten = orv::ScanSourceLine(View(text)).rewritten;
        for (int i = 0; i < text.size();) {
            if (text.at(i).unicode() == rewritten[i]) {
                ++i;
                continue;
            }
            int j = i;
            while (j < text.size() && text.at(j).unicode() != rewritten[j])
                ++j;
            if (!joined) {
                // Part of the user's own edit, so one undo takes both back.
                cursor.joinPreviousEditBlock();
                joined = true;
            }
            cursor.setPosition(block.position() + i);
            cursor.setPosition(block.position() + j, QTextCursor::KeepAnchor);
            cursor.insertText(QString::fromUtf16(rewritten.data() + i, j - i));
            i = j;
        }
        if (block == end)
            break;
    }
    if (joined)
        cursor.endEditBlock();
    m_rewriting = false;
}

void CViewLog::OnCursorMoved()
{
    if (!FrameInSourceEdit())
        return;
    const QTextCursor cursor = textCursor();
    const QTextBlock block = document()->findBlock(cursor.selectionEnd());
    ShowStatusText("Line %d, Col %d", block.blockNumber() + 1, cursor.selectionEnd() - block.position() + 1);
}

} // namespace orv
