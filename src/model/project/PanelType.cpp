// Panel type queries answered from the panel table, folding the 755 variant into
// its base 47 the same way for projects and files.
#include "model/project/PanelType.h"

namespace orv {

bool PanelType::Is(uint16_t code) const
{
    const PanelRow* asked = FindPanel(code);
    if (asked && asked->variant != 0)
        return m_type == code || (m_type == asked->base && m_variant);
    return m_type == code;
}

const PanelRow* PanelType::Row() const { return FindPanel(FileCodeOf(m_type, m_variant)); }

bool PanelType::InFamily(Family family) const
{
    const PanelRow* row = Row();
    return row && row->family == family;
}

bool PanelType::IsNarrow() const
{
    const PanelRow* row = Row();
    return row && row->columns == 20;
}

} // namespace orv
