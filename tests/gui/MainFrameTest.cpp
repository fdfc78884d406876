#include "GuiTestSupport.h"

#include "gui/DlgAbout.h"
#include "gui/ViewDc.h"
#include "gui/ViewLog.h"
#include "gui/ViewLst.h"
#include "gui/ViewTree.h"
#include "model/project/Fon.h"
#include "model/core/Log.h"
#include "support/FakeStartSelInfo.h"
#include "support/FonFixture.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QWidgetAction>

#include <gtest/gtest.h>

#include <filesystem>

using namespace orv;

namespace {

QSplitter* Splitter(CMainFrame& frame, const char* name)
{
    return frame.findChild<QSplitter*>(QString::fromLatin1(name));
}

int Scaled(int key, int extent)
{
    return key * extent / 1000;
}

TEST(gui_main_frame, PanesSitInPlaceSizedByTheKeys)
{
    struct Case {
        const char* keys;
        int textListHeight, textWidth, textHeight;
    } const cases[] = {
        {"", 700, 150, 300},
        {"TextListHeight=500\r\nTextWidth=250\r\nTextHeight=100\r\nListHeight=900\r\n", 500, 250, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        FrameHarness h;
        h.WriteIni(c.keys);
        CMainFrame& frame = h.Start();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        EXPECT_EQ(frame.ScreenHeight(), static_cast<float>(screen.height()));

        QSplitter* outer = Splitter(frame, "outerSplitter");
        QSplitter* leftRight = Splitter(frame, "leftRightSplitter");
        QSplitter* right = Splitter(frame, "rightSplitter");
        ASSERT_TRUE(outer && leftRight && right);
        EXPECT_EQ(outer->orientation(), Qt::Vertical);
        EXPECT_EQ(outer->widget(0), leftRight);
        EXPECT_EQ(outer->widget(1), frame.GetViewLog());
        EXPECT_EQ(leftRight->widget(0), frame.Pane(0));
        EXPECT_EQ(leftRight->widget(1), right);
        EXPECT_EQ(right->widget(0), frame.Pane(1));
        EXPECT_EQ(right->widget(1), frame.Pane(2));
        EXPECT_EQ(static_cast<QWidget*>(frame.GetViewTree()), frame.Pane(0));
        EXPECT_EQ(frame.Pane(0)->objectName(), QStringLiteral("paneTree"));
        // The display editor is the pane above the list view, in the focus cycle.
        ASSERT_NE(frame.GetViewDc(), nullptr);
        EXPECT_EQ(static_cast<QWidget*>(frame.GetViewDc()), frame.Pane(1));
        EXPECT_EQ(frame.GetViewDc()->objectName(), QStringLiteral("paneDisplay"));
        EXPECT_EQ(frame.GetViewDc()->focusPolicy(), Qt::StrongFocus);
        EXPECT_EQ(static_cast<QWidget*>(frame.GetViewLst()), frame.Pane(2));
        EXPECT_EQ(frame.Pane(2)->objectName(), QStringLiteral("paneList"));

        EXPECT_EQ(outer->sizes().at(0), Scaled(c.textListHeight, screen.height()));
        EXPECT_EQ(leftRight->sizes().at(0), Scaled(c.textWidth, screen.width()));
        EXPECT_EQ(right->sizes().at(0), Scaled(c.textHeight, screen.height()));
        EXPECT_GT(right->sizes().at(1), 0);
        EXPECT_GT(outer->sizes().at(1), 0);
    }
}

TEST(gui_main_frame, WindowIsPlacedAsTheKeysSay)
{
    FrameHarness h;
    h.WriteIni("MainLeft=100\r\nMainTop=50\r\nMainWidth=500\r\nMainHeight=800\r\n");
    CMainFrame& frame = h.Start();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect outer = frame.frameGeometry();
    EXPECT_EQ(outer.x(), screen.x() + Scaled(100, screen.width()));
    EXPECT_EQ(outer.y(), screen.y() + Scaled(50, screen.height()));
    EXPECT_EQ(outer.width(), Scaled(500, screen.width()));
    EXPECT_EQ(outer.height(), Scaled(800, screen.height()));
}

TEST(gui_main_frame, ToolBarStatusBarTitleAndWelcome)
{
    FrameHarness h;
    CMainFrame& frame = h.Start();

    std::vector<int> ids;
    for (QAction* a : frame.ToolBar()->actions())
        ids.push_back(a->isSeparator() ? 0 : a->data().toInt());
    const std::vector<int> expected = {32809, 32810, 32812, 0, 57635, 57634, 57637, 0, 57607, 0, 59409,
                                       59408, 59410, 59411, 0, 57664, 0, 33224, 0, 32776, 0, 33225};
    EXPECT_EQ(ids, expected);

    const std::array<std::pair<const char*, int>, 3> fields = {{{"field33224", 80}, {"field32776", 180}, {"field33225", 180}}};
    for (const auto& [name, width] : fields) {
        auto* field = frame.findChild<QLineEdit*>(QString::fromLatin1(name));
        ASSERT_NE(field, nullptr) << name;
        EXPECT_FALSE(field->isEnabled()) << name;
        EXPECT_EQ(field->width(), width) << name;
    }
    frame.SetSelectionFields("ORV 706", "S\xFC" "d-SPS", "Treiber 1");
    EXPECT_EQ(frame.findChild<QLineEdit*>("field33224")->text(), QStringLiteral("ORV 706"));
    EXPECT_EQ(frame.findChild<QLineEdit*>("field32776")->text(), QString::fromUtf8("Süd-SPS"));
    EXPECT_EQ(frame.findChild<QLineEdit*>("field33225")->text(), QStringLiteral("Treiber 1"));

    // The operator texts open at start; without a project none is active.
    EXPECT_EQ(frame.PaneLabel(0)->text(), QStringLiteral("Aktive Text-Nr: ---"));
    EXPECT_EQ(frame.PaneLabel(1)->text(), QStringLiteral("OVR"));
    // The display editor starts in overwrite mode and says so.
    EXPECT_TRUE(frame.PaneLabel(1)->isEnabled());

    EXPECT_EQ(frame.windowTitle(), QStringLiteral("<unbenanntes Projekt> - ORVtool 1.10.00"));
    frame.SetStateFlags(0x10);
    frame.SetPrjPath("/home/u/demo.orv");
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("/home/u/demo.orv - ORVtool 1.10.00"));

    EXPECT_TRUE(frame.GetViewLog()->toPlainText().contains(
        QStringLiteral("Willkommen zum ORVtool (Betriebssystem=Linux)")));
}

TEST(gui_main_frame, LogLevelChoiceSurvivesARestart)
{
    FrameHarness h;
    CMainFrame& frame = h.Start();
    EXPECT_TRUE(frame.Action(33260)->isChecked());
    frame.Action(33261)->trigger();
    EXPECT_EQ(frame.GetLogLevel(), 2);
    EXPECT_FALSE(frame.Action(33260)->isChecked());
    EXPECT_NE(h.ReadIni().find("LogLevel=2"), std::string::npos);

    CMainFrame& again = h.Start();
    EXPECT_EQ(again.GetLogLevel(), 2);
    EXPECT_TRUE(again.Action(33261)->isChecked());
    int checked = 0;
    for (uint32_t id : {33263u, 33260u, 33261u, 33262u})
        checked += again.Action(id)->isChecked() ? 1 : 0;
    EXPECT_EQ(checked, 1);
}

TEST(gui_main_frame, MenusFollowTheLanguageAtStart)
{
    FrameHarness h;
    CMainFrame& german = h.Start();
    EXPECT_EQ(german.menuBar()->actions().at(0)->text(), QStringLiteral("&Datei"));
    EXPECT_EQ(german.Action(33223)->text(), QStringLiteral("Start&auswahl\tAlt-A"));
    EXPECT_TRUE(german.Action(57607)->isEnabled());  // the display editor prints

    h.WriteIni("LangId=1\r\n");
    CMainFrame& english = h.Start();
    EXPECT_EQ(english.GetLangId(), 1);
    EXPECT_EQ(english.menuBar()->actions().at(0)->text(), QStringLiteral("&File"));
    EXPECT_EQ(english.Action(32782)->text(), QStringLiteral("&Compile"));
    EXPECT_EQ(english.Action(32798)->text(), QStringLiteral("&Softkey-Texts"));
    EXPECT_EQ(english.Action(33252)->text(), QStringLiteral("&Suchen"));
    EXPECT_EQ(english.windowTitle(), QStringLiteral("<untitled project> - ORVtool 1.10.00"));
    EXPECT_EQ(h.ReadIni(), "[GUI]\r\nLangId=1\r\n");  // read, never written back
}

TEST(gui_main_frame, ScreenFontLoadsAndAFailureKeepsIt)
{
    FrameHarness h;
    h.home.Write("CFG/ORV/ALT.FON", BuildFixtureFon());
    h.home.Write("CFG/ORV/TM~alt.fon", BuildFixtureFon());
    CMainFrame& frame = h.Start();
    // The start selection has loaded the font of the chosen panel.
    EXPECT_NE(frame.GetScreenFon(), nullptr);

    ASSERT_TRUE(frame.LoadFon("alt", false));
    const CFon* first = frame.GetScreenFon();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetPath(), h.home.File("CFG/ORV/ALT.FON"));
    CStartSelInfo* chosen = frame.GetStartSel();
    frame.SetStartSel(nullptr);
    EXPECT_FALSE(frame.LoadFonOfDevice());  // nothing selected
    FakeStartSelInfo startSel(40, 14, "alt");
    frame.SetStartSel(&startSel);
    ASSERT_TRUE(frame.LoadFonOfDevice());
    frame.SetStartSel(chosen);
    const CFon* panel = frame.GetScreenFon();
    EXPECT_EQ(panel->GetPath(), h.home.File("CFG/ORV/TM~alt.fon"));
    EXPECT_FALSE(frame.LoadFon("../ALT", false));  // names never leave the directory

