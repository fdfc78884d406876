// Finds a search text in the project source as the editor holds it: code page
// 437 bytes, one byte for every place of the editor's text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

// A range of the text, start included, end excluded.
struct TextRange {
    size_t start = 0;
    size_t end = 0;

    bool operator==(const TextRange&) const = default;
};

// The search flags, as the search dialog combines them.
enum : uint32_t {
    kFindDown = 1,
    kFindWholeWord = 2,
    kFindMatchCase = 4,
};

// Letters, digits and the underscore; the letters are the ASCII ones and those
// of the code page that have both cases.
bool IsFindWordChar(unsigned char c);
// The byte's lower-case partner, or the byte itself when it has none.
unsigned char FoldFindCase(unsigned char c);
// True when `text` begins with `prefix`, letters compared without case.
bool BeginsWithNoCase(std::string_view text, std::string_view prefix);

class CTextFinder {
public:
    // A byte of the text whose value the whole-word rule must not take from
    // the text itself; kFromText takes it from there.
    static constexpr int kFromText = -1;

    CTextFinder(std::string pattern, uint32_t flags);

    // An empty pattern, or one holding byte 0 (a character the code page
    // lacks), is never found.
    bool CanMatch() const { return m_canMatch; }
    bool IsDown() const { return (m_flags & kFindDown) != 0; }

    // The first match (downward) or the last (upward) lying wholly in
    // [from, to). `before` is the byte that stands before `from` and `after`
    // the one at `to`, for the whole-word rule; 0 stands for none.
    std::optional<TextRange> Find(std::string_view text, size_t from, size_t to, int before = kFromText,
                                  int after = kFromText) const;
    // Whether the range holds a match under the flags.
    bool IsMatch(std::string_view text, TextRange range) const;

private:
    bool MatchesAt(std::string_view text, size_t pos) const;
    bool WordBoundsHold(std::string_view text, size_t pos, size_t from, size_t to, int before, int after) const;

    std::string m_pattern;
    uint32_t m_flags;
    bool m_canMatch;
};

} // namespace orv
