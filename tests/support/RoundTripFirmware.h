// The built-in variables of the firmware images that the golden round-trip
// sources set, for the decompiler tests and the kits the workspace runs on.
#pragma once

namespace orv {

class Fw706Image;
class Fw118Image;

// The 706 family's: cycle time, printer status word, printer line
// settings, date mode, weekday names, the softkey row and a character
// sequence. A firmware that offers feature 61 holds the sequence as a
// counted text.
Fw706Image& AddRoundTripVars(Fw706Image& img, bool countedHex = false);
// The 118 family's numbers 15 to 26: weekday names, date and widths.
Fw118Image& AddRoundTripVars(Fw118Image& img);

} // namespace orv
