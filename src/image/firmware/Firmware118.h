// The 118 family firmware image reader: the built-in variables of panels 118, 163
// and 167.
#pragma once

#include "image/firmware/FirmwareFile.h"

#include <cstdint>
#include <memory>
#include <string>

namespace orv {

class CPrjIntVarStr;

// The firmware image of panel types 118, 163 and 167. A 16-bit panel
// address A lies at file offset (A - 0x4000) mod 65536; address 0 means
// none.
class CFirmware118 : public CFirmwareFile {
public:
    CFirmware118(const std::string& path, PrjBundle* bundle);

private:
    // Every entry's variable goes to the variable list with the entry's
    // panel address as its 32-bit attribute.
    void ReadVarChain() override;

    struct Entry;

    // Six digits taken as three two-digit numbers, "%02d.%02d.%02d".
    std::string DateText(const std::string& digits) const override;

    [[nodiscard]] bool ReadEntry(uint64_t at, Entry& entry) const;
    std::unique_ptr<CPrjVar> MakeVar(const Entry& entry, bool& ok) const;
    [[nodiscard]] bool ReadStateTexts(const Entry& entry, CPrjIntVarStr& var) const;

    static uint64_t ToOffset(uint16_t adr);
};

} // namespace orv
