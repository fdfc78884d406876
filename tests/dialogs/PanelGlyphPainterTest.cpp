#include "dialogs/PanelGlyphPainter.h"

#include "model/project/Fon.h"
#include "support/FonFixture.h"
#include "support/TempDir.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace orv {

namespace {

constexpr QRgb kGlyphWhite = 0xFFFFFFFF;

class dialogs_panel_glyphs : public ::testing::Test {
protected:
    void Load(const FonFixtureOptions& options = {})
    {
        m_dir.Write("p.fon", BuildFixtureFon(options));
        ASSERT_EQ(1, m_fon.Load(m_dir.File("p.fon")));
    }

    // The glyph painted into a white image exactly as large as the cell.
    QImage Paint(const CFon* font, unsigned code, QSize cell, int s) const
    {
        QImage image(cell, QImage::Format_RGB32);
        image.fill(kGlyphWhite);
        QPainter painter(&image);
        CPanelGlyphPainter::DrawGlyph(painter, font, code, QRect(QPoint(0, 0), cell), s, Qt::black);
        painter.end();
        return image;
    }

    // What the glyph's rows say the pixel at image (x, y) must be.
    static bool Lit(unsigned code, int width, int s, QPoint origin, int x, int y)
    {
        const int px = (x - origin.x()) / s;
        const int row = (y - origin.y()) / s;
        if (x < origin.x() || y < origin.y() || px >= width || row >= 8)
            return false;
        const uint8_t bits = px < 8 ? FixtureRow(static_cast<int>(code), row)
                                    : FixtureRow2(static_cast<int>(code), row);
        return (bits & (0x80 >> (px % 8))) != 0;
    }

    static int LitCount(const QImage& image)
    {
        int lit = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                lit += image.pixel(x, y) != kGlyphWhite ? 1 : 0;
        return lit;
    }

    TempDir m_dir;
    CFon m_fon{0};
};

TEST_F(dialogs_panel_glyphs, ScaleGrowsByWholePixelsAndNeverBelowOne)
{
    Load();
    struct Case {
        int height;
        int scale;
    };
    const Case cases[] = {{7, 1}, {8, 1}, {25, 3}, {0, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.height);
        EXPECT_EQ(c.scale, CPanelGlyphPainter::ScaleForHeight(&m_fon, c.height));
    }
    EXPECT_EQ(1, CPanelGlyphPainter::ScaleForHeight(nullptr, 25));
}

// Every pixel of the cell is checked against the glyph rows, so a mirrored bit
// order, a wrong row or an off-centre glyph all show.
TEST_F(dialogs_panel_glyphs, LitPixelsBecomeSquaresCentredInTheCell)
{
    struct Case {
        bool twoColumns;
        unsigned code;
        int s;
        QSize cell;
    };
    const Case cases[] = {
        {false, 'A', 1, {9, 12}},
        {false, 'A', 3, {21, 30}},
        {false, 0x1F, 3, {15, 24}},
        {true, 'A', 1, {14, 10}},
        {true, 0x5E, 2, {24, 20}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.code << " s " << c.s << " wide " << c.twoColumns);
        FonFixtureOptions options;
        options.twoColumns = c.twoColumns;
        Load(options);
        const int width = c.twoColumns ? 10 : 5;
        EXPECT_EQ(QSize(width * c.s, 8 * c.s), CPanelGlyphPainter::GlyphSize(&m_fon, c.code, c.s));
        const QImage image = Paint(&m_fon, c.code, c.cell, c.s);
        const QPoint origin((c.cell.width() - width * c.s) / 2, (c.cell.height() - 8 * c.s) / 2);
        int lit = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const bool want = Lit(c.code, width, c.s, origin, x, y);
                lit += want ? 1 : 0;
                ASSERT_EQ(want ? qRgb(0, 0, 0) : kGlyphWhite, image.pixel(x, y)) << x << "," << y;
            }
        }
        EXPECT_GT(lit, 0);
    }
}

TEST_F(dialogs_panel_glyphs, TenPixelGlyphTakesItsRightPartFromTheSecondColumn)
{
    FonFixtureOptions options;
    options.twoColumns = true;
    Load(options);
    // Code 2, row 0: second column 0x80 lights pixel 8 only; 2 << 3 lights pixel 3.
    const QImage image = Paint(&m_fon, 2, {10, 8}, 1);
    EXPECT_EQ(qRgb(0, 0, 0), image.pixel(8, 0));
    EXPECT_EQ(kGlyphWhite, image.pixel(9, 0));
    EXPECT_EQ(qRgb(0, 0, 0), image.pixel(3, 0));
}

TEST_F(dialogs_panel_glyphs, NothingToDrawPaintsNothing)
{
    FonFixtureOptions options;
    options.glyphs = 128;
    Load(options);
    EXPECT_EQ(0, LitCount(Paint(nullptr, 'A', {20, 20}, 2)));
    EXPECT_EQ(0, LitCount(Paint(&m_fon, 200, {20, 20}, 2)));
    EXPECT_GT(LitCount(Paint(&m_fon, 127, {20, 20}, 2)), 0);
    EXPECT_TRUE(CPanelGlyphPainter::GlyphSize(nullptr, 'A', 1).isEmpty());
    EXPECT_TRUE(CPanelGlyphPainter::GlyphSize(&m_fon, 200, 1).isEmpty());
    CFon unloaded(0);
    EXPECT_EQ(0, LitCount(Paint(&unloaded, 'A', {20, 20}, 2)));
}

} // namespace

} // namespace orv
