// The data range a driver carries in its parameters, compared with the
// project's when a driver file is checked or stamped.
#pragma once

#include "model/project/PanelTable.h"

#include <cstdint>
#include <string>

namespace orv {

class CSpsPar;

// The data range a driver carries as its parameters "AK" (data block), "AL"
// (first word) and "AM" (last word).
struct DrvRange {
    uint32_t db = 0;
    uint32_t start = 0;
    uint32_t end = 0;
};

// Which of "AK", "AL", "AM" a parameter name is: 'K', 'L', 'M' or 0.
char RangeParamOf(const std::string& name);

// Whether the driver carries the range in these parameters.
bool HasRangeParams(DrvFamily family, uint16_t drvNo);

// The values the driver's parameters take for the project's range: the
// project's data block, and the PLC addresses of its first and last data
// word in the driver's own counting.
DrvRange DriverRangeFor(uint16_t drvNo, const CSpsPar& sps);

// The project's and the driver's range side by side, each turned as the
// comparison needs; the driver's is what the user is shown.
struct RangeComparison {
    DrvRange project;
    DrvRange driver;
    // Compared as 16-bit values.
    bool Equal() const;
};
// driverValues holds what the driver's parameters hold; a caller that finds
// no parameter for a value leaves DriverRangeFor's value there, which then
// compares equal.
RangeComparison CompareRange(uint16_t drvNo, const CSpsPar& sps, const DrvRange& driverValues);

// The driver's range in the PLC's own notation; empty for a driver without
// a text.
std::string RangeText(uint16_t drvNo, uint16_t spsType, uint16_t db, uint16_t start, uint16_t end);

} // namespace orv
