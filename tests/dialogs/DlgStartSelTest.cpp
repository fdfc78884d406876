// The start-selection dialog driven as a user drives it: its controls, the
// form's state shown after each change, the leave checks, Escape, OK, help
// and the source editor closed before it opens.
#include "dialogs/DlgStartSel.h"
#include "dialogs/QtText.h"
#include "model/core/Log.h"
#include "workspace/CloseSourceEdit.h"
#include "workspace/StartSelFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace orv;

namespace {

// Two devices; PLC type 33 (DbDft 0, DW from 10 up), 20 (hexadecimal, "00FF",
// DB 7) and 9 (decimal places, 15.5), whose driver 13 brings its own
// parameters with a DB.
class dialogs_start_sel : public StartSelFixture, public testing::Test {
protected:
    void SetUp() override
    {
        {
            CSelDb fill;
            StartSelRows rows(fill, dir.File("startsel.db"));
            rows.App("TEQPRO").App("ORVPRO");
            rows.DevTyp("ORVPRO", "mini", {TxtKind::Op}).DevTyp("ORVPRO", "midi", {TxtKind::Hst});
            rows.Device({"ORVPRO", "ORV 014", 0, 14, "mini", 4, 20, 8, "alt"});
            rows.Device({"ORVPRO", "ORV 706", 1, 706, "midi", 2, 40, 20, "706"});
            StartSelSpsRow s33{33, "S33", StartSelSpsRow::Neutral()};
            s33.dw.dwMin = 10;
            s33.dw.dwVonDft = 10;
            StartSelSpsRow s20{20, "S20", StartSelSpsRow::Neutral()};
            s20.dw.dwIsHex = true;
            s20.dw.dwVonDft = 255;
            s20.dw.dwBisDft = 1023;
            s20.dw.dwMax = 1023;
            s20.dw.dbDft = 7;
            StartSelSpsRow s09{9, "S09", StartSelSpsRow::Neutral()};
            s09.dw.dwDecNum = 2;
            s09.dw.dwDecEdt = true;
            s09.dw.dwBisDft = 15.5f;
            rows.Sps(s33).Sps(s20).Sps(s09);
            rows.Driver(5, "Drv 5").Driver(11, "b11").Driver(13, "A13");
            rows.Pair("mini", 33, 5).Pair("mini", 33, 11).Pair("mini", 20, 5).Pair("mini", 20, 11);
            rows.Pair("mini", 9, 11).Pair("mini", 9, 13).Pair("midi", 9, 13).Pair("midi", 33, 5);
            DwParams own = StartSelSpsRow::Neutral();
            own.dwCpt = "DBW";
            own.dbDft = 3;
            own.drvSupplies = true;
            rows.DrvPar("ORVPRO", 9, 13, own);
        }
        ASSERT_TRUE(sel.OpenDb(dir.Path()));
        Select(33, 5);
    }

    void Select(int32_t sps, int32_t drv)
    {
        sel.SetOrvVals("ORVPRO", 14, sps, drv, 50, 0, 256);
        log.clear();
        target.ClearCalls();
        ui.ClearCalls();
    }

    template <class W>
    static W* Ctl(const QWidget& dialog, int id)
    {
        return dialog.findChild<W*>(QStringLiteral("c%1").arg(id));
    }

    // Opened, shown and made active, so that focus moves as under a user's
    // hands.
    static void OpenActive(DlgStartSel& dialog)
    {
        ASSERT_TRUE(dialog.Open());
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    static void TypeInto(QLineEdit* edit, const char* text)
    {
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromLatin1(text));
    }

