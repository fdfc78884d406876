// The list view below the display editor: one table model over the list
// core's table, shown as a report or as icons and a list, sharing one
// selection. The decisions are the core's; this class draws and forwards.
#pragma once

#include "workspace/ViewLstCore.h"

#include <QAbstractTableModel>
#include <QPoint>
#include <QWidget>

#include <memory>

class QAbstractItemView;
class QListView;
class QStackedWidget;
class QTreeView;

namespace orv {

class CFrameCore;
class CViewLst;

// The table as Qt items: a cell is converted only when a view asks for it.
class CLstModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    CLstModel(CViewLstCore& core, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // The typed label goes to the core once the editor closed; the cell
    // never keeps it.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }

    void Reset();

private:
    CViewLstCore& m_core;
};

class CViewLst final : public QWidget {
    Q_OBJECT
public:
    // Registers its core with the frame core for the view's lifetime.
    explicit CViewLst(CFrameCore& core, QWidget* parent = nullptr);
    ~CViewLst() override;

    CViewLstCore& Core();
    CLstModel* Model() const { return m_model; }
    QTreeView* ReportView() const { return m_report; }
    QListView* IconView() const { return m_icons; }
    // The view the current style shows.
    QAbstractItemView* CurrentView() const;
    // Where the last context menu opened, in screen coordinates.
    QPoint LastMenuPos() const { return m_lastMenuPos; }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Hooked;
    class ConsoleDelegate;

    void TableChanged();
    void StyleChanged();
    void BeginLabelEdit(int row);
    void SelectInViews(int row);

    CFrameCore& m_frameCore;
    std::unique_ptr<Hooked> m_core;
    CLstModel* m_model = nullptr;
    QStackedWidget* m_stack = nullptr;
    QTreeView* m_report = nullptr;
    QListView* m_icons = nullptr;
    QPoint m_lastMenuPos;
    bool m_syncing = false;
};

} // namespace orv
