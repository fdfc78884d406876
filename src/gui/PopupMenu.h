// The views' context menus, built from language strings whose ids are the
// command ids.
#pragma once

#include <QMenu>

#include <memory>

class QWidget;

namespace orv {

// The context menu of the views: items are language strings whose ids are
// also the command ids. A menu is tracked once.
class CPopupMenu {
public:
    CPopupMenu();
    ~CPopupMenu();
    CPopupMenu(const CPopupMenu&) = delete;
    CPopupMenu& operator=(const CPopupMenu&) = delete;

    // Appends the string with that id in the current language, greyed when
    // not enabled.
    void AddItem(int id, bool enabled);
    void AddSeparator();
    // Shows the menu at (x, y) in screen coordinates and waits for the user:
    // the chosen id, or 0 when the menu was dismissed.
    int Track(int x, int y, QWidget* owner);

    QMenu* Menu() const { return m_menu.get(); }

private:
    std::unique_ptr<QMenu> m_menu;
};

} // namespace orv