    static void ExpectMirrors(const DlgStartSel& dialog, const CStartSelForm& form)
    {
        struct Combo {
            int id;
            std::vector<std::string> names;
            int row;
        };
        const Combo combos[] = {{1911, form.AppNames(), form.AppRow()},
                                {1912, form.DevNames(), form.DevRow()},
                                {1913, form.SpsNames(), form.SpsRow()},
                                {1914, form.DrvNames(), form.DrvRow()}};
        for (const Combo& c : combos) {
            SCOPED_TRACE(c.id);
            auto* combo = Ctl<QComboBox>(dialog, c.id);
            ASSERT_NE(combo, nullptr);
            ASSERT_EQ(combo->count(), static_cast<int>(c.names.size()));
            for (int i = 0; i < combo->count(); ++i)
                EXPECT_EQ(combo->itemText(i), FromCp1252(c.names[static_cast<size_t>(i)]));
            EXPECT_EQ(combo->currentIndex(), c.row);
        }
        const StartSelControls& s = form.Controls();
        struct Widget {
            int id;
            bool shown;
            bool enabled;
            const char* text;  // null: not compared
        };
        const Widget widgets[] = {
            {1916, s.dbLabelShown, true, "DB"},
            {1903, s.dbEditShown, true, s.dbText.c_str()},
            {1917, s.vonLabelShown, true, s.dwCaption.c_str()},
            {1926, s.vonShown, s.vonEnabled, s.vonText.c_str()},
            {1958, s.vonDecLabelShown, true, "."},
            {1956, s.vonDecShown, s.vonDecEnabled, nullptr},
            {1919, s.bisLabelShown, true, "-"},
            {1902, s.bisShown, true, s.bisText.c_str()},
            {1957, s.bisDecLabelShown, true, "."},
            {1955, s.bisDecShown, s.bisDecEnabled, s.bisDecText.c_str()},
            {1928, true, s.intlEnabled, nullptr},
            {1920, false, true, nullptr},
            {1911, false, false, nullptr},
        };
        for (const Widget& w : widgets) {
            SCOPED_TRACE(w.id);
            auto* widget = Ctl<QWidget>(dialog, w.id);
            ASSERT_NE(widget, nullptr);
            EXPECT_EQ(!widget->isHidden(), w.shown);
            EXPECT_EQ(widget->isEnabled(), w.enabled);
            if (w.text == nullptr)
                continue;
            if (auto* edit = qobject_cast<QLineEdit*>(widget))
                EXPECT_EQ(edit->text(), FromCp1252(w.text));
            else
                EXPECT_EQ(static_cast<QLabel*>(widget)->text(), FromCp1252(w.text));
        }
        EXPECT_EQ(Ctl<QCheckBox>(dialog, 1928)->isChecked(), s.intlChecked);
        EXPECT_EQ(Ctl<QCheckBox>(dialog, 1931)->isChecked(), s.simDrv);
        EXPECT_EQ(Ctl<QCheckBox>(dialog, 1977)->isChecked(), s.keepSettings);
    }

    // Pixels of the rectangle that differ from the dialog's background.
    static int Painted(const QImage& image, const QRect& rect, QColor background)
    {
        int painted = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                painted += image.pixelColor(x, y) != background ? 1 : 0;
        return painted;
    }

