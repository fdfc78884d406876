#include "dialogs/DlgVar.h"

#include "dialogs/KeptDialogs.h"
#include "dialogs/LineEditListBox.h"
#include "model/core/FrameState.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "support/ConfigKit.h"
#include "support/FrameFakes.h"
#include "support/FrameFixture.h"
#include "support/PrjBuilder.h"
#include "support/ProjectWorld.h"
#include "workspace/FrameCore.h"
#include "workspace/PrjMgr.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

namespace orv {
namespace {

using VF = CDlgVarForm;

template <class W = QWidget>
W* DvCtl(const QWidget& dialog, int id)
{
    return dialog.findChild<W*>(QStringLiteral("c%1").arg(id));
}

void DvClick(QWidget* w)
{
    ASSERT_NE(w, nullptr);
    if (qobject_cast<QRadioButton*>(w) || qobject_cast<QCheckBox*>(w))
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2));
    else
        QTest::mouseClick(w, Qt::LeftButton);
}

void DvType(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// A loaded project (VAR items on words 5..9, 20..23, 30..32) and the dialog
// opened on a variable, shown as the user sees it.
class dialogs_var : public ::testing::Test {
protected:
    dialogs_var() : w(LoadedWorld(14).OwnUi().Build()) {}
    CDlgVar& Open(const CPrjVar& var)
    {
        dialog = std::make_unique<CDlgVar>();
        dialog->SetVar(&var, 0);
        dialog->Open(&w->bundle, "DW", nullptr);
        dialog->show();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return *dialog;
    }
    CDlgVar& OpenNew(const char* name)
    {
        handed = std::make_unique<CPrjVarBit>(name, 0, 1, 12, 0, &w->pool);
        return Open(*handed);
    }
    CPrjVar* Find(const char* name) const { return w->prj->GetVarList()->FindByName(std::string_view(name)); }

    CFrameState frame;
    ScopedMainFrame frameScope{frame};
    std::unique_ptr<ProjectWorld> w;
    std::unique_ptr<CPrjVar> handed;
    std::unique_ptr<CDlgVar> dialog;
};

TEST_F(dialogs_var, EveryControlWithItsTextAndAccelerator)
{
    struct Case {
        int id;
        const char* text;
    };
    const Case cases[] = {
        {1, "OK"}, {2, "Cancel"}, {1016, "Bit"}, {1018, "Bin\u00e4r"}, {1023, "MC5"}, {1030, "&Klasse"},
        {1031, "&Format"}, {1040, "IST-Wert"}, {1042, "Soll-P-Wert"}, {1044, "&Zeichen"}, {1045, "Ko&pieren"},
        {1046, "&Einf\u00fcgen"}, {1047, "En&tfernen"}, {1400, "&Bitposition"}, {1401, "&Auspr\u00e4gungen"},
        {1102, "&Wertebereich"}, {1105, "0 .."}, {1106, "R\u00fcckschreiben nach &jeder \u00c4nderung"},
        {1310, "&Vorkomma"}, {1309, "Nac&hkomma"}, {1313, "ORV - &Minimum"}, {1311, "SPS - Ma&ximum"},
        {1317, "Vor&zeichen"}, {1305, "&Taschenrechner - Eingabe"}, {1801, "Zeitbasis A&uspr\u00e4gungen"},
        {1508, "S&tellen"}, {1507, "&Verdeckte Eingabe"}, {1201, "&L\u00e4nge"}, {1202, "Zeichen"},
        {1602, "K&Y - bytewise dezimal"}, {1704, "Operand"}, {1702, "Kommentar"},
    };
    OpenNew("Neu");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        QWidget* widget = DvCtl(*dialog, c.id);
        ASSERT_NE(widget, nullptr);
        QString text;
        if (auto* b = qobject_cast<QAbstractButton*>(widget)) text = b->text();
        else if (auto* g = qobject_cast<QGroupBox*>(widget)) text = g->title();
        else if (auto* l = qobject_cast<QLabel*>(widget)) text = l->text();
        EXPECT_EQ(text, QString::fromUtf8(c.text));
    }
    for (int id : {1006, 1007, 1402, 1103, 1300, 1301, 1302, 1303, 1304, 1308, 1500, 1501, 1502, 1200})
        EXPECT_NE(DvCtl<QLineEdit>(*dialog, id), nullptr) << id;
    for (int id : {1403, 1101, 1800}) EXPECT_NE(DvCtl<CLineEditListBox>(*dialog, id), nullptr) << id;
}

