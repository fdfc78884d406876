// The search of the source editor: plain byte comparison, with the code page's
// letter pairs folded when case does not count.
#include "workspace/forms/TextFinder.h"

#include <algorithm>
#include <array>

namespace orv {

namespace {

// Upper-case and lower-case bytes of code page 437's letters that have both.
struct FindCasePair {
    unsigned char upper;
    unsigned char lower;
};
constexpr std::array<FindCasePair, 8> kFindCasePairs = {{
    {0x8E, 0x84}, // Ä ä
    {0x99, 0x94}, // Ö ö
    {0x9A, 0x81}, // Ü ü
    {0x90, 0x82}, // É é
    {0x8F, 0x86}, // Å å
    {0x92, 0x91}, // Æ æ
    {0x80, 0x87}, // Ç ç
    {0xA5, 0xA4}, // Ñ ñ
}};

struct FindTables {
    std::array<unsigned char, 256> fold{};
    std::array<bool, 256> word{};

    constexpr FindTables()
    {
        for (int c = 0; c < 256; ++c) {
            fold[static_cast<size_t>(c)] = static_cast<unsigned char>(c);
            word[static_cast<size_t>(c)] =
                (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        }
        for (int c = 'A'; c <= 'Z'; ++c)
            fold[static_cast<size_t>(c)] = static_cast<unsigned char>(c - 'A' + 'a');
        for (const FindCasePair& p : kFindCasePairs) {
            fold[p.upper] = p.lower;
            word[p.upper] = true;
            word[p.lower] = true;
        }
    }
};
constexpr FindTables kFindTables;

} // namespace

bool IsFindWordChar(unsigned char c)
{
    return kFindTables.word[c];
}

unsigned char FoldFindCase(unsigned char c)
{
    return kFindTables.fold[c];
}

bool BeginsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (prefix.size() > text.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (FoldFindCase(static_cast<unsigned char>(text[i])) != FoldFindCase(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

CTextFinder::CTextFinder(std::string pattern, uint32_t flags)
    : m_pattern(std::move(pattern)), m_flags(flags),
      m_canMatch(!m_pattern.empty() && m_pattern.find('\0') == std::string::npos)
{
    if ((m_flags & kFindMatchCase) == 0)
        for (char& c : m_pattern)
            c = static_cast<char>(FoldFindCase(static_cast<unsigned char>(c)));
}

bool CTextFinder::MatchesAt(std::string_view text, size_t pos) const
{
    if ((m_flags & kFindMatchCase) != 0)
        return text.compare(pos, m_pattern.size(), m_pattern) == 0;
    for (size_t i = 0; i < m_pattern.size(); ++i)
        if (FoldFindCase(static_cast<unsigned char>(text[pos + i])) != static_cast<unsigned char>(m_pattern[i]))
            return false;
    return true;
}

bool CTextFinder::WordBoundsHold(std::string_view text, size_t pos, size_t from, size_t to, int before,
                                 int after) const
{
    if ((m_flags & kFindWholeWord) == 0)
        return true;
    const size_t end = pos + m_pattern.size();
    int left = 0;
    if (pos == from && before != kFromText)
        left = before;
    else if (pos > 0)
        left = static_cast<unsigned char>(text[pos - 1]);
    int right = 0;
    if (end == to && after != kFromText)
        right = after;
    else if (end < text.size())
        right = static_cast<unsigned char>(text[end]);
    return !IsFindWordChar(static_cast<unsigned char>(left)) && !IsFindWordChar(static_cast<unsigned char>(right));
}

std::optional<TextRange> CTextFinder::Find(std::string_view text, size_t from, size_t to, int before,
                                           int after) const
{
    to = std::min(to, text.size());
    const size_t len = m_pattern.size();
    if (!m_canMatch || from > to || to - from < len)
        return std::nullopt;
    const size_t last = to - len;
    if (IsDown()) {
        const bool exact = (m_flags & kFindMatchCase) != 0;
        for (size_t pos = from; pos <= last; ++pos) {
            if (exact) {
                // The library's search skips ahead far faster than a byte loop.
                pos = text.substr(0, to).find(m_pattern, pos);
                if (pos == std::string_view::npos)
                    return std::nullopt;
            } else if (!MatchesAt(text, pos)) {
                continue;
            }
            if (WordBoundsHold(text, pos, from, to, before, after))
                return TextRange{pos, pos + len};
        }
        return std::nullopt;
    }
    for (size_t pos = last + 1; pos-- > from;)
        if (MatchesAt(text, pos) && WordBoundsHold(text, pos, from, to, before, after))
            return TextRange{pos, pos + len};
    return std::nullopt;
}

bool CTextFinder::IsMatch(std::string_view text, TextRange range) const
{
    return m_canMatch && range.start <= range.end && range.end <= text.size() &&
           range.end - range.start == m_pattern.size() && MatchesAt(text, range.start) &&
           WordBoundsHold(text, range.start, range.start, range.end, kFromText, kFromText);
}

} // namespace orv
