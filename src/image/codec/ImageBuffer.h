// The one writer of panel-side bytes in the image layer: a bounded in-memory
// buffer whose first failed write stops the rest.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

// A panel-side file while it is being built: its bytes in memory, numbers
// high byte first, never longer than its limit. The first write that fails
// is kept and stops every later one, so a run of writes may be checked once;
// the caller turns the failure into its own error code and writes the bytes
// out only when nothing failed.
class ImageBuffer {
public:
    enum class Failure : uint8_t {
        None,
        Limit,  // a write would have made the bytes longer than the limit
        Range,  // a patch or a read reached past the bytes written so far
    };
    static constexpr size_t kNoLimit = SIZE_MAX;

    explicit ImageBuffer(size_t limit = kNoLimit) : m_limit(limit) {}
    // A file read whole, to be changed in place.
    explicit ImageBuffer(std::string bytes) : m_bytes(std::move(bytes)) {}

    // The longest the bytes may grow; a limit below the current size stops
    // every further append.
    void SetLimit(size_t limit) { m_limit = limit; }
    size_t Limit() const { return m_limit; }
    size_t Size() const { return m_bytes.size(); }
    std::string_view Bytes() const { return m_bytes; }
    bool Ok() const { return m_failure == Failure::None; }
    Failure GetFailure() const { return m_failure; }

    // At the end. Put6 keeps the low 48 bits, so a signed value goes in as
    // its two's complement.
    bool Put1(uint8_t value) { return Put(value, 1); }
    bool Put2(uint16_t value) { return Put(value, 2); }
    bool Put4(uint32_t value) { return Put(value, 4); }
    bool Put6(uint64_t value) { return Put(value, 6); }
    bool Append(std::string_view bytes);
    bool AppendZeros(size_t count);

    // Over bytes already written; the size does not change.
    bool Patch1(size_t at, uint8_t value) { return Patch(at, value, 1); }
    bool Patch2(size_t at, uint16_t value) { return Patch(at, value, 2); }
    bool Patch4(size_t at, uint32_t value) { return Patch(at, value, 4); }
    bool Patch6(size_t at, uint64_t value) { return Patch(at, value, 6); }
    bool PatchBytes(size_t at, std::string_view bytes);

    // What was written; 0 (and failed) past the end.
    uint8_t Get1(size_t at) { return static_cast<uint8_t>(Get(at, 1)); }
    uint16_t Get2(size_t at) { return static_cast<uint16_t>(Get(at, 2)); }
    uint32_t Get4(size_t at) { return static_cast<uint32_t>(Get(at, 4)); }
    uint64_t Get6(size_t at) { return Get(at, 6); }

private:
    bool Put(uint64_t value, size_t width);
    bool Patch(size_t at, uint64_t value, size_t width);
    uint64_t Get(size_t at, size_t width);
    // Whether n more bytes keep the size within the limit; fails when not.
    bool Grows(size_t n);
    // Whether n bytes at at lie inside the bytes; fails when not.
    bool Holds(size_t at, size_t n);
    bool Fail(Failure failure);

    std::string m_bytes;
    size_t m_limit = kNoLimit;
    Failure m_failure = Failure::None;
};

} // namespace orv
