// Internal variables: values the panel's firmware keeps itself, with the names
// by which user and source text may refer to them.
#pragma once

#include "model/project/PrjVar.h"
#include "model/project/StateTxts.h"

namespace orv {

// A value the panel's firmware keeps itself. Besides its short name it has
// a descriptive name by which the user and the source text may name it.
// Internal kinds clone as a plain variable (the base clone).
class CPrjIntVar : public CPrjVar {
public:
    CPrjIntVar(std::string_view name, int16_t adr, uint32_t flags, uint8_t setpKind, uint8_t type,
               int32_t firstValue, int32_t settingValue);

    void FreeKindData() override { m_origName.clear(); }
    int32_t GetExtWord0() const override { return m_firstValue; }
    // The value the project's settings write into the variable.
    int32_t GetExtWord1() const override { return m_settingValue; }
    void SetExtWord1(int32_t v) override { m_settingValue = v; }

    const std::string& GetOrigName() const { return m_origName; }
    void SetOrigName(std::string_view name) { m_origName = name; }

private:
    // Held as 32 bits: firmware images carry it as a double word.
    int32_t m_firstValue;
    int32_t m_settingValue;
    std::string m_origName;
};

// An internal variable whose value selects one of states 0..n.
class CPrjIntVarStr : public CPrjIntVar {
public:
    static constexpr int kMaxStateIdx = 255;

    // The pool may be null: such a variable keeps no texts.
    CPrjIntVarStr(std::string_view name, uint32_t flags, uint8_t setpKind, uint8_t type, int32_t firstValue,
                  int32_t settingValue, CTextPool* pool);

    // For the softkey rows "[Z084]" and "[Z085]" the highest index follows
    // i; their slots grow to take it.
    void SetStateTxt(int i, const char* text) override;
    const char* GetStateTxt(int i) const override;
    CTextPool* GetTextPool() const override { return m_pool; }
    int MaxStateIdx() const override { return m_last; }
    void FreeKindData() override;
    uint8_t GetExtByte12() const override { return m_last; }

    // n is cut to 255; every slot not kept is released.
    void SetTxtCount(int n);
    // Releases every slot and the array; n becomes 0.
    void FreeTxts();
    const CSharedStr* GetStateTxtRef(int i) const;
    // Slots allocated, also above a lowered highest index.
    size_t GetSlotCount() const { return m_txts.Size(); }

private:
    uint8_t m_last = 0;
    CStateTxts m_txts;
    CTextPool* m_pool;
};

// An internal number with digits, decimals and limits.
class CPrjIntVarNum : public CPrjIntVar {
public:
    CPrjIntVarNum(std::string_view name, uint32_t flags, uint8_t setpKind, uint8_t type, int32_t firstValue,
                  int32_t settingValue, uint8_t digits, uint8_t decimals, int32_t lower, int32_t upper);

    int32_t GetExtWord4() const override { return m_lower; }
    int32_t GetExtWord5() const override { return m_upper; }
    uint8_t GetExtByte12() const override { return m_digits; }
    uint8_t GetDecimals() const { return m_decimals; }

private:
    uint8_t m_digits;
    uint8_t m_decimals;
    int32_t m_lower;
    int32_t m_upper;
};

// The date: its byte value is the date mode.
class CPrjIntVarByte : public CPrjIntVar {
public:
    CPrjIntVarByte(std::string_view name, int16_t adr, uint32_t flags, uint8_t setpKind, uint8_t type,
                   int32_t firstValue, int32_t settingValue, uint8_t value);

    uint8_t GetExtByte12() const override { return m_value; }
    void SetValue(uint8_t value) { m_value = value; }

private:
    uint8_t m_value;
};

// An internal value 8 characters wide (the time).
class CPrjIntVarW8 : public CPrjIntVar {
public:
    CPrjIntVarW8(std::string_view name, int16_t adr, uint32_t flags, uint8_t setpKind, uint8_t type,
                 int32_t firstValue, int32_t settingValue);
};

// An internal value 17 characters wide.
class CPrjIntVarW17 : public CPrjIntVar {
public:
    CPrjIntVarW17(std::string_view name, uint32_t flags, uint8_t setpKind, uint8_t type, int32_t firstValue,
                  int32_t settingValue);
};

// An internal value 40 characters wide with a value of its own.
class CPrjIntVarW40 : public CPrjIntVar {
public:
    CPrjIntVarW40(std::string_view name, uint32_t flags, uint8_t setpKind, uint8_t type, int32_t firstValue,
                  int32_t settingValue, int32_t value);

    int32_t GetValue() const { return m_value; }

private:
    int32_t m_value;
};

// A character sequence from the firmware image, kept as hex digit pairs.
class CPrjIntVarHex : public CPrjIntVar {
public:
    CPrjIntVarHex(std::string_view name, uint32_t flags, uint8_t setpKind, uint8_t type, int32_t firstValue,
                  int32_t settingValue, std::string_view hexText);

    void FreeKindData() override;

    const std::string& GetHexText() const { return m_hexText; }
    void SetHexText(std::string_view text) { m_hexText = text; }

private:
    std::string m_hexText;
};

} // namespace orv
