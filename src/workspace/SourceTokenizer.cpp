// Scans one source line into coloured spans, with keywords from the same table
// as the source reader and writer.
#include "workspace/SourceTokenizer.h"

#include "source/reader/SrcKeywords.h"

#include <array>
#include <clocale>
#include <cstdlib>
#include <locale.h>

namespace orv {

namespace {

constexpr char16_t kCommentStart = u'\'';
constexpr char16_t kStringDelimiter = u'"';

// Statements whose first field is a name.
constexpr std::array<std::string_view, 3> kNamedStatements = {kw::kVar, kw::kMenu, kw::kTimer};

bool IsAsciiLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsWordStart(char16_t c) { return IsAsciiLetter(c) || c == u'_'; }
bool IsWordChar(char16_t c) { return IsWordStart(c) || IsDigit(c); }

// Identifier characters of the source format: letters, digits, brackets,
// underscore and the six umlauts of the panel code page.
bool IsNameChar(char16_t c)
{
    switch (c) {
    case u'[': case u']': case u'_':
    case u'\u00FC': case u'\u00E4': case u'\u00C4':
    case u'\u00F6': case u'\u00D6': case u'\u00DC':
        return true;
    default:
        return IsAsciiLetter(c) || IsDigit(c);
    }
}

template <size_t N>
bool Contains(const std::array<std::string_view, N>& list, std::string_view word)
{
    for (std::string_view k : list)
        if (k == word)
            return true;
    return false;
}

std::string UpperAscii(std::u16string_view word)
{
    std::string up;
    up.reserve(word.size());
    for (char16_t c : word)
        up.push_back(static_cast<char>(c >= u'a' && c <= u'z' ? c - u'a' + u'A' : c));
    return up;
}

// Length of the number that strtod reads in the "C" locale at `pos`.
size_t NumberLength(std::u16string_view line, size_t pos)
{
    std::string ascii;
    for (size_t i = pos; i < line.size() && line[i] < 0x80; ++i)
        ascii.push_back(static_cast<char>(line[i]));
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    char* end = nullptr;
    strtod_l(ascii.c_str(), &end, cLocale);
    const size_t len = static_cast<size_t>(end - ascii.c_str());
    return len == 0 ? 1 : len;
}

} // namespace

SrcTokenStyle StyleOf(SrcTokenKind kind)
{
    switch (kind) {
    case SrcTokenKind::Comment:  return {0x008000, false};
    case SrcTokenKind::String:   return {0x008000, false};
    case SrcTokenKind::Number:   return {0x800080, false};
    case SrcTokenKind::Keyword:  return {0x0000FF, false};
    case SrcTokenKind::Keyword2: return {0x000000, true};
    }
    return {0x000000, false};
}

SrcLineScan ScanSourceLine(std::u16string_view line)
{
    SrcLineScan scan;
    scan.rewritten.assign(line);
    auto add = [&scan](SrcTokenKind kind, size_t start, size_t len) {
        scan.spans.push_back({kind, static_cast<int>(start), static_cast<int>(len), StyleOf(kind).bold});
    };

    bool firstWord = true;
    size_t pos = 0;
    while (pos < line.size()) {
        const char16_t c = line[pos];
        if (c == kCommentStart) {
            add(SrcTokenKind::Comment, pos, line.size() - pos);
            break;
        }
        if (c == kStringDelimiter) {
            const size_t close = line.find(kStringDelimiter, pos + 1);
            const size_t end = close == std::u16string_view::npos ? line.size() : close + 1;
            add(SrcTokenKind::String, pos, end - pos);
            pos = end;
            firstWord = false;
            continue;
        }
        if (IsDigit(c)) {
            const size_t len = NumberLength(line, pos);
            add(SrcTokenKind::Number, pos, len);
            pos += len;
            firstWord = false;
            continue;
        }
        if (!IsWordStart(c)) {
            if (c != u' ' && c != u'\t')
                firstWord = false;
            ++pos;
            continue;
        }

        size_t end = pos;
        while (end < line.size() && IsWordChar(line[end]))
            ++end;
        const std::string upper = UpperAscii(line.substr(pos, end - pos));
        SrcTokenKind kind;
        if (Contains(kSrcStatementKeywords, upper))
            kind = SrcTokenKind::Keyword;
        else if (Contains(kSrcFieldKeywords, upper))
            kind = SrcTokenKind::Keyword2;
        else {
            pos = end;
            firstWord = false;
            continue;
        }
        for (size_t i = pos; i < end; ++i)
            scan.rewritten[i] = static_cast<char16_t>(upper[i - pos]);
        add(kind, pos, end - pos);
        const bool namesFollow = firstWord && kind == SrcTokenKind::Keyword && Contains(kNamedStatements, upper);
        pos = end;
        firstWord = false;
        if (namesFollow) {
            // Skip the separator and leave the name as the user wrote it.
            while (pos < line.size() && (line[pos] == u' ' || line[pos] == u'\t'))
                ++pos;
            if (pos < line.size() && line[pos] == u',')
                ++pos;
            while (pos < line.size() && (line[pos] == u' ' || line[pos] == u'\t'))
                ++pos;
            while (pos < line.size() && IsNameChar(line[pos]))
                ++pos;
        }
    }
    return scan;
}

} // namespace orv
