// What every transfer and read-back shares for the whole program: the
// command and answer buffers, the rate preference, the last percentage, the
// link's entry points and the sleep of every pause.
#pragma once

#include "link/SerLinkBinding.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace orv {

// Pauses go through this, so that tests and benchmarks can count them
// instead of sleeping.
using SleepFn = std::function<void(uint32_t ms)>;

// The link state that outlives one transfer or read-back. The program holds
// one over the bound serial link library; only one session uses it at a
// time.
class CLinkContext {
public:
    static constexpr size_t kBufferSize = 126;
    // The library writes the checksum over the NUL and a NUL behind it.
    static constexpr size_t kMaxCommand = kBufferSize - 2;
    // Rate preference entries: 1 runs 115200 baud, 0 runs 38400.
    static constexpr uint16_t kFast = 1;
    static constexpr uint16_t kSlow = 0;

    // A null api means the library or one of its exports is missing.
    explicit CLinkContext(const SerLinkApi* api, SleepFn sleep = nullptr);

    const SerLinkApi* Api() const { return m_api; }

    char* CommandBuffer() { return m_command.data(); }
    char* AnswerBuffer() { return m_answer.data(); }
    // False, and the buffer untouched, when the command does not fit with
    // its checksum and NUL.
    bool SetCommand(std::string_view command);
    // The texts up to their NUL; never past the buffer.
    std::string Command() const;
    std::string Answer() const;
    void ClearBuffers();

    std::array<uint16_t, 2>& Rates() { return m_rates; }
    const std::array<uint16_t, 2>& Rates() const { return m_rates; }
    // Moves the rate that worked to the front, so the next start tries it
    // first.
    void PreferRate(uint16_t rate);

    int LastPercent() const { return m_lastPercent; }
    void SetLastPercent(int percent) { m_lastPercent = percent; }

    void Sleep(uint32_t ms) const { m_sleep(ms); }

private:
    const SerLinkApi* m_api;
    SleepFn m_sleep;
    std::array<char, kBufferSize> m_command{};
    std::array<char, kBufferSize> m_answer{};
    std::array<uint16_t, 2> m_rates{kFast, kSlow};
    int m_lastPercent = 0;
};

} // namespace orv
