#include "dialogs/QtText.h"
#include "gui/DragMime.h"
#include "gui/ViewDc.h"
#include "model/project/CharSet.h"
#include "model/project/NumEntry.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjVarList.h"
#include "support/FonFixture.h"
#include "support/FrameFakes.h"
#include "support/FrameWorld.h"
#include "support/PrjBuilder.h"
#include "support/ScopedEnv.h"
#include "support/StartSelRows.h"
#include "support/TempDir.h"
#include "workspace/DspGeometry.h"
#include "workspace/FrameCore.h"
#include "workspace/ObjNav.h"
#include "workspace/SelDb.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace orv {

namespace {

// A program directory with the fixture font as the "alt" screen font and a
// start selection of one 4 × 20 panel, 400 × 600 with its display at
// (50, 80) of 300 × 120.
const std::string& DisplayEditorHome(const TempDir& home)
{
    std::filesystem::create_directories(home.File("CFG/ORV"));
    home.Write("CFG/ORV/alt.fon", BuildFixtureFon());
    CSelDb db;
    StartSelRows rows(db, home.File("startsel.db"));
    rows.App("ORVPRO").DevTyp("ORVPRO", "mini", {TxtKind::Op});
    rows.Device(DevRowOf(DspAltRecord()));
    DevRecord broken = DspAltRecord();
    broken.name = "Broken";
    broken.numDspRows = 33;
    rows.Device(DevRowOf(broken, 1, 15));
    rows.Sps({33, "S33", StartSelSpsRow::Neutral()}).Driver(5, "Drv 5");
    rows.Pair("mini", 33, 5);
    return home.Path();
}

QColor PixelAt(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}

class gui_display_editor : public ::testing::Test {
protected:
    gui_display_editor()
    {
        fw.frame.SetLogLevel(3);
        EXPECT_TRUE(core.GetStartSel().SetOrvVals("ORVPRO", 14, 33, 5, 10, 0, 64));
        EXPECT_TRUE(fw.frame.LoadFon("alt", false));
        tmp = PrjBuilder(fw.prj).AddNumVar("Tmp", 6);
        lvl = PrjBuilder(fw.prj).AddNumVar("Lvl", 7);
        tmp->SetWidth(3);
        lvl->SetWidth(2);
        AddText(fw.prj, TextKind::Op, 1, "AB  " + fw.charSet.FieldText(3), {{tmp, 4}});
        view.resize(400, 600);
        view.show();
        core.SetNavFactory(MakeObjNav);
        core.SetListType(2, 0);
        fw.ui.ClearCalls();
    }
    ~gui_display_editor() override { fw.frame.UnloadFon(); }

    QPoint Cell(int row, int col)
    {
        const DspRect r = CDspGeometry(core.GetStartSel().Dev(), view.width(), view.height()).CellRect(row, col);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void Click(int row, int col) { QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, Cell(row, col)); }
    void Focus()
    {
        view.activateWindow();
        view.setFocus();
        QApplication::processEvents();
    }
    // The rows of the text as the editor holds them.
    std::string Row(int n)
    {
        std::string text = view.Edit().RowText(n);
        text.erase(text.find_last_not_of(' ') + 1);
        return text;
    }


