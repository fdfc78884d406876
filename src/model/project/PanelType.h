// A panel type as projects and files name it, the query every layer asks instead
// of comparing panel codes.
#pragma once

#include "model/project/PanelTable.h"

#include <cstdint>

namespace orv {

// A panel as a project or a file names it, answering from the panel table.
// Panel 755 is kept in a project as 47 with the variant flag, while a source
// file names it as 755 itself; one query serves both, so that a check reads
// the same whichever of the two types it tests.
class PanelType {
public:
    PanelType(uint16_t type, bool variant) : m_type(type), m_variant(variant) {}

    uint16_t Code() const { return m_type; }
    // 755: 47 with the variant, or 755 itself. 47: 47 with or without the
    // variant (not the file type 755). Any other code: equal type.
    bool Is(uint16_t code) const;
    // The row the panel answers from: 47 with the variant takes the row of
    // 755; nullptr for a code of no panel.
    const PanelRow* Row() const;
    bool InFamily(Family family) const;
    // Rows of 20 characters.
    bool IsNarrow() const;

private:
    uint16_t m_type;
    bool m_variant;
};

} // namespace orv
