// The characters of a name in the project source: what the reader takes as
// one, so that whoever makes a name makes one that loads again.
#pragma once

namespace orv {

// Letters, digits, '[', ']', '_' and the panel's umlauts (code page 437
// bytes 129, 132, 142, 148, 153 and 154).
bool IsSourceIdentChar(unsigned char c);

} // namespace orv