    EXPECT_FALSE(frame.LoadFon("none", false));
    EXPECT_EQ(frame.GetScreenFon(), panel);
    EXPECT_TRUE(frame.GetViewLog()->toPlainText().contains(
        QStringLiteral("FATAL: could not load screen font %1").arg(QString::fromStdString(h.home.File("CFG/ORV/none.fon")))));

    frame.UnloadFon();
    EXPECT_EQ(frame.GetScreenFon(), nullptr);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(h.home.Path()))
        EXPECT_NE(entry.path().filename().string(), "act.fon");
}

TEST(gui_main_frame, AboutOpensAndCloses)
{
    FrameHarness h;
    CMainFrame& frame = h.Start();
    QString title, text;
    OnNextModal([&](QWidget* w) {
        title = w->windowTitle();
        for (QLabel* label : w->findChildren<QLabel*>())
            text += label->text();
        EXPECT_NE(qobject_cast<CDlgAbout*>(w), nullptr);
        static_cast<QDialog*>(w)->accept();
    });
    frame.Action(57664)->trigger();
    EXPECT_EQ(title, QStringLiteral("Info ORVTool"));
    EXPECT_TRUE(text.contains(QStringLiteral("ORVTool 00-05-26")));
}

TEST(gui_main_frame, F6CyclesTheFocusOverThePanes)
{
    FrameHarness h;
    CMainFrame& frame = h.Start();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    frame.Pane(3)->setFocus();
    for (int expected : {0, 1, 2, 3, 0}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
        EXPECT_TRUE(frame.Pane(expected)->hasFocus()) << "pane " << expected;
    }
    for (int expected : {3, 2}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
        EXPECT_TRUE(frame.Pane(expected)->hasFocus()) << "pane " << expected;
    }
}

