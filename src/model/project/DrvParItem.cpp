// A reserved PLC data word and its use count; kind names come from the
// catalogues so every view spells them alike.
#include "model/project/DrvParItem.h"

#include <cstdio>

#include "model/core/Catalogues.h"

namespace orv {

namespace {

// Driver item kinds and their purposes are catalogue texts from this number.
constexpr uint16_t kItemTextBase = 1170;

const char* ItemText(uint8_t textNo) {
    return ResourceTXT(static_cast<uint16_t>(kItemTextBase + textNo));
}

}  // namespace

const std::string& CDrvParItem::GetText() const {
    static const std::string kNone;
    return m_text ? *m_text : kNone;
}

void CDrvParItem::ResetUse() {
    m_useCount = 0;
    if (m_defDirection != 0) m_direction = static_cast<uint8_t>(m_defDirection);
    if (m_defKind != 0) m_kind = static_cast<uint8_t>(m_defKind);
    m_mark = kResetMark;
}

CDrvParSysItem::CDrvParSysItem(uint16_t number, uint8_t direction, uint8_t textNo)
    : CDrvParItem(number, KindSys, direction), m_textNo(textNo) {
    SetText(ItemText(m_textNo));
}

void CDrvParSysItem::Refresh() { SetText(ItemText(m_textNo)); }

CDrvParVarItem::CDrvParVarItem(uint16_t number, uint8_t direction)
    : CDrvParItem(number, KindVar, direction) {
    SetDefDirection(DirToPanel | DirToPlc);
    SetDefKind(KindVar);
}

void CDrvParVarItem::Reset() {
    m_mask = 0;
    FreeText();
    ResetUse();
}

void CDrvParVarItem::UseBy(std::string_view name) {
    SetText(name);
    AddUse();
}

void CDrvParVarItem::SetMaskBit(unsigned bit, bool on) {
    if (bit >= 16) return;
    const auto b = static_cast<uint16_t>(1u << bit);
    if (on) {
        m_mask = static_cast<uint16_t>(m_mask | b);
        if (GetUseCount() == 0) FreeText();
    } else {
        m_mask = static_cast<uint16_t>(m_mask & ~b);
    }
}

void CDrvParVarItem::SetMask(uint16_t mask) {
    m_mask = mask;
    if (mask != 0 && GetUseCount() == 0) FreeText();
}

CDrvParMsgItem::CDrvParMsgItem(uint16_t number, uint8_t direction, uint16_t start,
                               uint8_t letterTextNo)
    : CDrvParVarItem(number, direction), m_letterTextNo(letterTextNo), m_start(start) {
    SetKind(KindMsg);
    SetDefKind(KindMsg);
    SetText(RangeText());
}

std::string CDrvParMsgItem::RangeText() const {
    const char letter = ItemText(m_letterTextNo)[0];
    const unsigned start = m_start;
    char buf[40];
    if (letter != '\0')
        std::snprintf(buf, sizeof buf, "%c%4u .. %c%4u", letter, start + 15, letter, start);
    else
        std::snprintf(buf, sizeof buf, "%4u .. %4u", start + 15, start);
    return buf;
}

void CDrvParMsgItem::Refresh() {
    if (GetUseCount() == 0 && GetMask() == 0) SetText(RangeText());
}

void CDrvParMsgItem::Reset() {
    CDrvParVarItem::Reset();
    m_bitsA = m_bitsB = 0;
    SetText(RangeText());
}

void CDrvParMsgItem::ClearMask() {
    CDrvParVarItem::ClearMask();
    Refresh();
}

void CDrvParMsgItem::SetBitKind(unsigned bit, int kind) {
    if (bit >= 16) return;
    const auto b = static_cast<uint16_t>(1u << bit);
    const bool inA = kind == 2 || kind == 4;
    const bool inB = kind == 3 || kind == 4;
    m_bitsA = static_cast<uint16_t>(inA ? (m_bitsA | b) : (m_bitsA & ~b));
    m_bitsB = static_cast<uint16_t>(inB ? (m_bitsB | b) : (m_bitsB & ~b));
}

} // namespace orv
