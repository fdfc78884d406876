// The kinds of PLC variables: bits, words with state texts, numbers and texts.
#pragma once

#include "model/project/PrjVar.h"
#include "model/project/StateTxts.h"

namespace orv {

// The kinds of PLC variables. Every one is built with the flags
// 0xC0003FFF, reference 0 and use count 0.

// One bit of a data word, with a text for each of its two states.
class CPrjVarBit : public CPrjVar {
public:
    CPrjVarBit(std::string_view name, int16_t adr, uint8_t setpKind, uint8_t type, uint32_t bitNr, CTextPool* pool);

    void MarkPlcBits(CDrvParColl* items) const override;
    void SetStateTxt(int i, const char* text) override;
    std::unique_ptr<CPrjVar> Clone(std::string_view name) const override;
    const char* GetStateTxt(int i) const override;
    CTextPool* GetTextPool() const override { return m_pool; }
    int MaxStateIdx() const override { return 1; }
    void FreeKindData() override { FreeTxts(); }
    uint8_t GetExtByte0() const override { return static_cast<uint8_t>(m_bitNr); }

    uint32_t GetBitNr() const { return m_bitNr; }
    void SetBitNr(uint32_t bitNr) { m_bitNr = bitNr; }
    const CSharedStr* GetStateTxtRef(int i) const { return m_txts.Ref(i); }
    void FreeTxts() { m_txts.ReleaseAll(); }

private:
    uint32_t m_bitNr;
    CStateTxts m_txts{2};
    CTextPool* m_pool;
};

// A word whose value selects one of states 0..n.
class CPrjVarString : public CPrjVar {
public:
    static constexpr int kMaxStateIdx = 255;

    CPrjVarString(std::string_view name, int16_t adr, uint8_t setpKind, uint8_t type, CTextPool* pool);

    void MarkPlcBits(CDrvParColl* items) const override;
    void SetStateTxt(int i, const char* text) override;
    std::unique_ptr<CPrjVar> Clone(std::string_view name) const override;
    const char* GetStateTxt(int i) const override;
    CTextPool* GetTextPool() const override { return m_pool; }
    int MaxStateIdx() const override { return m_last; }
    void FreeKindData() override { FreeTxts(); }
    uint8_t GetExtByte0() const override { return m_last; }

    // n is cut to 255; states above the new n are released.
    void SetTxtCount(int n);
    // Releases the texts and the slot array; n becomes 0.
    void FreeTxts();
    const CSharedStr* GetStateTxtRef(int i) const;

private:
    uint8_t m_last = 0;
    CStateTxts m_txts;
    CTextPool* m_pool;
};

// A BCD number of one or two words.
class CPrjVarBcd : public CPrjVar {
public:
    CPrjVarBcd(std::string_view name, int16_t adr, uint8_t setpKind, uint8_t type, uint8_t digits, int32_t lower,
               int32_t upper, uint8_t flag);

    void MarkPlcBits(CDrvParColl* items) const override;
    std::unique_ptr<CPrjVar> Clone(std::string_view name) const override;
    int WordCount() const override;
    int32_t GetExtWord1() const override { return m_lower; }
    int32_t GetExtWord2() const override { return m_upper; }
    void SetExtWord1(int32_t v) override { m_lower = v; }
    void SetExtWord2(int32_t v) override { m_upper = v; }
    uint8_t GetExtByte0() const override { return m_digits; }
    uint8_t GetExtByte12() const override { return m_flag; }

    // Stored as 1 for any value but 0.
    void SetFlag(uint8_t flag) { m_flag = flag != 0 ? 1 : 0; }

private:
    uint8_t m_digits;
    int32_t m_lower;
    int32_t m_upper;
    uint8_t m_flag;
};

// An unsigned binary number of one or two words with decimals and a
// scaling pair.
class CPrjVarBin : public CPrjVar {
public:
    CPrjVarBin(std::string_view name, int16_t adr, uint8_t setpKind, uint8_t type, uint8_t digits, uint8_t decimals,
               int32_t lower, int32_t upper, int32_t third, int32_t fourth);

