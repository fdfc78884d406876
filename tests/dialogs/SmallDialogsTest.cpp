#include "dialogs/DialogKit.h"
#include "DialogTestKit.h"
#include "dialogs/KeptDialogs.h"
#include "dialogs/QtText.h"
#include "dialogs/SkActionDialog.h"
#include "dialogs/SmallDialogs.h"
#include "model/core/FrameState.h"
#include "model/project/MsgTxt.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/VarValList.h"
#include "workspace/FrameCore.h"
#include "workspace/PrjMgr.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "support/ConfigKit.h"
#include "support/FrameFakes.h"
#include "support/FrameFixture.h"
#include "support/ProjectWorld.h"
#include "support/ScopedEnv.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orv {

namespace {

// Types characters that QTest's key table does not hold.
void TypeText(QWidget& widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&widget, &release);
    }
}

void ClickOk(QDialog& dialog)
{
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

// A project with a softkey action, a softkey text and a message text.
struct SmallDialogsWorld {
    SmallDialogsWorld()
    {
        act->SetOperation(0, CPrjSkAct::kOpWrite, 30, 255, CPrjSkAct::kFmtDec);
        world.prj->InsSkAct(act);
        skTxt->SetPressAct(9, act);
        world.prj->InsSkTxt(skTxt);
        world.prj->InsMsgTxt(msg);
        world.prj->SetDescr("Zeile 1\r\nZeile 2");
        values.InsertPair(&bcd, 0);
        world.prj->SetModified(false);
    }

    FrameFixture f;
    // The program's INI file goes to the fixture's directory.
    ScopedEnv home{"ORVTOOL_HOME", f.dir.Path().c_str()};
    ProjectWorld world{World(118), f.bundle};
    CPrjSkAct* act = new CPrjSkAct(1, "Start");
    CPrjSkTxt* skTxt = new CPrjSkTxt(0);
    CMsgTxt* msg = new CMsgTxt(4, 3, 2, 0);
    CPrjVarBcd bcd{"Menge", 30, 1, 0, 4, 0, 9999, 0};
    CPrjVarValList values{4, 4};
};

TEST(dialogs_small, EachDialogOpensWithItsNamedControlsAndGermanTexts)
{
    SmallDialogsWorld w;
    const KeptDialogSource source{[&w] { return w.world.prj.get(); }, [] { return std::string("plus"); }};
    using Case = DialogTexts;
    const Case cases[] = {
        {"Softkey-Aktion", [&w] { return std::make_unique<CDlgSkAction>(*w.act, w.world.prj.get()); },
         {{2047, ""}, {2052, ""}, {2053, ""}, {2054, ""}, {2055, ""}, {2122, ""}, {2125, ""}}},
        {"Wert \xE4ndern", [] { return std::make_unique<CDlgValue>(5, 1); }, {{1933, ""}, {1927, ""}}},
        {"Treiberparameter", [] { return std::make_unique<CDlgDrvPar>(); }, {}},
        {"Schnittstellen", [] { return std::make_unique<CDlgComPorts>(nullptr); },
         {{1929, "\xDC" "bertragung"}, {1902, "Com1"}, {1903, "Com2"}, {1930, "Simulation"}, {1904, "Com1"},
          {1905, "Com2"}}},
        {"Optionen Sprachauswahl", [&w] { return std::make_unique<CDlgLang>(w.f.frame, nullptr, nullptr); },
         {{1904, "Deutsch"}, {1905, "Englisch"}, {1906, "D\xE4nisch"}, {1907, "Franz\xF6sisch"},
          {1908, "Niederl\xE4ndisch"}, {1909, "Italienisch"}, {1910, "Spanisch"}}},
        {"Programm-Optionen", [] { return std::make_unique<CDlgPrgOpt>(); }, {{2165, "FIFO-Warnung anzeigen"}}},
        {"Projekt-Optionen", [&source] { return std::make_unique<CDlgPrjOpt>(source); },
         {{2166, "skalierbare Dopplewortvariable"}}},
        {"Optionen Hilfstext zu Anzeigepriorit\xE4t Men\xFC", [] { return std::make_unique<CDlgHlpOpt>(); },
         {{1954, "Zugeordneter Bedientext"}, {1927, ""}}},
        {"Optionen Meldetext", [&w] { return std::make_unique<CDlgMsgOpt>(*w.msg, w.world.prj.get(), "midi"); },
         {{1949, "Hinweis"}, {1951, "Warnung"}, {1950, "St\xF6rung"}, {1952, "Alarmkontakt schliessen"},
          {1953, "1..Anzeige solange Bit gesetzt ist"}, {1957, "5..Anzeige solange Bit gesetzt, blinkt bis Quit"}}},
        {"Beschreibung", [&source] { return std::make_unique<CDlgDescr>(source); }, {{1901, ""}}},
        {"Rezeptdaten", [&w] { return std::make_unique<CDlgRcpData>(w.values, w.world.prj.get()); },
         {{1927, ""}, {1928, ""}, {2156, ""}}},
        {"Umbenennen/Umnummerieren", [] { return std::make_unique<CDlgRename>(); }, {{2170, ""}, {2168, ""}}},
        {"Umnummerieren", [] { return std::make_unique<CDlgRenumber>(1, std::nullopt); },
         {{1909, ""}, {1903, ""}, {1902, ""}}},
        {"Softkeys", [&w] { return std::make_unique<CDlgSoftkeys>(*w.skTxt, *w.world.prj->GetSkActList(), 20,
                                                                  w.world.prj.get()); },
         {{1982, "dr\xFC" "cken"}, {1983, "loslassen"}, {1984, "F1"}, {2003, "F20"}, {2004, ""}, {2043, ""},
          {2044, "dr\xFC" "cken"}, {2045, "loslassen"}}},
    };
    for (const Case& c : cases)
        ExpectShows(c);
}

TEST(dialogs_small, SkActionRerendersOnFormatSwitchAndRefusesAValueThatDoesNotRead)
{
    SmallDialogsWorld w;
    CDlgSkAction dialog(*w.act, w.world.prj.get());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    auto* fmt = FindControl<QComboBox>(dialog, 2054);
    auto* value = FindControl<QLineEdit>(dialog, 2055);
    EXPECT_EQ(value->text(), QStringLiteral("255"));
    const QImage decimal = value->grab().toImage();
    fmt->setFocus();
    QTest::keyClick(fmt, Qt::Key_Down);
    EXPECT_EQ(value->text(), QStringLiteral("00FF"));
    // What the user sees changes with the text.
    EXPECT_NE(value->grab().toImage(), decimal);
    QTest::keyClick(fmt, Qt::Key_Down);
    EXPECT_EQ(value->text(), QStringLiteral("00000000 11111111"));
    QTest::keyClick(fmt, Qt::Key_Up);
    QTest::keyClick(fmt, Qt::Key_Up);
    EXPECT_EQ(value->text(), QStringLiteral("255"));

    value->selectAll();
    QTest::keyClicks(value, "12x");
    ClickOk(dialog);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(w.f.ui.BoxIds(), std::vector<int>{15031});
    EXPECT_TRUE(value->hasFocus());
    EXPECT_EQ(value->selectedText(), QStringLiteral("12x"));
    EXPECT_EQ(w.act->GetValue(0), 255);

    QTest::keyClicks(value, "300");
    ClickOk(dialog);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(w.act->GetValue(0), 300);
    EXPECT_EQ(w.world.prj->GetModCount(), 1);
}

TEST(dialogs_small, SkActionCommentTakesOnlyPanelCharacters)
{
    SmallDialogsWorld w;
    CDlgSkAction dialog(*w.act, w.world.prj.get());
    dialog.show();
    auto* comment = FindControl<QLineEdit>(dialog, 2047);
    comment->clear();
    TypeText(*comment, QString::fromUtf8("\xC3\xA4\xE2\x82\xAC" "b"));
    // "ä" is in the panel's code page, the euro sign is not.
    EXPECT_EQ(comment->text(), QString::fromUtf8("\xC3\xA4" "b"));
    ClickOk(dialog);
    EXPECT_STREQ(w.act->GetName(), "\x84" "b");
}

TEST(dialogs_small, SoftkeysHideTheUpperKeysOnAnEightKeyPanel)
{
    SmallDialogsWorld w;
    CDlgSoftkeys dialog(*w.skTxt, *w.world.prj->GetSkActList(), 8, w.world.prj.get());
    dialog.show();
    for (int key = 1; key <= 20; ++key) {
        SCOPED_TRACE(key);
        EXPECT_EQ(FindControl<QComboBox>(dialog, 2002 + 2 * key)->isHidden(), key > 8);
        EXPECT_EQ(FindControl<QComboBox>(dialog, 2003 + 2 * key)->isHidden(), key > 8);
        EXPECT_EQ(FindControl<QLabel>(dialog, 1983 + key)->isHidden(), key > 8);
    }
    EXPECT_TRUE(FindControl<QLabel>(dialog, 2044)->isHidden());
    EXPECT_TRUE(FindControl<QLabel>(dialog, 2045)->isHidden());

    auto* press1 = FindControl<QComboBox>(dialog, 2004);
    press1->setFocus();
    QTest::keyClick(press1, Qt::Key_Down);
    ClickOk(dialog);
    EXPECT_EQ(w.skTxt->GetPressAct(1), w.act);
    EXPECT_EQ(w.skTxt->GetPressAct(9), w.act);
    EXPECT_EQ(w.act->GetUseCount(), 2);
}

TEST(dialogs_small, RecipeValueOutsideItsRangeIsRefusedAndPutBack)
{
    SmallDialogsWorld w;
    {
        CDlgRcpData dialog(w.values, w.world.prj.get());
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        auto* edit = FindControl<QLineEdit>(dialog, 2156);
        EXPECT_TRUE(FindControl<QComboBox>(dialog, 1928)->isHidden());
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, "42");
        EXPECT_EQ(w.values.GetAt(0)->GetValue(), 42u);
        edit->selectAll();
        QTest::keyClicks(edit, "10000");
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_EQ(w.f.ui.BoxIds(), std::vector<int>{15031});
        // Each keystroke stores what passes: "1000" was the last.
        EXPECT_EQ(edit->text(), QStringLiteral("1000"));
        EXPECT_EQ(w.values.GetAt(0)->GetValue(), 1000u);
    }
    EXPECT_EQ(w.world.prj->GetModCount(), 1);
}

