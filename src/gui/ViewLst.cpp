// The list view's window: the model over the core's table, the four styles,
// the panel-font cells, the context menu, label editing and drags.
#include "gui/ViewLst.h"

#include "dialogs/FixedFont.h"
#include "dialogs/PanelGlyphPainter.h"
#include "dialogs/QtText.h"
#include "gui/DragMime.h"
#include "gui/PopupMenu.h"
#include "model/core/FrameState.h"
#include "model/core/HelpPage.h"
#include "model/core/Log.h"
#include "model/project/Fon.h"
#include "workspace/FrameCore.h"

#include <QContextMenuEvent>
#include <QDrag>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QListView>
#include <QMimeData>
#include <QPainter>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <cmath>

namespace orv {

namespace {

// The icon resources of the list modes; the characters have three.
QIcon LstIcon(int mode, int image)
{
    static constexpr int kModeIcons[] = {143, 142, 135, 139, 140, 191};
    static constexpr int kCharIcons[] = {130, 137, 192};
    int id = 143;
    if (mode == IViewLst::kModeChars)
        id = kCharIcons[image >= 0 && image < 3 ? image : 0];
    else if (mode >= 0 && mode < static_cast<int>(std::size(kModeIcons)))
        id = kModeIcons[mode];
    return QIcon(QStringLiteral(":/icons/res%1.xpm").arg(id));
}

QString LstCellText(const LstCell& cell)
{
    return cell.cp == LstCodePage::Cp437 ? FromCp437(cell.text) : FromCp1252(cell.text);
}

// The system font of the list: the shared fixed-pitch face at 8 points.
QFont LstSystemFont()
{
    QFont font = FixedPitchFont();
    font.setPointSize(8);
    return font;
}

// A drag of the row under the mouse: its picture beside the cursor, the data
// the model gives for it.
void LstStartRowDrag(QAbstractItemView& view)
{
    const QModelIndex index = view.currentIndex();
    QMimeData* mime = index.isValid() ? view.model()->mimeData({index.siblingAtColumn(0)}) : nullptr;
    if (mime == nullptr)
        return;
    auto* drag = new QDrag(&view);
    drag->setMimeData(mime);
    const QRect rect = view.visualRect(index.siblingAtColumn(0));
    drag->setPixmap(view.viewport()->grab(rect));
    drag->setHotSpot(QPoint(-15, -15));
    drag->exec(Qt::CopyAction);
}

class LstReportView final : public QTreeView {
public:
    using QTreeView::QTreeView;

protected:
    void startDrag(Qt::DropActions) override { LstStartRowDrag(*this); }
};

class LstIconView final : public QListView {
public:
    using QListView::QListView;

protected:
    void startDrag(Qt::DropActions) override { LstStartRowDrag(*this); }
};

} // namespace

// --- Model -----------------------------------------------------------------

CLstModel::CLstModel(CViewLstCore& core, QObject* parent) : QAbstractTableModel(parent), m_core(core) {}

int CLstModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_core.Table().GetRowCount();
}

int CLstModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(1, m_core.Table().GetColumnCount());
}

QVariant CLstModel::data(const QModelIndex& index, int role) const
{
    const CLstTable& table = m_core.Table();
    if (!index.isValid() || index.row() >= table.GetRowCount())
        return {};
    const LstRow& row = table.Row(index.row());
    const auto column = static_cast<size_t>(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return column < row.cells.size() ? LstCellText(row.cells[column]) : QString();
    case Qt::DecorationRole:
        return index.column() == 0 ? QVariant(LstIcon(m_core.GetListMode(), row.image)) : QVariant();
    case Qt::TextAlignmentRole:
        if (index.column() < table.GetColumnCount() && table.Column(index.column()).align == LstColumn::Align::Right)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant CLstModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    const CLstTable& table = m_core.Table();
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    // A list without columns keeps one for the icon styles; its header stays
    // blank rather than Qt's section number.
    if (section < 0 || section >= table.GetColumnCount())
        return QString();
    return FromCp1252(table.Column(section).header);
}

Qt::ItemFlags CLstModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (m_core.DragOf(index.row()).kind != LstDrag::Kind::None)
        f |= Qt::ItemIsDragEnabled;
    if (index.column() == 0 && m_core.MayEditLabel(index.row()))
        f |= Qt::ItemIsEditable;
    return f;
}

bool CLstModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() != 0)
        return false;
    const std::u32string typed = value.toString().toStdU32String();
    const int row = index.row();
    // The rows are filled anew by the edit: not while the editor commits.
    QTimer::singleShot(0, this, [this, typed, row] {
        m_core.SelectRow(row);
        m_core.EndLabelEdit(typed);
    });
    return false;
}

QStringList CLstModel::mimeTypes() const
{
    return {MimeVarIndex(), MimeCharCode()};
}

