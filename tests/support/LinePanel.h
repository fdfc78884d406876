#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orv {

// A panel at the other end of the line, as the modem lines and bytes show it.
// Idle, it keeps CTS off. Handshake: with DTR up, RTS dropping turns CTS on;
// zero bytes with RTS high turn it off again and the link is up. Frame: RTS
// dropping turns CTS on, bytes are collected while RTS is low, and once RTS
// rises every zero byte is answered by the next byte of the answer frame;
// CTS drops after the checksum. Each step can be made to misbehave. Times are
// nanoseconds of the caller's clock.
class LinePanel {
public:
    using Handler = std::function<std::string(const std::string& command)>;

    struct Behaviour {
        bool ctsStuckOn = false;      // CTS on whatever happens
        bool handshakeNoCts = false;  // RTS dropping in the handshake does not turn CTS on
        int zerosToConnect = 1;       // zero bytes after which the handshake drops CTS; 0: never
        bool frameNoCts = false;      // RTS dropping before a frame does not turn CTS on
        bool silent = false;          // the frame is taken, CTS drops, nothing is sent
        bool holdCts = false;         // the frame is taken, CTS stays on, nothing is sent
        bool endless = false;         // every zero byte is answered, CTS never drops
        bool badChecksum = false;     // the answer's checksum byte is wrong
        uint32_t byteDelayMs = 1;     // from a zero byte to its answer byte(s)
        uint32_t ctsDropDelayMs = 0;  // from the checksum byte to CTS dropping
        size_t batch = 1;             // answer bytes sent for each zero byte, handed to the
                                      // PC together as a USB adapter hands over a packet
    };

    explicit LinePanel(Handler handler);

    Behaviour behaviour;
    // How long one answer byte takes on the line; 0: it arrives at once.
    uint64_t byteNs = 0;

    void Dtr(bool on, uint64_t now);
    void Rts(bool on, uint64_t now);
    void Byte(uint8_t byte, uint64_t now);
    bool Cts(uint64_t now);
    // Bytes that reached the PC by now and were not taken before.
    std::string Arrived(uint64_t now);
    // When the PC will next see a byte arrive or CTS change, if ever.
    std::optional<uint64_t> NextEvent() const;

    bool LinkUp() const { return m_state == State::Linked || m_state == State::Receiving || m_state == State::Answering; }
    // Every frame received, checksum included.
    const std::vector<std::string>& Frames() const { return m_frames; }

private:
    enum class State { Idle, HandshakeZeros, Linked, Receiving, Answering };
    struct Event {
        uint64_t at;
        bool ctsChange;
        bool cts;
        std::string bytes;
    };

    void Advance(uint64_t now);
    void Schedule(Event event) { m_events.push_back(std::move(event)); }
    void AnswerZero(uint64_t now);
    // Puts bytes on the line from `at`, one after the other, to reach the PC
    // together with the last of them; the time they arrive.
    uint64_t Send(const std::string& bytes, uint64_t at);

    Handler m_handler;
    State m_state = State::Idle;
    bool m_dtr = false;
    bool m_rts = false;
    bool m_cts = false;
    int m_zeros = 0;
    std::string m_frame;
    std::string m_answer;
    size_t m_answerPos = 0;
    uint64_t m_lineFree = 0;
    std::vector<Event> m_events;
    std::string m_arrived;
    std::vector<std::string> m_frames;
};

} // namespace orv
