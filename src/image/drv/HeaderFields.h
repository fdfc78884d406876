// Header fields that driver and special-function files share, read for display.
#pragma once

#include "image/codec/BeReader.h"
#include "model/core/StepResult.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

// The header fields that driver and special-function files share.

// Three bytes shown "%02X.%02X.%02X", the last byte first.
std::string HexStampText(std::string_view three);
// Characters 5, 6, 7, a point and character 8 from the four characters
// 5..8 of a version field.
std::string VersionTextOf(std::string_view four);

// Readers at an offset of a file in memory. Each gives 1, or -1 when the
// field does not lie inside the file, leaving text unchanged.
StepResult ReadTextField(BeReader file, uint32_t offset, uint16_t length, std::string& text);
StepResult ReadHexStamp(BeReader file, uint32_t offset, std::string& text);
// The DOS date stored high byte first, shown "day.month.year".
StepResult ReadDosDate(BeReader file, uint32_t offset, std::string& text);
// The version text of the field at fieldOffset.
StepResult ReadVersionText(BeReader file, uint32_t fieldOffset, std::string& text);

} // namespace orv
