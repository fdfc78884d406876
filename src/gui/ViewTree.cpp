// The project tree's window: items mirrored from the core, the mouse road and
// the right-click menus.
#include "gui/ViewTree.h"

#include "dialogs/QtText.h"
#include "gui/PopupMenu.h"
#include "model/core/FrameState.h"
#include "model/core/Log.h"
#include "model/project/Mnu.h"
#include "model/project/PrjData.h"
#include "workspace/FrameCore.h"
#include "workspace/FrameViews.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QIcon>
#include <QMouseEvent>

#include <map>

namespace orv {

namespace {

// Images 0..13 of the tree, as icon resources.
QIcon TreeIcon(int image)
{
    static constexpr int kImages[] = {144, 137, 133, 141, 132, 143, 142, 135, 140, 139, 191, 130, 134, 236};
    const int id = image >= 0 && image < static_cast<int>(std::size(kImages)) ? kImages[image] : 144;
    return QIcon(QStringLiteral(":/icons/res%1.xpm").arg(id));
}

} // namespace

class CViewTree::Hooked final : public CViewTreeCore {
public:
    Hooked(CFrameCore& core, CViewLstCore& lst, CViewTree& view) : CViewTreeCore(core, lst), m_view(view) {}

protected:
    void ItemsChanged() override { m_view.ItemsChanged(); }
    void MenusChanged() override { m_view.MenusChanged(); }

private:
    CViewTree& m_view;
};

CViewTree::CViewTree(CFrameCore& core, CViewLstCore& lst, QWidget* parent)
    : QTreeWidget(parent), m_frameCore(core), m_lst(lst), m_core(std::make_unique<Hooked>(core, lst, *this))
{
    setObjectName(QStringLiteral("paneTree"));
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setIconSize(QSize(16, 16));
    setContextMenuPolicy(Qt::NoContextMenu);
    setFocusPolicy(Qt::StrongFocus);
    core.SetViewTree(m_core.get());
    m_core->BuildTree();
}

CViewTree::~CViewTree()
{
    if (m_frameCore.GetViewTree() == m_core.get())
        m_frameCore.SetViewTree(nullptr);
}

CViewTreeCore& CViewTree::Core()
{
    return *m_core;
}

void CViewTree::ItemsChanged()
{
    clear();
    std::map<TreeNode, QTreeWidgetItem*> made;
    for (const TreeItem& item : m_core->Items()) {
        QTreeWidgetItem* w = nullptr;
        if (item.node == TreeNode::Root) {
            w = new QTreeWidgetItem(this);
            w->setText(0, QString::fromStdString(m_core->RootText()));
        } else {
            const auto parent = made.find(item.parent);
            if (parent == made.end())
                continue;
            w = new QTreeWidgetItem(parent->second);
            w->setText(0, item.stringId != 0 ? LangText(item.stringId) : FromCp1252(item.literal));
        }
        w->setIcon(0, TreeIcon(item.image));
        w->setData(0, kRoleNode, static_cast<int>(item.node));
        made[item.node] = w;
    }
    if (QTreeWidgetItem* root = topLevelItem(0))
        root->setExpanded(true);
}

QTreeWidgetItem* CViewTree::ItemOf(TreeNode node) const
{
    for (QTreeWidgetItemIterator it(const_cast<CViewTree*>(this)); *it != nullptr; ++it)
        if ((*it)->data(0, kRoleNode).toInt() == static_cast<int>(node))
            return *it;
    return nullptr;
}

QTreeWidgetItem* CViewTree::MenuItemAt(int menuIdx) const
{
    QTreeWidgetItem* menus = ItemOf(TreeNode::Menus);
    return menus != nullptr && menuIdx >= 0 && menuIdx < menus->childCount() ? menus->child(menuIdx) : nullptr;
}

void CViewTree::MenusChanged()
{
    QTreeWidgetItem* menus = ItemOf(TreeNode::Menus);
    if (menus == nullptr)
        return;
    qDeleteAll(menus->takeChildren());
    const CPrjData* prj = GetPrjData();
    const CPrjMnuList* list = prj != nullptr ? prj->GetMnuList() : nullptr;
    const std::vector<std::string>& texts = m_core->MenuTexts();
    for (size_t i = 0; i < texts.size(); ++i) {
        auto* w = new QTreeWidgetItem(menus);
        w->setText(0, FromCp437(texts[i]));
        w->setIcon(0, TreeIcon(CViewTreeCore::kMenuImage));
        w->setData(0, kRoleNode, static_cast<int>(TreeNode::MenuItem));
        w->setData(0, kRoleMenuIdx, static_cast<int>(i));
        const int index = static_cast<int>(i);
        if (list != nullptr && index < list->GetCount())
            w->setData(0, kRoleMenuNum, list->ItemAt(index)->GetNum());
    }
}

bool CViewTree::OnIconOrLabel(const QTreeWidgetItem* item, const QPoint& pos) const
{
    if (item == nullptr)
        return false;
    const QRect rect = visualItemRect(item);
    const int labelWidth = fontMetrics().horizontalAdvance(item->text(0));
    // The cell starts with the icon, then a small gap and the label.
    const int right = rect.left() + iconSize().width() + 8 + labelWidth;
    return rect.contains(pos) && pos.x() <= right;
}

void CViewTree::mousePressEvent(QMouseEvent* event)
{
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    const auto node = [](const QTreeWidgetItem* w) { return static_cast<TreeNode>(w->data(0, kRoleNode).toInt()); };
    const auto menuIdx = [](const QTreeWidgetItem* w) {
        const QVariant idx = w->data(0, kRoleMenuIdx);
        return idx.isValid() ? idx.toInt() : -1;
    };
    if (event->button() == Qt::RightButton) {
        event->accept();
        if (!OnIconOrLabel(item, event->position().toPoint()))
            return;
        setCurrentItem(item);
        const TreeNode clicked = node(item);
        const int idx = menuIdx(item);
        const std::vector<LstMenuItem> items = m_core->RightClick(clicked, idx);
        if (!items.empty()) {
            CPopupMenu menu;
            for (const LstMenuItem& entry : items)
                menu.AddItem(static_cast<int>(entry.id), entry.enabled);
            const QPoint global = event->globalPosition().toPoint();
            const int id = menu.Track(global.x(), global.y(), this);
            if (id != 0)
                m_core->RunCommand(static_cast<uint32_t>(id));
        }
        setCurrentItem(nullptr);
        clearSelection();
        return;
    }
    QTreeWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && item != nullptr && OnIconOrLabel(item, event->position().toPoint()))
        m_core->Select(node(item), menuIdx(item));
}

void CViewTree::paintEvent(QPaintEvent* event)
{
    LogLine(100, "CViewTree::OnDraw");
    QTreeWidget::paintEvent(event);
}

void CViewTree::focusInEvent(QFocusEvent* event)
{
    QTreeWidget::focusInEvent(event);
    m_lst.Activated();
}

} // namespace orv
