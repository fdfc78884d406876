// What the list view shows, without a window: columns, rows of byte cells, the
// row-to-index table, the font and the style the providers ask for, and the
// selected row. The list view owns one and draws it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

// The code page of a cell's bytes, converted only where it is drawn.
enum class LstCodePage : uint8_t { Cp437, Cp1252 };

struct LstCell {
    std::string text;
    LstCodePage cp = LstCodePage::Cp1252;

    bool operator==(const LstCell&) const = default;
};

// Project bytes: names, row texts, action names, characters.
inline LstCell PanelCell(std::string text) { return {std::move(text), LstCodePage::Cp437}; }
// The program's own texts: catalogue texts, captions, numbers.
inline LstCell SystemCell(std::string text) { return {std::move(text), LstCodePage::Cp1252}; }

struct LstColumn {
    enum class Align : uint8_t { Left, Right };
    // cp1252 bytes.
    std::string header;
    int width = 0;
    Align align = Align::Left;
};

struct LstRow {
    // Cell 0 is the label, the others the sub-items by column.
    std::vector<LstCell> cells;
    int image = 0;
};

class CLstTable {
public:
    enum class Font : uint8_t { System, Console };
    enum class Style : uint8_t { Report, List };

    void AddColumn(std::string header, int width, LstColumn::Align align = LstColumn::Align::Left);
    void DeleteAllColumns();
    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
    const LstColumn& Column(int i) const { return m_columns.at(static_cast<size_t>(i)); }

    // Inserts a row with its label at the position (clamped into the
    // table); gives its row index.
    int InsertRow(int pos, LstCell label, int image = 0);
    // Sets the cell of a column; nothing for a row or column 0 outside the
    // table.
    void SetCell(int row, int column, LstCell cell);
    // Nothing for a row outside the table.
    void DeleteRow(int row);
    // Every row and the row-to-index table.
    void DeleteAllRows();
    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    const LstRow& Row(int i) const { return m_rows.at(static_cast<size_t>(i)); }
    // The cell's text; "" outside the table.
    std::string Text(int row, int column) const;

    // The list index of the element that a row shows, for the providers
    // that show only part of a list; -1 for a row without one.
    void AppendRowIndex(int listIndex) { m_rowIndex.push_back(listIndex); }
    int RowToIndex(int row) const;
    int GetRowIndexCount() const { return static_cast<int>(m_rowIndex.size()); }

    void SetFont(Font font) { m_font = font; }
    Font GetFont() const { return m_font; }
    // The report style, or the list style with its icon spacing.
    void SetStyle(Style style, int iconSpacing = 0);
    Style GetStyle() const { return m_style; }
    int GetIconSpacing() const { return m_iconSpacing; }

    // The row that is selected and has the focus; -1 for none.
    void SetSelected(int row) { m_selected = row >= 0 && row < GetRowCount() ? row : -1; }
    int GetSelected() const { return m_selected; }

    // Counts every change, so that a view knows when to draw again.
    uint32_t GetRevision() const { return m_revision; }

private:
    void Changed() { ++m_revision; }

    std::vector<LstColumn> m_columns;
    std::vector<LstRow> m_rows;
    std::vector<int> m_rowIndex;
    Font m_font = Font::System;
    Style m_style = Style::Report;
    int m_iconSpacing = 0;
    int m_selected = -1;
    uint32_t m_revision = 0;
};

} // namespace orv
