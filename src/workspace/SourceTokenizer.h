// What the project source editor colours, found by a tokenizer free of Qt that
// the GUI highlighter calls.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// What the project source editor colours. Everything else is plain text.
enum class SrcTokenKind { Comment, String, Number, Keyword, Keyword2 };

struct SrcTokenStyle {
    uint32_t rgb;   // 0xRRGGBB
    bool bold;
};

SrcTokenStyle StyleOf(SrcTokenKind kind);

struct SrcSpan {
    SrcTokenKind kind;
    int start;
    int length;
    bool bold;
    bool operator==(const SrcSpan&) const = default;
};

struct SrcLineScan {
    std::vector<SrcSpan> spans;  // in line order, never overlapping
    std::u16string rewritten;    // the line with keywords in their listed case
};

// Scans one line of project source text (UTF-16, without its line end).
// Tokens never span lines: a comment or an unclosed string ends with the
// line. Keywords are found regardless of case and rewritten as listed; the
// name after a leading VAR, MENU or TIMER keeps its case, since the reader
// tells names apart by case.
SrcLineScan ScanSourceLine(std::u16string_view line);

} // namespace orv
