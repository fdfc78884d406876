// The shared link buffers: every command is checked to fit before it is put
// where the library appends its checksum.
#include "link/LinkContext.h"

#include "platform/MonoClock.h"

#include <cstring>

namespace orv {

namespace {

std::string BufferText(const std::array<char, CLinkContext::kBufferSize>& buffer)
{
    return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

} // namespace

CLinkContext::CLinkContext(const SerLinkApi* api, SleepFn sleep)
    : m_api(api), m_sleep(sleep ? std::move(sleep) : SleepFn([](uint32_t ms) { SleepMs(ms); }))
{
}

bool CLinkContext::SetCommand(std::string_view command)
{
    if (command.size() > kMaxCommand)
        return false;
    std::memcpy(m_command.data(), command.data(), command.size());
    m_command[command.size()] = '\0';
    return true;
}

std::string CLinkContext::Command() const { return BufferText(m_command); }

std::string CLinkContext::Answer() const { return BufferText(m_answer); }

void CLinkContext::ClearBuffers()
{
    m_command.fill('\0');
    m_answer.fill('\0');
}

void CLinkContext::PreferRate(uint16_t rate)
{
    m_rates = rate == kFast ? std::array<uint16_t, 2>{kFast, kSlow} : std::array<uint16_t, 2>{kSlow, kFast};
}

} // namespace orv
