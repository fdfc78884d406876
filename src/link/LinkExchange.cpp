// Sends one command with retries; a short, refused or empty answer is a
// failed try, and the command buffer never keeps a stale checksum byte.
#include "link/LinkExchange.h"

#include "link/LinkTrace.h"
#include "model/core/Log.h"
#include "model/core/WorkspaceState.h"

namespace orv {

int ExchangeTries(ExchangeMode mode) { return mode == ExchangeMode::Simulation ? 10 : 20; }

ExchangeOutcome ExchangeCommand(CLinkContext& ctx, ExchangeMode mode, size_t minBytes, const ExchangeSinks& sinks)
{
    ExchangeOutcome outcome;
    const SerLinkApi* api = ctx.Api();
    if (!api)
        return outcome;
    const std::string command = ctx.Command();
    const bool simulation = mode == ExchangeMode::Simulation;
    const int tries = ExchangeTries(mode);
    for (int attempt = 0; attempt < tries && !outcome.ok; ++attempt) {
        ctx.SetCommand(command);
        outcome.result = api->rec(ctx.CommandBuffer(), ctx.AnswerBuffer());
        outcome.answer = ctx.Answer();
        const bool refused = outcome.result != 0 || outcome.answer.empty() || outcome.answer[0] == '?';
        if (refused && (outcome.result != 0 || mode == ExchangeMode::ReadBack) && !simulation)
            LogLine(kLogErrors, "Ubertragungsfehler:%d", outcome.result);
        if (!refused && mode == ExchangeMode::ReadBack)
            LogLine(kLogDebugExt, ">%s<", outcome.answer.c_str());
        if (sinks.trace && !simulation) {
            sinks.trace->Write("\nSend   : V %u T %u >%s<", static_cast<unsigned>(attempt),
                               static_cast<unsigned>(sinks.traceValue), command.c_str());
            sinks.trace->Write("\nReceive:           >%s< A: %u", outcome.answer.c_str(),
                               static_cast<unsigned>(outcome.result));
        }
        outcome.ok = !refused && outcome.answer.size() >= 2 * minBytes;
        if (!outcome.ok && simulation)
            LogLine(kLogErrors, "Ubertragungsfehler:%d", outcome.result);
        if (!outcome.ok && mode == ExchangeMode::Transfer) {
            LogLine(kLogDebug, "SENDE Versuch%u  >%s<", static_cast<unsigned>(attempt), command.c_str());
            LogLine(kLogDebug, "EMPFANGE        >%s< Antwort %u", outcome.answer.c_str(),
                    static_cast<unsigned>(outcome.result));
            if (sinks.errors)
                sinks.errors->IncLinkErrors();
        }
    }
    ctx.SetCommand(command);
    return outcome;
}

} // namespace orv
