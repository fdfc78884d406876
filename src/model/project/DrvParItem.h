// One reserved PLC data word of the driver's data area; variables and message
// bits are bound to these items.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/core/Coll.h"

namespace orv {

class CPrjVarList;

// One data word of the PLC data area that the PLC driver reserves: a system
// word (SYS), a free word for variables (VAR) or a message word (MSG).
class CDrvParItem : public CObj {
public:
    enum : uint8_t { KindSys = 1, KindVar = 2, KindMsg = 4 };
    // Direction bits: 1 PLC to panel ("<"), 2 panel to PLC (">").
    enum : uint8_t { DirToPanel = 1, DirToPlc = 2 };
    static constexpr uint16_t kResetMark = 999;

    virtual bool IsUsed() const { return true; }
    virtual void Refresh() {}
    virtual void Reset() {}
    virtual void ClearMask() {}
    virtual void ClearBits() {}

    uint16_t GetNumber() const { return m_number; }
    // The collection's sort key.
    const uint16_t& GetNumberRef() const { return m_number; }

    // When set, releasing the item takes its direction from the interface
    // variable on its word.
    uint8_t GetFlag() const { return m_flag; }
    void SetFlag(uint8_t flag) { m_flag = flag; }

    uint8_t GetKind() const { return m_kind; }
    void SetKind(uint8_t kind) { m_kind = kind; }
    uint8_t GetDirection() const { return m_direction; }
    void SetDirection(uint8_t direction) { m_direction = direction; }
    uint8_t GetSimFmt() const { return m_simFmt; }
    void SetSimFmt(uint8_t fmt) { m_simFmt = fmt; }
    uint16_t GetValue() const { return m_value; }
    void SetValue(uint16_t value) { m_value = value; }
    uint16_t GetSimValue() const { return m_simValue; }
    void SetSimValue(uint16_t value) { m_simValue = value; }
    uint16_t GetDefKind() const { return m_defKind; }
    void SetDefKind(uint16_t kind) { m_defKind = kind; }
    // The direction a reset restores (0: none).
    uint16_t GetDefDirection() const { return m_defDirection; }
    uint16_t GetUseCount() const { return m_useCount; }
    uint16_t GetMark() const { return m_mark; }

    bool HasText() const { return m_text.has_value(); }
    // The item's text; empty when it has none.
    const std::string& GetText() const;
    void SetText(std::string_view text) { m_text.emplace(text); }
    void FreeText() { m_text.reset(); }

    void AddUse() { ++m_useCount; }
    void ClearUse() { m_useCount = 0; }
    void SubUse() {
        if (m_useCount > 0) --m_useCount;
    }

protected:
    CDrvParItem(uint16_t number, uint8_t kind, uint8_t direction)
        : m_number(number), m_kind(kind), m_direction(direction) {}

    void SetDefDirection(uint16_t direction) { m_defDirection = direction; }
    // No users, direction and kind back to their defaults where those are
    // set, and the reset mark.
    void ResetUse();

private:
    uint8_t m_flag = 0;
    uint16_t m_number;
    uint8_t m_kind;
    uint8_t m_direction;
    std::optional<std::string> m_text;
    uint8_t m_simFmt = 1;
    uint16_t m_value = 0;
    uint16_t m_simValue = 0;
    uint16_t m_useCount = 0;
    uint16_t m_defDirection = 0;
    uint16_t m_defKind = 0;
    uint16_t m_mark = kResetMark;
};

// A system word; its text names the word's purpose in the catalogue.
class CDrvParSysItem : public CDrvParItem {
public:
    CDrvParSysItem(uint16_t number, uint8_t direction, uint8_t textNo);

    uint8_t GetTextNo() const { return m_textNo; }
    void Refresh() override;

private:
    uint8_t m_textNo;
};

// A word free for variables; used while a variable or a mask bit holds it.
class CDrvParVarItem : public CDrvParItem {
public:
    CDrvParVarItem(uint16_t number, uint8_t direction);

    bool IsUsed() const override { return GetUseCount() > 0 || m_mask != 0; }
    void Reset() override;
    void ClearMask() override { m_mask = 0; }

    // The text becomes the variable's name and the item has one user more.
    void UseBy(std::string_view name);
    // The text becomes the name; the users are not counted.
    void SetName(std::string_view name) { SetText(name); }
    // One user less; the item is then named after a PLC variable left on
    // its word, else after the interface variable there while users remain.
    // Without both lists it keeps no text.
    virtual void Release(const CPrjVarList* vars, const CPrjVarList* ifcVars);

    uint16_t GetMask() const { return m_mask; }
    // Bits 0..15 of the mask; any other bit number changes nothing.
    void SetMaskBit(unsigned bit, bool on);
    void SetMask(uint16_t mask);

protected:
    // The release steps both kinds share; false when, with both lists
    // given, no variable is left to name the item (it then has no users).
    bool ReleaseToVariables(const CPrjVarList* vars, const CPrjVarList* ifcVars);

private:
    uint16_t m_mask = 0;
};

// A message word: sixteen message bits, each with a priority kept in two
// bit masks; unused, its text shows the range of message numbers it carries.
class CDrvParMsgItem : public CDrvParVarItem {
public:
    CDrvParMsgItem(uint16_t number, uint8_t direction, uint16_t start, uint8_t letterTextNo);

    bool IsUsed() const override { return true; }
    void Refresh() override;
    void Reset() override;
    void ClearMask() override;
    void ClearBits() override { m_bitsA = m_bitsB = 0; }

    // As for a VAR item; with no variable left on the word the range text
    // comes back.
    void Release(const CPrjVarList* vars, const CPrjVarList* ifcVars) override;

    // Message priority of a bit: 2 info, 3 warning, 4 fault, else none.
    // Bits from 16 change nothing.
    void SetBitKind(unsigned bit, int kind);

    uint16_t GetBitsA() const { return m_bitsA; }
    uint16_t GetBitsB() const { return m_bitsB; }
    uint16_t GetStart() const { return m_start; }
    uint8_t GetLetterTextNo() const { return m_letterTextNo; }
    // "X 115 .. X 100" for start 100: the higher message number first.
    std::string RangeText() const;

private:
    uint16_t m_bitsA = 0;
    uint16_t m_bitsB = 0;
    uint8_t m_letterTextNo;
    uint16_t m_start;
};

} // namespace orv
