#include "GuiTestSupport.h"

#include "gui/QtProgressBar.h"
#include "workspace/ProgressLayout.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

#include <gtest/gtest.h>

using namespace orv;

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

QRect Expected(CMainFrame& frame, int pane, int size, const QString& label)
{
    const QRect r = frame.PaneLabel(pane)->geometry();
    const QFontMetrics fm(frame.statusBar()->font());
    const orv::EdgeRect e = orv::LayoutProgressBar({r.left(), r.top(), r.left() + r.width(), r.top() + r.height()},
                                                   size, !label.isEmpty(), fm.horizontalAdvance(label),
                                                   fm.horizontalAdvance(QLatin1Char(' ')));
    return {e.left, e.top, e.right - e.left, e.bottom - e.top};
}

class gui_progress_bar : public ::testing::Test {
protected:
    gui_progress_bar() : frame(h.Start()) {}

    std::unique_ptr<CProgressBar> Create(std::string_view label, int size, int pane)
    {
        return GetUiServices().CreateProgressBar(label, size, 100, false, pane);
    }
    QProgressBar* Control() { return frame.statusBar()->findChild<QProgressBar*>(); }

    FrameHarness h;
    CMainFrame& frame;
};

TEST_F(gui_progress_bar, HiddenUntilPosOrStep)
{
    auto bar = Create("", 20, 0);
    ASSERT_NE(Control(), nullptr);
    EXPECT_FALSE(Control()->isVisible());
    bar->SetRange(0, 50, 5);
    bar->SetText("Receive");
    EXPECT_FALSE(Control()->isVisible());
    bar->SetPos(10);
    EXPECT_TRUE(Control()->isVisible());
    EXPECT_EQ(Control()->value(), 10);
    EXPECT_EQ(Control()->maximum(), 50);
    bar->SetPos(70);  // beyond the range shows full
    EXPECT_EQ(Control()->value(), 50);

    auto stepped = Create("", 20, 0);
    QProgressBar* second = frame.statusBar()->findChildren<QProgressBar*>().back();
    EXPECT_FALSE(second->isVisible());
    stepped->SetStep(1);
    EXPECT_TRUE(second->isVisible());
}

TEST_F(gui_progress_bar, GeometryFollowsThePureLayout)
{
    auto plain = Create("", 20, 0);
    plain->SetPos(1);
    EXPECT_EQ(Control()->geometry(), Expected(frame, 0, 20, QString()));
    plain.reset();
    EXPECT_EQ(Control(), nullptr);

    auto labelled = Create("Transmit", 50, 0);
    labelled->SetPos(1);
    EXPECT_EQ(Control()->geometry(), Expected(frame, 0, 50, QStringLiteral("Transmit")));
    EXPECT_EQ(frame.PaneLabel(0)->text(), QStringLiteral("Transmit"));
    labelled->SetText("Receive");
    EXPECT_EQ(Control()->geometry(), Expected(frame, 0, 50, QStringLiteral("Receive")));
    EXPECT_EQ(frame.PaneLabel(0)->text(), QStringLiteral("Receive"));
}

TEST_F(gui_progress_bar, SetPosPaintsAtOnce)
{
    auto bar = Create("", 20, 0);
    bar->SetPos(1);
    QApplication::processEvents();
    PaintCounter counter;
    Control()->installEventFilter(&counter);
    bar->SetPos(60);
    EXPECT_GT(counter.paints, 0);
    Control()->removeEventFilter(&counter);
}

TEST_F(gui_progress_bar, ClearRestoresThePane)
{
    frame.SetPaneText(QStringLiteral("Line 3, Col 5"));
    auto bar = Create("Transmit", 20, 0);
    bar->SetPos(5);
    bar->Clear();
    EXPECT_FALSE(Control()->isVisible());
    EXPECT_EQ(frame.PaneLabel(0)->text(), QStringLiteral("Bereit"));

    auto other = Create("Sim", 20, 1);
    other->SetPos(5);
    EXPECT_EQ(frame.PaneLabel(1)->text(), QStringLiteral("Sim"));
    other->Clear();
    EXPECT_EQ(frame.PaneLabel(1)->text(), QStringLiteral("OVR"));
}

TEST_F(gui_progress_bar, ResizeLaysTheBarOutAgain)
{
    auto bar = Create("", 20, 0);
    bar->SetPos(5);
    const QRect before = Control()->geometry();
    frame.resize(frame.width() - 200, frame.height());
    QApplication::processEvents();
    EXPECT_NE(Control()->geometry(), before);
    EXPECT_EQ(Control()->geometry(), Expected(frame, 0, 20, QString()));
}

TEST_F(gui_progress_bar, WithoutAPaneNothingHappens)
{
    const QString before = frame.PaneLabel(0)->text();
    auto bar = Create("x", 20, 7);
    EXPECT_EQ(Control(), nullptr);
    bar->SetPos(5);
    bar->SetText("y");
    bar->Clear();
    EXPECT_EQ(frame.PaneLabel(0)->text(), before);
}

} // namespace
