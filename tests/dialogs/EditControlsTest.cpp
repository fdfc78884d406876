// The edit fields and the numbered line editor driven as a user drives them:
// real key, paste and mouse events, and what the line editor paints.
#include "dialogs/EditControls.h"
#include "dialogs/LineEditListBox.h"

#include "support/FonFixture.h"
#include "support/FrameFixture.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace orv {

namespace {

constexpr QRgb kBoxWhite = 0xFFFFFFFF;
constexpr QRgb kBoxGrey = 0xFFCCCCCC;
constexpr QRgb kBoxBlack = 0xFF000000;

void PasteInto(QWidget& field, const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
}

class dialogs_edit_controls : public ::testing::Test {
protected:
    // The fixture font as the frame's screen font, read from a program
    // directory of the test's own.
    void LoadFixtureFont()
    {
        m_home.Write("CFG/ORV/fixture.fon", BuildFixtureFon());
        ASSERT_TRUE(m_world.frame.LoadFon("fixture", false));
    }

    std::unique_ptr<CLineEditListBox> MakeBox(std::initializer_list<std::string> lines, int maxLen)
    {
        auto box = std::make_unique<CLineEditListBox>();
        for (const std::string& line : lines)
            box->AddString(line);
        box->SetMaxLineLen(maxLen);
        box->SetBeeper([this] { ++m_beeps; });
        box->resize(400, 120);
        return box;
    }

    // Whether the fixture glyph of a code has pixel (px, row) lit.
    static bool Lit(unsigned code, int px, int row)
    {
        return (FixtureRow(static_cast<int>(code), row) & (0x80 >> px)) != 0;
    }

    // Every pixel of the cell at `column` of line 0: the glyph of `code`
    // (5 x 8 pixels at twice their size, one pixel below the item's top)
    // black on `background`; nothing on it for kBlank.
    static constexpr unsigned kBlank = 0x100;
    static void ExpectCell(const QImage& image, int column, unsigned code, QRgb background)
    {
        SCOPED_TRACE(testing::Message() << "column " << column << " code " << code);
        int lit = 0;
        for (int y = 0; y < 18; ++y) {
            for (int x = 0; x < 10; ++x) {
                const bool on = code != kBlank && y >= 1 && y < 17 && Lit(code, x / 2, (y - 1) / 2);
                lit += on ? 1 : 0;
                ASSERT_EQ(image.pixel(column * 10 + x, y), on ? kBoxBlack : background) << x << "," << y;
            }
        }
        if (code != kBlank && code != ' ') {
            EXPECT_GT(lit, 0);
        }
    }

    TempDir m_home;
    ScopedEnv m_homeEnv{"ORVTOOL_HOME", m_home.Path().c_str()};
    FrameFixture m_world;
    int m_beeps = 0;
};

} // namespace

TEST_F(dialogs_edit_controls, HexFieldTakesHexDigitsUpperCased)
{
    CHexEdit edit;
    QTest::keyClicks(&edit, "1bG");
    EXPECT_EQ(edit.text(), QStringLiteral("1B"));
    PasteInto(edit, QStringLiteral("ff"));
    EXPECT_EQ(edit.text(), QStringLiteral("1BFF"));
    PasteInto(edit, QStringLiteral(" g0x7e"));
    EXPECT_EQ(edit.text(), QStringLiteral("1BFF07E"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), QStringLiteral("1BFF07"));
    // Text the program sets is shown as it is.
    edit.setText(QStringLiteral("ab"));
    EXPECT_EQ(edit.text(), QStringLiteral("ab"));
    // The context menu's paste goes through the rule too.
    edit.clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("c-d"));
    const std::unique_ptr<QMenu> menu(edit.CreateContextMenu());
    int pastes = 0;
    for (QAction* action : menu->actions()) {
        if (action->text().startsWith(QLineEdit::tr("&Paste"))) {
            action->trigger();
            ++pastes;
        }
    }
    EXPECT_EQ(pastes, 1);
    EXPECT_EQ(edit.text(), QStringLiteral("CD"));
}

