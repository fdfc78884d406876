#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "model/project/SpsPar.h"

namespace orv {

struct PrjBundle;

// Builds a CSpsPar with driver parameter items on given data words, as the
// start-selection configuration would: Sys(5).Var(20).Msg(40, 100).Build().
class SpsParBuilder {
public:
    SpsParBuilder& Type(uint16_t type);
    SpsParBuilder& Offset(uint16_t offset);
    SpsParBuilder& Length(uint16_t length);
    // A SYS item whose text is catalogue entry 1170 + textNo.
    SpsParBuilder& Sys(uint16_t word, uint8_t textNo = 1, uint8_t direction = 1);
    SpsParBuilder& Var(uint16_t word, uint8_t direction = 3);
    // A MSG item for the messages start..start+15; letter 40 is "H".
    SpsParBuilder& Msg(uint16_t word, uint16_t start, uint8_t letterTextNo = 40,
                       uint8_t direction = 1);

    // The flag byte of the item already added on the word; a flagged item
    // may be given a direction a variable needs.
    SpsParBuilder& Flag(uint16_t word, uint8_t flag = 1);

    std::unique_ptr<CSpsPar> Build(PrjBundle* bundle = nullptr) const;

private:
    enum class Kind { Sys, Var, Msg };
    struct Item {
        Kind kind;
        uint16_t word;
        uint8_t direction;
        uint8_t textNo;
        uint16_t start;
        uint8_t flag = 0;
    };

    uint16_t m_type = 33;
    uint16_t m_offset = 0;
    uint16_t m_length = 256;
    std::vector<Item> m_items;
};

} // namespace orv
