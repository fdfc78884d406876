// What the display editor shows, as plain draw items: the painter only fills
// rectangles and draws glyphs and names, so every rule of the picture is
// tested without a display.
#pragma once

#include "workspace/DspGeometry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv {

class CDspEdit;

struct DspColours {
    static constexpr uint32_t kPanel = 0xC0C0C0;
    static constexpr uint32_t kPanelBorder = 0x606060;
    static constexpr uint32_t kDisplay = 0x009CA5;
    static constexpr uint32_t kCell = 0x00ADDE;
    static constexpr uint32_t kCaret = 0xFFFF00;
    static constexpr uint32_t kVarBox = 0xFFFFDE;
    static constexpr uint32_t kVarName = 0xFF0000;
    static constexpr uint32_t kVarNameDragged = 0x0000FF;
    static constexpr uint32_t kGlyph = 0x000000;
};

struct DspCellItem {
    int row = 0;   // page row
    int col = 0;
    DspRect rect;
    unsigned char code = ' ';
};

struct DspVarItem {
    int row = 0;
    int col = 0;   // first column
    int width = 0;
    DspRect rect;
    std::string name;   // code page 437 bytes
    uint32_t textColour = DspColours::kVarName;
};

// A triangle as three lines: the base, and from both ends of the base to
// the middle of the opposite edge.
struct DspTriangle {
    int baseY = 0;
    int left = 0;
    int right = 0;
    int tipX = 0;
    int tipY = 0;
};

struct DspScene {
    bool panel = false;
    DspRect face;
    DspRect display;
    int displayRadius = 0;
    // Only with a text on a display whose rows can be laid out.
    bool text = false;
    std::vector<DspCellItem> cells;
    std::vector<DspVarItem> vars;
    // The caret's fill over its cell, present only with the focus.
    std::optional<DspRect> caret;
    // Paging, for texts of more than one page.
    bool paging = false;
    DspRect pageNum;
    int page = 0;
    DspRect pageUp;
    DspRect pageDown;
    std::optional<DspTriangle> upTriangle;
    std::optional<DspTriangle> downTriangle;
    int glyphHeight = 0;
    int nameHeight = 0;
};

struct DspSceneInput {
    bool focus = false;
    bool insertMode = false;
    int listType = 0;
};

DspScene BuildDspScene(const CDspGeometry& geo, const CDspEdit& edit, const DspSceneInput& in);

} // namespace orv
