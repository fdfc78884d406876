// Keeps an allocation failure inside the image layer: it becomes the step's
// error code instead of an exception.
#pragma once

#include <new>

namespace orv {

// Memory running out inside a compile, a decompile or a file reader is that
// step's error code, never an exception out of the image library: work runs,
// and fail sets the code when an allocation in it fails.
template <class Work, class Fail>
void GuardMemory(Work&& work, Fail&& fail)
{
    try {
        work();
    } catch (const std::bad_alloc&) {
        fail();
    }
}

} // namespace orv
