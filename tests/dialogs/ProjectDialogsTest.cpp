#include "dialogs/DialogKit.h"
#include "DialogTestKit.h"
#include "dialogs/KeptDialogs.h"
#include "dialogs/ProjectDialogs.h"
#include "dialogs/QtText.h"
#include "model/project/DrvCfg.h"
#include "model/project/Mnu.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjData.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarList.h"
#include "support/ConfigKit.h"
#include "support/FrameFakes.h"
#include "support/FrameFixture.h"
#include "support/ProjectWorld.h"
#include "workspace/FrameCore.h"
#include "workspace/PrjMgr.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>
#include <string>

namespace orv {

namespace {

void PdtClickOk(QDialog& dialog)
{
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

// Clicks the radio's indicator: a wide layout cell leaves its middle outside
// the part that takes clicks.
void PdtClickRadio(QDialog& dialog, int id)
{
    auto* radio = FindControl<QRadioButton>(dialog, id);
    ASSERT_NE(radio, nullptr);
    QTest::mouseClick(radio, Qt::LeftButton, Qt::NoModifier, QPoint(6, radio->height() / 2));
}

void PdtRetype(QLineEdit& edit, const char* text)
{
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Delete);
    QTest::keyClicks(&edit, text);
}

// A panel-14 project on PLC type 33 with VAR items on the words 30..79 and
// the clock/date block on word 40.
struct PdtWorld {
    explicit PdtWorld(uint16_t devType = 14)
    {
        SpsParBuilder sps;
        for (uint16_t w = 30; w < 80; ++w)
            sps.Var(w);
        world = std::make_unique<ProjectWorld>(World(devType).Sps(sps), f.bundle);
        auto* clock = new CPrjIntVarNum("[Z24]", 0x40000000u, 0, 200, 0, 0, 3, 0, 0, 255);
        clock->SetAdr(40);
        prj().InsVar(clock);
        prj().MakeDateTimeVars(40, 0);
        prj().SetCycleTime(10);
        prj().SetModCount(0);
    }
    CPrjData& prj() const { return *world->prj; }
    KeptDialogSource Source() const
    {
        return {[this] { return world->prj.get(); }, [] { return std::string("plus"); }};
    }

