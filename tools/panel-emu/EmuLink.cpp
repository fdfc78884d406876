// Passes link calls to the emulated panel and frames the answers as the real
// library would, checksum place included.
#include "EmuLink.h"

#include <cstring>

namespace panelemu {

namespace {

constexpr uint16_t kNoPort = 21;
constexpr uint16_t kAnswerTooLong = 32;

}  // namespace

uint16_t EmuLink::Start(uint16_t, uint16_t fast) {
    m_open = false;
    const uint16_t result = m_panel.Start(fast != 0);
    m_open = result == 0;
    return result;
}

uint16_t EmuLink::Rec(char* command, char* answer) {
    if (!m_open) return kNoPort;
    answer[0] = '\0';
    const size_t length = std::strlen(command);
    uint8_t sum = 0;
    for (size_t i = 0; i < length; ++i) sum ^= static_cast<uint8_t>(command[i]);
    const Reply reply = m_panel.Command(std::string(command, length));
    command[length] = static_cast<char>(sum);
    command[length + 1] = '\0';
    // The answer's checksum byte takes one place in the buffer.
    if (reply.answer.size() + 1 > kAnswerBufferSize) return kAnswerTooLong;
    std::memcpy(answer, reply.answer.c_str(), reply.answer.size() + 1);
    return reply.result;
}

uint16_t EmuLink::End() {
    if (!m_open) return kNoPort;
    m_open = false;
    m_panel.End();
    return 0;
}

}  // namespace panelemu
