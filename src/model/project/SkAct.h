// Softkey actions: shared groups of writes to PLC data words that function keys
// run.
#pragma once

#include "model/core/PrjList.h"

#include <cstdint>
#include <string>

namespace orv {

// A softkey action: a numbered, optionally named group of up to eight write
// operations on PLC data words, shared by the function keys that run it.
class CPrjSkAct : public CObj {
public:
    static constexpr int kOps = 8;
    // Operation codes and how a value is written in the source text.
    enum : uint16_t { kOpNone = 0, kOpWrite = 1, kOpAnd = 2, kOpOr = 3 };
    enum : uint16_t { kFmtNone = 0, kFmtDec = 1, kFmtHex = 2, kFmtBin = 3 };
    // The address an unused operation holds.
    static constexpr uint16_t kUnusedAdr = 10;

    // The name is copied; null leaves the action without one.
    CPrjSkAct(int32_t num, const char* name);

    int32_t GetNum() const { return m_num; }
    // Changes the key: while the action is listed, only through the list.
    void SetNum(int32_t num) { m_num = num; }
    void SetName(const char* name);
    // Null when the action has no name.
    const char* GetName() const { return m_hasName ? m_name.c_str() : nullptr; }

    // Every operation i outside 0..7 is ignored, and read as 0.
    // SetOp marks the operation used by its code and keeps the other fields.
    void SetOp(int i, uint16_t code);
    void SetAdr(int i, uint16_t adr);
    void SetValue(int i, uint16_t value);
    void SetFormat(int i, uint16_t format);
    // Code 0 resets the operation to unused: address 10, value 0, format 0.
    void SetOperation(int i, uint16_t code, uint16_t adr, uint16_t value, uint16_t format);
    uint16_t GetOp(int i) const;
    uint16_t GetAdr(int i) const;
    uint16_t GetValue(int i) const;
    uint16_t GetFormat(int i) const;
    uint8_t IsOpUsed(int i) const;

    // How many press or release places of softkey texts hold the action.
    int32_t GetUseCount() const { return m_useCount; }
    void AddUse() { ++m_useCount; }
    // Never below 0; gives the new count.
    int32_t ReleaseUse();

private:
    struct Operation {
        uint16_t code = kOpNone;
        uint16_t adr = kUnusedAdr;
        uint16_t value = 0;
        uint16_t format = kFmtNone;
        uint8_t used = 0;
    };

    static bool InRange(int i) { return i >= 0 && i < kOps; }

    int32_t m_num;
    bool m_hasName = false;
    std::string m_name;
    Operation m_ops[kOps];
    int32_t m_useCount = 0;
};

// The project's softkey actions, keyed by the low byte of the number.
class CPrjSkActList : public CPrjList<CPrjSkAct> {
public:
    using CPrjList::CPrjList;

    int Compare(const void* key1, const void* key2) const override;

    // A copy of the source's name and operations under the number, inserted
    // without use; null for a null source or when the number's key is taken.
    CPrjSkAct* CopyAct(const CPrjSkAct* source, int32_t num);
    // False, with nothing changed, when another action holds the number's key.
    bool Renumber(CPrjSkAct* act, int32_t num);
    // An action that softkey texts still run is kept (false): deleting it
    // would leave their key places pointing at freed memory.
    bool DelAct(CPrjSkAct* act);
    void FreeAllActs() { DeleteAll(); }

    // Compares the whole number.
    CPrjSkAct* FindByNum(int32_t num) const;
    // The highest-numbered action above 0.
    CPrjSkAct* FindHighest() const;

private:
    CPrjSkAct* FindByKey(int32_t num) const;
};

} // namespace orv
