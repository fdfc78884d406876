// The list view and the project tree driven as a user drives them, offscreen:
// the model in every mode, the styles, the panel-font cells, label editing,
// drags, the menu key, and the tree's mouse road.

#include "dialogs/PanelGlyphPainter.h"
#include "gui/DragMime.h"
#include "gui/ViewLst.h"
#include "gui/ViewTree.h"
#include "model/project/Fon.h"
#include "model/project/Mnu.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVarList.h"
#include "support/FonFixture.h"
#include "support/FrameFakes.h"
#include "support/FrameWorld.h"
#include "support/PrjBuilder.h"
#include "support/ScopedEnv.h"
#include "support/StartSelRows.h"
#include "support/TempDir.h"
#include "workspace/FrameCore.h"
#include "workspace/ObjNav.h"
#include "workspace/SelDb.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace orv {

namespace {

// A program directory with the fixture font as the "alt" screen font and one
// panel that offers operator and message texts.
const std::string& ListViewHome(const TempDir& home)
{
    std::filesystem::create_directories(home.File("CFG/ORV"));
    home.Write("CFG/ORV/alt.fon", BuildFixtureFon());
    CSelDb db;
    StartSelRows rows(db, home.File("startsel.db"));
    rows.App("ORVPRO").DevTyp("ORVPRO", "mini", {TxtKind::Op, TxtKind::Msg});
    rows.Device(DevRowOf(DspAltRecord()));
    rows.Sps({33, "S33", StartSelSpsRow::Neutral()}).Driver(5, "Drv 5");
    rows.Pair("mini", 33, 5);
    return home.Path();
}

// Closes the next popup menu and keeps where it opened.
void CloseNextPopup(QPoint* at)
{
    QTimer::singleShot(0, [at] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            if (at != nullptr)
                *at = menu->pos();
            menu->close();
        }
    });
}

class gui_list_view : public ::testing::Test {
protected:
    gui_list_view()
    {
        fw.frame.SetLogLevel(3);
        EXPECT_TRUE(core.GetStartSel().SetOrvVals("ORVPRO", 14, 33, 5, 10, 0, 64));
        EXPECT_TRUE(fw.frame.LoadFon("alt", false));
        core.SetNavFactory(MakeObjNav);
        core.SetViewDc(&dc);
        motor = PrjBuilder(fw.prj).AddNumVar("Motor", 6);
        PrjBuilder(fw.prj).AddNumVar("Pumpe", 7);
        AddText(fw.prj, TextKind::Op, 1, "AB", {});
        AddText(fw.prj, TextKind::Op, 2, "CD", {});
        view.resize(600, 300);
        view.show();
        fw.ui.ClearCalls();
    }
    ~gui_list_view() override { fw.frame.UnloadFon(); }

    int RowOf(const char* label) const
    {
        for (int r = 0; r < view.Model()->rowCount(); ++r)
            if (view.Model()->index(r, 0).data().toString() == QLatin1String(label))
                return r;
        return -1;
    }

    TempDir home;
    ScopedEnv homeEnv{"ORVTOOL_HOME", ListViewHome(home).c_str()};
    FrameWorld fw{LoadedWorld()};
    Journal journal;
    FakeViewDc dc{journal};
    FakeFrameWindow window{journal};
    FakeDlgRunner dialogs;
    FakeFilePrompt files;
    CFrameCore core{fw.frame, window, dialogs, files};
    CPrjVar* motor = nullptr;
    CViewLst view{core};
};

TEST_F(gui_list_view, ModelPassesTheTesterInEveryMode)
{
    QAbstractItemModelTester tester(view.Model(), QAbstractItemModelTester::FailureReportingMode::Warning);
    core.SetListType(2, 0);
    for (int mode = 0; mode < CViewLstCore::kModeCount; ++mode) {
        SCOPED_TRACE(mode);
        core.OnListMode(mode);
        EXPECT_EQ(view.Model()->rowCount(), view.Core().Table().GetRowCount());
    }
    core.OnVarList(0);
    EXPECT_EQ(view.Model()->rowCount(), 2);
}

// A list whose provider left has no columns: the one the icon styles keep
// shows no header, never Qt's section number "1".
TEST_F(gui_list_view, AListWithoutColumnsShowsNoHeader)
{
    core.OnVarList(0);
    view.Core().DeactivateProvider(IViewLst::kModeVars);
    ASSERT_EQ(view.Core().Table().GetColumnCount(), 0);
    ASSERT_EQ(view.Model()->columnCount(), 1);
    EXPECT_EQ(view.Model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QString());
}