    bool SelEquals(const Selection& before) const
    {
        const Selection& now = sel.GetSelection();
        return now.q.appName == before.q.appName && now.q.devId == before.q.devId &&
               now.q.spsId == before.q.spsId && now.q.drvId == before.q.drvId && now.dbNum == before.dbNum &&
               now.firstDw == before.firstDw && now.lastDw == before.lastDw && now.simDrv == before.simDrv &&
               now.keepSettings == before.keepSettings && now.q.dev.GetRow() == before.q.dev.GetRow() &&
               now.q.sps.GetRow() == before.q.sps.GetRow() && now.q.drv.GetRow() == before.q.drv.GetRow();
    }
};

TEST_F(dialogs_start_sel, EveryControlWithItsKindAndText)
{
    enum class Kind { Label, Combo, Edit, Check, Button };
    struct Case {
        int id;
        Kind kind;
        const char* text;  // cp1252
    };
    const Case cases[] = {
        {1, Kind::Button, "OK"},        {1915, Kind::Button, "INFO"},
        {1920, Kind::Label, "ORV/TEQ"}, {1911, Kind::Combo, ""},
        {1921, Kind::Label, "Konsole"}, {1912, Kind::Combo, ""},
        {1922, Kind::Label, "SPS"},     {1913, Kind::Combo, ""},
        {1923, Kind::Label, "Kommunikation"}, {1914, Kind::Combo, ""},
        {1916, Kind::Label, "DB"},      {1903, Kind::Edit, ""},
        {1917, Kind::Label, "DW"},      {1926, Kind::Edit, ""},
        {1958, Kind::Label, "."},       {1956, Kind::Edit, ""},
        {1919, Kind::Label, "-"},       {1902, Kind::Edit, ""},
        {1957, Kind::Label, "."},       {1955, Kind::Edit, ""},
        {1928, Kind::Check, "Internationales Display"},
        {1931, Kind::Check, "Simulationstreiber binden"},
        {1977, Kind::Check, "Diese Einstellungen \xFC" "bernehmen"},
    };
    DlgStartSel dialog(sel);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Startauswahl"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        QWidget* w = Ctl<QWidget>(dialog, c.id);
        ASSERT_NE(w, nullptr);
        const QString text = FromCp1252(c.text);
        switch (c.kind) {
        case Kind::Label:
            ASSERT_NE(qobject_cast<QLabel*>(w), nullptr);
            EXPECT_EQ(qobject_cast<QLabel*>(w)->text(), text);
            break;
        case Kind::Combo:
            ASSERT_NE(qobject_cast<QComboBox*>(w), nullptr);
            EXPECT_FALSE(qobject_cast<QComboBox*>(w)->isEditable());
            break;
        case Kind::Edit:
            EXPECT_NE(qobject_cast<QLineEdit*>(w), nullptr);
            break;
        case Kind::Check:
            ASSERT_NE(qobject_cast<QCheckBox*>(w), nullptr);
            EXPECT_EQ(qobject_cast<QCheckBox*>(w)->text(), text);
            break;
        case Kind::Button:
            ASSERT_NE(qobject_cast<QPushButton*>(w), nullptr);
            EXPECT_EQ(qobject_cast<QPushButton*>(w)->text(), text);
            break;
        }
    }
    EXPECT_EQ(Ctl<QWidget>(dialog, 2), nullptr) << "the template has no Cancel button";
}

TEST_F(dialogs_start_sel, ShowsTheFormAfterOpeningAndAfterADriverChange)
{
    struct Case {
        int32_t sps;
        int32_t drv;
        const char* von;  // as the edit shows it on opening
        bool db;
        bool decimals;
    };
    const Case cases[] = {
        {20, 5, "00FF", false, false},  // hexadecimal, DbDft 7 (the type's rule runs last)
        {33, 5, "10", true, false},     // DbDft 0, shown for type 33
        {9, 11, "0", false, true},      // decimal places
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sps);
        Select(c.sps, c.drv);
        DlgStartSel dialog(sel);
        ASSERT_TRUE(dialog.Open());
        CStartSelForm expected(sel);
        ASSERT_TRUE(expected.Init());
        ExpectMirrors(dialog, expected);
        EXPECT_EQ(Ctl<QLineEdit>(dialog, 1926)->text(), QString::fromLatin1(c.von));
        EXPECT_EQ(!Ctl<QLineEdit>(dialog, 1903)->isHidden(), c.db);
        EXPECT_EQ(!Ctl<QLineEdit>(dialog, 1956)->isHidden(), c.decimals);
        EXPECT_EQ(!Ctl<QLineEdit>(dialog, 1955)->isHidden(), c.decimals);

        auto* drv = Ctl<QComboBox>(dialog, 1914);
        ASSERT_GE(drv->count(), 2);
        const int other = (drv->currentIndex() + 1) % drv->count();
        drv->setCurrentIndex(other);
        expected.OnDrvChanged(other);
        ExpectMirrors(dialog, expected);
    }
    EXPECT_TRUE(target.Calls().empty());
}

