// Builds and selects the views' drawing font, sized so its cell fits the height
// the view asks for.
#include "gui/FntDc.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

namespace orv {

namespace {

// Face names hold at most 31 characters, as the font record they come from.
constexpr int kMaxFace = 31;

// The largest pixel size whose cell (ascent plus descent) fits `cell`.
int PixelSizeForCell(QFont font, int cell)
{
    int px = cell;
    while (px > 1) {
        font.setPixelSize(px);
        if (QFontMetrics(font).height() <= cell)
            break;
        --px;
    }
    return px;
}

} // namespace

CFntDc::CFntDc(const Params& params) : m_params(params) {}

CFntDc::~CFntDc()
{
    if (m_saved && m_params.painter != nullptr) {
        m_params.painter->setFont(m_saved->font);
        m_params.painter->setPen(m_saved->pen);
        m_params.painter->setBackgroundMode(m_saved->bgMode);
    }
}

void CFntDc::Create()
{
    QFont font(m_params.face.left(kMaxFace));
    if (m_params.height < 0)
        font.setPixelSize(-m_params.height);
    else if (m_params.height > 0)
        font.setPixelSize(PixelSizeForCell(font, m_params.height));
    if (m_params.weight > 0)
        font.setWeight(static_cast<QFont::Weight>(std::clamp(m_params.weight, 1, 1000)));
    m_font = font;
}

void CFntDc::Select()
{
    QPainter* p = m_params.painter;
    if (p == nullptr)
        return;
    if (!m_saved)
        m_saved = Saved{p->font(), p->pen(), p->backgroundMode()};
    p->setFont(m_font);
    p->setPen(QGuiApplication::palette().color(QPalette::WindowText));
    p->setBackgroundMode(Qt::TransparentMode);
    m_metrics.emplace(p->fontMetrics());
}

} // namespace orv
