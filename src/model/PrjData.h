#pragma once

#include <cstdint>
#include <memory>

struct PrjBundle;
class CPrjVarList;
class CPrjKomVarList;

// The project root. Holds so far the panel type and the panel variant that
// the character set and the PLC parameters read through the bundle, the
// variable lists and the makers of the interface variables.
class CPrjData {
public:
    explicit CPrjData(PrjBundle* owner);
    virtual ~CPrjData();
    CPrjData(const CPrjData&) = delete;
    CPrjData& operator=(const CPrjData&) = delete;

    // The root built last and not yet destroyed, or null.
    static CPrjData* GetCurrent();

    PrjBundle* GetOwner() const { return m_owner; }

    void SetDevType(uint16_t type) { m_devType = type; }
    uint16_t GetDevType() const { return m_devType; }

    // 1: the ".2" variant of panel 47.
    void SetVariant(uint16_t variant) { m_variant = variant; }
    uint16_t GetVariant() const { return m_variant; }

    // Display width of the panel in characters.
    int GetDspWidth() const;

    CPrjVarList* GetVarList() const { return m_vars.get(); }
    CPrjKomVarList* GetKomVarList() const { return m_komVars.get(); }

    // (Re)place the interface variables of date and time, of the recipe
    // numbers and of the printer texts at the data words from first on; the
    // items of the group's old words (from oldFirst) are released first.
    void MakeDateTimeVars(uint16_t first, uint16_t oldFirst);
    void MakeRcpNumVars(uint16_t first, uint16_t oldFirst);
    void MakePrnTxtVars(uint16_t first, uint16_t oldFirst);

private:
    PrjBundle* m_owner;
    uint16_t m_devType = 14;
    uint16_t m_variant = 0;
    // The variables' state texts live in a pool outside the lists, which must
    // outlive them.
    std::unique_ptr<CPrjVarList> m_vars;
    std::unique_ptr<CPrjKomVarList> m_komVars;
};
