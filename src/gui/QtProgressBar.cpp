// Places the progress bar in its status-bar pane and paints each change at once,
// since long operations hold the GUI thread.
#include "gui/QtProgressBar.h"

#include "dialogs/QtText.h"
#include "workspace/ProgressLayout.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

#include <algorithm>

namespace orv {

CQtProgressBar::CQtProgressBar(QStatusBar* statusBar, QLabel* pane, int paneIndex, const QString& idleText,
                               std::string_view label, int sizePercent, int rangeMax,
                               [[maybe_unused]] bool smooth)
    : m_statusBar(statusBar), m_pane(pane), m_paneIndex(paneIndex), m_idleText(idleText),
      m_label(FromCp1252(label)), m_size(sizePercent)
{
    if (m_statusBar == nullptr || m_pane == nullptr)
        return;
    m_control = new QProgressBar(m_statusBar);
    m_control->setObjectName(QStringLiteral("statusProgress"));
    m_control->setTextVisible(false);
    m_control->setGeometry(m_pane->geometry());
    m_control->hide();  // shown by the first SetPos or SetStep only
    SetRange(0, rangeMax, 1);
    m_previousText = m_pane->text();
    m_statusBar->installEventFilter(this);
    m_pane->installEventFilter(this);
    LayOut();
}

CQtProgressBar::~CQtProgressBar()
{
    Clear();
    delete m_control.data();
}

void CQtProgressBar::SetText(std::string_view label)
{
    m_label = FromCp1252(label);
    LayOut();
    if (m_control != nullptr)
        m_control->repaint();
}

void CQtProgressBar::SetPos(int pos)
{
    if (m_control == nullptr)
        return;
    ShowControl();
    m_control->setValue(std::clamp(pos, m_control->minimum(), m_control->maximum()));
    m_control->repaint();
}

void CQtProgressBar::SetRange(int lower, int upper, [[maybe_unused]] int step)
{
    if (m_control == nullptr)
        return;
    m_control->setRange(lower, std::max(lower, upper));
}

void CQtProgressBar::SetStep([[maybe_unused]] int step)
{
    if (m_control == nullptr)
        return;
    ShowControl();
    m_control->repaint();
}

void CQtProgressBar::Clear()
{
    if (m_control == nullptr)
        return;
    m_control->hide();
    if (m_pane != nullptr) {
        m_pane->setText(m_paneIndex == 0 ? m_idleText : m_previousText);
        m_pane->repaint();
    }
    if (m_statusBar != nullptr)
        m_statusBar->repaint();
}

bool CQtProgressBar::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::Move:
    case QEvent::LayoutRequest:
        LayOut();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void CQtProgressBar::ShowControl()
{
    if (m_control->isVisible())
        return;
    m_control->show();
    m_control->raise();
    LayOut();
}

void CQtProgressBar::LayOut()
{
    if (m_control == nullptr || m_statusBar == nullptr || m_pane == nullptr)
        return;
    if (m_control->isVisible()) {
        m_pane->setText(m_label);
        m_pane->repaint();
        m_statusBar->repaint();
    }
    const QFontMetrics fm(m_statusBar->font());
    const QRect pane = m_pane->geometry();
    const orv::EdgeRect r = orv::LayoutProgressBar(
        {pane.left(), pane.top(), pane.left() + pane.width(), pane.top() + pane.height()}, m_size,
        !m_label.isEmpty(), fm.horizontalAdvance(m_label), fm.horizontalAdvance(QLatin1Char(' ')));
    const QRect placed(r.left, r.top, r.right - r.left, r.bottom - r.top);
    if (placed != m_placed) {
        m_control->setGeometry(placed);
        m_control->repaint();
        m_placed = placed;
    }
}

} // namespace orv
