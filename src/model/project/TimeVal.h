// The project's time switches and their on-periods of the week.
#pragma once

#include "model/core/Coll.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

// An on-period of a week: start and end in seconds from the beginning of
// the week's first day.
class CTimeVal : public CObj {
public:
    static constexpr uint32_t kSecondsPerDay = 86400;

    CTimeVal(uint32_t beg, uint32_t end) : m_beg(beg), m_end(end) {}

    uint32_t GetBeg() const { return m_beg; }
    uint32_t GetEnd() const { return m_end; }

    uint32_t GetBegDay() const { return m_beg / kSecondsPerDay; }
    uint32_t GetBegHour() const { return HourOf(m_beg); }
    uint32_t GetBegMin() const { return MinOf(m_beg); }
    uint32_t GetBegSec() const { return SecOf(m_beg); }
    uint32_t GetEndDay() const { return m_end / kSecondsPerDay; }
    uint32_t GetEndHour() const { return HourOf(m_end); }
    uint32_t GetEndMin() const { return MinOf(m_end); }
    uint32_t GetEndSec() const { return SecOf(m_end); }

    // "dd,hh:mm:ss"
    std::string FormatBeg() const { return Format(m_beg); }
    std::string FormatEnd() const { return Format(m_end); }

private:
    // Seconds since the start of the day, whose first second is taken with
    // the day number cut to a byte.
    static uint32_t InDay(uint32_t t) { return t - (t / kSecondsPerDay % 256) * kSecondsPerDay; }
    static uint32_t HourOf(uint32_t t) { return InDay(t) / 3600; }
    static uint32_t MinOf(uint32_t t) { return InDay(t) % 3600 / 60; }
    static uint32_t SecOf(uint32_t t) { return InDay(t) % 60; }
    static std::string Format(uint32_t t);

    uint32_t m_beg;
    uint32_t m_end;
};

// The periods of a time switch, by start and then by end, each pair once.
class CTimeValList : public CSortedColl {
public:
    CTimeValList(int limit, int step);

    const void* KeyOf(const CObj* item) const override { return item; }
    int Compare(const void* key1, const void* key2) const override;

    // Sorted insert that takes the period: one equal to a present period is
    // destroyed and -1 returned.
    int Add(CTimeVal* value);
    CTimeVal* ValAt(int index) const { return static_cast<CTimeVal*>(At(index)); }

    // Frees all periods.
    void FreeAll();
    int GetCurIdx() const { return m_cur; }
    void SetCurIdx(int index) { m_cur = index; }

private:
    int m_cur = 0;
};

// A numbered, named set of weekly on-periods. Owns its periods.
class CPrjTimer : public CObj {
public:
    // The source text and the images name a time switch with up to 16
    // characters.
    static constexpr size_t kNameMax = 16;

    CPrjTimer(int32_t number, std::string_view name);
    ~CPrjTimer() override;

    uint16_t GetNr() const { return static_cast<uint16_t>(m_number); }
    const std::string& GetName() const { return m_name; }
    // The sort key: only the low byte of the number counts.
    const uint8_t& GetKey() const { return m_key; }
    CTimeValList* GetTimes() const { return m_times; }

    // Takes the period; creates the list first when there is none. Null is
    // ignored; a period already present is destroyed.
    void AddTimeVal(CTimeVal* value);
    // Frees the periods and the list.
    void FreeTimes();

private:
    int32_t m_number;
    uint8_t m_key;
    std::string m_name;
    CTimeValList* m_times;
};

// The time switches of the project by the low byte of their numbers, with
// the entry selected in the views.
class CTimerList : public CSortedColl {
public:
    CTimerList(int limit, int step);

    const void* KeyOf(const CObj* item) const override;
    int Compare(const void* key1, const void* key2) const override;

    // Sorted insert that takes the time switch: one whose number byte is
    // taken is destroyed and -1 returned.
    int Add(CPrjTimer* timer);
    CPrjTimer* TimerAt(int index) const { return static_cast<CPrjTimer*>(At(index)); }

    // Frees the time switch and keeps the current index inside the list.
    // Null and time switches of other lists are ignored.
    void Delete(CPrjTimer* timer);
    void FreeAll();

    CPrjTimer* GetLast() const;
    CPrjTimer* FindByName(std::string_view name) const;
    CPrjTimer* FindByNr(uint16_t number) const;

    int16_t GetCurIdx() const { return m_cur; }
    void SetCurIdx(int16_t index) { m_cur = index; }

private:
    int16_t m_cur = 0;
};

} // namespace orv