    FrameFixture f;
    std::unique_ptr<ProjectWorld> world;
};

std::tm PdtDay()
{
    std::tm t{};
    t.tm_mday = 5;
    t.tm_mon = 2;
    t.tm_year = 124;
    return t;
}

TEST(dialogs_project, ControlsCarryTheirIdsAndGermanTexts)
{
    PdtWorld w;
    CPrjMnu menu(1, "M", 0x303F);
    using Case = DialogTexts;
    const Case cases[] = {
        {"Druckerparameter", [&w] { return std::make_unique<CDlgPrnPar>(w.Source()); },
         {{2171, "RS232"}, {2172, "TTY"}, {2199, "- kein -"}, {2201, "RTS / CTS"}, {2174, "1200 Baud"},
          {2187, "NONE"}, {2189, "ODD"}, {2185, "7"}, {2184, "2"}, {2203, "abw\xE4rts (1 -> 32)"},
          {2204, "aufw\xE4rts (32 -> 1)"}, {2205, ""}, {2206, ""}, {2211, ""}, {1908, ""}, {2222, ""}, {2229, ""},
          {2234, ""}}},
        {"ORV-Speicheraufteilung", [&w] { return std::make_unique<CDlgMemPartition>(w.Source()); },
         {{1963, "gro\xDF"}, {1964, "klein"}, {1965, "gemeinsame (gro\xDF" "e) Rezeptur"},
          {1966, "getrennte (kleine) Rezeptur"}}},
        {"Men\xFCoptionen (Behandlung von Sollwerten)",
         [&w, &menu] { return std::make_unique<CDlgMnuOpt>(&w.prj(), &menu); },
         {{2237, ""}, {2238, ""}, {1980, ""}, {2254, ""}, {2236, "Default Optionen"}}},
        {"Zeiten", [&w] { return std::make_unique<CDlgTimes>(w.Source(), PdtDay, nullptr); },
         {{2223, ""}, {2231, ""}, {2227, ""}, {2228, "Von DW"}}},
        {"Meldetext-Optionen", [] { return std::make_unique<CDlgMsgTxtOpt>(); },
         {{2152, "Aktive Meldungen bleiben gespeichert"}}},
        {"Hinweis", [] { return std::make_unique<CDlgHint>("Achtung", 3, nullptr); },
         {{1979, "Achtung"}, {1980, "Diesen Hinweis immer anzeigen"}}},
    };
    for (const Case& c : cases)
        ExpectShows(c);
}

TEST(dialogs_project, TimesShowsItsControlsAndRefusesARollingTimeOf61)
{
    PdtWorld w;
    CDlgTimes dialog(w.Source(), PdtDay, [] { return std::string("DB"); });
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Zeiten"));
    EXPECT_EQ(FindControl<QLabel>(dialog, 2228)->text(), QStringLiteral("Von DB"));
    EXPECT_EQ(FindControl<QRadioButton>(dialog, 2229)->text(), QStringLiteral("EU  05.03.24"));
    EXPECT_EQ(FindControl<QRadioButton>(dialog, 1965)->text(), QStringLiteral("US  03/05/24"));
    EXPECT_EQ(FindControl<QRadioButton>(dialog, 1966)->text(), QStringLiteral("MIL 24-03-05"));
    EXPECT_TRUE(FindControl<QRadioButton>(dialog, 2229)->isChecked());
    EXPECT_EQ(FindControl<QLineEdit>(dialog, 2227)->text(), QStringLiteral("40"));
    EXPECT_FALSE(FindControl<QLineEdit>(dialog, 2231)->isEnabled());
    EXPECT_FALSE(dialog.grab().isNull());

    auto* roll = FindControl<QLineEdit>(dialog, 2223);
    PdtRetype(*roll, "61");
    PdtClickOk(dialog);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.focusWidget(), roll);
    EXPECT_EQ(roll->selectedText(), QStringLiteral("61"));
    EXPECT_EQ(w.f.ui.BoxIds(), std::vector<int>{15031});
    EXPECT_EQ(w.prj().GetCycleTime(), 10);

