#pragma once

// Loads the three panel fonts that the program starts with.

#include <string>

namespace orv {

class CCharSet;
class CFon;

// Loads "ALT.FON", "706.FON" and "INT.FON" from dir (exact name first, then
// without regard to case), in that order, and fills the character set's
// buffer of each font after it loaded. Stops at the first font that does not
// load, giving its path in failedPath; the fonts after it are not tried.
bool LoadPanelFonts(const std::string& dir, CFon& alt, CFon& f706, CFon& intFont, CCharSet& charSet,
                    std::string& failedPath);

} // namespace orv
