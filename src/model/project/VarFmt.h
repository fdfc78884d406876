// Format class, format name and setpoint kind of a variable, as the variable
// list and dialog show them.
#pragma once

#include <cstdint>
#include <string>

namespace orv {

// Format class and format name of a variable type code, as the variable list
// and the variable dialog show them.
class CVarFmt {
public:
    // Format classes.
    enum : int32_t {
        FmtBit = 0,
        FmtString = 1,
        FmtBinary = 2,
        FmtTimer = 3,
        FmtBcd = 4,
        FmtAscii = 5,
        FmtWord = 6,
        FmtSpecial = 11,
    };

    explicit CVarFmt(int typeCode);
    virtual ~CVarFmt() = default;

    int32_t GetFmtClass() const { return m_fmtClass; }
    std::string GetName() const;

private:
    int32_t m_fmtClass;
    int32_t m_nameIndex;
};

// Name of a variable's setpoint kind: 1 actual value, 2 setpoint, 3 protected
// setpoint. Any other kind (internal and interface variables carry 4) has an
// empty name.
class CSollKind {
public:
    explicit CSollKind(int kind);

    std::string GetName() const;

private:
    int32_t m_nameIndex;  // -1: no name
};

} // namespace orv
