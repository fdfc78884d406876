#pragma once

#include <cstdint>

struct PrjBundle;

// The project root. Holds so far the panel type and the panel variant that
// the character set and the PLC parameters read through the bundle.
class CPrjData {
public:
    explicit CPrjData(PrjBundle* owner);
    virtual ~CPrjData();

    PrjBundle* GetOwner() const { return m_owner; }

    void SetDevType(uint16_t type) { m_devType = type; }
    uint16_t GetDevType() const { return m_devType; }

    // 1: the ".2" variant of panel 47.
    void SetVariant(uint16_t variant) { m_variant = variant; }
    uint16_t GetVariant() const { return m_variant; }

private:
    PrjBundle* m_owner;
    uint16_t m_devType = 14;
    uint16_t m_variant = 0;
};
