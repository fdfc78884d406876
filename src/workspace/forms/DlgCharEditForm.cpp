// Edits a copy of one glyph's rows, so that the frame's font, which the views
// draw from, changes only once the project holds the character.
#include "workspace/forms/DlgCharEditForm.h"

#include "model/project/CharDef.h"
#include "model/project/Fon.h"
#include "model/project/PanelTable.h"
#include "model/project/PrjData.h"

#include <algorithm>
#include <memory>

namespace orv {

namespace {

constexpr int kFamily706 = 2;
// The panels with low user characters define codes 8..15 as 0..7.
constexpr int kLowUserCharBase = 8;

uint8_t ColumnBit(int column)
{
    return static_cast<uint8_t>(0x80 >> column);
}

} // namespace

CharStoreResult StoreCharDef(CPrjData* prj, unsigned code, const CCharDef::Rows& glyphRows)
{
    CCharDefColl* defs = prj != nullptr ? prj->GetCharDefColl() : nullptr;
    const PanelRow* panel = prj != nullptr ? FindPanel(prj->GetDevType()) : nullptr;
    if (defs == nullptr || panel == nullptr)
        return {};
    const int number = panel->highUserChars ? static_cast<int>(code) : static_cast<int>(code) - kLowUserCharBase;
    // A definition number outside a byte would land on another character.
    if (number < 0 || number > 255)
        return {};
    CCharDef::Rows rows{};
    std::transform(glyphRows.begin(), glyphRows.end(), rows.begin(),
                   [](uint8_t bits) { return static_cast<uint8_t>(bits >> 3); });
    const bool empty = std::all_of(rows.begin(), rows.end(), [](uint8_t bits) { return bits == 0; });
    CCharDef* def = defs->FindByCode(static_cast<uint16_t>(number));
    if (empty && !panel->highUserChars) {
        if (def == nullptr)
            return {};
        prj->DelCharDef(def);
        prj->SetModified(true);
        return {CharStoreAction::Delete, true};
    }
    if (def == nullptr) {
        // Adopted rather than inserted raw: a list that refuses it frees it.
        if (defs->Adopt(std::make_unique<CCharDef>(static_cast<uint8_t>(number), rows)) == nullptr)
            return {};
        prj->SetModified(true);
        return {CharStoreAction::Insert, true};
    }
    bool changed = false;
    for (int row = 0; row < CCharDef::kRows; ++row) {
        if (def->GetRow(row) != rows[static_cast<size_t>(row)]) {
            def->SetRow(row, rows[static_cast<size_t>(row)]);
            changed = true;
        }
    }
    if (changed)
        prj->SetModified(true);
    return {CharStoreAction::Update, changed};
}

void CDlgCharEditForm::SetChar(unsigned code, int family, const CFon* font)
{
    m_code = code;
    m_family = family;
    m_rows = family == kFamily706 ? 7 : CCharDef::kRows;
    m_glyph.reset();
    const TSZeichenInfo* info = font != nullptr ? font->GetCharInfo(code) : nullptr;
    if (info == nullptr)
        return;
    CCharDef::Rows rows{};
    std::copy_n(info->rows.begin(), rows.size(), rows.begin());
    m_glyph = rows;
}

std::optional<CDlgCharEditForm::Cell> CDlgCharEditForm::HitTest(int x, int y) const
{
    const int left = GridLeft();
    if (!m_glyph || x < left || x >= left + kColumns * kCell || y < kGridTop || y >= kGridTop + m_rows * kCell)
        return std::nullopt;
    return Cell{(y - kGridTop) / kCell, (x - left) / kCell};
}

std::optional<CDlgCharEditForm::Cell> CDlgCharEditForm::Click(int x, int y)
{
    const std::optional<Cell> cell = HitTest(x, y);
    if (cell)
        (*m_glyph)[static_cast<size_t>(cell->row)] ^= ColumnBit(cell->column);
    return cell;
}

bool CDlgCharEditForm::IsLit(int row, int column) const
{
    if (!m_glyph || row < 0 || row >= CCharDef::kRows || column < 0 || column >= kColumns)
        return false;
    return ((*m_glyph)[static_cast<size_t>(row)] & ColumnBit(column)) != 0;
}

CharStoreResult CDlgCharEditForm::Confirm(CPrjData* prj, CFon* font, const std::function<bool()>& writeFont) const
{
    if (!m_glyph)
        return {};
    const CharStoreResult result = StoreCharDef(prj, m_code, *m_glyph);
    if (!result.changed)
        return result;
    if (TSZeichenInfo* info = font != nullptr ? font->GetCharInfo(m_code) : nullptr)
        std::copy(m_glyph->begin(), m_glyph->end(), info->rows.begin());
    if (writeFont)
        writeFont();
    return result;
}

} // namespace orv
