// The character table without a window: where each code's cell lies, which
// codes a click may pick, the information line and the selection the frame
// keeps between runs.
#pragma once

#include "workspace/StartSel.h"

#include <cstdint>
#include <optional>
#include <string>

namespace orv {

class CDlgRunner;

class CDlgCharSelForm {
public:
    static constexpr int kCodes = 256;
    static constexpr int kTableColumns = 32;
    static constexpr int kPitchX = 19;
    static constexpr int kPitchY = 23;
    static constexpr int kOrigin = 3;
    static constexpr int kCellWidth = 18;
    static constexpr int kCellHeight = 22;

    // A cell's inner rectangle; its frame is drawn one pixel outside.
    struct CellRect {
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
        bool operator==(const CellRect&) const = default;
    };
    // What a click changed: the cells to repaint.
    struct Selection {
        int previous = 0;
        int selected = 0;
    };

    // Before each run: the panel's ranges, and the preselected character as
    // the selected and the previous code.
    void SetRanges(const CharRanges& ranges);
    const CharRanges& Ranges() const { return m_ranges; }

    // Codes 0 to the last valid one have a cell.
    int CellCount() const;
    int TableRows() const { return (CellCount() + kTableColumns - 1) / kTableColumns; }
    static CellRect CellOf(int code);
    // The code whose cell strictly contains the point; a border line or a
    // point beside the table has none.
    std::optional<int> CodeAt(int x, int y) const;

    bool IsValid(int code) const;
    bool IsDefinable(int code) const;

    int Selected() const { return m_selected; }
    int Previous() const { return m_previous; }
    // "editieren" is enabled.
    bool CanEdit() const { return IsDefinable(m_selected); }
    // The line shown under the table; empty until a valid code was clicked
    // in this run. Panel bytes.
    const std::string& Info() const { return m_info; }
    static std::string InfoLine(int code);

    // Selects the valid code under the point. A point on no cell, or on a
    // code the panel cannot show, changes nothing at all.
    std::optional<Selection> Click(int x, int y);
    // The second press of a double click: the code to hand on, or nothing
    // when the point lies on a code that a click ignores.
    std::optional<int> DoubleClick(int x, int y);
    // "editieren": the character editor on the selected code when it is
    // definable; false when nothing ran or the user cancelled.
    bool Edit(CDlgRunner& runner) const;

private:
    // A cell whose code a click ignores.
    bool IsRefused(int x, int y) const;

    CharRanges m_ranges;
    int m_selected = 0;
    int m_previous = 0;
    std::string m_info;
};

} // namespace orv