TEST_F(gui_list_view, StylesSwitchTheViewsAndTheReportHasTheProvidersWidths)
{
    core.OnVarList(0);
    const CLstTable& table = view.Core().Table();
    ASSERT_GT(table.GetColumnCount(), 1);
    for (int i = 0; i < table.GetColumnCount(); ++i)
        EXPECT_EQ(view.ReportView()->columnWidth(i), table.Column(i).width) << i;
    EXPECT_EQ(view.CurrentView(), view.ReportView());

    struct Case {
        int style;
        QListView::ViewMode viewMode;
        int icon;
    };
    const Case cases[] = {
        {IViewLst::kStyleIcon,      QListView::IconMode, 32},
        {IViewLst::kStyleSmallIcon, QListView::IconMode, 16},
        {IViewLst::kStyleList,      QListView::ListMode, 16}
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        core.OnListStyle(c.style);
        EXPECT_EQ(view.CurrentView(), view.IconView());
        EXPECT_EQ(view.IconView()->viewMode(), c.viewMode);
        EXPECT_EQ(view.IconView()->iconSize(), QSize(c.icon, c.icon));
    }
    core.OnListStyle(IViewLst::kStyleReport);
    EXPECT_EQ(view.CurrentView(), view.ReportView());
    // One selection for all styles.
    EXPECT_EQ(view.IconView()->selectionModel(), view.ReportView()->selectionModel());
}

TEST_F(gui_list_view, TextCellsShowThePanelFontsGlyphs)
{
    core.OnTextList(2);
    ASSERT_EQ(view.Model()->rowCount(), 2);
    QApplication::processEvents();
    const QRect cell = view.ReportView()->visualRect(view.Model()->index(1, 1));
    ASSERT_FALSE(cell.isEmpty());
    const QImage image = view.ReportView()->viewport()->grab().toImage();
    // The lit rows of the cell span exactly the glyph's height at the
    // view's scale, which no system font matches by chance.
    int top = -1;
    int bottom = -1;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            if (image.pixelColor(x, y).lightness() < 80) {
                top = top < 0 ? y : top;
                bottom = y;
            }
    const CFon* fon = fw.frame.GetScreenFon();
    const int s = CPanelGlyphPainter::ScaleForHeight(fon, static_cast<int>(std::lround(8.0 * view.logicalDpiY() / 72)));
    const QSize glyph = CPanelGlyphPainter::GlyphSize(fon, 'C', s);
    ASSERT_GE(top, 0) << "no glyph pixels";
    EXPECT_LE(bottom - top + 1, glyph.height());
    EXPECT_GT(bottom - top + 1, 0);
    EXPECT_FALSE(fw.ui.HasLogLine("FATAL: unable to create console font"));
}

TEST_F(gui_list_view, WithoutAScreenFontTheBytesShowInTheSystemFont)
{
    fw.frame.UnloadFon();
    fw.ui.ExpectFatal("FATAL: unable to create console font");
    core.OnTextList(2);
    const QImage image = view.ReportView()->viewport()->grab().toImage();
    EXPECT_FALSE(image.isNull());
    EXPECT_TRUE(fw.ui.HasLogLine("FATAL: unable to create console font"));
    EXPECT_EQ(view.Model()->index(0, 1).data().toString(), QStringLiteral("AB"));
}

TEST_F(gui_list_view, F2OnAVariableRenamesIt)
{
    core.OnVarList(0);
    const int row = RowOf("Motor");
    ASSERT_GE(row, 0);
    view.ReportView()->setFocus();
    view.ReportView()->setCurrentIndex(view.Model()->index(row, 0));
    QTest::keyClick(view.ReportView(), Qt::Key_F2);
    auto* editor = view.ReportView()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("Antrieb.2"));
    QTest::keyClick(editor, Qt::Key_Return);
    // The editor commits, then the queued rename runs.
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(motor->GetName(), "Antrieb");
    EXPECT_GE(RowOf("Antrieb"), 0);
}

TEST_F(gui_list_view, DragsCarryTheIndexOrTheCode)
{
    core.SetListType(2, 0);
    core.OnVarList(0);
    const int row = RowOf("Motor");
    std::unique_ptr<QMimeData> var(view.Model()->mimeData({view.Model()->index(row, 0)}));
    ASSERT_NE(var, nullptr);
    EXPECT_EQ(var->data(MimeVarIndex()).toInt(), fw.prj.GetVarList()->IndexOf(motor));

    core.OnListMode(IViewLst::kModeChars);
    std::unique_ptr<QMimeData> chr(view.Model()->mimeData({view.Model()->index(65, 0)}));
    ASSERT_NE(chr, nullptr);
    EXPECT_EQ(chr->data(MimeCharCode()).toInt(), 65);
}

