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

// One row line: the characters through the character set, and "@name@" in
// place of the field of every filled variable slot, whatever the slots'
// order and holes, at most maxVars fields.
void WriteRowLine(CSrcSink& sink, const SrcRowKind& kind, const CTxtRowBase* row, int maxVars);
