// The record dialog driven as a user drives it: what it offers by count, mode
// and panel type, the choice by click, the recipe box, and its place as the
// program's chooser.
#include "dialogs/DlgRecordSel.h"
#include "dialogs/KeptDialogs.h"
#include "dialogs/QtText.h"
#include "support/FrameFakes.h"
#include "support/FrameFixture.h"
#include "support/PrjBuilder.h"
#include "workspace/FrameCore.h"

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace orv;

namespace {

class dialogs_record_sel : public testing::Test {
protected:
    // A loaded project of the panel type, which decides the recipe box.
    void Project(uint16_t panelType)
    {
        m_prj = std::make_unique<ProjectWorld>(LoadedWorld(panelType));
        f.workspace.SetBundle(&m_prj->bundle);
    }

    // Filled as a transfer or read-back fills it, without entries, and opened.
    static void Open(CDlgRecordSel& dialog, uint8_t mode, uint32_t count, bool show)
    {
        dialog.Form().SetRecords(mode, nullptr);
        dialog.Form().SetMode(count);
        dialog.Open();
        if (!show)
            return;
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }

    template <class W>
    static W* Ctl(const QWidget& dialog, int id)
    {
        return dialog.findChild<W*>(QStringLiteral("c%1").arg(id));
    }

    FrameFixture f;

private:
    std::unique_ptr<ProjectWorld> m_prj;
};

TEST_F(dialogs_record_sel, OneRecordShowsOnlyTheFirstAndLeavesTheRestBlank)
{
    Project(47);
    CDlgRecordSel dialog;
    ASSERT_NO_FATAL_FAILURE(Open(dialog, CRecordSelForm::kTransfer, 1, true));
    for (int i = 0; i < CRecordSelForm::kMaxRecords; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(!Ctl<QRadioButton>(dialog, 1910 + i)->isHidden(), i == 0);
        EXPECT_EQ(!Ctl<QLabel>(dialog, 1969 + i)->isHidden(), i == 0);
    }
    const QRect second = Ctl<QRadioButton>(dialog, 1911)->geometry();
    ASSERT_TRUE(second.isValid());
    const QImage image = dialog.grab().toImage();
    const QColor background = dialog.palette().color(QPalette::Window);
    int painted = 0;
    for (int y = second.top(); y <= second.bottom(); ++y)
        for (int x = second.left(); x <= second.right(); ++x)
            painted += image.pixelColor(x, y) != background ? 1 : 0;
    EXPECT_EQ(painted, 0);
}

TEST_F(dialogs_record_sel, LabelsAndRecipeBoxByModeAndPanel)
{
    struct Case {
        uint8_t mode;
        uint16_t panel;
        const char* label;
        bool box;
    };
    const Case cases[] = {
        {CRecordSelForm::kTransfer, 118, "nach Datensatz ", true},
        {CRecordSelForm::kTransfer, 163, "nach Datensatz ", true},
        {CRecordSelForm::kTransfer, 167, "nach Datensatz ", true},
        {CRecordSelForm::kTransfer, 47, "nach Datensatz ", false},
        {CRecordSelForm::kReadBack, 47, "von Datensatz ", true},
        {CRecordSelForm::kReadBack, 118, "von Datensatz ", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.mode) + " on " + std::to_string(c.panel));
        Project(c.panel);
        CDlgRecordSel dialog;
        ASSERT_NO_FATAL_FAILURE(Open(dialog, c.mode, 6, false));
        for (int i = 0; i < CRecordSelForm::kMaxRecords; ++i)
            EXPECT_EQ(Ctl<QLabel>(dialog, 1969 + i)->text(), QString::fromLatin1(c.label) + QString::number(i));
        auto* box = Ctl<QCheckBox>(dialog, 1976);
        EXPECT_EQ(box->text(), FromCp1252("Rezeptdaten \xFC" "bertragen"));
        EXPECT_EQ(!box->isHidden(), c.box);
    }
}

TEST_F(dialogs_record_sel, ClicksChooseEveryRecordTheFirstToo)
{
    Project(167);
    CDlgRecordSel dialog;
    ASSERT_NO_FATAL_FAILURE(Open(dialog, CRecordSelForm::kTransfer, 3, true));
    QTest::mouseClick(Ctl<QRadioButton>(dialog, 1912), Qt::LeftButton);
    EXPECT_EQ(dialog.Form().GetSelected(), 3);
    QTest::mouseClick(Ctl<QRadioButton>(dialog, 1910), Qt::LeftButton);
    EXPECT_EQ(dialog.Form().GetSelected(), 1);
}

