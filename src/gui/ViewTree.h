// The project tree on the left of the main window: a tree of the items the
// core builds, each carrying its node and, for a menu, the menu's index and
// number. Only a mouse click runs the selection road.
#pragma once

#include "workspace/ViewTreeCore.h"

#include <QTreeWidget>

#include <memory>

namespace orv {

class CFrameCore;
class CViewLstCore;

class CViewTree final : public QTreeWidget {
    Q_OBJECT
public:
    // The item roles: the node, and a menu item's index and number.
    static constexpr int kRoleNode = Qt::UserRole;
    static constexpr int kRoleMenuIdx = Qt::UserRole + 1;
    static constexpr int kRoleMenuNum = Qt::UserRole + 2;

    // Registers its core with the frame core for the view's lifetime.
    CViewTree(CFrameCore& core, CViewLstCore& lst, QWidget* parent = nullptr);
    ~CViewTree() override;

    CViewTreeCore& Core();
    // The first item of a node; null when the tree lacks it.
    QTreeWidgetItem* ItemOf(TreeNode node) const;
    // The item of menu i.
    QTreeWidgetItem* MenuItemAt(int menuIdx) const;
    // Whether the point (viewport coordinates) lies on the item's icon or
    // label rather than beside it.
    bool OnIconOrLabel(const QTreeWidgetItem* item, const QPoint& pos) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    class Hooked;

    void ItemsChanged();
    void MenusChanged();

    CFrameCore& m_frameCore;
    CViewLstCore& m_lst;
    std::unique_ptr<Hooked> m_core;
};

} // namespace orv