    void MarkPlcBits(CDrvParColl* items) const override;
    std::unique_ptr<CPrjVar> Clone(std::string_view name) const override;
    int WordCount() const override;
    int32_t GetExtWord1() const override { return m_values[0]; }
    int32_t GetExtWord2() const override { return m_values[1]; }
    int32_t GetExtWord3() const override { return m_values[2]; }
    int32_t GetExtWord4() const override { return m_values[3]; }
    void SetExtWord1(int32_t v) override { m_values[0] = v; }
    void SetExtWord2(int32_t v) override { m_values[1] = v; }
    void SetExtWord3(int32_t v) override { m_values[2] = v; }
    void SetExtWord4(int32_t v) override { m_values[3] = v; }
    uint8_t GetExtByte0() const override { return m_digits; }
    uint8_t GetExtByte1() const override { return m_decimals; }

protected:
    // d, or d + e + 1 with decimals; the signed kind adds one for the sign.
    void UpdateWidth();
    virtual int SignWidth() const { return 0; }
    void SetDigitsOnly(uint8_t digits) { m_digits = digits; }
    void SetDecimalsOnly(uint8_t decimals) { m_decimals = decimals; }

private:
    uint8_t m_digits;
    uint8_t m_decimals;
    int32_t m_values[4];
};

// The signed binary number.
class CPrjVarVbin : public CPrjVarBin {
public:
    CPrjVarVbin(std::string_view name, int16_t adr, uint8_t setpKind, uint8_t type, uint8_t digits, uint8_t decimals,
                int32_t lower, int32_t upper, int32_t third, int32_t fourth);

    std::unique_ptr<CPrjVar> Clone(std::string_view name) const override;

    void SetDigits(uint8_t digits);
    void SetDecimals(uint8_t decimals);

protected:
    int SignWidth() const override { return 1; }
};

// A data word shown whole: form 0 KM (bits), 1 KH (hex), 2 KY (bytes).
class CPrjVarWord : public CPrjVar {
public:
    CPrjVarWord(std::string_view name, int16_t adr, uint8_t setpKind, uint8_t type, uint8_t form);

    void MarkPlcBits(CDrvParColl* items) const override;
    std::unique_ptr<CPrjVar> Clone(std::string_view name) const override;
    uint8_t GetExtByte0() const override { return m_form; }

    // Another form keeps the width.
    void SetForm(uint8_t form);

private:
    uint8_t m_form = 0;
};

// Characters in n data words, two per word.
class CPrjVarAscii : public CPrjVar {
public:
    CPrjVarAscii(std::string_view name, int16_t adr, uint8_t setpKind, uint8_t type, uint8_t words);

    void MarkPlcBits(CDrvParColl* items) const override;
    std::unique_ptr<CPrjVar> Clone(std::string_view name) const override;
    int WordCount() const override { return m_words; }
    uint8_t GetExtByte0() const override { return m_words; }

private:
    uint8_t m_words;
};

// A PLC timer word with a text for each of its four time bases.
class CPrjVarTimer : public CPrjVar {
public:
    CPrjVarTimer(std::string_view name, int16_t adr, uint8_t setpKind, uint8_t type, CTextPool* pool);

    void MarkPlcBits(CDrvParColl* items) const override;
    void SetStateTxt(int i, const char* text) override;
    std::unique_ptr<CPrjVar> Clone(std::string_view name) const override;
    const char* GetStateTxt(int i) const override;
    CTextPool* GetTextPool() const override { return m_pool; }
    int MaxStateIdx() const override { return 3; }
    void FreeKindData() override { FreeTxts(); }

    const CSharedStr* GetStateTxtRef(int i) const { return m_txts.Ref(i); }
    void FreeTxts() { m_txts.ReleaseAll(); }

private:
    static constexpr int kExtraWidth = 3;

    CStateTxts m_txts{4};
    CTextPool* m_pool;
};

} // namespace orv