TEST(gui_main_frame, ViewAndLogCommands)
{
    FrameHarness h;
    CMainFrame& frame = h.Start();
    QAction* toolBar = frame.Action(59392);
    QAction* statusBar = frame.Action(59393);
    EXPECT_TRUE(toolBar->isChecked());
    EXPECT_TRUE(statusBar->isChecked());
    toolBar->trigger();
    statusBar->trigger();
    EXPECT_FALSE(frame.ToolBar()->isVisible());
    EXPECT_FALSE(frame.statusBar()->isVisible());
    EXPECT_FALSE(toolBar->isChecked());
    toolBar->trigger();
    EXPECT_TRUE(frame.ToolBar()->isVisible());
    EXPECT_TRUE(toolBar->isChecked());

    frame.Action(32804)->trigger();
    EXPECT_TRUE(frame.GetViewLog()->toPlainText().isEmpty());
}

TEST(gui_main_frame, LogLineAfterDestructionDoesNothing)
{
    FrameHarness h;
    h.Start();
    EXPECT_NE(GetMainFrame(), nullptr);
    h.Stop();
    EXPECT_EQ(GetMainFrame(), nullptr);
    LogLine(kLogErrors, "after the frame");
    ShowStatusText("after the frame");
}

TEST(gui_main_frame, SlashArgumentEndsCreation)
{
    FrameHarness h;
    h.home.Write("p.orv", "x");
    CMainFrame refused;
    EXPECT_FALSE(refused.Create({"/x"}));
    CMainFrame accepted;
    EXPECT_TRUE(accepted.Create({h.home.File("p.orv")}));
}

} // namespace