TEST_F(dialogs_edit_controls, NumberFieldTakesMinusOnlyWhenSigned)
{
    m_world.frame.SetLogLevel(2);
    CNumEdit edit;
    QTest::keyClicks(&edit, "-12a");
    EXPECT_EQ(edit.text(), QStringLiteral("12"));
    EXPECT_TRUE(m_world.ui.HasLogLine("NO-VOZ"));
    EXPECT_FALSE(m_world.ui.HasLogLine("VOZ"));
    PasteInto(edit, QStringLiteral("3-4"));
    EXPECT_EQ(edit.text(), QStringLiteral("1234"));

    edit.SetSigned(true);
    QTest::keyClicks(&edit, "-5");
    EXPECT_EQ(edit.text(), QStringLiteral("1234-5"));
    EXPECT_TRUE(m_world.ui.HasLogLine("VOZ"));
    edit.clear();
    PasteInto(edit, QStringLiteral("12a-3"));
    EXPECT_EQ(edit.text(), QStringLiteral("12-3"));
}

TEST_F(dialogs_edit_controls, LinesDrawnInThePanelFont)
{
    LoadFixtureFont();
    auto box = MakeBox({"A", "\x0F" "123B"}, 20);
    EXPECT_EQ(box->CharWidth(), 10);
    EXPECT_EQ(box->ItemHeight(), 18);
    const QImage image = box->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_GE(image.width(), 60);
    for (int column = 0; column < 4; ++column)
        ExpectCell(image, column, static_cast<unsigned char>("000 "[column]), kBoxGrey);
    ExpectCell(image, 4, 'A', kBoxWhite);
    ExpectCell(image, 5, kBlank, kBoxWhite);
    // Line 1: its number, and its code taking no column.
    const QImage line1 = image.copy(0, 18, image.width(), 18);
    ExpectCell(line1, 2, '1', kBoxGrey);
    ExpectCell(line1, 4, 'B', kBoxWhite);
    ExpectCell(line1, 5, kBlank, kBoxWhite);
}

TEST_F(dialogs_edit_controls, CaretShowsItsMode)
{
    LoadFixtureFont();
    auto box = MakeBox({"A"}, 20);
    box->show();
    box->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(box.get()));
    box->setFocus();
    ASSERT_TRUE(box->hasFocus());
    // Overwrite mode: the whole cell of "A" at column 4 is inverted.
    const QImage over = box->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 1; y < 17; y += 3)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(over.pixel(40 + x, y), Lit('A', x / 2, (y - 1) / 2) ? kBoxWhite : kBoxBlack) << x << "," << y;
    // Insert mode: only the lowest quarter of the item, here rows 13 to 16.
    QTest::keyClick(box.get(), Qt::Key_Insert);
    const QImage ins = box->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 1; y < 18; ++y) {
        const bool inverted = y >= 13 && y < 17;
        const bool lit = y < 17 && Lit('A', 0, (y - 1) / 2);
        EXPECT_EQ(ins.pixel(40, y), lit != inverted ? kBoxBlack : kBoxWhite) << y;
    }
}

TEST_F(dialogs_edit_controls, WithoutScreenFontLinesStillShowAndEdit)
{
    ASSERT_EQ(m_world.frame.GetScreenFon(), nullptr);
    auto box = MakeBox({"AB"}, 20);
    const int cw = box->CharWidth();
    const int ih = box->ItemHeight();
    ASSERT_GT(cw, 0);
    const QImage image = box->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int prefixGrey = 0, prefixDark = 0, textDark = 0;
    for (int y = 0; y < ih; ++y) {
        for (int x = 0; x < 6 * cw; ++x) {
            const QRgb px = image.pixel(x, y);
            const bool dark = qGray(px) < 128;
            if (x < 4 * cw) {
                prefixGrey += px == kBoxGrey ? 1 : 0;
                prefixDark += dark ? 1 : 0;
            } else {
                textDark += dark ? 1 : 0;
            }
        }
    }
    EXPECT_GT(prefixGrey, 0);
    EXPECT_GT(prefixDark, 0);
    EXPECT_GT(textDark, 0);
    QTest::keyClick(box.get(), Qt::Key_End);
    QTest::keyClicks(box.get(), "c");
    EXPECT_EQ(box->GetText(0), "ABc");
}