TEST_F(dialogs_var, TimerRadioShowsOnlyTheTimerPage)
{
    OpenNew("Neu");
    DvClick(DvCtl(*dialog, VF::kFmtTimer));
    EXPECT_EQ(dialog->Form().Page(), 3);
    EXPECT_TRUE(DvCtl(*dialog, 1800)->isVisible());
    for (int id : {1403, 1101, 1300, 1500, 1200, 1600}) EXPECT_FALSE(DvCtl(*dialog, id)->isVisible()) << id;
    EXPECT_TRUE(DvCtl(*dialog, VF::kChar)->isVisible());
    EXPECT_TRUE(DvCtl(*dialog, VF::kCopy)->isVisible());
    EXPECT_FALSE(DvCtl(*dialog, VF::kCopy)->isEnabled());
    EXPECT_FALSE(DvCtl(*dialog, VF::kInsert)->isVisible());
    EXPECT_FALSE(DvCtl(*dialog, VF::kRemove)->isVisible());
    EXPECT_TRUE(DvCtl<QRadioButton>(*dialog, VF::kFmtTimer)->isChecked());
    EXPECT_FALSE(DvCtl<QRadioButton>(*dialog, VF::kFmtBit)->isChecked());
}

TEST_F(dialogs_var, FailingOkStaysOpenOnTheFieldWithItsTextSelected)
{
    OpenNew("Neu");
    DvClick(DvCtl(*dialog, VF::kFmtBcd));
    DvType(DvCtl<QLineEdit>(*dialog, VF::kWord), "20");
    DvType(DvCtl<QLineEdit>(*dialog, VF::kBcdMin), "99999");
    DvClick(DvCtl(*dialog, VF::kOk));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(w->ui.BoxIds(), std::vector<int>{16309});
    auto* min = DvCtl<QLineEdit>(*dialog, VF::kBcdMin);
    EXPECT_EQ(QApplication::focusWidget(), min);
    EXPECT_EQ(min->selectedText(), min->text());
    EXPECT_EQ(Find("Neu"), nullptr);
}

TEST_F(dialogs_var, ForwardedCharacterReachesTheCurrentPagesLines)
{
    OpenNew("Neu");
    DvClick(DvCtl(*dialog, VF::kFmtString));
    auto* lines = DvCtl<CLineEditListBox>(*dialog, VF::kStrList);
    dialog->ForwardCharacter(65);
    EXPECT_EQ(lines->GetText(0), "A");
    // The box shows in line 0's first text cell what a box holding "A" shows.
    CLineEditListBox reference;
    reference.AddString("A");
    reference.resize(lines->size());
    const QRect cell(4 * lines->CharWidth(), 0, lines->CharWidth(), lines->ItemHeight());
    const QImage shown = lines->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(cell);
    const QImage wanted = reference.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(cell);
    CLineEditListBox blank;
    blank.AddString("");
    blank.resize(lines->size());
    const QImage empty = blank.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(cell);
    EXPECT_EQ(shown, wanted);
    EXPECT_NE(shown, empty);
    DvClick(DvCtl(*dialog, VF::kFmtTimer));
    auto* times = DvCtl<CLineEditListBox>(*dialog, VF::kTimerList);
    const std::string before = times->GetText(0);
    dialog->ForwardCharacter(65);
    EXPECT_NE(times->GetText(0), before);
    EXPECT_NE(times->GetText(0).find('A'), std::string::npos);
    DvClick(DvCtl(*dialog, VF::kFmtBcd));
    const std::string timer0 = times->GetText(0), str0 = lines->GetText(0);
    dialog->ForwardCharacter(65);
    EXPECT_EQ(times->GetText(0), timer0);
    EXPECT_EQ(lines->GetText(0), str0);
}

// A character table that picks 'A' once it runs.
class DvCharTable final : public CDlgRunner {
public:
    bool IsAvailable(DlgId id) const override { return id == DlgId::CharSel; }
    bool Run(DlgId) override { return false; }
    bool RunSearch(int) override { return false; }
    bool RunCharSel(std::function<void(uint16_t code)> receiver) override
    {
        ++runs;
        receiver(65);
        return true;
    }
    int runs = 0;
};

TEST_F(dialogs_var, CharacterButtonRunsTheTableIntoTheCurrentBox)
{
    OpenNew("Neu");
    EXPECT_FALSE(DvCtl(*dialog, VF::kChar)->isEnabled()) << "no table to run";

    DvCharTable table;
    dialog = std::make_unique<CDlgVar>();
    dialog->SetVar(handed.get(), 1);
    dialog->Open(&w->bundle, "DW", nullptr, &table);
    dialog->show();
    DvClick(DvCtl(*dialog, VF::kFmtString));
    ASSERT_TRUE(DvCtl(*dialog, VF::kChar)->isEnabled());
    DvClick(DvCtl(*dialog, VF::kChar));
    EXPECT_EQ(table.runs, 1);
    EXPECT_EQ(DvCtl<CLineEditListBox>(*dialog, VF::kStrList)->GetText(0), "A");
}

