// Typed and pasted input of the hexadecimal and decimal fields, through the
// same rule: a field must not store by paste what it refuses when typed.
#include "dialogs/EditControls.h"

#include "model/core/Log.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

#include <memory>

namespace orv {

namespace {

// A key that types a character, as opposed to one that edits or moves:
// Backspace counts, as it does for the rule; Delete and the other control
// codes do not.
bool EditTypesCharacter(const QKeyEvent* event, char32_t* ch)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QList<uint> codes = event->text().toUcs4();
    if (codes.size() != 1)
        return false;
    *ch = static_cast<char32_t>(codes.front());
    return *ch == kBackspaceChar || (*ch >= 0x20 && *ch != 0x7F);
}

// The standard menu's paste entry: named in newer Qt, known by the line
// edit's own translated label before.
bool EditIsPasteAction(const QAction* action)
{
    return action->objectName() == QLatin1String("edit-paste") ||
           action->text().section(QLatin1Char('\t'), 0, 0) == QLineEdit::tr("&Paste");
}

} // namespace

CFilteredEdit::CFilteredEdit(CharFilter filter, QWidget* parent) : QLineEdit(parent), m_filter(filter) {}

QString CFilteredEdit::Filtered(const QString& text) const
{
    const QList<uint> codes = text.toUcs4();
    std::u32string chars(codes.begin(), codes.end());
    const std::u32string kept = FilterPasted(chars, m_filter, IsSigned());
    return QString::fromUcs4(kept.data(), static_cast<qsizetype>(kept.size()));
}

void CFilteredEdit::InsertFiltered(const QString& text)
{
    if (!isReadOnly())
        insert(Filtered(text));
}

void CFilteredEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        InsertFiltered(QGuiApplication::clipboard()->text());
        event->accept();
        return;
    }
    char32_t ch = 0;
    if (!EditTypesCharacter(event, &ch)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    OnTypedChar();
    const CharFilterResult result = m_filter(ch, IsSigned());
    switch (result.verdict) {
    case CharVerdict::Take:
        QLineEdit::keyPressEvent(event);
        break;
    case CharVerdict::TakeChanged:
        if (!isReadOnly())
            insert(QString::fromUcs4(&result.ch, 1));
        event->accept();
        break;
    case CharVerdict::Drop:
        event->accept();
        break;
    }
}

QMenu* CFilteredEdit::CreateContextMenu()
{
    QMenu* menu = createStandardContextMenu();
    for (QAction* action : menu->actions()) {
        if (EditIsPasteAction(action)) {
            action->disconnect();
            connect(action, &QAction::triggered, this,
                    [this] { InsertFiltered(QGuiApplication::clipboard()->text()); });
        }
    }
    return menu;
}

void CFilteredEdit::contextMenuEvent(QContextMenuEvent* event)
{
    const std::unique_ptr<QMenu> menu(CreateContextMenu());
    menu->exec(event->globalPos());
}

void CFilteredEdit::mouseReleaseEvent(QMouseEvent* event)
{
    // The middle button pastes the selection where the system has one.
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        deselect();
        InsertFiltered(QGuiApplication::clipboard()->text(QClipboard::Selection));
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void CFilteredEdit::dropEvent(QDropEvent* event)
{
    if (!event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    QMimeData kept;
    kept.setText(Filtered(event->mimeData()->text()));
    QDropEvent filtered(event->position(), event->possibleActions(), &kept, event->buttons(), event->modifiers(),
                        event->type());
    QLineEdit::dropEvent(&filtered);
    event->setDropAction(filtered.dropAction());
    event->setAccepted(filtered.isAccepted());
}

void CFilteredEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(Filtered(event->commitString()), event->replacementStart(),
                             event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
}

CHexEdit::CHexEdit(QWidget* parent) : CFilteredEdit(&FilterHexChar, parent) {}

CNumEdit::CNumEdit(QWidget* parent) : CFilteredEdit(&FilterNumChar, parent) {}

void CNumEdit::OnTypedChar()
{
    LogLine(2, "%s", m_signed ? "VOZ" : "NO-VOZ");
}

} // namespace orv
