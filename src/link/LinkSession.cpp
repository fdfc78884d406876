// Starts, uses and ends the link for one transfer or read-back; the link is
// ended once for every start, whichever step failed.
#include "link/LinkSession.h"
#include "link/LinkCodes.h"

#include "model/core/CatalogueIds.h"
#include "model/core/Log.h"
#include "model/core/WorkspaceState.h"

namespace orv {

namespace {

constexpr int kVersionTries = 5;

} // namespace

CLinkSession::CLinkSession(CLinkContext& ctx, CWorkspaceState& workspace, uint16_t panelType, uint16_t port,
                           uint8_t traceSel, ExchangeMode mode)
    : m_ctx(ctx), m_ws(workspace), m_panelType(panelType), m_port(port), m_mode(mode), m_traceSel(traceSel),
      m_traceValue(traceSel ? 160 : 25)
{
    m_ctx.ClearBuffers();
}

CLinkSession::~CLinkSession() { EndLink(); }

bool CLinkSession::LinkConnect(size_t minAnswer)
{
    const SerLinkApi* api = m_ctx.Api();
    if (!api) {
        m_error.Set(kErrNoPanel);
        return false;
    }
    const bool transfer = m_mode == ExchangeMode::Transfer;
    const bool simulation = m_mode == ExchangeMode::Simulation;
    bool answered = false;
    const std::array<uint16_t, 2> rates = m_ctx.Rates();
    for (size_t position = 0; position < rates.size() && !answered && !Failed(); ++position) {
        const uint16_t rate = rates[position];
        if (position > 0)
            EndLink();
        if (transfer)
            m_trace.Write("\nPORT ini : COM%u  BIndex : %u", m_port + 1u, static_cast<unsigned>(rate));
        LogLineId(kLogInfo, msg::kVerbindungsaufbauCOM, m_port + 1, rate == CLinkContext::kFast ? "115kBaud" : "38400 Baud");
        m_linkStarted = true;
        if (api->start(m_port, rate) != 0) {
            m_error.Set(kErrNoPanel);
            if (transfer || simulation)
                LogLine(simulation ? kLogInfo : kLogDebug, "DEBUG -> Error orvlink_start");
            return false;
        }
        for (int attempt = 0; attempt < kVersionTries && !answered; ++attempt) {
            m_ctx.SetCommand("V");
            if (transfer) {
                LogLine(kLogDebug, "MONITOR_LESE_VERSION Anfrage%d", attempt);
                m_trace.Write("\nRE #%u >%s<", static_cast<unsigned>(attempt), "V");
            }
            const uint16_t result = api->rec(m_ctx.CommandBuffer(), m_ctx.AnswerBuffer());
            if (result != 0)
                LogLine(simulation ? kLogDebug : kLogErrors, "Ubertragungsfehler:%d", result);
            const std::string answer = m_ctx.Answer();
            if (transfer)
                m_trace.Write("\nANS %u : >%s<", static_cast<unsigned>(result), answer.c_str());
            answered = result == 0 && !answer.empty() && answer[0] != '?' && answer.size() >= minAnswer;
        }
        if (answered)
            m_ctx.PreferRate(rate);
    }
    return answered;
}

uint16_t CLinkSession::ExchangeError(const ExchangeOutcome& outcome)
{
    if (m_mode == ExchangeMode::ReadBack) {
        m_ws.IncLinkErrors();
        return kErrReadBack;
    }
    const bool notProgrammable = outcome.answer == "?11" || outcome.answer == "?12";
    return notProgrammable ? kErrNotProgrammable : kErrTransfer;
}

int CLinkSession::Exchange(size_t minBytes)
{
    const ExchangeSinks sinks{&m_trace, m_traceValue, m_mode == ExchangeMode::Transfer ? &m_ws : nullptr};
    const ExchangeOutcome outcome = ExchangeCommand(m_ctx, m_mode, minBytes, sinks);
    if (outcome.ok)
        return 1;
    Fail(ExchangeError(outcome));
    return -1;
}

int CLinkSession::Send(std::string_view command, size_t minBytes)
{
    if (!m_ctx.SetCommand(command)) {
        Fail(m_mode == ExchangeMode::ReadBack ? kErrReadBack : kErrTransfer);
        return -1;
    }
    return Exchange(minBytes);
}

bool CLinkSession::SendUnchecked(std::string_view command)
{
    if (!m_ctx.SetCommand(command))
        return false;
    const ExchangeSinks sinks{&m_trace, m_traceValue, m_mode == ExchangeMode::Transfer ? &m_ws : nullptr};
    return ExchangeCommand(m_ctx, m_mode, 0, sinks).ok;
}

void CLinkSession::Fail(uint16_t code)
{
    m_error.Set(code);
    EndLink();
}

void CLinkSession::EndLink()
{
    if (!m_linkStarted)
        return;
    m_linkStarted = false;
    m_ctx.Sleep(kEndPauseMs);
    if (const SerLinkApi* api = m_ctx.Api())
        api->end();
}

void CLinkSession::UpdateProgress(int64_t done, int64_t total)
{
    if (total < 1)
        return;
    const int percent = static_cast<int>(done * 100 / total);
    if (percent == m_ctx.LastPercent())
        return;
    m_ctx.SetLastPercent(percent);
    if (m_bar) {
        m_bar->SetPos(percent);
        m_bar->SetText(FormatText("%d%% complete", percent));
    }
}

bool CLinkSession::SendMemorySetup(std::string_view read, uint8_t readBytes, size_t minXAnswer, SetupBuilder build,
                                   uint16_t failCode)
{
    if (Send(read, readBytes) < 0)
        return false;
    const std::string readAnswer = m_ctx.Answer();
    if (Send("X", minXAnswer / 2) < 0)
        return false;
    const auto setup = build(m_ctx.Answer(), readAnswer);
    if (!setup) {
        Fail(failCode);
        return false;
    }
    return Send(*setup) > 0;
}

bool CLinkSession::StartProgramming()
{
    SetTraceValue(kCommandTraceValue);
    const int sent = Send("EP0");
    RestoreTraceValue();
    return sent > 0;
}

} // namespace orv
