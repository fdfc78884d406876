#pragma once

#include <cstddef>
#include <cstdint>

namespace orv {

// The least time one frame of a connected link can take on the line: the
// command and its checksum, one zero byte for each answer byte and the answer
// with its checksum, 11 bits each, plus the fixed millisecond the PC waits
// before it raises RTS. The panel's own pauses are not counted.
inline double FrameBoundNs(size_t commandLength, size_t answerLength, uint32_t baud) {
    const double bytes = static_cast<double>(commandLength + 1 + 2 * (answerLength + 1));
    return bytes * 11 * 1e9 / baud + 1e6;
}

} // namespace orv