    TempDir home;
    ScopedEnv homeEnv{"ORVTOOL_HOME", DisplayEditorHome(home).c_str()};
    FrameWorld fw{LoadedWorld()};
    Journal journal;
    FakeFrameWindow window{journal};
    FakeDlgRunner dialogs;
    FakeFilePrompt files;
    CFrameCore core{fw.frame, window, dialogs, files};
    CPrjVar* tmp = nullptr;
    CPrjVar* lvl = nullptr;
    QLabel ovr{QStringLiteral("OVR")};
    CViewDc view{core, &ovr};
};

TEST_F(gui_display_editor, PaintsThePanelTheCellsTheVariableAndTheGlyphs)
{
    const QImage image = view.grab().toImage();
    EXPECT_EQ(QColor(0, 156, 165), PixelAt(image, 58, 140));      // display, left of the text block
    EXPECT_EQ(QColor(0, 173, 222), PixelAt(image, 66, 98));       // corner of cell (1, 1)
    EXPECT_EQ(QColor(255, 255, 222), PixelAt(image, 157, 117));   // Tmp's box over columns 5-7
    // 'A' in cell (1, 1): rows of the fixture glyph at s = 1, 5 × 8 centred
    // in the cell's inner 13 × 20 pixels from (65, 97): origin (69, 103).
    // Its row 0 is 0x08: only pixel 4 is lit.
    EXPECT_EQ(QColor(0, 0, 0), PixelAt(image, 73, 103));
    EXPECT_EQ(QColor(0, 173, 222), PixelAt(image, 69, 103));
    for (int px = 0; px < 5; ++px) {
        const bool lit = (FixtureRow('A', 1) & (0x80 >> px)) != 0;
        EXPECT_EQ(lit ? QColor(0, 0, 0) : QColor(0, 173, 222), PixelAt(image, 69 + px, 104)) << px;
    }
}

TEST_F(gui_display_editor, APrintedPictureIsTheScreensPicture)
{
    const QImage screen = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage printed(view.size(), QImage::Format_RGB32);
    QPainter painter(&printed);
    view.PaintTo(painter, view.size());
    painter.end();
    EXPECT_EQ(screen, printed);
}

TEST_F(gui_display_editor, CaretIsYellowOnlyWithTheFocus)
{
    Focus();
    Click(2, 3);
    ASSERT_TRUE(view.hasFocus());
    const QPoint corner = Cell(2, 3) - QPoint(5, 9);
    EXPECT_EQ(QColor(255, 255, 0), PixelAt(view.grab().toImage(), corner.x(), corner.y()));
    view.clearFocus();
    EXPECT_EQ(QColor(0, 173, 222), PixelAt(view.grab().toImage(), corner.x(), corner.y()));
}

TEST_F(gui_display_editor, TypedKeysFillTheRowAndInsertTogglesTheOvrLabel)
{
    Focus();
    EXPECT_TRUE(ovr.isEnabled());
    Click(2, 1);
    QTest::keyClicks(&view, "AB");
    EXPECT_EQ("AB", Row(2));
    QTest::keyClick(&view, Qt::Key_Insert);
    EXPECT_FALSE(ovr.isEnabled());
    EXPECT_TRUE(fw.frame.IsInsertMode());
    QTest::keyClick(&view, Qt::Key_Insert);
    EXPECT_TRUE(ovr.isEnabled());
    // A character code page 437 lacks is refused.
    QKeyEvent euro(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("\u20AC"));
    QApplication::sendEvent(&view, &euro);
    EXPECT_EQ("AB", Row(2));
}

TEST_F(gui_display_editor, ADroppedVariableLandsInTheRow)
{
    const CPrjVarList* vars = fw.prj.GetVarList();
    int index = -1;
    for (int i = 0; i < vars->GetCount(); ++i)
        if (vars->VarAt(i) == lvl)
            index = i;
    ASSERT_GE(index, 0);
    QMimeData mime;
    mime.setData(MimeVarIndex(), QByteArray::number(index));
    // A drop arrives after the drag entered the view.
    QDragEnterEvent enter(Cell(3, 2), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &enter);
    QDropEvent drop(QPointF(Cell(3, 2)), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &drop);
    EXPECT_EQ(" " + fw.charSet.FieldText(2), Row(3));
    EXPECT_NE(0, fw.prj.GetModCount());
}

TEST_F(gui_display_editor, ADismissedContextMenuChangesNothing)
{
    Click(1, 2);
    const std::string before = Row(1);
    const uint16_t mods = fw.prj.GetModCount();
    QTimer::singleShot(50, [] {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    QContextMenuEvent menu(QContextMenuEvent::Mouse, Cell(1, 2), view.mapToGlobal(Cell(1, 2)));
    QApplication::sendEvent(&view, &menu);
    EXPECT_EQ(before, Row(1));
    EXPECT_EQ(mods, fw.prj.GetModCount());
    EXPECT_TRUE(dialogs.runs.empty());
}

TEST_F(gui_display_editor, ADisplayNoRowsFitShowsNoTextAndSaysSoOnce)
{
    ASSERT_TRUE(core.GetStartSel().SetOrvVals("ORVPRO", 15, 33, 5, 10, 0, 64));
    QImage image = view.grab().toImage();
    image = view.grab().toImage();
    EXPECT_EQ(QColor(0, 156, 165), PixelAt(image, 66, 98));   // no cell where (1, 1) was
    const std::vector<std::string> logs = fw.LogLines();
    EXPECT_EQ(1, std::count(logs.begin(), logs.end(), std::string("display of device Broken cannot be laid out")));
}

TEST_F(gui_display_editor, WithoutAScreenFontTheCellsPaintEmpty)
{
    fw.frame.UnloadFon();
    const QImage image = view.grab().toImage();
    EXPECT_EQ(QColor(0, 173, 222), PixelAt(image, 73, 103));
    EXPECT_EQ(QColor(0, 156, 165), PixelAt(image, 58, 140));
}

} // namespace

} // namespace orv
