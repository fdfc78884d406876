// Paints the edited copy of a glyph as a grid of black and white cells and
// turns clicks into pixel toggles; the form decides the rest.
#include "dialogs/DlgCharEdit.h"

#include "dialogs/DialogKit.h"
#include "dialogs/QtText.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace orv {

namespace {

// The dialog's template size in pixels at the usual dialog font.
constexpr int kEditWidth = 230;
constexpr int kEditHeight = 245;
constexpr int kButtonTop = 200;
const QColor kGridPen(0xC3, 0xC3, 0xC3);

QPushButton* AddEditButton(QDialog& dialog, int id, const char* text, int left)
{
    auto* button = new QPushButton(FromCp1252(text), &dialog);
    button->setObjectName(ControlName(id));
    button->setGeometry(left, kButtonTop, 80, 25);
    return button;
}

} // namespace

CDlgCharEdit::CDlgCharEdit(CharEditSource source, QWidget* parent) : QDialog(parent), m_source(std::move(source))
{
    SetCaption(*this, "Zeicheneditor");
    setFixedSize(kEditWidth, kEditHeight);
    QPushButton* ok = AddEditButton(*this, 1, "OK", kEditWidth / 2 - 85);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(AddEditButton(*this, 2, "Cancel", kEditWidth / 2 + 5), &QPushButton::clicked, this, &QDialog::reject);
    m_form.SetClientWidth(width());
}

void CDlgCharEdit::SetChar(unsigned code)
{
    const int family = m_source.family ? m_source.family() : 1;
    m_form.SetChar(code, family, m_source.font ? m_source.font(family) : nullptr);
    update();
}

QRect CDlgCharEdit::CellRect(int row, int column) const
{
    constexpr int cell = CDlgCharEditForm::kCell;
    // The cell's outline is one pixel wider than the pitch, so that
    // neighbours share it.
    return {m_form.GridLeft() + column * cell, CDlgCharEditForm::kGridTop + row * cell, cell + 1, cell + 1};
}

void CDlgCharEdit::paintEvent(QPaintEvent*)
{
    if (!m_form.HasGlyph())
        return;
    QPainter painter(this);
    painter.setPen(kGridPen);
    for (int row = 0; row < m_form.Rows(); ++row) {
        for (int column = 0; column < CDlgCharEditForm::kColumns; ++column) {
            painter.setBrush(m_form.IsLit(row, column) ? Qt::black : Qt::white);
            const QRect r = CellRect(row, column);
            painter.drawRect(r.adjusted(0, 0, -1, -1));
        }
    }
}

void CDlgCharEdit::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint p = event->position().toPoint();
        if (const auto cell = m_form.Click(p.x(), p.y()))
            update(CellRect(cell->row, cell->column));
    }
    QDialog::mousePressEvent(event);
}

void CDlgCharEdit::resizeEvent(QResizeEvent* event)
{
    m_form.SetClientWidth(width());
    QDialog::resizeEvent(event);
}

void CDlgCharEdit::accept()
{
    const int family = m_form.Family();
    m_form.Confirm(m_source.project ? m_source.project() : nullptr, m_source.font ? m_source.font(family) : nullptr,
                   m_source.writeFont);
    QDialog::accept();
}

} // namespace orv
