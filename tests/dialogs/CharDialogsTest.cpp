#include "dialogs/DialogKit.h"
#include "dialogs/DlgCharEdit.h"
#include "dialogs/DlgCharSel.h"
#include "dialogs/KeptDialogs.h"
#include "dialogs/LineEditListBox.h"
#include "dialogs/PanelGlyphPainter.h"
#include "model/project/CharDef.h"
#include "model/project/Fon.h"
#include "model/project/PrjData.h"
#include "support/ConfigKit.h"
#include "support/FonFixture.h"
#include "support/FrameFakes.h"
#include "support/FrameFixture.h"
#include "support/ProjectWorld.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"
#include "workspace/FrameCore.h"
#include "workspace/PrjMgr.h"

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace orv {

namespace {

constexpr CharRanges kCharsAlt{8, 127, 8, 15, 16, 31, 33};
constexpr QRgb kCharsBlack = 0xFF000000;
constexpr QRgb kCharsWhite = 0xFFFFFFFF;
constexpr QRgb kCharsGrey = 0xFF808080;

// Runs act on the modal dialog that the call under test opens: the timer
// fires inside its event loop.
void InModalLoop(std::function<void(QDialog&)> act)
{
    QTimer::singleShot(0, [act = std::move(act)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}

// Records the codes the character editor is run on.
class CharEditRuns final : public CDlgRunner {
public:
    bool IsAvailable(DlgId) const override { return true; }
    bool Run(DlgId) override { return false; }
    bool RunSearch(int) override { return false; }
    bool RunCharEdit(uint16_t code) override
    {
        codes.push_back(code);
        return true;
    }
    std::vector<uint16_t> codes;
};

QPoint InsideCell(int code)
{
    const auto cell = CDlgCharSelForm::CellOf(code);
    return {cell.left + 5, cell.top + 5};
}

class dialogs_chars : public ::testing::Test {
protected:
    // The fixture font as the frame's screen font and as its three panel
    // fonts.
    dialogs_chars()
    {
        m_home.Write("CFG/ORV/fixture.fon", BuildFixtureFon());
        EXPECT_TRUE(m_fx.frame.LoadFon("fixture", false));
        for (int family = 1; family <= 3; ++family) {
            auto& fon = m_fons.emplace_back(std::make_unique<CFon>(0));
            EXPECT_EQ(fon->Load(m_home.File("CFG/ORV/fixture.fon")), 1);
            m_fx.frame.SetFon(family, fon.get());
        }
    }

    ScreenFontSource ScreenFont()
    {
        return [this] { return m_fx.frame.GetScreenFon(); };
    }

    // The editor on the "alt" family of a project of the panel type.
    CharEditSource EditSource(CPrjData& prj)
    {
        return {[&prj] { return &prj; }, [] { return 1; }, [this](int family) { return m_fx.frame.GetFon(family); },
                [this] {
                    ++m_fontWrites;
                    return true;
                }};
    }

    std::unique_ptr<CDlgCharSel> ShownTable(CDlgRunner& runner)
    {
        auto table = std::make_unique<CDlgCharSel>(runner, ScreenFont());
        table->SetRanges(kCharsAlt);
        table->show();
        return table;
    }

    TempDir m_home;
    ScopedEnv m_homeEnv{"ORVTOOL_HOME", m_home.Path().c_str()};
    FrameFixture m_fx;
    std::vector<std::unique_ptr<CFon>> m_fons;
    int m_fontWrites = 0;
};

} // namespace

TEST_F(dialogs_chars, TableWindowAndItsControlsSitWhereTheyBelong)
{
    CharEditRuns runner;
    auto table = ShownTable(runner);
    EXPECT_EQ(table->geometry(), QRect(100, 100, 620, 290));
    auto* charset = FindControl<QPushButton>(*table, 1959);
    auto* edit = FindControl<QPushButton>(*table, 1960);
    auto* info = FindControl<QWidget>(*table, 1961);
    ASSERT_TRUE(charset && edit && info);
    EXPECT_EQ(charset->geometry(), QRect(340, 210, 80, 25));
    EXPECT_EQ(edit->geometry(), QRect(440, 210, 80, 25));
    EXPECT_EQ(info->geometry(), QRect(10, 210, 280, 25));
    EXPECT_FALSE(charset->isEnabled());
    EXPECT_FALSE(edit->isEnabled());

    // A definable code enables "editieren", which runs the editor on it.
    QTest::mouseClick(table.get(), Qt::LeftButton, {}, InsideCell(9));
    EXPECT_TRUE(edit->isEnabled());
    QTest::mouseClick(edit, Qt::LeftButton);
    EXPECT_EQ(runner.codes, std::vector<uint16_t>{9});
}

TEST_F(dialogs_chars, TableShowsSelectionDefinableCellsAndThePanelGlyphs)
{
    CharEditRuns runner;
    auto table = ShownTable(runner);
    QTest::mouseClick(table.get(), Qt::LeftButton, {}, InsideCell('A'));
    const QImage image = table->grab().toImage();
    const QRgb highlight = table->palette().color(QPalette::Highlight).rgb();

    const auto a = CDlgCharSelForm::CellOf('A');
    EXPECT_EQ(image.pixel(a.left - 1, a.top + 10), highlight);
    EXPECT_EQ(image.pixel(a.right, a.top + 10), highlight);
    // The old selection's frame is plain again.
    const auto old = CDlgCharSelForm::CellOf(33);
    EXPECT_EQ(image.pixel(old.left - 1, old.top + 10), kCharsBlack);
    const auto def = CDlgCharSelForm::CellOf(9);
    EXPECT_EQ(image.pixel(def.left, def.top), kCharsGrey);
    EXPECT_EQ(image.pixel(def.left - 1, def.top), kCharsBlack);

    // The glyph's lit pixels in its cell, centred, everything else white.
    const CFon* font = m_fx.frame.GetScreenFon();
    const int s = CPanelGlyphPainter::ScaleForHeight(font, 12);
    const QSize size = CPanelGlyphPainter::GlyphSize(font, 'A', s);
    ASSERT_FALSE(size.isEmpty());
    const int gx = a.left + (18 - size.width()) / 2;
    const int gy = a.top + (22 - size.height()) / 2;
    int lit = 0;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const bool on = (font->GetCharInfo('A')->rows[static_cast<size_t>(y / s)] & (0x80 >> (x / s))) != 0;
            lit += on ? 1 : 0;
            ASSERT_EQ(image.pixel(gx + x, gy + y), on ? kCharsBlack : kCharsWhite) << x << "," << y;
        }
    }
    EXPECT_GT(lit, 0);
    // The information line is drawn in the panel face: not empty.
    const QImage info = FindControl<QWidget>(*table, 1961)->grab().toImage();
    int inked = 0;
    for (int y = 0; y < info.height(); ++y)
        for (int x = 0; x < info.width(); ++x)
            inked += info.pixel(x, y) == kCharsBlack ? 1 : 0;
    EXPECT_GT(inked, 0);
}

TEST_F(dialogs_chars, ClickOnAnExcludedCodeChangesNeitherFrameNorInformationLine)
{
    CharEditRuns runner;
    auto table = ShownTable(runner);
    QTest::mouseClick(table.get(), Qt::LeftButton, {}, InsideCell('A'));
    const QImage before = table->grab().toImage();
    QTest::mouseClick(table.get(), Qt::LeftButton, {}, InsideCell(20));
    QTest::mouseClick(table.get(), Qt::LeftButton, {}, InsideCell(5));
    EXPECT_EQ(table->grab().toImage(), before);
    EXPECT_EQ(table->Form().Selected(), 'A');
}

TEST_F(dialogs_chars, DoubleClickSendsTheCodeQueuedAndOnceIntoTheReceiver)
{
    CharEditRuns runner;
    auto table = ShownTable(runner);
    CLineEditListBox box;
    box.AddString("x");
    box.SetMaxLineLen(20);
    box.resize(300, 60);
    box.show();
    std::vector<uint16_t> received;
    table->SetReceiver([&](uint16_t code) {
        received.push_back(code);
        box.InsertCharacter(code);
    });

    QTest::mouseDClick(table.get(), Qt::LeftButton, {}, InsideCell('A'));
    // Handed on once the double click's own handling is over.
    EXPECT_TRUE(received.empty());
    QApplication::processEvents();
    EXPECT_EQ(received, std::vector<uint16_t>{'A'});
    QTest::mouseDClick(table.get(), Qt::LeftButton, {}, InsideCell('B'));
    QApplication::processEvents();
    EXPECT_EQ(received, (std::vector<uint16_t>{'A', 'B'}));
    // Both land at the caret, in the order they were picked.
    EXPECT_EQ(box.GetText(0), "ABx");
    // A double click on an excluded code sends nothing.
    QTest::mouseDClick(table.get(), Qt::LeftButton, {}, InsideCell(20));
    QApplication::processEvents();
    EXPECT_EQ(received.size(), 2u);
}

TEST_F(dialogs_chars, EditorDrawsTheGlyphTogglesOnClickAndStoresOnOk)
{
    auto world = World(43).CharSet().Build();
    world->prj->SetModified(false);
    CDlgCharEdit editor(EditSource(*world->prj));
    editor.SetChar(9);
    editor.show();
    const int left = editor.Form().GridLeft();
    auto centre = [left](int row, int column) { return QPoint(left + column * 20 + 10, 20 + row * 20 + 10); };
    auto expectGrid = [&](const CCharDef::Rows& rows) {
        const QImage image = editor.grab().toImage();
        EXPECT_EQ(image.pixel(left, 20), 0xFFC3C3C3);
        EXPECT_EQ(image.pixel(left + 100, 20 + 160), 0xFFC3C3C3);
        for (int row = 0; row < 8; ++row)
            for (int column = 0; column < 5; ++column) {
                const bool on = (rows[static_cast<size_t>(row)] & (0x80 >> column)) != 0;
                EXPECT_EQ(image.pixel(centre(row, column)), on ? kCharsBlack : kCharsWhite) << row << "," << column;
            }
    };
    CCharDef::Rows rows{};
    for (int row = 0; row < 8; ++row)
        rows[static_cast<size_t>(row)] = FixtureRow(9, row);
    expectGrid(rows);

    QTest::mouseClick(&editor, Qt::LeftButton, {}, centre(1, 3));
    rows[1] ^= 0x10;
    expectGrid(rows);
    EXPECT_EQ(m_fx.frame.GetFon(1)->GetCharInfo(9)->rows[1], FixtureRow(9, 1));

    QTest::mouseClick(FindControl<QPushButton>(editor, 1), Qt::LeftButton);
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    EXPECT_EQ(m_fontWrites, 1);
    EXPECT_EQ(m_fx.frame.GetFon(1)->GetCharInfo(9)->rows[1], rows[1]);
    const CCharDef* def = world->prj->GetCharDefColl()->FindByCode(1);
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(def->GetRow(1), rows[1] >> 3);
    EXPECT_EQ(world->prj->GetModCount(), 1);
}

TEST_F(dialogs_chars, EditorCancelLeavesFontAndProjectAlone)
{
    auto world = World(43).CharSet().Build();
    world->prj->SetModified(false);
    CDlgCharEdit editor(EditSource(*world->prj));
    editor.SetChar(9);
    editor.show();
    QTest::mouseClick(&editor, Qt::LeftButton, {}, QPoint(editor.Form().GridLeft() + 10, 30));
    QTest::mouseClick(FindControl<QPushButton>(editor, 2), Qt::LeftButton);
    EXPECT_EQ(editor.result(), QDialog::Rejected);
    EXPECT_EQ(m_fontWrites, 0);
    EXPECT_EQ(m_fx.frame.GetFon(1)->GetCharInfo(9)->rows[0], FixtureRow(9, 0));
    EXPECT_EQ(world->prj->GetCharDefColl()->GetCount(), 0);
    EXPECT_EQ(world->prj->GetModCount(), 0);
    EXPECT_TRUE(m_fx.ui.Calls().empty());
}

TEST(dialogs_chars_runner, RunnerOpensTheKeptCharacterDialogs)
{
    FrameFixture f;
    ConfigKit kit;
    Journal journal;
    FakeFrameWindow window{journal};
    FakeFilePrompt files;
    CQtDlgRunner runner;
    CFrameCore core{f.frame, window, runner, files};
    EXPECT_FALSE(runner.RunCharEdit(9));
    EXPECT_FALSE(runner.RunCharSel([](uint16_t) {}));
    core.Start();
    ASSERT_NE(core.GetPrjMgr(), nullptr);
    CKeptDialogs kept(MakeKeptDialog, core);
    runner.SetKept(&kept);
    EXPECT_TRUE(runner.IsAvailable(DlgId::CharEdit));
    EXPECT_TRUE(runner.IsAvailable(DlgId::CharSel));

    // The editor opens on the code; a pixel toggled and OK store it into the
    // project and write the panel font of the selection's family.
    const CStartSel& sel = core.GetStartSel();
    ASSERT_TRUE(sel.IsValid());
    const auto code = static_cast<uint16_t>(sel.Ranges().firstDef);
    CPrjData& prj = *core.GetPrjMgr()->GetPrjData();
    prj.SetModified(false);
    const std::string written = sel.GetFntNam() == "706" ? "TM~706.FON" : sel.GetFntNam() == "int" ? "TM~INT.FON" : "TM~ALT.FON";
    kit.Remove(written);
    unsigned shown = 0;
    InModalLoop([&shown](QDialog& dialog) {
        auto* editor = dynamic_cast<CDlgCharEdit*>(&dialog);
        ASSERT_NE(editor, nullptr);
        shown = editor->Form().Code();
        QTest::mouseClick(editor, Qt::LeftButton, {}, QPoint(editor->Form().GridLeft() + 10, 30));
        QTest::mouseClick(FindControl<QPushButton>(*editor, 1), Qt::LeftButton);
    });
    EXPECT_TRUE(runner.RunCharEdit(code));
    EXPECT_EQ(shown, code);
    EXPECT_EQ(prj.GetModCount(), 1);
    EXPECT_TRUE(kit.Exists(written)) << written;

    // The table runs with the selection's ranges and hands a double-clicked
    // code to the receiver while it is open.
    std::vector<uint16_t> received;
    InModalLoop([](QDialog& dialog) {
        QTest::mouseDClick(&dialog, Qt::LeftButton, {}, InsideCell('A'));
        QTimer::singleShot(20, &dialog, &QDialog::reject);
    });
    EXPECT_TRUE(runner.RunCharSel([&received](uint16_t code) { received.push_back(code); }));
    EXPECT_EQ(received, std::vector<uint16_t>{'A'});
}

} // namespace orv
