// Parses fault rules and hands out the next matching one; a malformed rule is
// refused with its reason.
#include "FaultScript.h"

#include <charconv>

namespace panelemu {

namespace {

bool ParseDecimal(std::string_view text, uint32_t& value) {
    if (text.empty()) return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

bool ParseAction(std::string_view action, bool start, FaultRule& rule) {
    uint32_t number = 0;
    if (start) {
        if (action == "rate") rule.action = FaultRule::Action::RefuseRate;
        else if (action == "open") rule.action = FaultRule::Action::FailOpen;
        else return false;
        return true;
    }
    if (action.size() > 1 && action.front() == '?') {
        rule.action = FaultRule::Action::Refuse;
        rule.refusal = std::string(action);
    } else if (action == "empty") {
        rule.action = FaultRule::Action::Empty;
    } else if (action.substr(0, 4) == "cut:" && ParseDecimal(action.substr(4), number)) {
        rule.action = FaultRule::Action::Cut;
        rule.cut = number;
    } else if (action.substr(0, 7) == "answer:") {
        rule.action = FaultRule::Action::Answer;
        rule.answer = std::string(action.substr(7));
    } else if (action.substr(0, 7) == "result:" && ParseDecimal(action.substr(7), number) &&
               number <= 0xFFFF && IsScriptableResult(static_cast<uint16_t>(number))) {
        rule.action = FaultRule::Action::Result;
        rule.result = static_cast<uint16_t>(number);
    } else {
        return false;
    }
    return true;
}

}  // namespace

bool IsScriptableResult(uint16_t result) {
    switch (result) {
    case 1: case 2: case 4: case 5: case 28: case 29: case 30: case 31: case 32: return true;
    default: return false;
    }
}

bool ParseFaultRule(std::string_view text, FaultRule& rule, std::string& error) {
    const size_t first = text.find(',');
    const size_t second = first == std::string_view::npos ? first : text.find(',', first + 1);
    if (second == std::string_view::npos) {
        error = "fault needs <prefix>,<count>,<action>: " + std::string(text);
        return false;
    }
    rule = FaultRule{};
    rule.prefix = std::string(Trim(text.substr(0, first)));
    uint32_t count = 0;
    if (rule.prefix.empty() || !ParseDecimal(Trim(text.substr(first + 1, second - first - 1)), count) ||
        count == 0 || count > 1000000) {
        error = "fault needs a command prefix and a count of at least 1: " + std::string(text);
        return false;
    }
    rule.remaining = static_cast<int>(count);
    // A fourth field counts the matching commands that pass first.
    const size_t third = text.find(',', second + 1);
    const std::string_view action = text.substr(second + 1, third == std::string_view::npos ? third : third - second - 1);
    if (third != std::string_view::npos) {
        uint32_t skip = 0;
        if (!ParseDecimal(Trim(text.substr(third + 1)), skip) || skip > 1000000) {
            error = "fault skip count must be a number: " + std::string(text);
            return false;
        }
        rule.skip = static_cast<int>(skip);
    }
    if (!ParseAction(Trim(action), rule.prefix == kStartPrefix, rule)) {
        error = "unknown fault action: " + std::string(text);
        return false;
    }
    return true;
}

std::optional<FaultRule> FaultScript::Take(std::string_view command, bool start) {
    for (FaultRule& rule : m_rules) {
        if (rule.remaining <= 0 || (rule.prefix == kStartPrefix) != start) continue;
        if (!start && command.substr(0, rule.prefix.size()) != rule.prefix) continue;
        if (rule.skip > 0) {
            --rule.skip;
            continue;
        }
        --rule.remaining;
        return rule;
    }
    return std::nullopt;
}

std::optional<FaultRule> FaultScript::TakeCommand(std::string_view command) { return Take(command, false); }

std::optional<FaultRule> FaultScript::TakeStart() { return Take({}, true); }

}  // namespace panelemu
