#include "GuiTestSupport.h"

#include "gui/FntDc.h"
#include "gui/PopupMenu.h"
#include "dialogs/QtText.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

using namespace orv;

namespace {

class gui_popup_menu : public ::testing::Test {
protected:
    FrameHarness h;
};

TEST_F(gui_popup_menu, DismissedGivesZeroAndAChoiceItsId)
{
    h.Start();
    CPopupMenu dismissed;
    dismissed.AddItem(10100, true);
    OnNextModal([](QWidget* w) { w->close(); });
    EXPECT_EQ(dismissed.Track(10, 10, &h.Frame()), 0);
    EXPECT_EQ(dismissed.Track(10, 10, &h.Frame()), 0);  // tracked once

    CPopupMenu chosen;
    chosen.AddItem(10100, false);
    chosen.AddSeparator();
    chosen.AddItem(10102, true);
    OnNextModal([](QWidget* w) {
        QTest::keyClick(w, Qt::Key_Down);
        QTest::keyClick(w, Qt::Key_Return);
    });
    EXPECT_EQ(chosen.Track(10, 10, &h.Frame()), 10102);
}

TEST_F(gui_popup_menu, TextsInTheCurrentLanguageAndGreyedItems)
{
    h.WriteIni("LangId=1\r\n");
    h.Start();
    CPopupMenu menu;
    menu.AddItem(10100, true);
    menu.AddItem(10300, false);
    const QList<QAction*> actions = menu.Menu()->actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions[0]->text(), QStringLiteral("&New\tStrg+N"));
    EXPECT_TRUE(actions[0]->isEnabled());
    EXPECT_EQ(actions[1]->text(), QStringLiteral("&Compile"));
    EXPECT_FALSE(actions[1]->isEnabled());
}

TEST_F(gui_popup_menu, FontDcRestoresOnlyWhatSelectChanged)
{
    QImage image(64, 32, QImage::Format_RGB32);
    QPainter painter(&image);
    QFont before(QStringLiteral("DejaVu Sans"));
    before.setPixelSize(20);
    painter.setFont(before);
    const QPen pen(QColor(255, 0, 0), 3);
    painter.setPen(pen);
    painter.setBackgroundMode(Qt::OpaqueMode);

    {
        CFntDc unused({&painter, QStringLiteral("DejaVu Sans Mono"), -12, 700, 0});
        unused.Create();
        EXPECT_EQ(unused.Font().pixelSize(), 12);
        EXPECT_EQ(unused.Font().weight(), QFont::Bold);
    }
    EXPECT_EQ(painter.font(), before);
    EXPECT_EQ(painter.pen(), pen);

    {
        CFntDc used({&painter, QStringLiteral("DejaVu Sans Mono"), 14, 400, Qt::AlignRight});
        used.Create();
        used.Select();
        EXPECT_EQ(painter.font(), used.Font());
        EXPECT_LE(used.Metrics().height(), 14);
        EXPECT_EQ(used.Font().weight(), QFont::Normal);
        EXPECT_EQ(painter.pen().color(), QGuiApplication::palette().color(QPalette::WindowText));
        EXPECT_EQ(painter.backgroundMode(), Qt::TransparentMode);
        EXPECT_EQ(used.Alignment(), Qt::AlignRight);
    }
    EXPECT_EQ(painter.font(), before);
    EXPECT_EQ(painter.pen(), pen);
    EXPECT_EQ(painter.backgroundMode(), Qt::OpaqueMode);
}

} // namespace