    PdtRetype(*roll, "30");
    PdtClickRadio(dialog, 1966);
    PdtClickOk(dialog);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(w.prj().GetCycleTime(), 30);
    EXPECT_EQ(w.prj().GetDateMode(), 2);
    EXPECT_EQ(w.prj().GetModCount(), 1);
}

TEST(dialogs_project, PrinterLayoutFollowsThePanelAndRadiosWaitForOk)
{
    struct Case {
        uint16_t dev;
        bool subst;
    };
    for (const Case c : {Case{706, false}, Case{47, true}}) {
        SCOPED_TRACE(c.dev);
        PdtWorld w(c.dev);
        CDlgPrnPar dialog(w.Source());
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Druckerparameter"));
        // OK and Cancel stay on a 1280 x 1024 screen.
        EXPECT_LT(dialog.height(), 800);
        EXPECT_EQ(dialog.findChild<QGroupBox*>(QStringLiteral("substGroup"))->isVisible(), c.subst);
        EXPECT_EQ(dialog.findChild<QGroupBox*>(QStringLiteral("handshakeGroup"))->isVisible(), c.subst);
        EXPECT_EQ(dialog.findChild<QGroupBox*>(QStringLiteral("ctrlGroup"))->isVisible(), !c.subst);
        EXPECT_FALSE(FindControl<QLineEdit>(dialog, 2234)->isVisible());
        EXPECT_EQ(FindControl<QRadioButton>(dialog, 2178)->text(), QStringLiteral("19200 Baud"));
        PdtClickRadio(dialog, 2178);
        EXPECT_EQ(w.prj().GetPrnBaud(), 3);
        PdtClickOk(dialog);
        EXPECT_EQ(w.prj().GetPrnBaud(), 4);
        EXPECT_EQ(w.prj().GetModCount(), 1);
    }
}

TEST(dialogs_project, MemPartitionGreysTheRecipeOnALargeDataSet)
{
    PdtWorld w(118);
    w.prj().SetDataSize(1);
    CDlgMemPartition dialog(w.Source());
    dialog.show();
    EXPECT_EQ(FindControl<QRadioButton>(dialog, 1963)->text(), FromCp1252("gro\xDF"));
    EXPECT_TRUE(FindControl<QRadioButton>(dialog, 1966)->isEnabled());
    PdtClickRadio(dialog, 1966);
    PdtClickRadio(dialog, 1963);
    EXPECT_FALSE(FindControl<QRadioButton>(dialog, 1966)->isEnabled());
    PdtClickOk(dialog);
    EXPECT_EQ(w.prj().GetDataSize(), 0);
    EXPECT_EQ(w.prj().GetRcpSize(), 1);
}

TEST(dialogs_project, MenuOptionGridChecksOneRadioPerOption)
{
    PdtWorld w(706);
    CPrjMnu menu(1, "M", 0x30FF);
    CDlgMnuOpt dialog(&w.prj(), &menu);
    dialog.show();
    const auto checkedPerRow = [&dialog] {
        std::vector<int> values;
        for (const auto& row : CDlgMnuOptForm::kIdRadios) {
            int checked = 0;
            int value = -1;
            for (size_t v = 0; v < row.size(); ++v) {
                if (FindControl<QRadioButton>(dialog, row[v])->isChecked()) {
                    ++checked;
                    value = static_cast<int>(v);
                }
            }
            values.push_back(checked == 1 ? value : -1);
        }
        return values;
    };
    EXPECT_EQ(checkedPerRow(), (std::vector<int>{0, 3, 0, 0, 3, 3, 3, 3}));
    PdtClickRadio(dialog, 1975); // option 5, value 1
    EXPECT_EQ(checkedPerRow(), (std::vector<int>{0, 3, 0, 0, 3, 1, 3, 3}));
    QTest::mouseClick(FindControl<QPushButton>(dialog, 2236), Qt::LeftButton);
    EXPECT_EQ(checkedPerRow(), (std::vector<int>{0, 3, 0, 0, 0, 3, 3, 3}));
    PdtClickOk(dialog);
    EXPECT_EQ(menu.GetMnuOpt(), 0x303F);
    EXPECT_EQ(w.prj().GetModCount(), 1);
}

TEST(dialogs_project, TimeSwitchTemplateTakesNoInput)
{
    CDlgTimeSw dialog;
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Zeitschaltuhren"));
    for (int id : {2160, 2167, 2170, 2177, 2180, 2187, 2190, 2197}) {
        SCOPED_TRACE(id);
        auto* control = dialog.findChild<QWidget*>(ControlName(id));
        ASSERT_NE(control, nullptr);
        EXPECT_FALSE(control->isEnabled());
    }
}

TEST(dialogs_project, MenuNodeListsOnlyWhatTheSourceTakes)
{
    PdtWorld w(706);
    auto* menu = new CPrjMnu(1, "M", 0x303F);
    w.prj().InsMnu(menu);
    auto* tmpl = new CPrjOpTxt(-1);
    auto* text = new CPrjOpTxt(4);
    w.prj().InsOpTxt(tmpl);
    w.prj().InsOpTxt(text);
    auto* node = new CPrjMnuNode(1, 0, 0, 0, 0, nullptr, 0);
    menu->InsNode(node);
    menu->InsNode(new CPrjMnuNode(2, 0, 0, 0, 0, nullptr, 0));
    w.prj().SetModCount(0);
    CDlgMnuNode dialog(&w.prj(), *menu, *node);
    dialog.show();
    auto* right = FindControl<QComboBox>(dialog, 1928);
    ASSERT_EQ(right->count(), 2);
    EXPECT_EQ(right->itemText(1), QStringLiteral("2"));
    auto* texts = FindControl<QComboBox>(dialog, 1931);
    ASSERT_EQ(texts->count(), 1);
    // The node shows no text: none is selected, and OK keeps it so.
    EXPECT_EQ(texts->currentIndex(), -1);
    right->setCurrentIndex(1);
    PdtClickOk(dialog);
    EXPECT_TRUE(dialog.Changed());
    EXPECT_EQ(node->GetRight(), 2);
    EXPECT_EQ(node->GetOpTxt(), nullptr);
    EXPECT_EQ(w.prj().GetModCount(), 1);

    CDlgMnuNode again(&w.prj(), *menu, *node);
    again.show();
    FindControl<QComboBox>(again, 1931)->setCurrentIndex(0);
    PdtClickOk(again);
    EXPECT_EQ(node->GetOpTxt(), text);
    EXPECT_EQ(w.prj().GetModCount(), 2);
}

TEST(dialogs_project, RecipeAddressDriverVariableAndMessageOptions)
{
    PdtWorld w;
    auto* block = new CPrjIntVarNum("[Z25]", 0x40000000u, 0, 200, 0, 0, 3, 0, 0, 255);
    block->SetAdr(50);
    w.prj().InsVar(block);
    w.prj().SetModCount(0);
    CDlgRcpAdr rcp(&w.prj());
    rcp.show();
    EXPECT_EQ(rcp.windowTitle(), QStringLiteral("Rezeptblock-Adresse"));
    auto* adr = FindControl<QLineEdit>(rcp, 2282);
    EXPECT_EQ(adr->text(), QStringLiteral("50"));
    PdtRetype(*adr, "5");
    PdtClickOk(rcp);
    EXPECT_TRUE(rcp.isVisible());
    EXPECT_EQ(adr->selectedText(), QStringLiteral("5"));
    PdtRetype(*adr, "60");
    PdtClickOk(rcp);
    EXPECT_FALSE(rcp.isVisible());
    EXPECT_EQ(block->GetAdr(), 60);

    CDrvCfg& cfg = *w.world->drvCfg;
    ASSERT_TRUE(cfg.AddPar6(new CPrjIntVarNum("AA", 0, 1, 140, 0, 25, 3, 0, 1, 30)));
    CDlgDrvVar var(cfg, 0);
    var.show();
    EXPECT_EQ(var.windowTitle(), QStringLiteral("Treibervariable"));
    EXPECT_EQ(FindControl<QLabel>(var, 2155)->text(), QStringLiteral("Timeout"));
    EXPECT_TRUE(FindControl<QLineEdit>(var, 2156)->isVisible());
    EXPECT_FALSE(FindControl<QComboBox>(var, 1927)->isVisible());
    EXPECT_EQ(FindControl<QLineEdit>(var, 2156)->text(), QStringLiteral("250"));

    CDlgMsgTxtOpt opt;
    opt.show();
    EXPECT_EQ(opt.windowTitle(), QStringLiteral("Meldetext-Optionen"));
    EXPECT_EQ(FindControl<QRadioButton>(opt, 2153)->text(), FromCp1252("Aktive Meldungen werden gel\xF6scht"));
    EXPECT_FALSE(FindControl<QRadioButton>(opt, 2152)->isEnabled());
}

TEST(dialogs_project, RunnerOpensTheKeptTimesDialog)
{
    RunnerFrame rf;
    for (DlgId id : {DlgId::Times, DlgId::PrnPar, DlgId::MemPartition, DlgId::TimeSw})
        EXPECT_TRUE(rf.runner.IsAvailable(id));
    bool isTimes = false;
    OnModalDialog([&isTimes](QDialog& dialog) {
        isTimes = dynamic_cast<CDlgTimes*>(&dialog) != nullptr;
        dialog.reject();
    });
    EXPECT_FALSE(rf.runner.Run(DlgId::Times));
    EXPECT_TRUE(isTimes);
}

// The list view and the tree grey an item while its dialog is missing; once
// the frame made its dialogs, every one of them is offered.
TEST(dialogs_project_runner, TheViewsEditDialogsAreOfferedOnceTheFrameRuns)
{
    using E = CDlgRunner::EditDlg;
    const E all[] = {E::Var, E::DrvVar, E::Value, E::MnuOpt, E::MsgTxtOpt, E::RcpAdr, E::CharEdit};
    CQtDlgRunner bare;
    RunnerFrame frame;
    for (E dlg : all) {
        SCOPED_TRACE(static_cast<int>(dlg));
        EXPECT_FALSE(bare.HasEditDlg(dlg));
        EXPECT_TRUE(frame.runner.HasEditDlg(dlg));
    }
}

} // namespace

} // namespace orv
