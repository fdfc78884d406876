// Paints the numbered lines in the panel's own glyphs and turns keys and
// clicks into steps of the line buffer.
#include "dialogs/LineEditListBox.h"

#include "dialogs/FixedFont.h"
#include "dialogs/PanelGlyphPainter.h"
#include "dialogs/QtText.h"
#include "model/core/FrameState.h"
#include "model/project/Fon.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

namespace orv {

namespace {

// The pixel height the box's font was asked for.
constexpr int kLineFontHeight = 16;
const QColor kPrefixGrey(204, 204, 204);

constexpr std::array<std::pair<int, LineEditKey>, 13> kLineEditKeys = {{
    {Qt::Key_Backspace, LineEditKey::Backspace},
    {Qt::Key_Return, LineEditKey::Enter},
    {Qt::Key_Enter, LineEditKey::Enter},
    {Qt::Key_PageUp, LineEditKey::PageUp},
    {Qt::Key_PageDown, LineEditKey::PageDown},
    {Qt::Key_End, LineEditKey::End},
    {Qt::Key_Home, LineEditKey::Home},
    {Qt::Key_Left, LineEditKey::Left},
    {Qt::Key_Right, LineEditKey::Right},
    {Qt::Key_Up, LineEditKey::Up},
    {Qt::Key_Down, LineEditKey::Down},
    {Qt::Key_Insert, LineEditKey::Insert},
    {Qt::Key_Delete, LineEditKey::Delete},
}};

} // namespace

CLineEditListBox::CLineEditListBox(QWidget* parent)
    : QAbstractScrollArea(parent), m_beep([] { QApplication::beep(); })
{
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setAutoFillBackground(false);
}

void CLineEditListBox::AddString(const std::string& text)
{
    m_buf.AddString(text);
    UpdateScroll();
}

void CLineEditListBox::InsertString(int index, const std::string& text)
{
    m_buf.InsertString(index, text);
    UpdateScroll();
}

void CLineEditListBox::DeleteString(int index)
{
    m_buf.DeleteString(index);
    UpdateScroll();
}

void CLineEditListBox::ResetContent()
{
    m_buf.ResetContent();
    UpdateScroll();
}

CLineEditListBox::Metrics CLineEditListBox::CurrentMetrics() const
{
    Metrics m;
    const CFrameState* frame = GetMainFrame();
    const CFon* fon = frame != nullptr ? frame->GetScreenFon() : nullptr;
    if (fon != nullptr && fon->HasFont()) {
        const int s = CPanelGlyphPainter::ScaleForHeight(fon, kLineFontHeight);
        const QSize glyph = CPanelGlyphPainter::GlyphSize(fon, '0', s);
        if (!glyph.isEmpty()) {
            m.fon = fon;
            m.scale = s;
            m.charWidth = glyph.width();
            m.itemHeight = glyph.height() + 2;
            return m;
        }
    }
    m.font = FixedPitchFont();
    m.font.setPixelSize(kLineFontHeight);
    const QFontMetrics fm(m.font);
    m.charWidth = std::max(1, fm.horizontalAdvance(QLatin1Char('0')));
    m.itemHeight = fm.height() + 2;
    return m;
}

int CLineEditListBox::CharWidth() const
{
    return CurrentMetrics().charWidth;
}

int CLineEditListBox::ItemHeight() const
{
    return CurrentMetrics().itemHeight;
}

void CLineEditListBox::DrawLine(QPainter& painter, const Metrics& m, int index, int top) const
{
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%03d ", index);
    const int prefixCols = CLineEditBuf::kPrefixCols;
    const QRect prefixRect(0, top, prefixCols * m.charWidth, m.itemHeight);
    painter.fillRect(prefixRect, kPrefixGrey);
    // Codes take no column, so only the characters they leave are drawn; the
    // caret's columns then match what shows.
    const std::string shown = CLineEditBuf::VisibleText(m_buf.GetText(index));
    if (m.fon != nullptr) {
        const auto cell = [&](int column) { return QRect(column * m.charWidth, top, m.charWidth, m.itemHeight); };
        for (int k = 0; k < prefixCols && prefix[k] != '\0'; ++k)
            CPanelGlyphPainter::DrawGlyph(painter, m.fon, static_cast<unsigned char>(prefix[k]), cell(k), m.scale,
                                          Qt::black);
        for (std::size_t j = 0; j < shown.size(); ++j)
            CPanelGlyphPainter::DrawGlyph(painter, m.fon, static_cast<unsigned char>(shown[j]),
                                          cell(prefixCols + static_cast<int>(j)), m.scale, Qt::black);
        return;
    }
    painter.setFont(m.font);
    painter.setPen(Qt::black);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    painter.drawText(prefixRect, flags, QString::fromLatin1(prefix));
    const QRect textRect(prefixRect.right() + 1, top, viewport()->width() - prefixRect.width(), m.itemHeight);
    painter.drawText(textRect, flags, FromCp437(shown));
}

void CLineEditListBox::paintEvent(QPaintEvent* /*event*/)
{
    const Metrics m = CurrentMetrics();
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), Qt::white);
    const int scroll = verticalScrollBar()->value();
    for (int i = std::max(0, scroll / m.itemHeight); i < GetCount(); ++i) {
        const int top = i * m.itemHeight - scroll;
        if (top >= viewport()->height())
            break;
        DrawLine(painter, m, i, top);
    }
    if (hasFocus()) {
        const CaretRect caret = m_buf.Caret(m.charWidth, m.itemHeight);
        painter.setCompositionMode(QPainter::CompositionMode_Difference);
        painter.fillRect(caret.x, caret.y - scroll, caret.width, caret.height, Qt::white);
    }
}

void CLineEditListBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        event->ignore();  // the dialog's
        return;
    }
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    const auto known = std::find_if(kLineEditKeys.begin(), kLineEditKeys.end(),
                                    [&](const auto& entry) { return entry.first == event->key(); });
    const QList<uint> typed = event->text().toUcs4();
    if (known != kLineEditKeys.end())
        Apply(m_buf.Key(known->second, shift, ctrl));
    else if (!ctrl && !event->modifiers().testFlag(Qt::AltModifier) && typed.size() == 1)
        Apply(m_buf.Char(static_cast<char32_t>(typed.front())));
    else
        Apply(m_buf.Key(LineEditKey::Other, shift, ctrl));
    event->accept();
}

void CLineEditListBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const Metrics m = CurrentMetrics();
    const QPoint at = event->position().toPoint();
    const int y = at.y() + verticalScrollBar()->value();
    const int line = y >= 0 && y / m.itemHeight < GetCount() ? y / m.itemHeight : -1;
    m_buf.Click(line, at.x(), m.charWidth);
    viewport()->update();
    event->accept();
}

void CLineEditListBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        event->accept();  // the press did the work
    else
        QAbstractScrollArea::mouseReleaseEvent(event);
}

void CLineEditListBox::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScroll();
}

void CLineEditListBox::InsertCharacter(int code)
{
    Apply(m_buf.InsertCharacter(code));
}

void CLineEditListBox::Apply(LineEditStep step)
{
    if (step.beep && m_beep)
        m_beep();
    UpdateScroll();
    // Keep the line being edited in sight.
    const int ih = ItemHeight();
    const int top = std::max(m_buf.GetSelected(), 0) * ih;
    QScrollBar* bar = verticalScrollBar();
    if (top < bar->value())
        bar->setValue(top);
    else if (top + ih > bar->value() + viewport()->height())
        bar->setValue(top + ih - viewport()->height());
    viewport()->update();
}

void CLineEditListBox::UpdateScroll()
{
    const int ih = ItemHeight();
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, std::max(0, GetCount() * ih - viewport()->height()));
    bar->setPageStep(std::max(1, viewport()->height()));
    bar->setSingleStep(ih);
    viewport()->update();
}

} // namespace orv