TEST(dialogs_small, RunnerOpensTheSoftkeyActionDialogOnTheGivenAction)
{
    RunnerFrame rf;
    CFrameCore& core = rf.core;
    CQtDlgRunner& runner = rf.runner;
    ASSERT_NE(core.GetPrjMgr(), nullptr);
    CPrjData& prj = *core.GetPrjMgr()->GetPrjData();
    prj.InsSkAct(new CPrjSkAct(1, "Eins"));
    prj.InsSkAct(new CPrjSkAct(2, "Zwei"));
    prj.SetModified(false);

    EXPECT_FALSE(runner.RunSkAction(2));
    QString shown;
    OnModalDialog([&shown](QDialog& dialog) {
        ASSERT_NE(dynamic_cast<CDlgSkAction*>(&dialog), nullptr);
        shown = FindControl<QLineEdit>(dialog, 2047)->text();
        FindControl<QLineEdit>(dialog, 2047)->setText(QStringLiteral("Zwei neu"));
        ClickOk(dialog);
    });
    EXPECT_TRUE(runner.RunSkAction(1));
    EXPECT_EQ(shown, QStringLiteral("Zwei"));
    EXPECT_STREQ(prj.GetSkActList()->FindByNum(2)->GetName(), "Zwei neu");
    EXPECT_EQ(prj.GetModCount(), 1);
    runner.SetKept(nullptr);
}

