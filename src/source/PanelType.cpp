#include "source/PanelType.h"

bool PanelType::Is(uint16_t code) const
{
    if (code == 755)
        return m_type == 755 || (m_type == 47 && m_variant);
    return m_type == code;
}

bool PanelType::In43Family() const
{
    return m_type == 14 || m_type == 36 || m_type == 43 || m_type == 47 || m_type == 755;
}

bool PanelType::In118Family() const
{
    return m_type == 118 || m_type == 163 || m_type == 167;
}

bool PanelType::In706Family() const
{
    return m_type == 473 || m_type == 477 || m_type == 706;
}
