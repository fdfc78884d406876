#include "dialogs/DlgAdrRef.h"
#include "dialogs/DlgSpsDef.h"
#include "dialogs/KeptDialogs.h"

#include "model/project/DrvTab.h"
#include "model/project/SpsDef.h"
#include "support/FrameFakes.h"
#include "support/PlcFormWorld.h"
#include "workspace/FrameCore.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orv {

namespace {

using RefForm = CDlgAdrRefForm;

template <class W = QWidget>
W* PlcCtl(const QWidget& dialog, int id)
{
    return dialog.findChild<W*>(QStringLiteral("c%1").arg(id));
}

void PlcClickLine(QListWidget& list, int row)
{
    list.scrollToItem(list.item(row));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row)).center());
}

// Clicks a radio or check box on its indicator, which takes the click
// wherever the layout stretched the widget to.
void PlcClickIndicator(QWidget* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// Whether the image holds a dark pixel, as text drawn on a light ground does.
bool PlcHasInk(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 96)
                return true;
    return false;
}

class dialogs_plc_refs : public ::testing::Test {
protected:
    dialogs_plc_refs()
    {
        auto& e = *w.Drv().GetParItems();
        e.ItemAt(0)->SetVal1(RefForm::kAreaDb);
        e.ItemAt(0)->SetVal2(5);
        e.ItemAt(0)->SetVal3(12);
        e.ItemAt(1)->SetVal1(RefForm::kAreaMw);
        e.ItemAt(1)->SetVal3(40);
        e.ItemAt(1)->SetByte(2);
    }
    void Show(QDialog& dialog)
    {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    PlcFormWorld w{PlcDrv({{1, 10, 1, 2}, {2, 20, 3, 4}})};
    FakeDlgRunner runner;
};

TEST_F(dialogs_plc_refs, ControlsCarryTheirIdsAndGermanTexts)
{
    CDlgSpsDef spsDef([this] { return &w.Drv(); });
    CDlgAdrRef adrRef(runner, [this] { return &w.Drv(); });
    EXPECT_EQ(spsDef.windowTitle(), "SPS-Definitionen");
    EXPECT_EQ(adrRef.windowTitle(), "Adressverweise");
    struct Case {
        const QDialog* dialog;
        int id;
        const char* text;  // UTF-8
    };
    const Case cases[] = {
        {&spsDef, 2164, "SPS"}, {&spsDef, 2163, "Adr"}, {&spsDef, 2160, "Steckpl"}, {&spsDef, 2161, "Rack"},
        {&spsDef, 2142, "<--"}, {&spsDef, 2140, "Neu"}, {&spsDef, 2147, "l\u00f6schen"}, {&spsDef, 2141, "Hilfe"},
        {&spsDef, 1, "OK"}, {&spsDef, 2, "Cancel"},
        {&adrRef, 2129, "DB"}, {&adrRef, 2131, "MW"}, {&adrRef, 2130, "EW"}, {&adrRef, 2132, "AW"},
        {&adrRef, 2133, "TW"}, {&adrRef, 2135, "Datenworte"}, {&adrRef, 2136, "SPS-Nummer"},
        {&adrRef, 1, "Schliessen"}, {&adrRef, 2162, "\u00fcbernehmen"}, {&adrRef, 2134, "SPS-DEF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const QWidget* widget = PlcCtl(*c.dialog, c.id);
        ASSERT_NE(widget, nullptr);
        const QVariant text = widget->property("text");
        EXPECT_EQ(text.toString(), QString::fromUtf8(c.text));
    }
    EXPECT_EQ(PlcCtl<QGroupBox>(adrRef, 2151)->title(), "Folgeaddressierung");
    EXPECT_FALSE(PlcCtl(spsDef, 2141)->isEnabled());
    for (const int id : {2146, 1903, 1902})
        EXPECT_NE(PlcCtl<QLineEdit>(spsDef, id), nullptr) << id;
    for (const int id : RefForm::kEdits)
        EXPECT_NE(PlcCtl<QLineEdit>(adrRef, id), nullptr) << id;
    for (const QDialog* d : {static_cast<const QDialog*>(&spsDef), static_cast<const QDialog*>(&adrRef)}) {
        auto* list = d->findChild<QListWidget*>();
        ASSERT_NE(list, nullptr);
        EXPECT_TRUE(QFontInfo(list->font()).fixedPitch());
        EXPECT_EQ(list->font().pointSize(), 8);
        EXPECT_FALSE(list->isSortingEnabled());
    }
}

TEST_F(dialogs_plc_refs, CrossReferencesFollowTheUsersClicksAndRefuseAnOddWord)
{
    CDlgAdrRef dialog(runner, [this] { return &w.Drv(); });
    Show(dialog);
    auto& list = *PlcCtl<QListWidget>(dialog, RefForm::kList);
    ASSERT_EQ(list.count(), 256);
    EXPECT_EQ(list.item(0)->text(), "0  |  000  |  DB 05 , DBW 12");
    EXPECT_EQ(list.currentRow(), 0);
    EXPECT_TRUE(PlcCtl<QRadioButton>(dialog, RefForm::kRadioDb)->isChecked());
    EXPECT_EQ(PlcCtl<QLineEdit>(dialog, RefForm::kEditDbw)->text(), "12");
    EXPECT_EQ(PlcCtl<QLabel>(dialog, RefForm::kHeadLeft)->text(), "SPS");

    // A line shows its area's radio and edit.
    PlcClickLine(list, 1);
    EXPECT_EQ(list.currentRow(), 1);
    EXPECT_TRUE(PlcCtl<QRadioButton>(dialog, RefForm::kRadioMw)->isChecked());
    EXPECT_FALSE(PlcCtl<QRadioButton>(dialog, RefForm::kRadioDb)->isChecked());
    auto& mw = *PlcCtl<QLineEdit>(dialog, RefForm::kEditMw);
    EXPECT_FALSE(mw.isHidden());
    EXPECT_TRUE(PlcCtl(dialog, RefForm::kEditDb)->isHidden());
    EXPECT_EQ(mw.text(), "40");

    // The DB radio brings back the remembered block and word and focuses
    // the block.
    PlcClickIndicator(PlcCtl(dialog, RefForm::kRadioDb));
    EXPECT_TRUE(mw.isHidden());
    auto& block = *PlcCtl<QLineEdit>(dialog, RefForm::kEditDb);
    EXPECT_EQ(block.text(), "5");
    EXPECT_EQ(QApplication::focusWidget(), &block);
    EXPECT_EQ(PlcCtl<QLabel>(dialog, RefForm::kLabelDb)->text(), "DBW");

    // MW 13 is refused and its edit focused with the text selected.
    PlcClickIndicator(PlcCtl(dialog, RefForm::kRadioMw));
    mw.clear();
    QTest::keyClicks(&mw, "13");
    QTest::mouseClick(PlcCtl(dialog, RefForm::kTake), Qt::LeftButton);
    EXPECT_EQ(w.Ui().BoxIds(), (std::vector<int>{16400}));
    EXPECT_EQ(QApplication::focusWidget(), &mw);
    EXPECT_EQ(mw.selectedText(), "13");
    EXPECT_EQ(w.Drv().GetParItems()->ItemAt(1)->GetVal3(), 40);
    const QImage before = list.grab().toImage();

    QTest::keyClicks(&mw, "12");
    QTest::mouseClick(PlcCtl(dialog, RefForm::kTake), Qt::LeftButton);
    EXPECT_EQ(w.Ui().BoxIds().size(), 1u);
    EXPECT_EQ(w.Drv().GetParItems()->ItemAt(1)->GetVal3(), 12);
    EXPECT_EQ(list.item(1)->text(), "2  |  001  |  MW 12");
    EXPECT_EQ(list.currentRow(), 1);
    // What the list shows changed with the line, and it shows text.
    const QImage after = list.grab().toImage();
    EXPECT_TRUE(PlcHasInk(after));
    EXPECT_NE(before, after);
}

TEST_F(dialogs_plc_refs, WithoutMultiAccessThePlcControlsAreOff)
{
    w.Drv().SetFlag(CDrvCfg::kFlagMultiPlc, 0);
    CDlgAdrRef dialog(runner, [this] { return &w.Drv(); });
    Show(dialog);
    EXPECT_TRUE(PlcCtl(dialog, RefForm::kSpsDef)->isHidden());
    EXPECT_FALSE(PlcCtl(dialog, RefForm::kCheckPlc)->isEnabled());
    EXPECT_EQ(PlcCtl<QLabel>(dialog, RefForm::kHeadLeft)->text(), "DW");
    EXPECT_EQ(PlcCtl<QListWidget>(dialog, RefForm::kList)->item(0)->text(), "000   |   DB 05 , DBW 12");
    // "Datenworte" shows its count edit.
    auto& words = *PlcCtl<QLineEdit>(dialog, RefForm::kEditWords);
    EXPECT_TRUE(words.isHidden());
    PlcClickIndicator(PlcCtl(dialog, RefForm::kCheckWords));
    EXPECT_FALSE(words.isHidden());
    EXPECT_EQ(words.text(), "0");
    EXPECT_EQ(QApplication::focusWidget(), &words);
}

TEST_F(dialogs_plc_refs, PlcDefinitionsAreEditedByClicks)
{
    CDlgSpsDef dialog([this] { return &w.Drv(); });
    CDrvTabEntry5 entry(2, 0, 0, 0, 0);
    dialog.SetCurEntry(&entry);
    Show(dialog);
    auto& list = *PlcCtl<QListWidget>(dialog, CDlgSpsDefForm::kList);
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.item(1)->text(), "SPS2 20 3 4");
    auto& adr = *PlcCtl<QLineEdit>(dialog, CDlgSpsDefForm::kAdr);
    EXPECT_EQ(adr.text(), "20");

    PlcClickLine(list, 1);
    auto& slot = *PlcCtl<QLineEdit>(dialog, CDlgSpsDefForm::kSlot);
    slot.clear();
    QTest::keyClicks(&slot, "19");
    QTest::mouseClick(PlcCtl(dialog, CDlgSpsDefForm::kTake), Qt::LeftButton);
    EXPECT_EQ(w.Ui().BoxIds(), (std::vector<int>{15031}));
    EXPECT_EQ(QApplication::focusWidget(), &slot);
    slot.clear();
    QTest::keyClicks(&slot, "9");
    QTest::mouseClick(PlcCtl(dialog, CDlgSpsDefForm::kTake), Qt::LeftButton);
    EXPECT_EQ(list.item(1)->text(), "SPS2 20 9 4");
    EXPECT_EQ(w.Drv().GetParItems3()->FindByNum(2)->GetSlot(), 9);

    QTest::mouseClick(PlcCtl(dialog, CDlgSpsDefForm::kNew), Qt::LeftButton);
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.item(2)->text(), "SPS3 0 0 0");
    EXPECT_EQ(list.currentRow(), 2);
    QTest::mouseClick(PlcCtl(dialog, CDlgSpsDefForm::kDelete), Qt::LeftButton);
    EXPECT_EQ(list.count(), 2);
    // PLC 2 holds entry 1; PLC 1 can go.
    PlcClickLine(list, 1);
    QTest::mouseClick(PlcCtl(dialog, CDlgSpsDefForm::kDelete), Qt::LeftButton);
    EXPECT_EQ(w.Ui().BoxIds(), (std::vector<int>{15031, 16405}));
    PlcClickLine(list, 0);
    QTest::mouseClick(PlcCtl(dialog, CDlgSpsDefForm::kDelete), Qt::LeftButton);
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.item(0)->text(), "SPS2 20 9 4");
    EXPECT_TRUE(PlcCtl(dialog, CDlgSpsDefForm::kDelete)->isHidden());
}

