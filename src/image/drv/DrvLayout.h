// Where a driver entry keeps its fields, per family, so readers and writers
// share the offsets.
#pragma once

#include "image/drv/DrvRange.h"

#include <cstdint>

namespace orv {

// Where a driver entry keeps its fields. Header offsets count from the
// entry's start; a field's characters 5.. are the ones that count in the
// version and kind fields. The 706 family stores panel addresses where the
// other families store offsets.
namespace drvlayout {

// Both families: the entry's length, in words in the 706 family.
inline constexpr int32_t kLength = 0;

struct Header {
    int32_t fileNameAt;  // the driver's file name, 12 characters
    int32_t copyNameAt;  // the name of the project's copy
    int32_t versionAt;   // version field
    int32_t kindAt;      // driver kind field
    int32_t nameStampAt; // the driver's name as a stamp
    int32_t dateStampAt; // the driver's date as a stamp
};

inline constexpr Header k706{6, 26, 64, 46, 40, 20};
inline constexpr Header k043{29, 3, 46, 20, 18, 44};

inline const Header& HeaderOf(DrvFamily family)
{
    return family == DrvFamily::F706 ? k706 : k043;
}

// The 706 family.
inline constexpr int32_t k706Magic = 4; // word 481 in a valid entry
inline constexpr uint16_t k706MagicValue = 481;
inline constexpr int32_t k706BlockSize = 88; // word; below 20 the entry has no parameter block
inline constexpr uint16_t k706NoParams = 20;
inline constexpr int32_t k706Chain = 98;     // dword: panel address of the first parameter element
inline constexpr int32_t k706ParamAdr = 106; // dword: panel address of the parameter block

// The other families.
inline constexpr int32_t k043Mark = 2; // byte 0xE1 in a valid entry
inline constexpr uint8_t k043MarkValue = 0xE1;
inline constexpr int32_t k043ChangeTime = 16; // DOS time and date of the last change
inline constexpr int32_t k043ChangeDate = 18;
// Word: offset of the parameter chain's count byte; the word before that
// place holds the parameter block's offset.
inline constexpr int32_t k043ParPtr = 65;

// The parameter block (the cross-reference tables), counted from its start.
inline constexpr int32_t kBlockMark = 2; // "QVL" and the form: 'S' short, 'E' extended, else long
inline constexpr int32_t kBlockCount = 6;
inline constexpr int32_t kBlockLimits = 8;
inline constexpr int32_t kBlockRecSize = 20;
inline constexpr int32_t kBlockExtRecSize = 22;
inline constexpr int32_t kBlockRecords = 28;
inline constexpr int32_t kBlockExtRecords = 58;
inline constexpr int32_t kBlockDefs = 30;

} // namespace drvlayout

} // namespace orv
