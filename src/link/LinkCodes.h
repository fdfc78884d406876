// The codes by which a transfer or read-back ends, and the 706 family's memory
// banks that both directions address.
#pragma once

#include <cstdint>

namespace orv {

inline constexpr uint16_t kErrImage = 3;
inline constexpr uint16_t kErrDriver = 5;
inline constexpr uint16_t kErrFunction = 7;
inline constexpr uint16_t kErrFirmware = 8;
inline constexpr uint16_t kErrRecipe = 10;
inline constexpr uint16_t kErrNotProgrammable = 24;
inline constexpr uint16_t kErrCartridge = 25;
inline constexpr uint16_t kErrFeature = 30;
inline constexpr uint16_t kErrFirmwareId = 31;
inline constexpr uint16_t kErrOtherModel = 34;
inline constexpr uint16_t kErrFirmwareOld = 35;
inline constexpr uint16_t kErrDriverOld = 36;
inline constexpr uint16_t kErrFunctionOld = 37;
inline constexpr uint16_t kErrImageOld = 38;
inline constexpr uint16_t kErrTransfer = 39;
inline constexpr uint16_t kErrReadBack = 40;
inline constexpr uint16_t kErrNoDataSet = 44;
inline constexpr uint16_t kErrDeclined = 45;
inline constexpr uint16_t kErrTrace = 46;
inline constexpr uint16_t kErrFieldbus = 47;
// The panel's interface kind does not fit the project's driver.
inline constexpr uint16_t kErrInterface = 52;
// The panel's status or terminal module refuses the data set.
inline constexpr uint16_t kErrRefused = 33;

// Written to the trace in place of a command's percentage.
inline constexpr uint16_t kCommandTraceValue = 500;
// 706 family: the driver's bank, the set-up bank and the special-function
// file's address.
inline constexpr uint8_t kDriverBank = 5;
inline constexpr uint8_t kSetupBank = 2;
inline constexpr uint16_t kFunctionAddress = 0xA000;

} // namespace orv