TEST_F(dialogs_edit_controls, KeysAndClicksReachTheLines)
{
    LoadFixtureFont();
    auto box = MakeBox({"ab", "xyz"}, 3);
    box->show();
    QTest::keyClick(box.get(), Qt::Key_End);
    QTest::keyClicks(box.get(), "cd");
    EXPECT_EQ(box->GetText(0), "abc");
    EXPECT_EQ(m_beeps, 1);  // the full line refused "d"
    QTest::keyClick(box.get(), Qt::Key_Down);
    QTest::keyClick(box.get(), Qt::Key_Delete);
    EXPECT_EQ(box->GetText(1), "xyz");  // caret cut to the end of "xyz": nothing to its right
    EXPECT_EQ(m_beeps, 2);
    QTest::keyClick(box.get(), Qt::Key_Backspace);
    EXPECT_EQ(box->GetText(1), "xy");
    QTest::sendKeyEvent(QTest::Click, box.get(), Qt::Key_Udiaeresis, QString::fromUtf8("\xC3\xBC"), {});
    EXPECT_EQ(box->GetText(1), "xy\x81");
    QTest::sendKeyEvent(QTest::Click, box.get(), Qt::Key_unknown, QString::fromUtf8("\xE2\x82\xAC"), {});
    EXPECT_EQ(box->GetText(1), "xy\x81");  // the Euro sign is not in the panel's set
    EXPECT_EQ(m_beeps, 3);

    // Right of the short line 0: behind its last character, in insert mode.
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, QPoint(300, 5));
    EXPECT_EQ(box->Buf().GetCurLine(), 0);
    EXPECT_EQ(box->Buf().GetCaretCol(), 7);
    EXPECT_TRUE(box->Buf().IsInsert());
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, QPoint(5 * 10 + 2, 18 + 5));
    EXPECT_EQ(box->Buf().GetCurLine(), 1);
    EXPECT_EQ(box->Buf().GetCaretCol(), 5);

    QTest::keyClick(box.get(), Qt::Key_Delete);
    EXPECT_EQ(box->GetText(1), "x\x81");

    // The character selection reaches the box through its slot.
    ASSERT_TRUE(QMetaObject::invokeMethod(box.get(), "InsertCharacter", Q_ARG(int, 0x41)));
    EXPECT_EQ(box->GetText(1), "xA\x81");
    EXPECT_EQ(box->Buf().GetCaretCol(), 6);
}

TEST_F(dialogs_edit_controls, LongListFollowsTheCurrentLine)
{
    LoadFixtureFont();
    auto box = MakeBox({"a0", "a1", "a2", "a3", "a4", "a5", "a6", "a7", "a8", "a9"}, 20);
    box->resize(400, 3 * 18 + 10);
    box->show();
    for (int i = 0; i < 9; ++i)
        QTest::keyClick(box.get(), Qt::Key_Down);
    EXPECT_EQ(box->Buf().GetCurLine(), 9);
    const int scroll = box->verticalScrollBar()->value();
    EXPECT_GT(scroll, 0);
    EXPECT_GE(scroll + box->viewport()->height(), 10 * 18);
    // A click lands on the line drawn under it, not on the line at that
    // height before scrolling.
    const int drawnTop = 9 * 18 - scroll;
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, QPoint(45, drawnTop - 9));
    EXPECT_EQ(box->Buf().GetCurLine(), 8);
}

} // namespace orv
