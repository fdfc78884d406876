#include "support/LinePanel.h"

#include <algorithm>

namespace orv {

namespace {

constexpr uint64_t kNsPerMs = 1000000;

}  // namespace

LinePanel::LinePanel(Handler handler) : m_handler(std::move(handler)) {}

void LinePanel::Advance(uint64_t now) {
    std::stable_sort(m_events.begin(), m_events.end(),
                     [](const Event& a, const Event& b) { return a.at < b.at; });
    size_t done = 0;
    for (; done < m_events.size() && m_events[done].at <= now; ++done) {
        const Event& e = m_events[done];
        if (e.ctsChange) m_cts = e.cts;
        m_arrived += e.bytes;
    }
    m_events.erase(m_events.begin(), m_events.begin() + static_cast<std::ptrdiff_t>(done));
}

void LinePanel::Dtr(bool on, uint64_t now) {
    Advance(now);
    m_dtr = on;
    if (on) return;
    m_state = State::Idle;
    m_cts = false;
    m_events.clear();
    m_lineFree = 0;
}

void LinePanel::Rts(bool on, uint64_t now) {
    Advance(now);
    m_rts = on;
    if (!on) {
        if (!m_dtr) return;
        // A PC that gave up waiting for CTS to drop after its zero bytes
        // goes on with its first frame.
        const bool handshakeOver = m_state == State::HandshakeZeros && m_zeros > 0;
        if (m_state == State::Idle || (m_state == State::HandshakeZeros && !handshakeOver)) {
            if (!behaviour.handshakeNoCts) m_cts = true;
            m_state = State::HandshakeZeros;
            m_zeros = 0;
        } else {
            m_events.clear();
            m_lineFree = 0;
            if (!behaviour.frameNoCts) m_cts = true;
            m_state = State::Receiving;
            m_frame.clear();
        }
        return;
    }
    if (m_state != State::Receiving) return;
    m_frames.push_back(m_frame);
    const std::string command = m_frame.empty() ? std::string() : m_frame.substr(0, m_frame.size() - 1);
    m_answer = m_handler(command);
    uint8_t sum = 0;
    for (char c : m_answer) sum ^= static_cast<uint8_t>(c);
    m_answer.push_back(static_cast<char>(behaviour.badChecksum ? sum ^ 0x01 : sum));
    m_answerPos = 0;
    m_state = State::Answering;
    if (behaviour.silent) {
        m_cts = false;
        m_state = State::Linked;
    }
}

void LinePanel::Byte(uint8_t byte, uint64_t now) {
    Advance(now);
    if (!m_rts) {
        if (m_state == State::Receiving) m_frame.push_back(static_cast<char>(byte));
        return;
    }
    if (byte != 0) return;
    if (m_state == State::HandshakeZeros) {
        ++m_zeros;
        if (behaviour.zerosToConnect > 0 && m_zeros >= behaviour.zerosToConnect) {
            m_cts = false;
            m_state = State::Linked;
        }
        return;
    }
    if (m_state == State::Answering) AnswerZero(now);
}

uint64_t LinePanel::Send(const std::string& bytes, uint64_t at) {
    if (byteNs == 0) {
        Schedule({at, false, false, bytes});
        return at;
    }
    m_lineFree = std::max(at, m_lineFree) + bytes.size() * byteNs;
    Schedule({m_lineFree, false, false, bytes});
    return m_lineFree;
}

void LinePanel::AnswerZero(uint64_t now) {
    if (behaviour.holdCts) return;
    const uint64_t at = now + behaviour.byteDelayMs * kNsPerMs;
    if (behaviour.endless) {
        Send(std::string(behaviour.batch, 'E'), at);
        return;
    }
    const size_t n = std::min(behaviour.batch, m_answer.size() - m_answerPos);
    const uint64_t arrived = Send(m_answer.substr(m_answerPos, n), at);
    m_answerPos += n;
    if (m_answerPos == m_answer.size()) {
        Schedule({arrived + behaviour.ctsDropDelayMs * kNsPerMs, true, false, {}});
        m_state = State::Linked;
    }
}

bool LinePanel::Cts(uint64_t now) {
    Advance(now);
    return behaviour.ctsStuckOn || m_cts;
}

std::optional<uint64_t> LinePanel::NextEvent() const {
    std::optional<uint64_t> next;
    for (const Event& e : m_events) {
        if (!next || e.at < *next) next = e.at;
    }
    return next;
}

std::string LinePanel::Arrived(uint64_t now) {
    Advance(now);
    std::string bytes;
    bytes.swap(m_arrived);
    return bytes;
}

} // namespace orv
