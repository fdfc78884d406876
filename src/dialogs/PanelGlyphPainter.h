// Draws characters the way the panel shows them: from the panel font's own
// raster glyphs, grown by whole pixels, never from a system font.
#pragma once

#include <QColor>
#include <QRect>
#include <QSize>

class QPainter;

namespace orv {

class CFon;

// Holds no font: callers pass the frame's current screen font at each paint,
// so loading or unloading a font never leaves a painter pointing at freed
// glyphs. A null font, or a code without a glyph, draws nothing.
class CPanelGlyphPainter {
public:
    // The whole-pixel factor by which a raster font reaches a requested
    // pixel height; at least 1 so a small cell still shows the glyph.
    static int ScaleForHeight(const CFon* font, int pixelHeight);

    // The glyph's extent at factor s; empty when there is nothing to draw.
    static QSize GlyphSize(const CFon* font, unsigned code, int s);

    // Each lit pixel becomes an s × s square, the row byte's leftmost pixel
    // in bit 7, the pixels past the eighth from the second byte column; the
    // glyph is centred in `cell`.
    static void DrawGlyph(QPainter& painter, const CFon* font, unsigned code, const QRect& cell,
                          int s, const QColor& colour);
};

} // namespace orv
