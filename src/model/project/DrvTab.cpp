// Sorted key lists of a driver's cross-reference tables, one record per key.
#include "model/project/DrvTab.h"

namespace orv {

namespace {

int CompareKeys(uint16_t a, uint16_t b)
{
    return (a > b) - (a < b);
}

} // namespace

int CDrvTab5List::Compare(const void* key1, const void* key2) const
{
    return CompareKeys(static_cast<const CDrvTabEntry5*>(key1)->GetKey(),
                       static_cast<const CDrvTabEntry5*>(key2)->GetKey());
}

int CDrvTab6List::Compare(const void* key1, const void* key2) const
{
    return CompareKeys(static_cast<const CDrvTabEntry6*>(key1)->GetKey(),
                       static_cast<const CDrvTabEntry6*>(key2)->GetKey());
}

} // namespace orv
