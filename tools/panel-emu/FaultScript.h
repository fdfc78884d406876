// The emulator's fault script: which commands go wrong and how, so tests can
// drive the program's error paths over the link.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace panelemu {

// One line of a fault script: the next `remaining` commands that begin with
// `prefix` (or the next starts, for the prefix "@start") go wrong this way.
struct FaultRule {
    enum class Action {
        Refuse,      // the panel answers `refusal` ("?11", ...) and does nothing
        Empty,       // the command is carried out, the answer is lost
        Cut,         // the command is carried out, the answer is cut to `cut` characters
        Result,      // the link reports `result`
        Answer,      // the command is carried out, the panel answers `answer`
        RefuseRate,  // start: the panel does not run this rate
        FailOpen     // start: the port does not open (21)
    };

    std::string prefix;
    int remaining = 0;
    Action action = Action::Empty;
    std::string refusal;
    size_t cut = 0;
    uint16_t result = 0;
    std::string answer;
    // The first `skip` matching commands pass untouched, so that a fault can
    // strike in the middle of a file.
    int skip = 0;
};

inline constexpr std::string_view kStartPrefix = "@start";

// "<prefix>,<count>,<action>[,<skip>]"; false with a reason for anything else.
bool ParseFaultRule(std::string_view text, FaultRule& rule, std::string& error);
// Link results a rule may produce.
bool IsScriptableResult(uint16_t result);

class FaultScript {
public:
    void Add(FaultRule rule) { m_rules.push_back(std::move(rule)); }
    // The first live rule for this command, counted down by one.
    std::optional<FaultRule> TakeCommand(std::string_view command);
    std::optional<FaultRule> TakeStart();

private:
    std::optional<FaultRule> Take(std::string_view command, bool start);

    std::vector<FaultRule> m_rules;
};

}  // namespace panelemu
