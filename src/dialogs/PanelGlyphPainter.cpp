// Raster glyphs of the panel font scaled by whole pixels, so a character looks
// on screen as it will on the panel.
#include "dialogs/PanelGlyphPainter.h"

#include "model/project/Fon.h"

#include <QPainter>

#include <algorithm>

namespace orv {

namespace {

// A glyph is drawn only with a real height and width the rows can hold: the
// loader refuses wider fonts, but the painter does not rely on it.
bool GlyphDrawable(const CFon* font, unsigned code, const TSZeichenInfo** info, int* rows)
{
    if (font == nullptr || font->GetHeader() == nullptr)
        return false;
    const TSZeichenInfo* glyph = font->GetCharInfo(code);
    if (glyph == nullptr || glyph->width == 0 || glyph->width > 16)
        return false;
    const int height = std::min<int>(font->GetHeader()->dfPixHeight, kMaxGlyphRows);
    if (height <= 0)
        return false;
    *info = glyph;
    *rows = height;
    return true;
}

} // namespace

int CPanelGlyphPainter::ScaleForHeight(const CFon* font, int pixelHeight)
{
    if (font == nullptr || font->GetHeader() == nullptr || font->GetHeader()->dfPixHeight == 0)
        return 1;
    return std::max(1, pixelHeight / static_cast<int>(font->GetHeader()->dfPixHeight));
}

QSize CPanelGlyphPainter::GlyphSize(const CFon* font, unsigned code, int s)
{
    const TSZeichenInfo* glyph = nullptr;
    int rows = 0;
    if (s < 1 || !GlyphDrawable(font, code, &glyph, &rows))
        return {};
    return {glyph->width * s, rows * s};
}

void CPanelGlyphPainter::DrawGlyph(QPainter& painter, const CFon* font, unsigned code, const QRect& cell,
                                   int s, const QColor& colour)
{
    const TSZeichenInfo* glyph = nullptr;
    int rows = 0;
    if (s < 1 || !GlyphDrawable(font, code, &glyph, &rows))
        return;
    const int left = cell.left() + (cell.width() - glyph->width * s) / 2;
    const int top = cell.top() + (cell.height() - rows * s) / 2;
    for (int r = 0; r < rows; ++r) {
        const auto row = static_cast<size_t>(r);
        for (int px = 0; px < glyph->width; ++px) {
            const uint8_t bits = px < 8 ? glyph->rows[row] : glyph->rows2[row];
            if ((bits & (0x80 >> (px % 8))) != 0)
                painter.fillRect(left + px * s, top + r * s, s, s, colour);
        }
    }
}

} // namespace orv