QMimeData* CLstModel::mimeData(const QModelIndexList& indexes) const
{
    if (indexes.isEmpty())
        return nullptr;
    const LstDrag drag = m_core.DragOf(indexes.first().row());
    if (drag.kind == LstDrag::Kind::None)
        return nullptr;
    auto* mime = new QMimeData;
    mime->setData(drag.kind == LstDrag::Kind::Var ? MimeVarIndex() : MimeCharCode(), QByteArray::number(drag.value));
    return mime;
}

void CLstModel::Reset()
{
    beginResetModel();
    endResetModel();
}

// --- Core ------------------------------------------------------------------

class CViewLst::Hooked final : public CViewLstCore {
public:
    Hooked(CFrameCore& core, CViewLst& view) : CViewLstCore(core), m_view(view) {}

protected:
    void TableChanged() override { m_view.TableChanged(); }
    void BeginLabelEdit(int row) override { m_view.BeginLabelEdit(row); }
    void StyleChanged() override { m_view.StyleChanged(); }

private:
    CViewLst& m_view;
};

// Cells of panel bytes in a console table are drawn in the panel's font.
class CViewLst::ConsoleDelegate final : public QStyledItemDelegate {
public:
    ConsoleDelegate(CViewLstCore& core, QObject* parent) : QStyledItemDelegate(parent), m_core(core) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const CLstTable& table = m_core.Table();
        const CFrameState* frame = GetMainFrame();
        const CFon* fon = frame != nullptr ? frame->GetScreenFon() : nullptr;
        const LstRow* row = index.row() < table.GetRowCount() ? &table.Row(index.row()) : nullptr;
        const auto column = static_cast<size_t>(index.column());
        const bool console = table.GetFont() == CLstTable::Font::Console && row != nullptr &&
                             column < row->cells.size() && row->cells[column].cp == LstCodePage::Cp437;
        if (!console) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        if (fon == nullptr || !fon->HasFont()) {
            if (!m_fatalLogged) {
                m_fatalLogged = true;
                LogLine(kLogErrors, "FATAL: unable to create console font");
            }
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        // Background, selection and icon as usual; the text is the panel's.
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        opt.text.clear();
        const QWidget* widget = option.widget;
        QStyle* style = widget != nullptr ? widget->style() : nullptr;
        if (style != nullptr)
            style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
        const QRect textRect =
            style != nullptr ? style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget) : option.rect;
        const int dpi = widget != nullptr ? widget->logicalDpiY() : 96;
        const int s = CPanelGlyphPainter::ScaleForHeight(fon, static_cast<int>(std::lround(8.0 * dpi / 72.0)));
        const QColor colour = (option.state & QStyle::State_Selected) ? option.palette.highlightedText().color()
                                                                      : option.palette.text().color();
        int x = textRect.left();
        painter->save();
        painter->setClipRect(textRect);
        for (const char byte : row->cells[column].text) {
            const auto code = static_cast<unsigned char>(byte);
            const QSize glyph = CPanelGlyphPainter::GlyphSize(fon, code, s);
            const int width = glyph.isEmpty() ? s * 6 : glyph.width();
            CPanelGlyphPainter::DrawGlyph(*painter, fon, code, QRect(x, textRect.top(), width, textRect.height()), s,
                                          colour);
            x += width;
            if (x > textRect.right())
                break;
        }
        painter->restore();
    }

private:
    CViewLstCore& m_core;
    mutable bool m_fatalLogged = false;
};

// --- View ------------------------------------------------------------------

CViewLst::CViewLst(CFrameCore& core, QWidget* parent)
    : QWidget(parent), m_frameCore(core), m_core(std::make_unique<Hooked>(core, *this))
{
    setObjectName(QStringLiteral("paneList"));
    setFocusPolicy(Qt::StrongFocus);
    m_model = new CLstModel(*m_core, this);
    m_stack = new QStackedWidget(this);
    m_report = new LstReportView(m_stack);
    m_report->setObjectName(QStringLiteral("lstReport"));
    m_report->setRootIsDecorated(false);
    m_report->setUniformRowHeights(true);
    m_report->setAllColumnsShowFocus(true);
    m_icons = new LstIconView(m_stack);
    m_icons->setObjectName(QStringLiteral("lstIcons"));
    m_icons->setUniformItemSizes(true);
    m_icons->setResizeMode(QListView::Adjust);
    m_icons->setMovement(QListView::Static);
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(m_report), static_cast<QAbstractItemView*>(m_icons)}) {
        view->setModel(m_model);
        // A delegate each: an editor commits to its own view only.
        view->setItemDelegate(new ConsoleDelegate(*m_core, view));
        view->setFont(LstSystemFont());
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
        view->setDragEnabled(true);
        view->setDragDropMode(QAbstractItemView::DragOnly);
        view->setContextMenuPolicy(Qt::NoContextMenu);
        view->installEventFilter(this);
        view->viewport()->installEventFilter(this);
        connect(view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
            // In the report of variables and texts the whole row counts;
            // elsewhere only the label.
            const int mode = m_core->GetListMode();
            if (index.column() == 0 || mode == IViewLst::kModeVars || mode == IViewLst::kModeTexts)
                m_core->DoubleClick(index.row());
        });
        connect(view, &QAbstractItemView::clicked, this,
                [](const QModelIndex& index) { LogLine(kLogDebug, "OnClick LstIdx=%d", index.row()); });
    }
    // One selection for both views.
    m_icons->setSelectionModel(m_report->selectionModel());
    connect(m_report->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!m_syncing && current.isValid())
                    m_core->ItemChanged(current.row());
            });
    m_stack->addWidget(m_report);
    m_stack->addWidget(m_icons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stack);
    setFocusProxy(m_report);
    core.SetViewLst(m_core.get());
    LogLine(kLogDebugExt, "CViewLst::OnInitialUpdate()");
    StyleChanged();
}

