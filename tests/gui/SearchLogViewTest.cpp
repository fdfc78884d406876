#include "GuiTestSupport.h"

#include "dialogs/DlgSearch.h"
#include "dialogs/QtText.h"
#include "gui/ViewLog.h"
#include "gui/ViewLogSearch.h"
#include "model/core/FrameState.h"
#include "support/ScriptedUi.h"
#include "workspace/forms/DlgSearchForm.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QKeyEvent>
#include <QTextCursor>

#include <gtest/gtest.h>

using namespace orv;

namespace {

// The log view in source-edit mode with a small source, searched through the
// adapter the frame gives the search dialog.
class gui_search_log_view : public ::testing::Test {
protected:
    gui_search_log_view()
    {
        frame.SetSourceEditMode(true);
        view.resize(400, 200);
        view.LoadSource(kSource, 1, 1);
        ui.ClearCalls();
    }

    std::string Bytes(const QString& typed) const { return ToCp437Places(typed); }
    QString Selected() const { return view.textCursor().selectedText(); }
    std::vector<std::string> Boxes() const { return ui.TextsOf(UiCall::Kind::Box); }

    static constexpr const char* kSource = "' Kunde M\x9ALLER\r\nalpha beta\r\nalpha\r\n  gamma alpha a?b\r\n";
    ScriptedUi ui;
    ScopedUiServices uiReg{ui};
    CFrameState frame;
    ScopedMainFrame frameReg{frame};
    CViewLog view;
    CViewLogSearch editor{view};
    CDlgSearchForm form;
};

} // namespace

TEST_F(gui_search_log_view, FindNextSelectsTheMatch)
{
    ASSERT_TRUE(form.FindNext(editor, "beta"));
    EXPECT_EQ(Selected(), QStringLiteral("beta"));
    EXPECT_EQ(view.textCursor().selectionStart(), 21);

    view.setTextCursor(QTextCursor(view.document()));
    ASSERT_TRUE(form.FindNext(editor, Bytes(QString::fromUtf8("müller"))));
    EXPECT_EQ(Selected(), QString::fromUtf8("MÜLLER")) << "letter case ignored, umlauts too";
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(gui_search_log_view, ReplaceAllIsOneEditThatOneUndoTakesBack)
{
    const QString source = view.toPlainText();
    form.SetMode(CDlgSearchForm::kModeReplace);
    EXPECT_EQ(form.ReplaceAll(editor, "alpha", "end"), 3);
    // The keyword rule writes the replacement as the lines it changed need.
    EXPECT_EQ(view.toPlainText().toStdString(), "' Kunde MÜLLER\nEND beta\nEND\n  gamma END a?b");
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"3 Ersetzungen"}));
    view.undo();
    EXPECT_EQ(view.toPlainText(), source);
    view.redo();
    view.undo();
    EXPECT_EQ(view.toPlainText(), source);

    view.setTextCursor(QTextCursor(view.document()));
    ASSERT_TRUE(form.FindNext(editor, "beta"));
    form.Replace(editor, "beta", "delta");
    EXPECT_TRUE(view.toPlainText().contains(QStringLiteral("alpha delta\n")));
    view.undo();
    EXPECT_EQ(view.toPlainText(), source);
}

TEST_F(gui_search_log_view, CharactersTheCodePageLacksAreNeverMatched)
{
    // Typed at the start: one place each, and a place pair for the one
    // beyond the basic plane.
    view.setFocus();
    view.setTextCursor(QTextCursor(view.document()));
    // Sent as typed text: the test's key helpers know no such keys.
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("€😀"));
    QApplication::sendEvent(&view, &typed);
    ASSERT_TRUE(view.toPlainText().startsWith(QString::fromUtf8("€😀")));

    EXPECT_TRUE(form.FindNext(editor, "?"));
    EXPECT_EQ(Selected(), QStringLiteral("?")) << "the typed characters are no '?'";
    EXPECT_EQ(view.textCursor().selectionStart(), view.toPlainText().indexOf(QLatin1Char('?')));
    EXPECT_TRUE(Boxes().empty()) << "no refusal as saving would give";

    view.setTextCursor(QTextCursor(view.document()));
    EXPECT_FALSE(form.FindNext(editor, Bytes(QString::fromUtf8("€"))));
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"?: nicht gefunden"}));
}

TEST_F(gui_search_log_view, AReplacementTheCodePageLacksIsNeverSavedAsNul)
{
    ASSERT_TRUE(form.FindNext(editor, "beta"));
    form.Replace(editor, "beta", Bytes(QString::fromUtf8("€")));
    const QString text = view.toPlainText();
    EXPECT_FALSE(text.contains(QChar(u'\0')));
    EXPECT_TRUE(text.contains(QStringLiteral("alpha \uFFFD\n")));
    std::string bytes;
    EXPECT_FALSE(view.GetSourceText(bytes)) << "saving refuses it with its place";
}

TEST(gui_main_frame_search, CommandsRunTheFramesDialogOnTheLogView)
{
    FrameHarness h;
    CMainFrame& frame = h.Start();
    ASSERT_NE(frame.SearchDialog(), nullptr);
    EXPECT_FALSE(frame.Action(33252)->isEnabled()) << "only while the source is edited";

    frame.GetViewLog()->LoadSource("alpha beta alpha", 1, 1);
    frame.SetSourceEditMode(true);
    frame.UpdateCommandStates();
    ASSERT_TRUE(frame.Action(33253)->isEnabled());
    bool replacing = false;
    OnNextModal([&](QWidget* w) {
        ASSERT_EQ(w, frame.SearchDialog());
        replacing = w->findChild<QWidget*>(QStringLiteral("c1928"))->isEnabled();
        auto* find = w->findChild<QComboBox*>(QStringLiteral("c1927"));
        QTest::keyClicks(find->lineEdit(), QStringLiteral("alpha"));
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("c1")), Qt::LeftButton);
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("c2")), Qt::LeftButton);
    });
    frame.Action(33253)->trigger();
    EXPECT_TRUE(replacing);
    EXPECT_EQ(frame.GetViewLog()->textCursor().selectionStart(), 11);
    EXPECT_EQ(frame.GetViewLog()->textCursor().selectedText(), QStringLiteral("alpha"));
}
