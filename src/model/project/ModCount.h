// Counts a configuration's changes into its own counter and the project
// bundle's, so that the project knows it needs saving.
#pragma once

#include "model/project/PrjBundle.h"

#include <cstdint>

namespace orv {

// A change counts up both; clearing resets both, and only when the
// configuration had changes, so that another part's changes stay counted.
inline void CountModification(bool modified, uint16_t& own, PrjBundle* bundle)
{
    if (modified) {
        ++own;
        if (bundle)
            ++bundle->modCount;
    } else if (own != 0) {
        own = 0;
        if (bundle)
            bundle->modCount = 0;
    }
}

} // namespace orv
