// The answer of one step of a reader, writer, compiler or decompiler; a
// caller that drops it is found by the compiler.
#pragma once

namespace orv {

// Steps answer 1 when done and -1 when failed (their error is kept in the
// object's error slot); the source reader's statement steps answer 0 for "not
// this statement". The value reads as the int it always was, so that callers
// compare and pass it on unchanged.
class [[nodiscard]] StepResult {
public:
    static constexpr int kDone = 1;
    static constexpr int kNotMine = 0;
    static constexpr int kFailed = -1;

    constexpr StepResult(int value) : m_value(value) {}
    constexpr operator int() const { return m_value; }

private:
    int m_value;
};

} // namespace orv
