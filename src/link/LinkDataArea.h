// The PLC data area a read-back checks against the project's start
// selection: which panel drivers carry one, how the project's values are
// adjusted to the panel's form, and how the two are compared.
#pragma once

#include <cstdint>
#include <string>

namespace orv {

class CSpsPar;

// The data block, first and last address of a driver's data area.
struct DataArea {
    uint16_t dataBlock = 0;
    uint16_t first = 0;
    uint16_t last = 0;
};

enum class AreaAdjust : uint8_t { None, Shift4, LastPlus1, Modbus, Shift1 };
enum class AreaCompare : uint8_t { None, DbFirstLast, FirstLast, Shift4, LastPlus1, DbOnly };
// The panel families whose read-back knows the driver's area.
enum class AreaFamilies : uint8_t { Both, Only706, Only043 };

struct AreaDriver {
    const char* drvFile;
    AreaAdjust adjust;
    AreaCompare compare;
    AreaFamilies families;
};

// The row of the driver file; null for a driver without a data area, or
// for a driver the panel's family does not list.
const AreaDriver* FindAreaDriver(const std::string& drvFile, bool family706);
// The project's area in the form the panel driver stores it.
DataArea ProjectArea(const AreaDriver& driver, const CSpsPar& sps);
// True when the panel's area differs from the project's by the driver's rule.
bool AreaDiffers(const AreaDriver& driver, const CSpsPar& sps, const DataArea& panel);

} // namespace orv
