#pragma once

#include <cstdint>

// The PLC drivers by number: 0..77 are drivers of the libraries, 78 is a
// driver given by its file name alone.
inline constexpr int kDrvLibDrivers = 78;
inline constexpr int kDrvByFileName = 78;

// Constant-text numbers of a driver's key and of its file name; 0 where the
// driver has none (the file of 68 and 78, anything outside 0..78).
uint16_t DrvKeyTextNo(int drv);
uint16_t DrvFileTextNo(int drv);
