#include "dialogs/DlgSearch.h"
#include "dialogs/KeptDialogs.h"
#include "support/FakeSearchEditor.h"
#include "support/FrameFakes.h"
#include "support/FrameFixture.h"
#include "workspace/FrameCore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace orv;

namespace {

using SearchTexts = std::vector<std::string>;

// The dialog on a frame core whose editor is a fake over a plain text.
class dialogs_search : public ::testing::Test {
protected:
    dialogs_search()
    {
        core.SetSearchEditor(&editor);
        // Only the dialog's own boxes count.
        fx.ui.ClearCalls();
    }
    ~dialogs_search() override { dlg.hide(); }

    QWidget* Control(int id) const { return dlg.findChild<QWidget*>(QStringLiteral("c%1").arg(id)); }
    QComboBox* Combo(int id) const { return qobject_cast<QComboBox*>(Control(id)); }
    QAbstractButton* Button(int id) const { return qobject_cast<QAbstractButton*>(Control(id)); }
    // Starts a run of the dialog in a mode, as the command does.
    void Open(int mode)
    {
        dlg.hide();
        dlg.SetMode(mode);
        dlg.show();
        QApplication::processEvents();
    }
    void Type(int comboId, const QString& text)
    {
        QLineEdit* edit = Combo(comboId)->lineEdit();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    void Click(int id) { QTest::mouseClick(Button(id), Qt::LeftButton); }
    SearchTexts Boxes() const { return fx.ui.TextsOf(UiCall::Kind::Box); }
    QStringList Items(int comboId) const
    {
        QStringList items;
        for (int i = 0; i < Combo(comboId)->count(); ++i)
            items << Combo(comboId)->itemText(i);
        return items;
    }

    FrameFixture fx;
    Journal journal;
    FakeFrameWindow window{journal};
    FakeDlgRunner runner;
    FakeFilePrompt files;
    CFrameCore core{fx.frame, window, runner, files};
    FakeSearchEditor editor{"abc xyz abc"};
    CDlgSearch dlg{core};
};

} // namespace

TEST_F(dialogs_search, ControlsOfTheTemplateWithTheirTexts)
{
    struct Case {
        int id;
        const char* text;
    };
    const Case cases[] = {
        {1, "nächstes"}, {2, "Abbrechen"}, {3, "Ersetzen"}, {4, "Alle ersetzen"},
        {1940, "Finden"}, {1941, "Ganze Worte"}, {1942, "Gross/Kleinschreibung"}, {1943, "Richtung"},
        {1944, "rück"}, {1945, "vor"}, {1946, "Ersetzen mit"},
    };
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Suchen / Ersetzen"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        QWidget* w = Control(c.id);
        ASSERT_NE(w, nullptr);
        QString text;
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            text = button->text();
        else if (auto* label = qobject_cast<QLabel*>(w))
            text = label->text();
        else if (auto* group = qobject_cast<QGroupBox*>(w))
            text = group->title();
        EXPECT_EQ(text, QString::fromUtf8(c.text));
    }
    ASSERT_NE(Combo(1927), nullptr);
    ASSERT_NE(Combo(1928), nullptr);
    EXPECT_TRUE(qobject_cast<QPushButton*>(Button(1))->isDefault());
}

TEST_F(dialogs_search, ReplaceControlsFollowTheModeAndTheTexts)
{
    Open(0);
    for (int id : {1928, 1946, 3, 4})
        EXPECT_FALSE(Control(id)->isEnabled()) << id;
    EXPECT_FALSE(Button(1)->isEnabled()) << "nothing to find yet";
    EXPECT_TRUE(Button(1945)->isChecked()) << "downward at first";
    Type(1927, QStringLiteral("abc"));
    EXPECT_TRUE(Button(1)->isEnabled());
    const QImage greyed = Button(4)->grab().toImage();

    Open(1);
    EXPECT_TRUE(Control(1928)->isEnabled());
    EXPECT_TRUE(Control(1946)->isEnabled());
    EXPECT_FALSE(Button(3)->isEnabled()) << "no replacement yet";
    EXPECT_FALSE(Button(4)->isEnabled());
    Type(1928, QStringLiteral("X"));
    EXPECT_TRUE(Button(3)->isEnabled());
    EXPECT_TRUE(Button(4)->isEnabled());
    Type(1928, QString());
    EXPECT_FALSE(Button(4)->isEnabled());
    Type(1928, QStringLiteral("X"));
    EXPECT_NE(Button(4)->grab().toImage(), greyed) << "the button shows that it is enabled";
}

TEST_F(dialogs_search, FindNextSelectsOrReportsAndKeepsTheSelection)
{
    editor.selection = {4, 5};
    Open(0);
    Type(1927, QStringLiteral("qqq"));
    Click(1);
    EXPECT_EQ(Boxes(), (SearchTexts{"qqq: nicht gefunden"}));
    EXPECT_EQ(editor.selection, (TextRange{4, 5}));
    EXPECT_TRUE(dlg.isVisible()) << "the dialog stays for the next search";

    Type(1927, QStringLiteral("ABC"));
    Click(1);
    EXPECT_EQ(editor.selection, (TextRange{8, 11}));
    EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(dialogs_search, HistoriesFlagsAndDirectionLastFromRunToRun)
{
    Open(1);
    Type(1927, QStringLiteral("abc"));
    Click(1942);
    Click(1944);
    Click(1);
    Type(1927, QStringLiteral("xyz"));
    Type(1928, QStringLiteral("X"));
    Click(4);
    EXPECT_EQ(editor.text, "abc X abc") << "upward from the selection, the one match before it";
    EXPECT_EQ(Boxes(), (SearchTexts{"1 Ersetzungen"}));
    EXPECT_EQ(Combo(1927)->count(), 0) << "new entries show from the next run on";

    Open(0);
    EXPECT_EQ(Items(1927), (QStringList{QStringLiteral("xyz"), QStringLiteral("abc")}));
    EXPECT_EQ(Combo(1927)->currentText(), QStringLiteral("xyz"));
    EXPECT_EQ(Items(1928), (QStringList{QStringLiteral("X")}));
    EXPECT_TRUE(Button(1942)->isChecked());
    EXPECT_FALSE(Button(1941)->isChecked());
    EXPECT_TRUE(Button(1944)->isChecked());
    EXPECT_FALSE(Button(1945)->isChecked());
    EXPECT_TRUE(Button(1)->isEnabled()) << "the newest entry is the text to find";
}

TEST_F(dialogs_search, RunnerOpensTheDialogInEachMode)
{
    CQtDlgRunner qtRunner;
    EXPECT_FALSE(qtRunner.IsAvailable(DlgId::Search));
    EXPECT_FALSE(qtRunner.RunSearch(1)) << "no dialog, no run";
    qtRunner.SetSearch(&dlg);
    EXPECT_TRUE(qtRunner.IsAvailable(DlgId::Search));
    for (int mode : {0, 1}) {
        SCOPED_TRACE(mode);
        bool seen = false;
        QTimer::singleShot(0, [&] {
            seen = QApplication::activeModalWidget() == &dlg;
            EXPECT_EQ(Control(1928)->isEnabled(), mode == 1);
            Click(2);
        });
        EXPECT_FALSE(qtRunner.RunSearch(mode)) << "Abbrechen closes it";
        EXPECT_TRUE(seen);
        EXPECT_EQ(core.GetSearchForm().GetMode(), mode);
    }
}
