// The one exchange core under the transfer, the read-back and the simulation
// preparation: a command with retries, its traces and its failure counts.
#pragma once

#include "link/LinkContext.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace orv {

class CWorkspaceState;

class CLinkTrace;

// How the callers differ: the transfer tries 20 times, logs and counts every
// failed try; the read-back tries 20 times and logs link results; the
// simulation preparation tries 10 times without trace or count, and logs
// every failed try.
enum class ExchangeMode { Transfer, ReadBack, Simulation };

struct ExchangeOutcome {
    bool ok = false;
    // Of the last try.
    std::string answer;
    uint16_t result = 0;
};

// What the exchange writes beside the link: the debug trace (may be null or
// closed), the value it prints, and the workspace whose transmission errors
// the transfer counts (may be null).
struct ExchangeSinks {
    CLinkTrace* trace = nullptr;
    uint16_t traceValue = 0;
    CWorkspaceState* errors = nullptr;
};

// Sends the command in the context's buffer until a try succeeds: result 0
// and an answer that is not empty, does not begin with '?' and holds at
// least two characters per byte of minBytes. The command is restored before
// every retry and before the return, so that a caller may send it once
// more. Without entry points nothing is sent and the exchange fails.
ExchangeOutcome ExchangeCommand(CLinkContext& ctx, ExchangeMode mode, size_t minBytes, const ExchangeSinks& sinks);

int ExchangeTries(ExchangeMode mode);

} // namespace orv
