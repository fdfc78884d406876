// The project's message texts and the binding of message numbers to the PLC's
// message bits.
#pragma once

#include "model/project/NumList.h"

#include <cstdint>

namespace orv {

class CPrjData;
class CSpsPar;

// Where message numbers are bound to message bits: the project root gives
// the panel type, the PLC parameters the driver parameter items.
struct MsgBitReq {
    const CPrjData* prjData = nullptr;
    CSpsPar* spsPar = nullptr;
};

// A message text that the panel shows when the PLC sets its message bit.
class CMsgTxt : public CPrjNumEntry {
public:
    enum : uint8_t { PrioInfo = 2, PrioWarning = 3, PrioFault = 4 };

    CMsgTxt(int32_t num, uint8_t prio, uint8_t delMode, uint8_t alarm);

    // 2 INFO, 3 WARNING, 4 FAULT; any other value: no priority.
    uint8_t GetPrio() const { return m_prio; }
    void SetPrio(uint8_t prio) { m_prio = prio; }
    // 1..5: how the panel clears the message.
    uint8_t GetDelMode() const { return m_delMode; }
    void SetDelMode(uint8_t mode) { m_delMode = mode; }
    // Stored as 1 for any value but 0.
    void SetAlarm(uint8_t alarm) { m_alarm = alarm != 0 ? 1 : 0; }
    uint8_t IsAlarm() const { return m_alarm; }

    // Sets the priority of the message's bit in the PLC message word that
    // carries it, when that word's item is a message item.
    void MarkMsgBit(const MsgBitReq& req) const;

private:
    uint8_t m_prio;
    uint8_t m_delMode;
    uint8_t m_alarm;
};

class CMsgTxtRange : public CMsgTxt, public CNumRange {
public:
    CMsgTxtRange(int32_t lowest, int32_t highest, uint8_t prio, uint8_t delMode, uint8_t alarm);
};

class CMsgTxtList : public CPrjNumList {
public:
    using CPrjNumList::CPrjNumList;

    CMsgTxt* MsgAt(int index) const { return static_cast<CMsgTxt*>(ItemAt(index)); }

    // A copy of the source under the number (-1: a template with the range
    // 0..1023), with the source's priority, delete mode and alarm flag;
    // inserted and made current. Null for a null source or a number in use.
    CMsgTxt* NewEntry(const CMsgTxt* source, int32_t num);
    // Lets every message text mark its message bit.
    void MarkMsgBits(const MsgBitReq& req) const;
};

// A history text.
class CHistTxt : public CPrjNumEntry {
public:
    using CPrjNumEntry::CPrjNumEntry;
};

class CHistTxtRange : public CHistTxt, public CNumRange {
public:
    CHistTxtRange(int32_t lowest, int32_t highest);
};

class CHistTxtList : public CPrjNumList {
public:
    using CPrjNumList::CPrjNumList;

    // A copy of the source under the number (-1: a template with the range
    // 0..1023); inserted and made current. Null for a null source or a
    // number in use.
    CHistTxt* NewEntry(const CPrjNumEntry* source, int32_t num);
};

// A help text of one kind.
class CKindTxt : public CPrjNumEntry {
public:
    using CPrjNumEntry::CPrjNumEntry;
};

class CKindTxtRange : public CKindTxt, public CNumRange {
public:
    CKindTxtRange(int32_t lowest, int32_t highest);
};

// The help texts of one kind: 0 DEFAULT (idle text), 1 MENU, 2 INFO,
// 3 WARNING, 4 FAULT, 5 HISTORY, 6 RECIPE.
class CKindTxtList : public CPrjNumList {
public:
    CKindTxtList(int32_t kind, int limit, int delta);

    int32_t GetKind() const { return m_kind; }

    // A copy of the source under the number (-1: a template with the range
    // 0..65535); inserted and made current. Null for a null source or a
    // number in use.
    CKindTxt* NewEntry(const CPrjNumEntry* source, int32_t num);

private:
    int32_t m_kind;
};

} // namespace orv
