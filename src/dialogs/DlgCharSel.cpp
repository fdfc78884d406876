// Paints the character table cell by cell from the frame's screen font and
// passes clicks to the form; chosen codes leave through a queued signal, so
// that the receiver runs after the click was handled.
#include "dialogs/DlgCharSel.h"

#include "dialogs/DialogKit.h"
#include "dialogs/PanelGlyphPainter.h"
#include "dialogs/QtText.h"
#include "workspace/DlgRunner.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace orv {

namespace {

constexpr int kSelWindowX = 100;
constexpr int kSelWindowY = 100;
constexpr int kSelWidth = 620;
constexpr int kSelHeight = 290;
// The panel face at the height the table was laid out for.
constexpr int kSelFontHeight = 12;
const QColor kDefinableFill(0x80, 0x80, 0x80);

QRect InnerRect(int code)
{
    const CDlgCharSelForm::CellRect c = CDlgCharSelForm::CellOf(code);
    return {c.left, c.top, c.right - c.left, c.bottom - c.top};
}

// The cell's frame line, one pixel outside its inner rectangle; drawRect's
// outline reaches one pixel past the rectangle's size.
QRect FrameRect(int code)
{
    return InnerRect(code).adjusted(-1, -1, 0, 0);
}

QPushButton* AddSelButton(QDialog& dialog, int id, const char* text, int left)
{
    auto* button = new QPushButton(FromCp1252(text), &dialog);
    button->setObjectName(ControlName(id));
    button->setGeometry(left, 210, 80, 25);
    button->setAutoDefault(false);
    return button;
}

} // namespace

CCharInfoLine::CCharInfoLine(ScreenFontSource font, QWidget* parent) : QWidget(parent), m_font(std::move(font))
{
    setAutoFillBackground(true);
}

void CCharInfoLine::SetText(std::string bytes)
{
    m_text = std::move(bytes);
    update();
}

void CCharInfoLine::paintEvent(QPaintEvent*)
{
    const CFon* font = m_font ? m_font() : nullptr;
    const int s = CPanelGlyphPainter::ScaleForHeight(font, kSelFontHeight);
    const int pitch = std::max(1, CPanelGlyphPainter::GlyphSize(font, ' ', s).width());
    QPainter painter(this);
    int x = 0;
    for (const char byte : m_text) {
        const auto code = static_cast<unsigned char>(byte);
        const int advance = std::max(pitch, CPanelGlyphPainter::GlyphSize(font, code, s).width());
        CPanelGlyphPainter::DrawGlyph(painter, font, code, QRect(x, 0, advance, height()), s, Qt::black);
        x += advance;
    }
}

CDlgCharSel::CDlgCharSel(CDlgRunner& runner, ScreenFontSource font, QWidget* parent)
    : QDialog(parent), m_runner(runner), m_font(std::move(font))
{
    SetCaption(*this, "Zeichenauswahl");
    setFixedSize(kSelWidth, kSelHeight);
    AddSelButton(*this, 1959, "Zeichensatz", 340)->setEnabled(false);
    m_edit = AddSelButton(*this, 1960, "editieren", 440);
    connect(m_edit, &QPushButton::clicked, this, &CDlgCharSel::OnEdit);
    m_info = new CCharInfoLine(m_font, this);
    m_info->setObjectName(ControlName(1961));
    m_info->setGeometry(10, 210, 280, 25);
    connect(
        this, &CDlgCharSel::CharacterChosen, this,
        [this](int code) {
            if (m_receiver)
                m_receiver(static_cast<uint16_t>(code));
        },
        Qt::QueuedConnection);
}

void CDlgCharSel::SetRanges(const CharRanges& ranges)
{
    m_form.SetRanges(ranges);
    m_info->SetText(m_form.Info());
    m_edit->setEnabled(m_form.CanEdit());
    update();
}

void CDlgCharSel::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    setGeometry(kSelWindowX, kSelWindowY, kSelWidth, kSelHeight);
    m_edit->setEnabled(m_form.CanEdit());
}

QRect CDlgCharSel::SelectionArea(int code)
{
    return InnerRect(code).adjusted(-3, -3, 3, 3);
}

void CDlgCharSel::paintEvent(QPaintEvent*)
{
    const CFon* font = m_font ? m_font() : nullptr;
    const int s = CPanelGlyphPainter::ScaleForHeight(font, kSelFontHeight);
    QPainter painter(this);
    painter.setPen(Qt::black);
    for (int code = 0; code < m_form.CellCount(); ++code) {
        painter.setBrush(m_form.IsDefinable(code) ? kDefinableFill : QColor(Qt::white));
        painter.drawRect(FrameRect(code));
        CPanelGlyphPainter::DrawGlyph(painter, font, static_cast<unsigned>(code), InnerRect(code), s, Qt::black);
    }
    if (m_form.Selected() >= 0 && m_form.Selected() < m_form.CellCount()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 3));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(FrameRect(m_form.Selected()));
    }
}

void CDlgCharSel::SelectAt(QPoint p)
{
    if (const auto changed = m_form.Click(p.x(), p.y())) {
        m_info->SetText(m_form.Info());
        update(SelectionArea(changed->previous));
        update(SelectionArea(changed->selected));
    }
    m_edit->setEnabled(m_form.CanEdit());
}

void CDlgCharSel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        SelectAt(event->position().toPoint());
    QDialog::mousePressEvent(event);
}

void CDlgCharSel::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint p = event->position().toPoint();
        SelectAt(p);
        if (const auto code = m_form.DoubleClick(p.x(), p.y()))
            emit CharacterChosen(*code);
    }
    QDialog::mouseDoubleClickEvent(event);
}

void CDlgCharSel::OnEdit()
{
    m_form.Edit(m_runner);
    // The editor may have written the font the table is drawn with.
    update();
}

} // namespace orv
