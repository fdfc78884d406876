// The bounded reader of the image layer: every decoder of a panel-side file
// reads through it and can never read past the bytes it was given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

// The one bounded reader of panel-side files: a view over bytes already in
// memory, numbers high byte first. A read that would pass the view's end
// gives 0 (a block is zero-filled) and marks the reader failed; the failure
// stays, so a run of reads may be checked once, and the caller turns it
// into its own error code. The bytes are borrowed: they outlive the view.
class BeReader {
public:
    BeReader() = default;
    BeReader(const uint8_t* data, size_t size) : m_data(data), m_size(data ? size : 0) {}
    explicit BeReader(std::string_view bytes)
        : BeReader(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())
    {
    }

    size_t Size() const { return m_size; }
    bool Ok() const { return m_ok; }
    void Fail() { m_ok = false; }
    // Whether n bytes at offset lie inside the view.
    bool Holds(uint64_t offset, uint64_t n) const { return offset <= m_size && n <= m_size - offset; }

    uint8_t U8(uint64_t offset) { return static_cast<uint8_t>(Number(offset, 1)); }
    uint16_t U16(uint64_t offset) { return static_cast<uint16_t>(Number(offset, 2)); }
    uint32_t U32(uint64_t offset) { return static_cast<uint32_t>(Number(offset, 4)); }
    // The 6-byte values of the images, as stored and sign-extended from
    // their bit 47.
    uint64_t U48(uint64_t offset) { return Number(offset, 6); }
    int64_t S48(uint64_t offset);
    // The same into value, which is left alone when the number does not
    // lie inside the view; false then.
    [[nodiscard]] bool Get(uint64_t offset, uint8_t& value) { return Into(offset, value); }
    [[nodiscard]] bool Get(uint64_t offset, uint16_t& value) { return Into(offset, value); }
    [[nodiscard]] bool Get(uint64_t offset, uint32_t& value) { return Into(offset, value); }
    // Copies n bytes at offset to dest; false (dest zero-filled) when they
    // do not all lie inside the view.
    [[nodiscard]] bool Block(uint64_t offset, void* dest, size_t n);
    // The n bytes at offset, or nullptr (and failed) when they do not all
    // lie inside the view.
    const uint8_t* Bytes(uint64_t offset, size_t n);
    // The bytes from offset up to a NUL or max bytes, whichever comes first;
    // failed when the view ends before either.
    std::string String(uint64_t offset, size_t max);

    // The length bytes at offset as a view of their own, offsets counted
    // from its start. One that would end outside this view is empty and
    // failed, and fails this view too.
    BeReader Sub(uint64_t offset, uint64_t length);

private:
    uint64_t Number(uint64_t offset, size_t width);
    template <class Unsigned>
    [[nodiscard]] bool Into(uint64_t offset, Unsigned& value)
    {
        if (!Holds(offset, sizeof value)) {
            m_ok = false;
            return false;
        }
        value = static_cast<Unsigned>(Number(offset, sizeof value));
        return true;
    }

    const uint8_t* m_data = nullptr;
    size_t m_size = 0;
    bool m_ok = true;
};

} // namespace orv
