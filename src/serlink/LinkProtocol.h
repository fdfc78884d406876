// The panel link protocol of the serial link library: handshake and checksummed
// frames over a port and a clock.
#pragma once

#include "serlink/IClock.h"
#include "serlink/IPort.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace orv {

// The link to one panel: the modem-line handshake and the XOR-checksummed
// frames under RTS/CTS pacing. Results are the codes of serlink/orvlink.h;
// console texts go to the sink.
class LinkProtocol {
public:
    using Sink = std::function<void(std::string_view)>;

    static constexpr uint32_t kWindowMs = 500;
    static constexpr size_t kAnswerBufferSize = 126;
    static constexpr int kMaxAnswerEvents = 100;

    LinkProtocol(IPort& port, IClock& clock, Sink sink);

    uint16_t Start(const std::string& device, bool fast);
    // command: NUL-terminated, with two spare bytes behind it; answer: a
    // buffer of kAnswerBufferSize bytes.
    uint16_t Rec(char* command, char* answer);
    uint16_t End();

    bool Connected() const { return m_connected; }

private:
    uint16_t Handshake();
    uint16_t SendFrame(const char* frame, size_t length);
    uint16_t CollectAnswer(char* answer);
    uint16_t WaitCts(bool on, uint16_t timeoutResult);
    uint16_t WaitTransmitEmpty();
    uint16_t ReadAnswer(char* answer);
    bool ReportTimer();
    void CloseHeld();
    bool Elapsed(uint64_t since) { return m_clock.NowMs() - since >= kWindowMs; }
    uint32_t Remaining(uint64_t since);

    IPort& m_port;
    IClock& m_clock;
    Sink m_sink;
    bool m_connected = false;
};

}  // namespace orv
