#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The header keywords of a project source file and the panel type each
// names, in the order in which they are compared.
struct OrvModelKeyword {
    std::string_view keyword;
    uint16_t type;
};

// The panels a project may be read for.
inline constexpr std::array<OrvModelKeyword, 11> kOrvModels{{
    {"ORV014_PARAMETER", 14},
    {"ORV036_PARAMETER", 36},
    {"ORV043_PARAMETER", 43},
    {"ORV047_PARAMETER", 47},
    {"ORV755_PARAMETER", 755},
    {"ORV706_PARAMETER", 706},
    {"ORV473_PARAMETER", 473},
    {"ORV477_PARAMETER", 477},
    {"ORV118_PARAMETER", 118},
    {"ORV163_PARAMETER", 163},
    {"ORV167_PARAMETER", 167},
}};

// Headers of earlier panels that a file may still carry; they end the
// description search and pass the header step, but name no panel.
inline constexpr std::array<std::string_view, 4> kOrvOldModels{
    "ORV724_PARAMETER", "ORV753_PARAMETER", "ORV753C_PARAMETER", "ORV753E_PARAMETER"};

inline bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// The panel type whose keyword begins the text, 0 when none.
inline uint16_t OrvModelAt(std::string_view text)
{
    for (const auto& m : kOrvModels)
        if (StartsWith(text, m.keyword))
            return m.type;
    return 0;
}

inline bool OrvOldModelAt(std::string_view text)
{
    for (const auto kw : kOrvOldModels)
        if (StartsWith(text, kw))
            return true;
    return false;
}
