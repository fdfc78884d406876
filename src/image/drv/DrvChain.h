// The parameter elements of a driver entry as every walker sees them, whatever
// the family's layout.
#pragma once

#include "image/drv/DrvEntry.h"
#include "model/core/StepResult.h"

#include <cstdint>
#include <functional>
#include <string>

namespace orv {

// One parameter element of a driver entry, as far as every walker needs it.
// Offsets are relative to the entry.
struct DrvElement {
    static constexpr uint16_t kNumber = 134;
    static constexpr uint16_t kChoice = 142;

    int32_t at = 0;
    std::string name;
    // kNumber, kChoice, or the stored code of a kind nobody reads.
    uint16_t type = 0;
    // 706: the stored class byte; 043 elements have none.
    uint8_t cls = 0;
    int32_t valueAt = 0;
    // 043 choices keep their setting in one byte.
    uint8_t valueSize = 4;
    // Where digits, decimals and limits, or the highest text index and the
    // text table, begin.
    int32_t detailAt = 0;
    // 706: where the first value is.
    int32_t firstAt = -1;
};

// What a number element adds.
struct DrvNumber {
    uint32_t first = 0;
    uint8_t digits = 0;
    uint8_t decimals = 0;
    uint32_t lower = 0;
    uint32_t upper = 0;
};

// Visits each element of the entry's parameter chain in order. visit gives
// false to stop early. The walk fails (-1) at a failed read, at an element
// outside the entry and at an element it visited before, so that no chain
// can loop; 1 otherwise.
StepResult WalkDrvChain(const DrvEntry& entry, const std::function<bool(const DrvElement&)>& visit);

StepResult ReadDrvSetting(const DrvEntry& entry, const DrvElement& element, uint32_t& value);
StepResult WriteDrvSetting(const DrvEntry& entry, const DrvElement& element, uint32_t value);
StepResult ReadDrvNumber(const DrvEntry& entry, const DrvElement& element, DrvNumber& number);
StepResult ReadDrvHighest(const DrvEntry& entry, const DrvElement& element, uint16_t& highest);
// Text i of a choice, at most 40 characters.
StepResult ReadDrvChoiceText(const DrvEntry& entry, const DrvElement& element, int i, std::string& text);

} // namespace orv
