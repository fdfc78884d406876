#pragma once

#include <cstdint>

// Answers which panel a type code stands for. Panel 755 is kept in a
// project as 47 with the variant flag, while a source file names it as 755
// itself; one query serves both, so that a check reads the same whichever
// of the two types it tests.
class PanelType {
public:
    PanelType(uint16_t type, bool variant) : m_type(type), m_variant(variant) {}

    uint16_t Code() const { return m_type; }
    // 755: 47 with the variant, or 755 itself. 47: 47 with or without the
    // variant (not the file type 755). Any other code: equal type.
    bool Is(uint16_t code) const;
    // 14, 36, 43, 47 (and 755).
    bool In43Family() const;
    // 118, 163, 167.
    bool In118Family() const;
    // 473, 477, 706.
    bool In706Family() const;
    // Rows of 20 characters: 14 and 118.
    bool IsNarrow() const { return m_type == 14 || m_type == 118; }

private:
    uint16_t m_type;
    bool m_variant;
};
