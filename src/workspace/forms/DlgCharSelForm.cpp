// Picks a character from the panel's table. Codes the panel cannot show are
// never selected, so that neither "editieren" nor a double click acts on one.
#include "workspace/forms/DlgCharSelForm.h"

#include "workspace/DlgRunner.h"

#include <algorithm>
#include <cstdio>

namespace orv {

void CDlgCharSelForm::SetRanges(const CharRanges& ranges)
{
    m_ranges = ranges;
    m_selected = ranges.preselected;
    m_previous = ranges.preselected;
    m_info.clear();
}

int CDlgCharSelForm::CellCount() const
{
    return std::clamp(m_ranges.lastValid + 1, 0, kCodes);
}

CDlgCharSelForm::CellRect CDlgCharSelForm::CellOf(int code)
{
    const int left = kPitchX * (code % kTableColumns) + kOrigin;
    const int top = kPitchY * (code / kTableColumns) + kOrigin;
    return {left, top, left + kCellWidth, top + kCellHeight};
}

std::optional<int> CDlgCharSelForm::CodeAt(int x, int y) const
{
    if (x < kOrigin || y < kOrigin)
        return std::nullopt;
    const int code = (y - kOrigin) / kPitchY * kTableColumns + (x - kOrigin) / kPitchX;
    if ((x - kOrigin) / kPitchX >= kTableColumns || code >= CellCount())
        return std::nullopt;
    const CellRect cell = CellOf(code);
    if (cell.left < x && x < cell.right && cell.top < y && y < cell.bottom)
        return code;
    return std::nullopt;
}

bool CDlgCharSelForm::IsValid(int code) const
{
    const CharRanges& r = m_ranges;
    return code >= r.firstValid && code <= r.lastValid && !(r.firstExcl <= code && code <= r.lastExcl);
}

bool CDlgCharSelForm::IsDefinable(int code) const
{
    return m_ranges.firstDef <= code && code <= m_ranges.lastDef;
}

std::string CDlgCharSelForm::InfoLine(int code)
{
    char rest[40];
    std::snprintf(rest, sizeof rest, "     %3d %s  %2X %s ", code, "(dez)", static_cast<unsigned>(code), "(hex)");
    // The code's own byte, which may be any panel character.
    return std::string(" ") + static_cast<char>(code) + rest;
}

bool CDlgCharSelForm::IsRefused(int x, int y) const
{
    const std::optional<int> code = CodeAt(x, y);
    return code && !IsValid(*code);
}

std::optional<CDlgCharSelForm::Selection> CDlgCharSelForm::Click(int x, int y)
{
    const std::optional<int> code = CodeAt(x, y);
    if (!code || !IsValid(*code))
        return std::nullopt;
    const Selection changed{m_previous, *code};
    m_selected = *code;
    m_previous = *code;
    m_info = InfoLine(*code);
    return changed;
}

std::optional<int> CDlgCharSelForm::DoubleClick(int x, int y)
{
    if (IsRefused(x, y))
        return std::nullopt;
    Click(x, y);
    return m_selected;
}

bool CDlgCharSelForm::Edit(CDlgRunner& runner) const
{
    return CanEdit() && runner.RunCharEdit(static_cast<uint16_t>(m_selected));
}

} // namespace orv