TEST_F(dialogs_start_sel, DbEditPaintedOnlyWhileShown)
{
    DlgStartSel dialog(sel);
    ASSERT_NO_FATAL_FAILURE(OpenActive(dialog));
    auto* db = Ctl<QLineEdit>(dialog, 1903);
    ASSERT_FALSE(db->isHidden()) << "PLC type 33 shows the DB whatever its DbDft";
    const QRect rect = db->geometry();
    const QColor background = dialog.palette().color(QPalette::Window);
    EXPECT_GT(Painted(dialog.grab().toImage(), rect, background), 0);

    auto* sps = Ctl<QComboBox>(dialog, 1913);
    sps->setCurrentIndex(sps->findText(QStringLiteral("S09")));
    auto* drv = Ctl<QComboBox>(dialog, 1914);
    drv->setCurrentIndex(drv->findText(QStringLiteral("b11")));
    ASSERT_EQ(dialog.Form()->Working().q.drvId, 11);
    ASSERT_TRUE(db->isHidden());
    EXPECT_EQ(Painted(dialog.grab().toImage(), rect, background), 0);
}

TEST_F(dialogs_start_sel, DeviceKeysRefillBelowWithoutRunningHandlersTwice)
{
    frame.SetLogLevel(kLogDebug);
    DlgStartSel dialog(sel);
    ASSERT_NO_FATAL_FAILURE(OpenActive(dialog));
    auto* dev = Ctl<QComboBox>(dialog, 1912);
    dev->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(QApplication::focusWidget(), dev);
    EXPECT_TRUE(ui.HasLogLine("SetFocus Dev"));
    QTest::keyClick(dev, Qt::Key_Down);
    ASSERT_EQ(dev->currentIndex(), 1);
    CStartSelForm expected(sel);
    ASSERT_TRUE(expected.Init());
    expected.OnDevChanged(1);
    EXPECT_EQ(expected.Working().q.devId, 706);
    ExpectMirrors(dialog, expected);
    EXPECT_EQ(Ctl<QComboBox>(dialog, 1913)->itemText(0), FromCp1252(expected.SpsNames()[0]));
}

TEST_F(dialogs_start_sel, LeavingDwVonBelowMinimumSuggestsOnce)
{
    for (const bool byOk : {false, true}) {
        SCOPED_TRACE(byOk ? "left by a click on OK" : "left by Tab");
        Select(33, 5);
        DlgStartSel dialog(sel);
        ASSERT_NO_FATAL_FAILURE(OpenActive(dialog));
        auto* von = Ctl<QLineEdit>(dialog, 1926);
        auto* ok = Ctl<QPushButton>(dialog, 1);
        TypeInto(von, "5");
        if (byOk)
            QTest::mouseClick(ok, Qt::LeftButton);
        else
            QTest::keyClick(von, Qt::Key_Tab);
        EXPECT_EQ(Boxes(), std::vector<std::string>{"Wert 'DW von' muss zwischen 10 und 65535 liegen"});
        EXPECT_EQ(von->text(), QStringLiteral("10"));
        EXPECT_EQ(QApplication::focusWidget(), von);
        EXPECT_TRUE(von->hasSelectedText());
        EXPECT_TRUE(dialog.isVisible()) << "the click that left the field must not apply the dialog";
        EXPECT_TRUE(target.Calls().empty());
        if (byOk) {
            // OK's own checks run on the next click, and pass with the suggestion.
            QTest::mouseClick(ok, Qt::LeftButton);
            EXPECT_FALSE(dialog.isVisible());
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
            EXPECT_EQ(target.Calls().back(), "Startselection");
        } else {
            // The report cleared the check flag: further wrong values wait for OK.
            TypeInto(von, "3");
            QTest::keyClick(von, Qt::Key_Tab);
            TypeInto(Ctl<QLineEdit>(dialog, 1902), "1");
            QTest::keyClick(Ctl<QLineEdit>(dialog, 1902), Qt::Key_Tab);
        }
        EXPECT_EQ(Boxes().size(), 1u);
    }
}

