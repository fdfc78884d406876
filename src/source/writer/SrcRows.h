// How the project source writer writes a stored text row, within what the
// panel's reader takes in one row.
#pragma once

#include "source/reader/SrcRules.h"

namespace orv {

class CSrcSink;
class CTxtRowBase;

// How a stored row is written: its keyword, the positions it holds and
// whether its characters are printer bytes.
struct SrcRowKind {
    const char* keyword;
    int positions;
    bool printer;
};

inline constexpr SrcRowKind kTextRow{"TEXT", 40, false};
inline constexpr SrcRowKind kHistRow{"HTEXT", 40, false};
inline constexpr SrcRowKind kPrnRow{"PRNTEXT", static_cast<int>(kPrnRowPositions), true};

// What the panel's reader takes in one row: how many variable fields, and
// how many columns of a display row (the narrow panels show 20). Outside the
// 706 family an ASCII variable must stand alone in a display row.
struct SrcRowLimit {
    int maxVars;
    bool asciiAlone;
    int displayColumns = 40;
};

// One row line: the characters through the character set, and "@name@" in
// place of the field of every filled variable slot, whatever the slots'
// order and holes, as far as the limit goes. A field beyond the limit stays
// as its frame characters and is counted as left out; so is a display row's
// end beyond the panel's columns.
void WriteRowLine(CSrcSink& sink, const SrcRowKind& kind, const CTxtRowBase* row, const SrcRowLimit& rowLimit);

} // namespace orv
