// The 706 family firmware image reader: the built-in variables of panels 473, 477
// and 706.
#pragma once

#include "image/firmware/FirmwareFile.h"

#include <cstdint>
#include <memory>
#include <string>

namespace orv {

// The firmware image of panel types 473, 477 and 706. The firmware runs at
// panel address 0x40000, so panel address A lies at file offset A - 0x40000;
// address 0 means none.
class CFirmware : public CFirmwareFile {
public:
    static constexpr uint32_t kLoadAdr = 0x40000;
    static constexpr uint16_t kMagic = 451;

    CFirmware(const std::string& path, PrjBundle* bundle);

    // The magic word at 4.
    [[nodiscard]] bool IsValid() const;
    // The stored file name, up to its first blank, is exactly the firmware
    // file name of the current panel type.
    [[nodiscard]] bool NameMatches() const;

private:
    void ReadVarChain() override;
    // The three date bytes, shown "%02X.%02X.%02X" last byte first.
    std::string DateText(const std::string& bytes) const override;

    struct Entry;

    [[nodiscard]] bool ReadEntry(uint64_t at, Entry& entry) const;
    // The variable of the entry's type code, its type data read; null for a
    // type that makes none, or when a read failed (ok false).
    std::unique_ptr<CPrjVar> MakeVar(const Entry& entry, bool& ok) const;
    std::unique_ptr<CPrjVar> MakeStrVar(const Entry& entry, bool& ok) const;
    [[nodiscard]] bool ReadHexText(uint64_t at, std::string& hex) const;
    // Panel address to file offset; false below the load address.
    [[nodiscard]] static bool ToOffset(uint32_t adr, uint64_t& offset);
};

} // namespace orv
