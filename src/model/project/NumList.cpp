// Numbered-text list operations shared by every text kind; numbers are widened
// so a new number never wraps around.
#include "model/project/NumList.h"

#include <algorithm>

namespace orv {

void CPrjNumList::SetCurByNum(int32_t num)
{
    if (CPrjNumEntry* entry = FindByNum(num))
        SetCurIdx(IndexOf(entry));
}

int32_t CPrjNumList::FirstFreeNum(int32_t low, int32_t high) const
{
    // 64 bits, so that an entry numbered INT32_MAX cannot wrap the candidate.
    int64_t last = static_cast<int64_t>(low) - 1;
    for (int i = 0; i < GetCount(); ++i) {
        const int64_t num = ItemAt(i)->GetNum();
        if (num > last + 1)
            break;
        last = std::max(last, num);
    }
    const int64_t candidate = last + 1;
    return candidate >= low && candidate <= high ? static_cast<int32_t>(candidate) : kNoFreeNum;
}

void CPrjNumList::Renumber(CPrjNumEntry* entry, int32_t num)
{
    if (!entry || entry->GetNum() == -1 || num == -1 || FindByNum(num))
        return;
    if (!TakeOut(entry))
        return;
    entry->SetNum(num);
    Insert(entry);
}

CPrjNumEntry* CPrjNumList::AddCopy(std::unique_ptr<CPrjNumEntry> entry, const CPrjNumEntry& source)
{
    if (!entry || FindByNum(entry->GetNum()))
        return nullptr;
    source.CopyRowsTo(entry.get());
    const int32_t num = entry->GetNum();
    CPrjNumEntry* added = Adopt(std::move(entry));
    if (added)
        SetCurByNum(num);
    return added;
}

} // namespace orv
