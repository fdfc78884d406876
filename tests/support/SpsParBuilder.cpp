#include "support/SpsParBuilder.h"

#include <gtest/gtest.h>

#include "model/project/DrvParItem.h"

namespace orv {

SpsParBuilder& SpsParBuilder::Type(uint16_t type) {
    m_type = type;
    return *this;
}

SpsParBuilder& SpsParBuilder::Offset(uint16_t offset) {
    m_offset = offset;
    return *this;
}

SpsParBuilder& SpsParBuilder::Length(uint16_t length) {
    m_length = length;
    return *this;
}

SpsParBuilder& SpsParBuilder::Sys(uint16_t word, uint8_t textNo, uint8_t direction) {
    m_items.push_back({Kind::Sys, word, direction, textNo, 0});
    return *this;
}

SpsParBuilder& SpsParBuilder::Var(uint16_t word, uint8_t direction) {
    m_items.push_back({Kind::Var, word, direction, 0, 0});
    return *this;
}

SpsParBuilder& SpsParBuilder::Msg(uint16_t word, uint16_t start, uint8_t letterTextNo,
                                  uint8_t direction) {
    m_items.push_back({Kind::Msg, word, direction, letterTextNo, start});
    return *this;
}

SpsParBuilder& SpsParBuilder::Flag(uint16_t word, uint8_t flag) {
    for (Item& it : m_items)
        if (it.word == word) it.flag = flag;
    return *this;
}

std::unique_ptr<CSpsPar> SpsParBuilder::Build(PrjBundle* bundle) const {
    auto sps = std::make_unique<CSpsPar>(bundle);
    sps->SetSpsType(m_type);
    sps->SetOffset(m_offset);
    sps->SetLength(m_length);
    for (const Item& it : m_items) {
        CDrvParItem* item = nullptr;
        switch (it.kind) {
        case Kind::Sys: item = new CDrvParSysItem(it.word, it.direction, it.textNo); break;
        case Kind::Var: item = new CDrvParVarItem(it.word, it.direction); break;
        case Kind::Msg: item = new CDrvParMsgItem(it.word, it.direction, it.start, it.textNo); break;
        }
        item->SetFlag(it.flag);
        if (sps->GetItems().ItemAt(sps->GetItems().Add(item)) != item) {
            ADD_FAILURE() << "SpsParBuilder: two items on word " << it.word;
            delete item;
        }
    }
    return sps;
}

} // namespace orv