TEST_F(dialogs_start_sel, EscapeKeepsTheHeldSelection)
{
    const Selection before = sel.GetSelection();
    DlgStartSel dialog(sel);
    ASSERT_NO_FATAL_FAILURE(OpenActive(dialog));
    auto* dev = Ctl<QComboBox>(dialog, 1912);
    dev->setFocus(Qt::TabFocusReason);
    QTest::keyClick(dev, Qt::Key_Down);
    auto* drv = Ctl<QComboBox>(dialog, 1914);
    drv->setFocus(Qt::TabFocusReason);
    QTest::keyClick(drv, Qt::Key_Down);
    ASSERT_EQ(dialog.Form()->Working().q.devId, 706);
    QTest::keyClick(drv, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(SelEquals(before));
    EXPECT_TRUE(target.Calls().empty());
}

TEST_F(dialogs_start_sel, OkClosesExactlyWhenTheSelectionWasApplied)
{
    struct Case {
        const char* name;
        const char* von;  // typed, then Enter
        bool applies;     // Startselection's answer
        bool closes;
        size_t boxes;
        bool handedOver;
    };
    const Case cases[] = {
        {"range check fails", "5", true, false, 1, false},
        {"accepted", "20", true, true, 0, true},
        {"refused by the project manager", "20", false, false, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Select(33, 5);
        // Only a hand-over uses the answer; one left over would answer the
        // next case.
        if (c.handedOver)
            target.AnswerStartselection(c.applies);
        DlgStartSel dialog(sel);
        ASSERT_NO_FATAL_FAILURE(OpenActive(dialog));
        auto* von = Ctl<QLineEdit>(dialog, 1926);
        TypeInto(von, c.von);
        // Enter presses OK without leaving the field.
        QTest::keyClick(von, Qt::Key_Return);
        EXPECT_EQ(!dialog.isVisible(), c.closes);
        EXPECT_EQ(Boxes().size(), c.boxes);
        EXPECT_EQ(!target.Calls().empty(), c.handedOver);
        if (c.boxes > 0) {
            EXPECT_EQ(QApplication::focusWidget(), von);
            EXPECT_EQ(von->selectedText(), QStringLiteral("10"));
        }
        if (c.handedOver) {
            EXPECT_EQ(target.Calls().back(), "Startselection");
        }
        dialog.reject();
        target.ClearCalls();
    }
}

TEST_F(dialogs_start_sel, SourceEditQuestionComesBeforeTheDialogShows)
{
    home.Write("src.orv", "OLD\r\n");
    frame.SetSrcEditPath(home.File("src.orv"));
    frame.SetSourceEditMode(true);
    ui.SetSourceEditorText("NEW\n");
    ui.AnswerQuestionText(kAskSaveSourceEdits, false);
    DlgStartSel dialog(sel);
    std::vector<UiCall> atShow;
    QTimer::singleShot(0, &dialog, [&] {
        atShow = ui.Calls();
        dialog.reject();
    });
    EXPECT_FALSE(dialog.Run());
    ASSERT_FALSE(atShow.empty());
    EXPECT_EQ(ui.CallsOf(UiCall::Kind::Question).size(), 1u);
    bool asked = false;
    for (const UiCall& call : atShow)
        asked = asked || call.kind == UiCall::Kind::Question;
    EXPECT_TRUE(asked);
    EXPECT_FALSE(frame.IsSourceEditMode());
}

TEST_F(dialogs_start_sel, InfoAndF1OpenThePlcTypesHelpPage)
{
    DlgStartSel dialog(sel);
    ASSERT_NO_FATAL_FAILURE(OpenActive(dialog));
    QTest::mouseClick(Ctl<QPushButton>(dialog, 1915), Qt::LeftButton);
    QTest::keyClick(&dialog, Qt::Key_F1);
    const std::vector<std::string> pages = ui.TextsOf(UiCall::Kind::HelpPage);
    ASSERT_EQ(pages.size(), 2u);
    for (const std::string& page : pages)
        EXPECT_TRUE(page.ends_with("/hlp/s033.htm")) << page;
}

TEST_F(dialogs_start_sel, UnsetSelectionDoesNotOpen)
{
    CStartSel unset;
    DlgStartSel dialog(unset);
    EXPECT_FALSE(dialog.Open());
    EXPECT_EQ(Boxes(), std::vector<std::string>{CStartSel::kFatalNotSet});
}

} // namespace