TEST_F(gui_list_view, MenuKeyOpensAtTheCornerAndFocusReloadsTheEditor)
{
    core.OnVarList(0);
    QPoint at;
    CloseNextPopup(&at);
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(0, 0), QPoint(0, 0));
    QApplication::sendEvent(view.ReportView()->viewport(), &key);
    EXPECT_EQ(view.LastMenuPos(), view.ReportView()->mapToGlobal(QPoint(5, 5)));

    journal.clear();
    view.activateWindow();
    view.ReportView()->setFocus();
    QFocusEvent focus(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(view.ReportView(), &focus);
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "dc SavTxtRows"),
              std::count(journal.begin(), journal.end(), "dc RstTxtRows"));
    EXPECT_GE(std::count(journal.begin(), journal.end(), "dc SavTxtRows"), 1);
}

class gui_project_tree : public gui_list_view {
protected:
    gui_project_tree()
    {
        tree.resize(300, 600);
        tree.show();
        core.SetViewTree(&tree.Core());
        tree.Core().RebuildTree("demo.orv");
        QApplication::processEvents();
    }
    ~gui_project_tree() override { core.SetViewTree(nullptr); }

    QPoint LabelPoint(const QTreeWidgetItem* item) const
    {
        const QRect rect = tree.visualItemRect(item);
        return {rect.left() + tree.iconSize().width() + 10, rect.center().y()};
    }

    CViewTree tree{core, view.Core()};
};

TEST_F(gui_project_tree, ClickOnMeldetexteOpensTheMessageTexts)
{
    QTreeWidgetItem* item = tree.ItemOf(TreeNode::MsgTxt);
    ASSERT_NE(item, nullptr);
    tree.scrollToItem(item);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, Qt::NoModifier, LabelPoint(item));
    EXPECT_EQ(core.GetListType(), 3);
    EXPECT_EQ(view.Core().GetListMode(), IViewLst::kModeTexts);
}

TEST_F(gui_project_tree, KeyboardMovesRunNothing)
{
    core.OnListMode(IViewLst::kModeChars);
    tree.setFocus();
    tree.setCurrentItem(tree.ItemOf(TreeNode::Texts));
    QTest::keyClick(tree.viewport(), Qt::Key_Down);
    QTest::keyClick(&tree, Qt::Key_Down);
    EXPECT_NE(tree.currentItem(), tree.ItemOf(TreeNode::Texts));
    EXPECT_EQ(view.Core().GetListMode(), IViewLst::kModeChars);
    EXPECT_EQ(core.GetListType(), 0);
}

TEST_F(gui_project_tree, RightClickBesideALabelShowsNoMenu)
{
    QTreeWidgetItem* item = tree.ItemOf(TreeNode::Softkeys);
    ASSERT_NE(item, nullptr);
    const QRect rect = tree.visualItemRect(item);
    bool shown = false;
    QTimer::singleShot(0, [&shown] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            shown = true;
            popup->close();
        }
    });
    QTest::mouseClick(tree.viewport(), Qt::RightButton, Qt::NoModifier, QPoint(rect.right() - 2, rect.center().y()));
    QApplication::processEvents();
    EXPECT_FALSE(shown);
    EXPECT_NE(view.Core().GetListMode(), IViewLst::kModeSkTexts);
}

TEST_F(gui_project_tree, MenuItemsAndTextItemsShowTheirOwnImages)
{
    auto menu = std::make_unique<CPrjMnu>(1, "Haupt", 0);
    ASSERT_GE(fw.prj.InsMnu(menu.get()), 0);
    menu.release();
    tree.Core().FillMenus();
    tree.expandAll();
    QApplication::processEvents();
    QTreeWidgetItem* menuItem = tree.MenuItemAt(0);
    QTreeWidgetItem* textItem = tree.ItemOf(TreeNode::OpTxt);
    ASSERT_TRUE(menuItem && textItem);
    EXPECT_EQ(menuItem->text(0), QStringLiteral("1: Haupt"));
    const QImage image = tree.viewport()->grab().toImage();
    const auto iconOf = [&](const QTreeWidgetItem* item) {
        const QRect rect = tree.visualItemRect(item);
        return image.copy(rect.left(), rect.top() + (rect.height() - 16) / 2, 16, 16);
    };
    EXPECT_NE(iconOf(menuItem), iconOf(textItem));
    EXPECT_EQ(tree.topLevelItem(0)->text(0), QStringLiteral("demo.orv"));
}

} // namespace
} // namespace orv
