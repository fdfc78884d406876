// State-text slots with one rule for every variable kind: release the old text,
// take the new one, keep the field width right.
#include "model/project/StateTxts.h"

#include <algorithm>

namespace orv {

namespace {

uint8_t ClampWidth(size_t width)
{
    return static_cast<uint8_t>(std::min<size_t>(width, 255));
}

} // namespace

const CSharedStr* CStateTxts::Ref(int i) const
{
    if (i < 0 || static_cast<size_t>(i) >= m_slots.size())
        return nullptr;
    return m_slots[static_cast<size_t>(i)].Get();
}

const char* CStateTxts::Text(int i) const
{
    const CSharedStr* str = Ref(i);
    return str ? str->GetSharedText().c_str() : nullptr;
}

void CStateTxts::Set(int i, const char* text, CTextPool* pool, int last, uint8_t& width, int extra)
{
    CSharedStrRef& slot = m_slots.at(static_cast<size_t>(i));
    if (pool) {
        if (!slot.Empty()) {
            slot.Release();
            width = ClampWidth(static_cast<size_t>(extra) + Longest(last));
        }
        if (text)
            slot.Take(*pool, text);
    }
    if (text)
        width = std::max(width, ClampWidth(static_cast<size_t>(extra) + std::char_traits<char>::length(text)));
}

void CStateTxts::Resize(size_t count)
{
    if (count == 0)
        std::vector<CSharedStrRef>().swap(m_slots);
    else
        m_slots.resize(count);
}

void CStateTxts::Refit(int oldLast, int newLast)
{
    if (newLast == oldLast && HasArray())
        return;
    // Slots above the old highest state may still hold texts of a larger
    // state set before; they are not carried over.
    Resize(std::min(Size(), static_cast<size_t>(std::max(oldLast, 0)) + 1));
    Resize(static_cast<size_t>(std::max(newLast, 0)) + 1);
}

void CStateTxts::ReleaseAll()
{
    for (CSharedStrRef& slot : m_slots)
        slot.Release();
}

size_t CStateTxts::Longest(int last) const
{
    size_t longest = 0;
    const size_t end = std::min(m_slots.size(), static_cast<size_t>(std::max(last + 1, 0)));
    for (size_t k = 0; k < end; ++k)
        if (const CSharedStr* str = m_slots[k].Get())
            longest = std::max(longest, str->GetSharedText().size());
    return longest;
}

} // namespace orv
