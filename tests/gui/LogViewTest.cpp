#include "GuiTestSupport.h"

#include "gui/ViewLog.h"
#include "model/core/FrameState.h"
#include "model/core/SourceEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMessageBox>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

using namespace orv;

namespace {

// The colour and weight the view shows at a place of a line.
struct Shown {
    QColor colour;
    bool bold;
};

Shown ShownAt(CViewLog& view, int line, int pos)
{
    const QTextBlock block = view.document()->findBlockByNumber(line);
    for (const QTextLayout::FormatRange& r : block.layout()->formats())
        if (pos >= r.start && pos < r.start + r.length)
            return {r.format.foreground().color(), r.format.fontWeight() == QFont::Bold};
    return {QColor(Qt::black), false};
}

// A plain frame registered for the views that read its flags.
class gui_log_view : public ::testing::Test {
protected:
    gui_log_view() : m_reg(frame) { view.resize(400, 120); }

    CFrameState frame;
    CViewLog view;

private:
    ScopedMainFrame m_reg;
};

TEST_F(gui_log_view, AppendedLinesStayInView)
{
    view.show();
    for (int i = 0; i < 200; ++i)
        view.AppendLine("line " + std::to_string(i));
    QApplication::processEvents();
    EXPECT_EQ(view.blockCount(), 200);
    EXPECT_EQ(view.verticalScrollBar()->value(), view.verticalScrollBar()->maximum());
    EXPECT_GT(view.verticalScrollBar()->maximum(), 0);
    EXPECT_TRUE(view.isReadOnly());
}

TEST_F(gui_log_view, AppendIsIgnoredInSourceEditMode)
{
    view.AppendLine("kept");
    frame.SetSourceEditMode(true);
    view.AppendLine("dropped");
    EXPECT_EQ(view.toPlainText(), QStringLiteral("kept"));
    frame.SetSourceEditMode(false);
    view.LoadSource("source", 1, 1);
    view.AppendLine("dropped too");
    EXPECT_EQ(view.toPlainText(), QStringLiteral("source"));
}

TEST_F(gui_log_view, LineBoundDropsTheOldestLines)
{
    const int extra = 7;
    for (int i = 0; i < CViewLog::kMaxLogLines + extra; ++i)
        view.AppendLine(std::to_string(i));
    EXPECT_EQ(view.blockCount(), CViewLog::kMaxLogLines);
    EXPECT_EQ(view.document()->firstBlock().text(), QString::number(extra));
    EXPECT_EQ(view.document()->lastBlock().text(), QString::number(CViewLog::kMaxLogLines + extra - 1));
}

TEST_F(gui_log_view, ClearTextEmptiesTheView)
{
    view.AppendLine("a");
    view.AppendLine("b");
    view.ClearText();
    EXPECT_TRUE(view.toPlainText().isEmpty());
}

TEST_F(gui_log_view, LoadingNeverChangesTheText)
{
    view.LoadSource("begin\r\nvar x, 1, word\r\n", 2, 3);
    std::string back;
    ASSERT_TRUE(view.GetSourceText(back));
    EXPECT_EQ(back, "begin\nvar x, 1, word");
    EXPECT_EQ(view.textCursor().blockNumber(), 1);
    EXPECT_EQ(view.textCursor().positionInBlock(), 2);
    // Coloured all the same, in any case.
    EXPECT_EQ(ShownAt(view, 0, 0).colour, QColor(0, 0, 255));
    EXPECT_TRUE(ShownAt(view, 1, 12).bold);
}

TEST_F(gui_log_view, TypedKeywordTurnsBlueInOneUndoStep)
{
    view.show();
    view.LoadSource("", 1, 1);
    frame.SetSourceEditMode(true);
    view.setFocus();
    QTest::keyClicks(&view, "begin ");
    EXPECT_EQ(view.toPlainText(), QStringLiteral("BEGIN "));
    EXPECT_EQ(ShownAt(view, 0, 0).colour, QColor(0, 0, 255));
    EXPECT_EQ(ShownAt(view, 0, 4).colour, QColor(0, 0, 255));
    // The rewrite belongs to the keystroke that made the keyword: no undo
    // step brings the lower-case word back.
    for (int step = 0; step < 20 && view.document()->isUndoAvailable(); ++step) {
        view.undo();
        EXPECT_FALSE(view.toPlainText().contains(QStringLiteral("begin"))) << view.toPlainText().toStdString();
    }
    EXPECT_TRUE(view.toPlainText().isEmpty());

    QTest::keyClicks(&view, "var Word, 3");
    EXPECT_EQ(view.toPlainText(), QStringLiteral("VAR Word, 3"));

    view.clear();
    QApplication::clipboard()->setText(QStringLiteral("end"));
    view.paste();
    EXPECT_EQ(view.toPlainText(), QStringLiteral("END"));
    view.undo();
    EXPECT_TRUE(view.toPlainText().isEmpty());
}

TEST_F(gui_log_view, CutAndPasteAcrossLinesRecolourBoth)
{
    view.LoadSource("abc 'c\r\nword\r\n", 1, 1);
    EXPECT_EQ(ShownAt(view, 0, 4).colour, QColor(0, 128, 0));
    EXPECT_TRUE(ShownAt(view, 1, 0).bold);
    QTextCursor cursor = view.textCursor();
    cursor.setPosition(4);
    cursor.setPosition(6, QTextCursor::KeepAnchor);
    view.setTextCursor(cursor);
    view.cut();
    cursor = view.textCursor();
    cursor.setPosition(view.document()->findBlockByNumber(1).position());
    view.setTextCursor(cursor);
    view.paste();
    EXPECT_EQ(view.toPlainText(), QStringLiteral("abc \n'cword"));
    EXPECT_EQ(ShownAt(view, 0, 0).colour, QColor(Qt::black));
    EXPECT_EQ(ShownAt(view, 1, 0).colour, QColor(0, 128, 0));
    EXPECT_EQ(ShownAt(view, 1, 4).colour, QColor(0, 128, 0));
    EXPECT_FALSE(ShownAt(view, 1, 4).bold);
}

TEST_F(gui_log_view, EveryByteLoadsAndSavesBack)
{
    FrameHarness h;
    CMainFrame& frame = h.Start();
    std::string bytes;
    for (int b = 1; b <= 0xFF; ++b) {
        if (b == '\r' || b == '\n')
            continue;
        bytes += static_cast<char>(b);
        if (b % 64 == 0)
            bytes += "\r\n";
    }
    bytes += "\r\n";
    h.home.Write("all.orv", bytes);
    frame.SetPrjPath(h.home.File("all.orv"));
    ASSERT_TRUE(LoadSrcEdit(1, 1));
    EXPECT_TRUE(frame.IsSourceEditMode());
    ASSERT_TRUE(SaveSrcEdit());
    EXPECT_FALSE(frame.IsSourceEditMode());
    EXPECT_TRUE(h.home.Read("all.orv") == bytes);
}

TEST_F(gui_log_view, CaretPlaceShowsInThePane)
{
    FrameHarness h;
    CMainFrame& frame = h.Start();
    h.home.Write("p.orv", "one\r\ntwo\r\nthree four\r\n");
    frame.SetPrjPath(h.home.File("p.orv"));
    ASSERT_TRUE(LoadSrcEdit(3, 5));
    EXPECT_EQ(frame.PaneLabel(0)->text(), QStringLiteral("Line 3, Col 5"));
    QTextCursor cursor = frame.GetViewLog()->textCursor();
    cursor.setPosition(1);
    frame.GetViewLog()->setTextCursor(cursor);
    EXPECT_EQ(frame.PaneLabel(0)->text(), QStringLiteral("Line 1, Col 2"));
}

TEST_F(gui_log_view, CharacterOutsideTheCodePageRefusesTheSave)
{
    FrameHarness h;
    CMainFrame& frame = h.Start();
    h.home.Write("p.orv", "one\r\ntwo\r\n");
    frame.SetPrjPath(h.home.File("p.orv"));
    ASSERT_TRUE(LoadSrcEdit(2, 3));
    frame.GetViewLog()->insertPlainText(QString::fromUtf8("\u20AC"));
    QString shown;
    OnNextModal([&](QWidget* w) {
        if (auto* box = qobject_cast<QMessageBox*>(w)) {
            shown = box->text();
            box->accept();
        }
    });
    EXPECT_FALSE(SaveSrcEdit());
    EXPECT_TRUE(shown.contains(QStringLiteral("Zeile 2, Spalte 3"))) << shown.toStdString();
    EXPECT_EQ(h.home.Read("p.orv"), "one\r\ntwo\r\n");
    EXPECT_TRUE(frame.IsSourceEditMode());
    EXPECT_EQ(frame.GetViewLog()->toPlainText(), QString::fromUtf8("one\ntw\u20ACo"));
}

} // namespace
