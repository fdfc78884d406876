// The list view's table: positions from outside are clamped or ignored, so
// that a stale row number from a view never reaches past the rows.
#include "workspace/LstTable.h"

#include <algorithm>

namespace orv {

void CLstTable::AddColumn(std::string header, int width, LstColumn::Align align)
{
    m_columns.push_back({std::move(header), width, align});
    Changed();
}

void CLstTable::DeleteAllColumns()
{
    m_columns.clear();
    Changed();
}

int CLstTable::InsertRow(int pos, LstCell label, int image)
{
    pos = std::clamp(pos, 0, GetRowCount());
    LstRow row;
    row.cells.push_back(std::move(label));
    row.image = image;
    m_rows.insert(m_rows.begin() + pos, std::move(row));
    // The selection stays on its row.
    if (m_selected >= pos)
        ++m_selected;
    Changed();
    return pos;
}

void CLstTable::SetCell(int row, int column, LstCell cell)
{
    if (row < 0 || row >= GetRowCount() || column < 0)
        return;
    std::vector<LstCell>& cells = m_rows[static_cast<size_t>(row)].cells;
    if (static_cast<size_t>(column) >= cells.size())
        cells.resize(static_cast<size_t>(column) + 1);
    cells[static_cast<size_t>(column)] = std::move(cell);
    Changed();
}

void CLstTable::DeleteRow(int row)
{
    if (row < 0 || row >= GetRowCount())
        return;
    m_rows.erase(m_rows.begin() + row);
    if (m_selected == row)
        m_selected = -1;
    else if (m_selected > row)
        --m_selected;
    Changed();
}

void CLstTable::DeleteAllRows()
{
    m_rows.clear();
    m_rowIndex.clear();
    m_selected = -1;
    Changed();
}

std::string CLstTable::Text(int row, int column) const
{
    if (row < 0 || row >= GetRowCount() || column < 0)
        return {};
    const std::vector<LstCell>& cells = m_rows[static_cast<size_t>(row)].cells;
    return static_cast<size_t>(column) < cells.size() ? cells[static_cast<size_t>(column)].text : std::string();
}

int CLstTable::RowToIndex(int row) const
{
    return row >= 0 && row < GetRowIndexCount() ? m_rowIndex[static_cast<size_t>(row)] : -1;
}

void CLstTable::SetStyle(Style style, int iconSpacing)
{
    m_style = style;
    m_iconSpacing = iconSpacing;
    Changed();
}

} // namespace orv
