// The character editor without a window: the pixel grid of one glyph, drawn
// on a copy of its rows, and the rules by which OK stores the character into
// the project's definitions and the panel font.
#pragma once

#include "model/project/CharDef.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace orv {

class CFon;
class CPrjData;

// What storing a character did to the project's definitions.
enum class CharStoreAction { None, Insert, Update, Delete };

struct CharStoreResult {
    CharStoreAction action = CharStoreAction::None;
    // The project was marked modified.
    bool changed = false;
};

// Stores the eight glyph rows (pixels in bits 7..3) of a code as the
// project's definition by the panel type's rules: codes 8..15 as 0..7 and an
// empty character removed on the panels with low user characters, the code
// itself and every character kept on those with high ones, nothing on any
// other panel or without the collection.
CharStoreResult StoreCharDef(CPrjData* prj, unsigned code, const CCharDef::Rows& glyphRows);

class CDlgCharEditForm {
public:
    static constexpr int kCell = 20;
    static constexpr int kGridTop = 20;
    static constexpr int kColumns = 5;

    struct Cell {
        int row = 0;
        int column = 0;
        bool operator==(const Cell&) const = default;
    };

    // Takes a copy of the code's glyph rows from the family's font (1 "alt",
    // 2 "706", 3 "int"); 706 shows 7 rows, the others 8. A code above 255 or
    // a missing font leaves no glyph.
    void SetChar(unsigned code, int family, const CFon* font);
    unsigned Code() const { return m_code; }
    int Family() const { return m_family; }
    int Rows() const { return m_rows; }
    bool HasGlyph() const { return m_glyph.has_value(); }

    // The grid is centred in the client width.
    void SetClientWidth(int width) { m_clientWidth = width; }
    int GridLeft() const { return m_clientWidth / 2 - kColumns * kCell / 2; }

    // The cell under a client point; nothing outside the grid or without a
    // glyph.
    std::optional<Cell> HitTest(int x, int y) const;
    // Inverts the pixel under the point in the copy; the cell it changed.
    std::optional<Cell> Click(int x, int y);
    bool IsLit(int row, int column) const;
    // The edited rows; all zero without a glyph.
    CCharDef::Rows Copy() const { return m_glyph.value_or(CCharDef::Rows{}); }

    // OK: the copy is stored into the project; only when that changed it
    // does the copy go into the family's font and the font file get
    // written. Cancel is simply not calling this: the font never saw the
    // edits.
    CharStoreResult Confirm(CPrjData* prj, CFon* font, const std::function<bool()>& writeFont) const;

private:
    unsigned m_code = 0;
    int m_family = 1;
    int m_rows = CCharDef::kRows;
    int m_clientWidth = 0;
    std::optional<CCharDef::Rows> m_glyph;
};

} // namespace orv
