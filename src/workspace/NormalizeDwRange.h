// Turns the data-word range typed in the start selection into the first word
// and word count the project manager keeps, by the PLC type's own numbering.
#pragma once

#include <cstdint>

namespace orv {

// The first (F) and last (L) data word as entered and the length (N), in
// place. By PLC type and, for some types, driver: scales where the type counts
// in other units, keeps F below the area's last start, limits N and keeps
// F + N within the area's end. N keeps its value where the rule leaves it
// (PLC types 12, 25 and 27 with other drivers, types outside 0..48); L is
// changed by some rules and not used afterwards.
struct DwRange {
    int32_t first = 0;
    int32_t last = 0;
    int32_t length = 0;

    bool operator==(const DwRange&) const = default;
};

void NormalizeDwRange(int32_t spsId, int32_t drvId, DwRange& range);

} // namespace orv