TEST_F(dialogs_record_sel, SecondOpeningStartsAtOneAndKeepsTheRecipeOption)
{
    Project(118);
    CDlgRecordSel dialog;
    ASSERT_NO_FATAL_FAILURE(Open(dialog, CRecordSelForm::kTransfer, 2, true));
    QTest::mouseClick(Ctl<QRadioButton>(dialog, 1911), Qt::LeftButton);
    QTest::mouseClick(Ctl<QCheckBox>(dialog, 1976), Qt::LeftButton);
    EXPECT_EQ(dialog.Form().GetRecipeOption(), 1);
    dialog.hide();
    dialog.Open();
    EXPECT_EQ(dialog.Form().GetSelected(), 1);
    EXPECT_TRUE(Ctl<QRadioButton>(dialog, 1910)->isChecked());
    EXPECT_FALSE(Ctl<QRadioButton>(dialog, 1911)->isChecked());
    EXPECT_EQ(dialog.Form().GetRecipeOption(), 1);
    EXPECT_TRUE(Ctl<QCheckBox>(dialog, 1976)->isChecked());
}

TEST_F(dialogs_record_sel, RecordLinesAreCp437)
{
    Project(47);
    CDlgRecordSel dialog;
    const std::vector<std::string> entries{"M\x81LLER & CO", "ZWEI.ORV"};
    dialog.Form().SetRecords(CRecordSelForm::kReadBack, &entries);
    dialog.Form().SetMode(3);
    dialog.Open();
    EXPECT_EQ(Ctl<QRadioButton>(dialog, 1910)->text(), QString::fromUtf8("M\xC3\xBCLLER && CO"));
    EXPECT_EQ(Ctl<QRadioButton>(dialog, 1911)->text(), QStringLiteral("ZWEI.ORV"));
    EXPECT_EQ(Ctl<QRadioButton>(dialog, 1912)->text(), QString(14, QLatin1Char(' ')));
    dialog.Form().SetRecords(CRecordSelForm::kReadBack, nullptr);
    dialog.Open();
    EXPECT_EQ(Ctl<QRadioButton>(dialog, 1910)->text(), QString(14, QLatin1Char(' ')));
}

TEST_F(dialogs_record_sel, OkAndCancelAnswerTheChooser)
{
    struct Case {
        int button;
        bool answer;
    };
    for (const Case c : {Case{1, true}, Case{2, false}}) {
        SCOPED_TRACE(c.button);
        Project(47);
        CDlgRecordSel dialog;
        QTimer::singleShot(0, &dialog, [&] { QTest::mouseClick(Ctl<QPushButton>(dialog, c.button), Qt::LeftButton); });
        EXPECT_EQ(dialog.Run(), c.answer);
    }
}

// The frame's kept dialogs make this dialog the chooser that a transfer asks,
// and the runner builds the start selection for each run.
TEST_F(dialogs_record_sel, KeptDialogsMakeTheChooserAndOfferTheStartSelection)
{
    Journal journal;
    FakeFrameWindow window(journal);
    FakeDlgRunner runner;
    FakeFilePrompt files;
    CFrameCore core(f.frame, window, runner, files);
    IRecordChooser* headless = &GetRecordChooser();
    {
        CKeptDialogs kept(MakeKeptDialog, core);
        auto* dialog = dynamic_cast<CDlgRecordSel*>(kept.Get(DlgId::RecordSel));
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(&GetRecordChooser(), static_cast<IRecordChooser*>(dialog));
        // What a transfer does: fill the chooser's form and run it.
        Project(118);
        GetRecordChooser().Form().SetRecords(CRecordSelForm::kTransfer, nullptr);
        GetRecordChooser().Form().SetMode(2);
        bool shown = false;
        QTimer::singleShot(0, dialog, [&] {
            shown = dialog->isVisible();
            QTest::mouseClick(Ctl<QPushButton>(*dialog, 1), Qt::LeftButton);
        });
        EXPECT_TRUE(GetRecordChooser().Run());
        EXPECT_TRUE(shown);
        EXPECT_EQ(kept.Get(DlgId::StartSel), nullptr) << "built for each run";
        // The runner offers the start selection, which refuses to open on a
        // selection never set.
        CQtDlgRunner dialogs;
        EXPECT_FALSE(dialogs.IsAvailable(DlgId::StartSel));
        dialogs.SetKept(&kept);
        EXPECT_TRUE(dialogs.IsAvailable(DlgId::StartSel));
        f.ui.ClearCalls();
        EXPECT_FALSE(dialogs.Run(DlgId::StartSel));
        EXPECT_EQ(f.ui.TextsOf(UiCall::Kind::Box), std::vector<std::string>{CStartSel::kFatalNotSet});
    }
    EXPECT_EQ(&GetRecordChooser(), headless);
}

} // namespace
