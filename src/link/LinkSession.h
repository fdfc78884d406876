// What a transfer and a read-back share: the link start at the better rate,
// the exchange with its error code, the link's single end, the trace file
// and the progress bar.
#pragma once

#include "link/LinkContext.h"
#include "link/LinkExchange.h"
#include "link/LinkTrace.h"
#include "model/core/ErrorSlot.h"
#include "model/core/ProgressBar.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

class CWorkspaceState;

// One link session. The first failure sets the error and ends the link;
// every later step is skipped, and the link is ended exactly once, however
// the session ends.
class CLinkSession {
public:
    CLinkSession(const CLinkSession&) = delete;
    CLinkSession& operator=(const CLinkSession&) = delete;

    uint16_t GetError() const { return m_error.Code(); }
    uint16_t GetPanelType() const { return m_panelType; }

protected:
    // Link errors of a session.
    static constexpr uint16_t kErrNoPanel = 29;
    static constexpr uint32_t kEndPauseMs = 10;

    CLinkSession(CLinkContext& ctx, CWorkspaceState& workspace, uint16_t panelType, uint16_t port, uint8_t traceSel,
                 ExchangeMode mode);
    ~CLinkSession();

    // Starts the link at the rates of the preference table, each tried with
    // up to five "V", and moves the rate that answered to the front. True
    // when a panel answered; its identification is then in the answer
    // buffer and the link stays open. A failed start sets error 29. An
    // identification shorter than minAnswer counts as no answer.
    bool LinkConnect(size_t minAnswer = 1);
    // Sends the command in the buffer. 1, or -1 with the session's error set
    // and the link ended.
    int Exchange(size_t minBytes = 0);
    // Puts the command into the buffer and exchanges it; a command that does
    // not fit the buffer fails as an exchange would.
    int Send(std::string_view command, size_t minBytes = 0);
    // Exchanges a command whose failure the sequence does not look at: no
    // error is set and the link stays as it is.
    bool SendUnchecked(std::string_view command);
    // The memory set-up: the fixed read, "X", then the command built from
    // both answers. A set-up that cannot be built sets failCode.
    using SetupBuilder = std::optional<std::string> (*)(std::string_view xAnswer, std::string_view readAnswer);
    bool SendMemorySetup(std::string_view read, uint8_t readBytes, size_t minXAnswer, SetupBuilder build,
                         uint16_t failCode);
    // "EP0" under the command trace value.
    bool StartProgramming();
    // Sets the error (the first wins) and ends the link.
    void Fail(uint16_t code);
    // A 10 ms pause and orvlink_end, once for every start.
    void EndLink();
    bool Failed() const { return m_error.Failed(); }

    // The percentage of done against total, shown when it changed; nothing
    // while the total is below 1.
    void UpdateProgress(int64_t done, int64_t total);

    void SetTraceValue(uint16_t value) { m_traceValue = value; }
    void RestoreTraceValue() { m_traceValue = m_traceSel ? 160 : 25; }

    CLinkContext& m_ctx;
    CWorkspaceState& m_ws;
    uint16_t m_panelType;
    uint16_t m_port;
    ErrorSlot m_error;
    CLinkTrace m_trace;
    std::unique_ptr<CProgressBar> m_bar;

private:
    // The error an exhausted exchange leaves.
    uint16_t ExchangeError(const ExchangeOutcome& outcome);

    ExchangeMode m_mode;
    uint8_t m_traceSel;
    uint16_t m_traceValue;
    bool m_linkStarted = false;
};

} // namespace orv
