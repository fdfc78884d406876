// Names of variable formats and setpoint kinds, read from constant tables.
#include "model/project/VarFmt.h"
#include "model/project/VarType.h"

#include <array>
#include <string_view>

namespace orv {

namespace {

constexpr std::array<std::string_view, 30> kFmtNames = {
    "Bit",     "String",  "BCD-1",   "BCD-01",  "BCD-2",  "BCD-02",
    "BIN-1",   "BIN-01",  "BIN-A",   "BIN-0A",  "BIN-2",  "BIN-02",
    "BIN-B",   "BIN-0B",  "VBIN-1",  "VBIN-01", "VBIN-A", "VBIN-0A",
    "VBIN-2",  "VBIN-02", "VBIN-B",  "VBIN-0B", "BIN2",   "BIN-02",
    "Word",    "Ascii",   "Timer",   "Intern",  "CSTRING", "Misc",
};
constexpr int32_t kMiscName = 29;

constexpr std::array<std::string_view, 3> kSollNames = {"Ist", "Soll", "Soll-P"};

}  // namespace

CVarFmt::CVarFmt(int typeCode) : m_fmtClass(FmtBit), m_nameIndex(kMiscName) {
    switch (typeCode) {
    case vartype::kBcd1: m_fmtClass = FmtBcd; m_nameIndex = 2; break;
    case vartype::kBcd01: m_fmtClass = FmtBcd; m_nameIndex = 3; break;
    case vartype::kBcd2: m_fmtClass = FmtBcd; m_nameIndex = 4; break;
    case vartype::kBcd02: m_fmtClass = FmtBcd; m_nameIndex = 5; break;
    case vartype::kIntBin2: m_fmtClass = FmtBinary; m_nameIndex = 22; break;
    case vartype::kIntBin02: m_fmtClass = FmtBinary; m_nameIndex = 23; break;
    case vartype::kBit: m_fmtClass = FmtBit; m_nameIndex = 0; break;
    case vartype::kString: case vartype::kSString: case vartype::kIntString: case vartype::kIntSString:
        m_fmtClass = FmtString; m_nameIndex = 1; break;
    case vartype::kCString: case vartype::kIntCString:
        m_fmtClass = FmtString; m_nameIndex = 28; break;
    case vartype::kWordPlain: case vartype::kWord: m_fmtClass = FmtWord; m_nameIndex = 24; break;
    case vartype::kAscii: m_fmtClass = FmtAscii; m_nameIndex = 25; break;
    case vartype::kTimer: m_fmtClass = FmtTimer; m_nameIndex = 26; break;
    default:
        if (typeCode >= 2 && typeCode <= 9) {
            m_fmtClass = FmtBinary;
            m_nameIndex = 6 + (typeCode - 2);
        } else if (typeCode >= 18 && typeCode <= 25) {
            m_fmtClass = FmtBinary;
            m_nameIndex = 14 + (typeCode - 18);
        } else if (typeCode >= 249 && typeCode <= 255) {
            m_fmtClass = FmtSpecial;
        }
        break;
    }
}

std::string CVarFmt::GetName() const {
    return std::string(kFmtNames[static_cast<std::size_t>(m_nameIndex)]);
}

CSollKind::CSollKind(int kind) : m_nameIndex(kind >= 1 && kind <= 3 ? kind - 1 : -1) {}

std::string CSollKind::GetName() const {
    if (m_nameIndex < 0) return {};
    return std::string(kSollNames[static_cast<std::size_t>(m_nameIndex)]);
}

} // namespace orv