TEST(dialogs_small, DescriptionIsShownReadOnly)
{
    SmallDialogsWorld w;
    CDlgDescr dialog({[&w] { return w.world.prj.get(); }, {}});
    dialog.show();
    auto* edit = FindControl<QPlainTextEdit>(dialog, 1901);
    EXPECT_TRUE(edit->isReadOnly());
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("Zeile 1\nZeile 2"));
    QTest::keyClicks(edit->viewport(), "xyz");
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("Zeile 1\nZeile 2"));
}

TEST(dialogs_small, LanguagesWithoutAnActionAreGreyedAndAClickApplies)
{
    SmallDialogsWorld w;
    CDlgLang dialog(w.f.frame, nullptr, nullptr);
    dialog.show();
    for (int id = 1904; id <= 1910; ++id) {
        SCOPED_TRACE(id);
        const bool hasAction = id == 1904 || id == 1905 || id == 1907;
        EXPECT_EQ(FindControl<QRadioButton>(dialog, id)->isEnabled(), hasAction);
    }
    EXPECT_TRUE(FindControl<QRadioButton>(dialog, 1904)->isChecked());
    QTest::mouseClick(FindControl<QRadioButton>(dialog, 1907), Qt::LeftButton);
    EXPECT_EQ(w.f.frame.GetLangId(), 2);
    EXPECT_TRUE(FindControl<QRadioButton>(dialog, 1907)->isChecked());
}

} // namespace

} // namespace orv
