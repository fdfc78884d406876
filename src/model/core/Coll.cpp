// Base collections of the model; a faulty index is refused and reported once,
// never written through.
#include "model/core/Coll.h"

#include "model/core/UiServices.h"

#include <algorithm>
#include <cstdio>

namespace orv {

namespace {

constexpr const char* kInternalErrorCaption = "ORVtool Intern Error";

void ReportViolation(const char* operation, int index, int count)
{
    char text[160];
    std::snprintf(text, sizeof text, "%s: index %d, count %d", operation, index, count);
    GetUiServices().MessageBox(MsgKind::InternalError, kInternalErrorCaption, text, 0);
}

} // namespace

CColl::~CColl()
{
    if (m_owns)
        for (int i = 0; i < m_count; ++i)
            CColl::FreeItem(m_items[i]);
}

CObj* CColl::At(int index) const
{
    if (index < 0 || index >= m_count) {
        ReportViolation("CColl::At", index, m_count);
        return nullptr;
    }
    return m_items[index];
}

bool CColl::AtInsert(int index, CObj* item)
{
    if (index < 0 || index > m_count) {
        ReportViolation("CColl::AtInsert", index, m_count);
        return false;
    }
    if (m_count == m_limit)
        SetLimit(m_count + m_delta);
    if (m_count == m_limit) {
        ReportViolation("CColl::AtInsert: collection full", index, m_count);
        return false;
    }
    CObj** items = m_items.get();
    std::copy_backward(items + index, items + m_count, items + m_count + 1);
    items[index] = item;
    ++m_count;
    return true;
}

void CColl::AtRemove(int index)
{
    if (index < 0 || index >= m_count) {
        ReportViolation("CColl::AtRemove", index, m_count);
        return;
    }
    CObj** items = m_items.get();
    std::copy(items + index + 1, items + m_count, items + index);
    --m_count;
}

int CColl::IndexOf(const CObj* item) const
{
    for (int i = 0; i < m_count; ++i)
        if (m_items[i] == item)
            return i;
    return -1;
}

int CColl::Insert(CObj* item)
{
    const int index = m_count;
    return AtInsert(index, item) ? index : -1;
}

void CColl::Remove(CObj* item)
{
    AtRemove(IndexOf(item));
}

void CColl::Free(CObj* item)
{
    // By identity: a sorted lookup by key could name another item whose key
    // equals this one's, or miss an item whose key changed in place.
    const int index = CColl::IndexOf(item);
    if (index < 0) {
        ReportViolation("CColl::Free", index, m_count);
        return;
    }
    AtRemove(index);
    FreeItem(item);
}

void CColl::FreeAll()
{
    for (int i = 0; i < m_count; ++i)
        FreeItem(m_items[i]);
    m_count = 0;
}

void CColl::FreeItem(CObj* item)
{
    delete item;
}

void CColl::ShutDown()
{
    if (m_owns)
        FreeAll();
    SetLimit(0);
}

void CColl::SetLimit(int limit)
{
    limit = std::clamp(limit, m_count, kMaxCount);
    if (limit == m_limit)
        return;
    std::unique_ptr<CObj*[]> items;
    if (limit > 0) {
        items = std::make_unique<CObj*[]>(static_cast<size_t>(limit));
        std::copy(m_items.get(), m_items.get() + m_count, items.get());
    }
    m_items = std::move(items);
    m_limit = limit;
}

int CColl::ForEach(CollAction action, void* arg)
{
    // The action may remove items, so the count is read again at each step.
    for (int i = 0; i < m_count; ++i)
        action(m_items[i], arg);
    return m_count;
}

CObj* CColl::FirstThat(CollTest test, void* arg) const
{
    for (int i = 0; i < m_count; ++i)
        if (test(m_items[i], arg) == 1)
            return m_items[i];
    return nullptr;
}

CObj* CColl::LastThat(CollTest test, void* arg) const
{
    for (int i = m_count - 1; i >= 0; --i)
        if (test(m_items[i], arg) == 1)
            return m_items[i];
    return nullptr;
}

void CColl::Pack()
{
    CObj** items = m_items.get();
    CObj** end = std::remove(items, items + m_count, nullptr);
    std::fill(end, items + m_count, nullptr);
}

bool CSortedColl::Search(const void* key, int& index) const
{
    int lo = 0;
    int hi = GetCount() - 1;
    bool found = false;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const int r = Compare(KeyOf(At(mid)), key);
        if (r < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (r == 0) {
                found = true;
                if (!AllowsDuplicates())
                    lo = mid;
            }
        }
    }
    index = lo;
    return found;
}

int CSortedColl::IndexOf(const CObj* item) const
{
    int index = 0;
    if (!Search(KeyOf(item), index))
        return -1;
    if (!AllowsDuplicates())
        return index;
    for (; index < GetCount(); ++index)
        if (At(index) == item)
            return index;
    return -1;
}

int CSortedColl::Insert(CObj* item)
{
    int index = 0;
    const bool found = Search(KeyOf(item), index);
    if (found && !AllowsDuplicates())
        return index;
    return AtInsert(index, item) ? index : -1;
}

} // namespace orv
