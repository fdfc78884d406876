#pragma once

// The 16-bit error state a step keeps in the object that met it, shared by
// every reader, writer, compiler and decompiler below the workspace.

#include <cstdint>

namespace orv {

// The first error wins: what fails after it is mostly its consequence, and
// the user is shown the cause. The extra word travels with the code it was
// given with (an address, a count) so that the report can name it.
class ErrorSlot {
public:
    // Keeps code and word unless an error is kept already; 0 keeps nothing.
    void Set(uint16_t code, uint16_t word = 0)
    {
        if (m_code != 0)
            return;
        m_code = code;
        m_word = word;
    }
    // For the few steps that sum up every earlier failure in one code.
    void Replace(uint16_t code, uint16_t word = 0)
    {
        m_code = code;
        m_word = word;
    }
    // The kept code; the slot is empty afterwards.
    uint16_t Take()
    {
        const uint16_t code = m_code;
        Clear();
        return code;
    }
    void Clear()
    {
        m_code = 0;
        m_word = 0;
    }

    uint16_t Code() const { return m_code; }
    uint16_t Word() const { return m_word; }
    bool Failed() const { return m_code != 0; }

private:
    uint16_t m_code = 0;
    uint16_t m_word = 0;
};

} // namespace orv