// Qt shows the "&" of a label without a buddy; each label's mnemonic takes
// the focus to the control after it.
TEST_F(dialogs_var, LabelMnemonicsReachTheirFields)
{
    OpenNew("Neu");
    const std::pair<int, int> labels[] = {{1310, 1308}, {1309, 1302}, {1313, 1300}, {1314, 1301}, {1312, 1303}, {1311, 1304}};
    for (const auto& [label, field] : labels) {
        SCOPED_TRACE(label);
        auto* l = DvCtl<QLabel>(*dialog, label);
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(l->buddy(), DvCtl(*dialog, field));
    }
    for (const QLabel* l : dialog->findChildren<QLabel*>()) {
        if (l->text().contains(QLatin1Char('&'))) {
            EXPECT_NE(l->buddy(), nullptr) << l->objectName().toStdString();
        }
    }
}

TEST_F(dialogs_var, MinusTakenOnlyWhileSigned)
{
    OpenNew("Neu");
    DvClick(DvCtl(*dialog, VF::kFmtBin));
    auto* min = DvCtl<QLineEdit>(*dialog, VF::kBinOrvMin);
    DvType(min, "-5");
    EXPECT_EQ(min->text(), "5");
    DvClick(DvCtl(*dialog, VF::kBinSign));
    EXPECT_EQ(min->text(), "-32768");
    DvType(min, "-5");
    EXPECT_EQ(min->text(), "-5");
}

TEST_F(dialogs_var, NewVariableByTypingAndOk)
{
    OpenNew("Neu");
    DvType(DvCtl<QLineEdit>(*dialog, VF::kWord), "21");
    auto* states = DvCtl<CLineEditListBox>(*dialog, VF::kBitList);
    states->setFocus();
    QTest::keyClicks(states, "aus");
    DvClick(DvCtl(*dialog, VF::kOk));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    CPrjVar* made = Find("Neu");
    ASSERT_NE(made, nullptr);
    EXPECT_NE(made, handed.get());
    EXPECT_STREQ(made->GetStateTxt(0), "aus");
    EXPECT_EQ(made->GetAdr(), 21);

    // An existing variable: a changed text and OK update it.
    Open(*made);
    states = DvCtl<CLineEditListBox>(*dialog, VF::kBitList);
    states->setFocus();
    QTest::keyClick(states, Qt::Key_End);
    QTest::keyClicks(states, "X");
    DvClick(DvCtl(*dialog, VF::kOk));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_STREQ(Find("Neu")->GetStateTxt(0), "ausX");
}

// The list view's path: the runner opens the dialog on a handed variable
// of a new name; typing and OK insert one new variable and leave the handed
// one the caller's.
TEST(dialogs_var_runner, RunsTheDialogOnANewName)
{
    FrameFixture f;
    ConfigKit kit;
    Journal journal;
    FakeFrameWindow window{journal};
    FakeFilePrompt files;
    CQtDlgRunner runner;
    const CPrjVarBit handedVar("Pumpe", 0, 1, 12, 0, nullptr);
    EXPECT_FALSE(runner.RunVar(handedVar, 1)) << "no frame, no dialog";
    CFrameCore core{f.frame, window, runner, files};
    core.Start();
    ASSERT_NE(core.GetPrjMgr(), nullptr);
    CKeptDialogs kept(MakeKeptDialog, core);
    runner.SetKept(&kept);
    CPrjData& prj = *core.GetPrjMgr()->GetPrjData();
    const int count = prj.GetVarList()->GetCount();

    bool seen = false;
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, &seen] {
        auto* dialog = dynamic_cast<CDlgVar*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        seen = true;
        auto* states = DvCtl<CLineEditListBox>(*dialog, VF::kBitList);
        states->setFocus();
        QTest::keyClicks(states, "aus");
        QTest::mouseClick(DvCtl(*dialog, VF::kOk), Qt::LeftButton);
        if (dialog->isVisible()) QTest::mouseClick(DvCtl(*dialog, VF::kCancel), Qt::LeftButton);
    });
    poll->start();
    const bool ok = runner.RunVar(handedVar, 1);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(ok) << testing::PrintToString(f.ui.BoxIds());
    EXPECT_EQ(prj.GetVarList()->GetCount(), count + (ok ? 1 : 0));
    const CPrjVar* made = prj.GetVarList()->FindByName(std::string_view("Pumpe"));
    if (ok) {
        ASSERT_NE(made, nullptr);
        EXPECT_NE(made, &handedVar);
        EXPECT_STREQ(made->GetStateTxt(0), "aus");
    }
    runner.SetKept(nullptr);
}

} // namespace
} // namespace orv
