// Time switches and their week periods, each list sorted with every key once;
// periods print in the "dd,hh:mm:ss" form the views show.
#include "model/project/TimeVal.h"

#include "model/core/CheckedFormat.h"

namespace orv {

std::string CTimeVal::Format(uint32_t t)
{
    return FormatText("%02u,%02u:%02u:%02u", t / kSecondsPerDay, HourOf(t), MinOf(t), SecOf(t));
}

CTimeValList::CTimeValList(int limit, int step)
{
    SetLimit(limit);
    SetDelta(step);
}

int CTimeValList::Compare(const void* key1, const void* key2) const
{
    const auto* a = static_cast<const CTimeVal*>(key1);
    const auto* b = static_cast<const CTimeVal*>(key2);
    if (a->GetBeg() != b->GetBeg())
        return a->GetBeg() < b->GetBeg() ? -1 : 1;
    return (a->GetEnd() > b->GetEnd()) - (a->GetEnd() < b->GetEnd());
}

int CTimeValList::Add(CTimeVal* value)
{
    const int index = Insert(value);
    if (index < 0 || ValAt(index) != value) {
        delete value;
        return -1;
    }
    return index;
}

void CTimeValList::FreeAll()
{
    CColl::FreeAll();
    m_cur = 0;
}

CPrjTimer::CPrjTimer(int32_t number, std::string_view name)
    : m_number(number),
      m_key(static_cast<uint8_t>(number & 0xFF)),
      m_name(name.substr(0, kNameMax)),
      m_times(new CTimeValList(4, 4))
{
}

CPrjTimer::~CPrjTimer()
{
    FreeTimes();
}

void CPrjTimer::AddTimeVal(CTimeVal* value)
{
    if (!value)
        return;
    if (!m_times)
        m_times = new CTimeValList(4, 4);
    m_times->Add(value);
}

void CPrjTimer::FreeTimes()
{
    if (!m_times)
        return;
    m_times->FreeAll();
    delete m_times;
    m_times = nullptr;
}

CTimerList::CTimerList(int limit, int step)
{
    SetLimit(limit);
    SetDelta(step);
}

const void* CTimerList::KeyOf(const CObj* item) const
{
    return &static_cast<const CPrjTimer*>(item)->GetKey();
}

int CTimerList::Compare(const void* key1, const void* key2) const
{
    const uint8_t a = *static_cast<const uint8_t*>(key1);
    const uint8_t b = *static_cast<const uint8_t*>(key2);
    return (a > b) - (a < b);
}

int CTimerList::Add(CPrjTimer* timer)
{
    const int index = Insert(timer);
    if (index < 0 || TimerAt(index) != timer) {
        delete timer;
        return -1;
    }
    return index;
}

void CTimerList::Delete(CPrjTimer* timer)
{
    if (!timer)
        return;
    const int index = IndexOf(timer);
    if (index < 0 || TimerAt(index) != timer)
        return;
    AtRemove(index);
    delete timer;
    if (m_cur >= GetCount())
        m_cur = static_cast<int16_t>(GetCount() > 0 ? GetCount() - 1 : 0);
}

void CTimerList::FreeAll()
{
    CColl::FreeAll();
    m_cur = 0;
}

CPrjTimer* CTimerList::GetLast() const
{
    for (int i = GetCount() - 1; i >= 0; --i)
        if (CPrjTimer* timer = TimerAt(i))
            return timer;
    return nullptr;
}

CPrjTimer* CTimerList::FindByName(std::string_view name) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (TimerAt(i)->GetName() == name)
            return TimerAt(i);
    return nullptr;
}

CPrjTimer* CTimerList::FindByNr(uint16_t number) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (TimerAt(i)->GetNr() == number)
            return TimerAt(i);
    return nullptr;
}

} // namespace orv