// The runner runs the kept cross-reference dialog for the command and the
// tree item, and the dialog's "SPS-DEF" runs the kept PLC definitions
// dialog on the current entry.
TEST_F(dialogs_plc_refs, TheRunnerOpensBothKeptDialogs)
{
    Journal journal;
    FakeFrameWindow window{journal};
    FakeFilePrompt files;
    CQtDlgRunner qtRunner;
    CFrameCore core{w.frame, window, qtRunner, files};
    {
        // The program's factory fills both slots.
        EXPECT_NE(dynamic_cast<CDlgAdrRef*>(MakeKeptDialog(DlgId::AdrRef, core).get()), nullptr);
        EXPECT_NE(dynamic_cast<CDlgSpsDef*>(MakeKeptDialog(DlgId::SpsDef, core).get()), nullptr);
    }
    const KeptDialogFactory factory = [this](DlgId slot, CFrameCore& c) -> std::unique_ptr<QDialog> {
        if (slot == DlgId::AdrRef)
            return std::make_unique<CDlgAdrRef>(c.GetDlgRunner(), [this] { return &w.Drv(); });
        if (slot == DlgId::SpsDef)
            return std::make_unique<CDlgSpsDef>([this] { return &w.Drv(); });
        return nullptr;
    };
    CKeptDialogs kept(factory, core);
    qtRunner.SetKept(&kept);
    ASSERT_TRUE(qtRunner.IsAvailable(DlgId::AdrRef));

    QWidget* refsSeen = nullptr;
    QWidget* defsSeen = nullptr;
    QString defsAdr;
    QTimer::singleShot(0, [&] {
        refsSeen = QApplication::activeModalWidget();
        if (refsSeen == nullptr)
            return;
        PlcClickLine(*PlcCtl<QListWidget>(*refsSeen, RefForm::kList), 1);
        QTimer::singleShot(0, [&] {
            defsSeen = QApplication::activeModalWidget();
            if (defsSeen != nullptr && defsSeen != refsSeen) {
                defsAdr = PlcCtl<QLineEdit>(*defsSeen, CDlgSpsDefForm::kAdr)->text();
                QTest::mouseClick(PlcCtl(*defsSeen, 2), Qt::LeftButton);
            }
        });
        QTest::mouseClick(PlcCtl(*refsSeen, RefForm::kSpsDef), Qt::LeftButton);
        QTest::mouseClick(PlcCtl(*refsSeen, 1), Qt::LeftButton);
    });
    EXPECT_TRUE(qtRunner.Run(DlgId::AdrRef));
    EXPECT_EQ(refsSeen, kept.Get(DlgId::AdrRef));
    EXPECT_EQ(defsSeen, kept.Get(DlgId::SpsDef));
    // Entry 1 belongs to PLC 2, at address 20.
    EXPECT_EQ(defsAdr, "20");
}

} // namespace

} // namespace orv
