#pragma once

#include "source/reader/ParsOrvLoad.h"
#include "support/ParserWorld.h"
#include "support/TempDir.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace orv {

// What a parse left behind.
struct ParseOutcome {
    uint16_t error = 0;
    uint16_t xerror = 0;
    uint16_t line = 0;
    uint16_t column = 0;
    std::string errorText;
};

// Writes the text as the file "P.ORV" and reads it into the project with
// the load parser: description, statements, then the parser goes (without
// its end-of-parse report, so that the project keeps what was read).
ParseOutcome ParseInto(ProjectWorld& p, const TempDir& dir, const std::string& text, bool load = true);

// The column at which the last occurrence of the anchor begins in the line.
uint16_t ColumnOf(std::string_view line, std::string_view anchor);

} // namespace orv
