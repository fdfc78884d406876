#pragma once

#include "model/project/PrjVar.h"
#include "model/project/TxtRow.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

namespace orv {

// Variables and rows for the text tests: only type code and width matter.

inline std::unique_ptr<CPrjVar> MakeVar(std::string_view name, uint8_t type, uint8_t width)
{
    auto var = std::make_unique<CPrjVar>(name, 0, CPrjVar::kPlcFlags, 1, type);
    var->SetWidth(width);
    return var;
}

struct SlotAt {
    CPrjVar* var;
    uint8_t col;
};

inline CTxtVarSlots SlotsOf(std::initializer_list<SlotAt> slots)
{
    CTxtVarSlots record;
    int i = 0;
    for (const SlotAt& s : slots) {
        record.SetVar(i, s.var);
        record.SetCol(i, s.col);
        ++i;
    }
    return record;
}

inline std::unique_ptr<CPrjTxtRow> MakeRow(uint8_t num, std::string_view text, std::initializer_list<SlotAt> slots = {})
{
    const CTxtVarSlots record = SlotsOf(slots);
    return std::make_unique<CPrjTxtRow>(num, text, &record);
}

// A field of frame characters as the 706 character set draws it (kinds 1..4
// are the codes 1..4).
inline std::string Field706(int width)
{
    if (width == 1)
        return std::string(1, '\x01');
    return '\x02' + std::string(static_cast<size_t>(width - 2), '\x03') + '\x04';
}

} // namespace orv
