// Captions of the PLC driver parameters, shown beside their values.
#pragma once

#include <string>
#include <string_view>

namespace orv {

// The German caption (cp1252 bytes) of a driver parameter's two-letter code;
// empty for a code the drivers do not use. Exact and case-sensitive.
std::string DriverParamCaption(std::string_view code);

} // namespace orv
