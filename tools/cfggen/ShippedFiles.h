// Makes the shipped configuration directory from the start-selection
// database: the section file, driver libraries, firmware and tool settings.
#pragma once

#include "workspace/SelDb.h"

#include <string>

namespace orv {

// Writes CFG/ORV/ below dir (ending in '/'): "ORVPRO.CFG", the driver
// libraries, the firmware images and "ORVPRO.INI" where there is none yet
// (the user's settings stay). Every driver entry and firmware image is a
// marked placeholder without panel code. False, with the reason in error,
// on the first failure.
bool WriteShippedFiles(const CSelDb& db, const std::string& dir, std::string& error);

// The placeholder body of an entry or image: the mark between 0xFF bytes,
// where panel code would be.
std::string PlaceholderBody(size_t size);

} // namespace orv
