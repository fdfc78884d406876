// The base of the project's variables: named values that text rows show, on PLC
// data words or inside the panel.
#pragma once

#include "model/core/Coll.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace orv {

class CDrvParColl;
class CPrjVarList;
class CTextPool;
class CSharedStr;

// A named value that text rows show: PLC variables (type codes below 128)
// live in PLC data words, internal variables (from 128) in the panel.
class CPrjVar : public CObj {
public:
    static constexpr size_t kNameMax = 25;
    static constexpr uint32_t kPlcFlags = 0xC0003FFFu;
    static constexpr uint8_t kFirstIntType = 128;

    // Names are cut at 25 characters.
    CPrjVar(std::string_view name, int16_t adr, uint32_t flags, uint8_t setpKind, uint8_t type);

    // Marks the bits of the variable's data words in the driver items.
    virtual void MarkPlcBits(CDrvParColl* items) const;
    virtual void SetStateTxt(int i, const char* text);
    // A new variable of the same kind under the name; the base gives a
    // plain variable with address, flags, setpoint kind and type.
    virtual std::unique_ptr<CPrjVar> Clone(std::string_view name) const;
    virtual int WordCount() const { return 1; }
    // Text of state i, or null.
    virtual const char* GetStateTxt(int i) const;
    virtual CTextPool* GetTextPool() const { return nullptr; }
    virtual int MaxStateIdx() const { return 0; }
    // Releases what the kind holds beyond the base (state texts, the
    // descriptive name, the hex text) before the variable is deleted.
    virtual void FreeKindData() {}

    // The kind's numbers: first value (internal); lower, upper, third and
    // fourth value, or the setting value (internal, word 1) and the limits
    // of the internal numbers (words 4 and 5). Kinds without them give 0 and
    // ignore a set.
    virtual int32_t GetExtWord0() const { return 0; }
    virtual int32_t GetExtWord1() const { return 0; }
    virtual int32_t GetExtWord2() const { return 0; }
    virtual int32_t GetExtWord3() const { return 0; }
    virtual int32_t GetExtWord4() const { return 0; }
    virtual int32_t GetExtWord5() const { return 0; }
    virtual void SetExtWord1(int32_t) {}
    virtual void SetExtWord2(int32_t) {}
    virtual void SetExtWord3(int32_t) {}
    virtual void SetExtWord4(int32_t) {}
    // Bit number, highest state index, digits, form or word count.
    virtual uint8_t GetExtByte0() const { return 0; }
    // Decimals of BIN and VBIN.
    virtual uint8_t GetExtByte1() const { return 0; }
    // BCD flag; byte value, digits or highest state index of internal kinds.
    virtual uint8_t GetExtByte12() const { return 0; }

    const std::string& GetName() const { return m_name; }
    int16_t GetAdr() const { return m_adr; }
    void SetAdr(int16_t adr) { m_adr = adr; }
    // The panel's address of the variable.
    uint32_t GetAttr32() const { return m_attr32; }
    void SetAttr32(uint32_t ref) { m_attr32 = ref; }
    uint32_t GetFlags() const { return m_flags; }
    void SetFlags(uint32_t flags) { m_flags = flags; }
    uint8_t GetSetpKind() const { return m_setpKind; }
    void SetSetpKind(uint8_t kind) { m_setpKind = kind; }
    uint8_t GetType() const { return m_type; }
    void SetType(uint8_t type) { m_type = type; }
    bool IsInternal() const { return m_type >= kFirstIntType; }
    uint8_t GetWidth() const { return m_width; }
    void SetWidth(uint8_t width) { m_width = width; }
    uint8_t GetMaxWidth() const { return m_maxWidth; }
    void SetMaxWidth(uint8_t width) { m_maxWidth = width; }
    int32_t GetUseCount() const { return m_useCount; }
    void IncUse() { ++m_useCount; }
    void DecUse()
    {
        if (m_useCount > 0)
            --m_useCount;
    }

protected:
    // The whole mask of every data word from the address on.
    void MarkWords(CDrvParColl* items, int words) const;
    uint8_t& WidthRef() { return m_width; }

private:
    // Only the variable list renames, so that its order stays right.
    friend class CPrjVarList;
    // Returns the length plus 1.
    int SetName(std::string_view name);

    std::string m_name;
    int16_t m_adr;
    uint32_t m_attr32 = 0;
    uint32_t m_flags;
    uint8_t m_setpKind;
    uint8_t m_type;
    uint8_t m_width = 0;
    uint8_t m_maxWidth;
    int32_t m_useCount = 0;
};

// The room a new variable may take: the current project's display width,
// 40 without a project.
uint8_t DefaultVarMaxWidth();

} // namespace orv
