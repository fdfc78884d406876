// A context menu shown once and answering the chosen command id.
#include "gui/PopupMenu.h"

#include "dialogs/QtText.h"

#include <QAction>

namespace orv {

CPopupMenu::CPopupMenu() : m_menu(std::make_unique<QMenu>()) {}

CPopupMenu::~CPopupMenu() = default;

void CPopupMenu::AddItem(int id, bool enabled)
{
    if (!m_menu)
        return;
    QAction* action = m_menu->addAction(LangText(id));
    action->setData(id);
    action->setEnabled(enabled);
}

void CPopupMenu::AddSeparator()
{
    if (m_menu)
        m_menu->addSeparator();
}

int CPopupMenu::Track(int x, int y, QWidget* owner)
{
    if (!m_menu)
        return 0;
    if (owner != nullptr)
        m_menu->setParent(owner, m_menu->windowFlags());
    const QAction* chosen = m_menu->exec(QPoint(x, y));
    const int id = chosen != nullptr ? chosen->data().toInt() : 0;
    m_menu.reset();
    return id;
}

} // namespace orv