CViewLst::~CViewLst()
{
    // The views and the model read the core's table: they go first.
    delete m_stack;
    m_stack = nullptr;
    delete m_model;
    m_model = nullptr;
    if (m_frameCore.GetViewLst() == m_core.get())
        m_frameCore.SetViewLst(nullptr);
}

CViewLstCore& CViewLst::Core()
{
    return *m_core;
}

QAbstractItemView* CViewLst::CurrentView() const
{
    return static_cast<QAbstractItemView*>(m_stack->currentWidget());
}

void CViewLst::TableChanged()
{
    m_model->Reset();
    const CLstTable& table = m_core->Table();
    for (int i = 0; i < table.GetColumnCount(); ++i)
        m_report->setColumnWidth(i, table.Column(i).width);
    SelectInViews(m_core->GetSelRow());
    StyleChanged();
}

void CViewLst::SelectInViews(int row)
{
    m_syncing = true;
    if (row >= 0 && row < m_model->rowCount())
        m_report->selectionModel()->setCurrentIndex(m_model->index(row, 0),
                                                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    else
        m_report->selectionModel()->clearSelection();
    m_syncing = false;
}

void CViewLst::StyleChanged()
{
    int style = m_core->GetStyle();
    // The characters ask for the list style whatever the frame chose.
    if (m_core->Table().GetStyle() == CLstTable::Style::List && style == IViewLst::kStyleReport)
        style = IViewLst::kStyleList;
    if (style == IViewLst::kStyleReport) {
        m_stack->setCurrentWidget(m_report);
        return;
    }
    m_icons->setViewMode(style == IViewLst::kStyleList ? QListView::ListMode : QListView::IconMode);
    m_icons->setFlow(style == IViewLst::kStyleList ? QListView::TopToBottom : QListView::LeftToRight);
    m_icons->setWrapping(true);
    m_icons->setIconSize(style == IViewLst::kStyleIcon ? QSize(32, 32) : QSize(16, 16));
    m_stack->setCurrentWidget(m_icons);
}

void CViewLst::BeginLabelEdit(int row)
{
    if (row >= 0 && row < m_model->rowCount())
        CurrentView()->edit(m_model->index(row, 0));
}

void CViewLst::contextMenuEvent(QContextMenuEvent* event)
{
    QAbstractItemView* view = CurrentView();
    QPoint global;
    if (event->reason() == QContextMenuEvent::Keyboard) {
        global = view->mapToGlobal(QPoint(5, 5));
    } else {
        global = event->globalPos();
        const QModelIndex hit = view->indexAt(view->viewport()->mapFromGlobal(global));
        m_core->SelectRow(hit.isValid() ? hit.row() : -1);
        SelectInViews(m_core->GetSelRow());
    }
    m_lastMenuPos = global;
    CPopupMenu menu;
    for (const LstMenuItem& item : m_core->ContextMenu()) {
        if (item.id == 0)
            menu.AddSeparator();
        else
            menu.AddItem(static_cast<int>(item.id), item.enabled);
    }
    const int id = menu.Track(global.x(), global.y(), this);
    if (id != 0)
        m_core->RunCommand(static_cast<uint32_t>(id));
    event->accept();
}

bool CViewLst::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && (watched == m_report->viewport() || watched == m_icons->viewport())) {
        // The views paint themselves.
        LogLine(kLogDebug, "CViewLst::OnDraw");
    } else if (event->type() == QEvent::FocusIn && (watched == m_report || watched == m_icons)) {
        m_core->Activated();
    } else if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        ShowHelpPage(m_core->HelpPage(), 0);
        return true;
    } else if (event->type() == QEvent::ContextMenu && watched != this) {
        // The views' menus are the list view's own.
        auto* menuEvent = static_cast<QContextMenuEvent*>(event);
        QContextMenuEvent forwarded(menuEvent->reason(), mapFromGlobal(menuEvent->globalPos()), menuEvent->globalPos());
        contextMenuEvent(&forwarded);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace orv
