#pragma once

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
inline constexpr SrcRowKind kPrnRow{"PRNTEXT", 132, true};

// How many variable fields the panel's reader takes in one row. Outside the
// 706 family an ASCII variable must stand alone in a display row.
struct SrcRowLimit {
    int maxVars;
    bool asciiAlone;
};

// One row line: the characters through the character set, and "@name@" in
// place of the field of every filled variable slot, whatever the slots'
// order and holes, as far as the limit goes. A field beyond the limit stays
// as its frame characters and is counted as left out.
void WriteRowLine(CSrcSink& sink, const SrcRowKind& kind, const CTxtRowBase* row, const SrcRowLimit& rowLimit);
