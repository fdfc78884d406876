// Recognises the panel a source file's header names, and the headers of earlier
// panels that name none.
#pragma once

#include "model/project/PanelTable.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace orv {

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
    for (const PanelRow& row : PanelRows())
        if (StartsWith(text, row.sourceKeyword))
            return row.code;
    return 0;
}

inline bool OrvOldModelAt(std::string_view text)
{
    for (const auto kw : kOrvOldModels)
        if (StartsWith(text, kw))
            return true;
    return false;
}

} // namespace orv
