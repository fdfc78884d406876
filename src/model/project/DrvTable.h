// The fixed list of PLC drivers by number: the key configurations name them by
// and their file names.
#pragma once

#include <cstdint>

namespace orv {

// The PLC drivers by number: the key that the configuration files name a
// driver by, and the file name of the driver. Driver 78 is one given by the
// workspace's override file name; its key is "UNKNOWN".
inline constexpr uint16_t kDrvCount = 79;
inline constexpr uint16_t kDrvByFileName = 78;

// The driver's key; "" for a number from kDrvCount on.
const char* DrvIniKey(uint16_t drvNo);
// The driver's own file name; "" for driver 68, which has none, for driver
// 78 and for a number from kDrvCount on.
const char* DrvStdFileName(uint16_t drvNo);

} // namespace orv
