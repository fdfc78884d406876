// Opens the program's HTML help pages by page kind and number.
#pragma once

#include <string>

namespace orv {

// Opens an HTML help page below "hlp/" of the program directory:
// page 0 the main page, 1 a second page, 2 "s" + number as "%03d" + ".htm",
// 3 the FIFO warning page; pages 0 and 1 depend on whether the chosen panel
// is a 706. Any other page opens "hlp/" itself. A failure is logged at level 0.
void ShowHelpPage(int page, int number);

// The path ShowHelpPage opens, resolved regardless of case where it exists.
std::string HelpPagePath(int page, int number);

} // namespace orv
