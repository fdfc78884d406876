// Reads the text data files; every complaint names file and line, so a bad
// entry stops the build with a place to look.
#include "TextData.h"

#include "IdNames.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace textgen {

std::string Diagnostic::Text() const
{
    return file + ":" + std::to_string(line) + ": " + message;
}

void Diagnostics::Add(const std::string& file, int line, std::string message)
{
    m_items.push_back({file, line, std::move(message)});
}

namespace {

const char* const kLangNames[LangCount] = {"de", "en", "fr"};

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

const char* CodePageName(orv::CodePage cp)
{
    return cp == orv::CodePage::Cp437 ? "cp437" : "cp1252";
}

// Length of the UTF-8 sequence that starts with `lead` (1 for a stray byte).
std::size_t Utf8Length(unsigned char lead)
{
    if (lead >= 0xF0 && lead < 0xF8) return 4;
    if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
    if (lead >= 0xC0) return 2;
    return 1;
}

// Converts one run of UTF-8 text; on a character the code page lacks names it.
bool ConvertRun(std::string_view run, orv::CodePage cp, std::string& bytes, std::string& error)
{
    bool lossy = false;
    std::string converted = orv::FromUtf8(run, cp, &lossy);
    if (!lossy) {
        bytes += converted;
        return true;
    }
    for (std::size_t i = 0; i < run.size();) {
        std::size_t n = std::min(Utf8Length(static_cast<unsigned char>(run[i])), run.size() - i);
        bool bad = false;
        orv::FromUtf8(run.substr(i, n), cp, &bad);
        if (bad) {
            error = "character \"" + std::string(run.substr(i, n)) + "\" is not in code page " + CodePageName(cp);
            return false;
        }
        i += n;
    }
    error = std::string("text is not valid UTF-8 or not in code page ") + CodePageName(cp);
    return false;
}

// One data line split into its number, optional middle word and quoted body.
struct LineParts {
    std::string_view number;
    std::string_view word;
    std::string_view body;
    std::string_view given;  // the name after "=", if any
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TakeToken(std::string_view& rest)
{
    std::size_t n = 0;
    while (n < rest.size() && !IsBlank(rest[n]) && rest[n] != '"') ++n;
    std::string_view token = rest.substr(0, n);
    rest.remove_prefix(n);
    return token;
}

void SkipBlanks(std::string_view& rest)
{
    while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
}

// Splits `number [word] "body"`; false with `error` on any other shape.
bool SplitLine(std::string_view line, bool withWord, LineParts& parts, std::string& error)
{
    std::string_view rest = line;
    parts.number = TakeToken(rest);
    if (parts.number.empty()) {
        error = "malformed line: expected a number";
        return false;
    }
    SkipBlanks(rest);
    if (withWord) {
        parts.word = TakeToken(rest);
        SkipBlanks(rest);
    }
    if (rest.empty() || rest.front() != '"') {
        error = withWord ? "malformed line: expected id, language and quoted text"
                         : "malformed line: expected number and quoted text";
        return false;
    }
    rest.remove_prefix(1);
    std::size_t end = 0;
    while (end < rest.size() && rest[end] != '"') end += rest[end] == '\\' ? 2 : 1;
    if (end >= rest.size()) {
        error = "malformed line: missing closing quote";
        return false;
    }
    parts.body = rest.substr(0, end);
    rest.remove_prefix(end + 1);
    SkipBlanks(rest);
    if (!rest.empty() && rest.front() == '=') {
        rest.remove_prefix(1);
        SkipBlanks(rest);
        parts.given = TakeToken(rest);
        SkipBlanks(rest);
        if (!IsGivenName(parts.given)) {
            error = "malformed line: \"" + std::string(parts.given) + "\" after \"=\" is not a name";
            return false;
        }
    }
    if (!rest.empty()) {
        error = "malformed line: text after the closing quote";
        return false;
    }
    return true;
}

bool ParseNumber(std::string_view digits, std::uint32_t limit, std::uint32_t& value)
{
    if (digits.empty()) return false;
    std::uint64_t v = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + static_cast<unsigned>(c - '0');
        if (v > limit) return false;
    }
    value = static_cast<std::uint32_t>(v);
    return true;
}

// Calls `fn(lineNumber, line)` for every line that holds data.
template <class Fn>
void ForEachDataLine(std::string_view content, Fn fn)
{
    if (content.substr(0, 3) == "\xEF\xBB\xBF") content.remove_prefix(3);
    int lineNo = 0;
    while (!content.empty()) {
        std::size_t nl = content.find('\n');
        std::string_view line = content.substr(0, nl);
        content.remove_prefix(nl == std::string_view::npos ? content.size() : nl + 1);
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::string_view probe = line;
        SkipBlanks(probe);
        if (probe.empty() || line.front() == '#') continue;
        fn(lineNo, line);
    }
}

}  // namespace

bool DecodeQuoted(std::string_view body, orv::CodePage cp, std::string& bytes, std::string& error)
{
    bytes.clear();
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] != '\\') continue;
        if (!ConvertRun(body.substr(runStart, i - runStart), cp, bytes, error)) return false;
        char e = i + 1 < body.size() ? body[i + 1] : '\0';
        std::size_t used = 2;
        switch (e) {
        case '"': bytes += '"'; break;
        case '\\': bytes += '\\'; break;
        case 'n': bytes += '\n'; break;
        case 't': bytes += '\t'; break;
        case 'x': {
            int hi = i + 2 < body.size() ? HexValue(body[i + 2]) : -1;
            int lo = i + 3 < body.size() ? HexValue(body[i + 3]) : -1;
            if (hi < 0 || lo < 0) {
                error = "unknown escape: \\x needs two hexadecimal digits";
                return false;
            }
            if (hi == 0 && lo == 0) {
                error = "unknown escape: \\x00 would end the text";
                return false;
            }
            bytes += static_cast<char>(hi * 16 + lo);
            used = 4;
            break;
        }
        default:
            error = std::string("unknown escape: \\") + (e ? std::string(1, e) : std::string());
            return false;
        }
        i += used - 1;
        runStart = i + 1;
    }
    return ConvertRun(body.substr(runStart), cp, bytes, error);
}

std::string ConversionKinds(std::string_view text)
{
    std::string kinds;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') continue;
        ++i;
        if (i < text.size() && text[i] == '%') continue;
        while (i < text.size() && text[i] != '\0' && std::strchr("-+ #0", text[i])) ++i;
        for (int part = 0; part < 2; ++part) {  // width, then precision
            if (part == 1) {
                if (i >= text.size() || text[i] != '.') break;
                ++i;
            }
            if (i < text.size() && text[i] == '*') {
                kinds += '*';
                ++i;
            }
            while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
        }
        while (i < text.size() && text[i] != '\0' && std::strchr("hlLqjzt", text[i])) ++i;
        char c = i < text.size() ? text[i] : '\0';
        if (c != '\0' && std::strchr("diouxX", c)) kinds += 'i';
        else if (c == 'c') kinds += 'c';
        else if (c == 's') kinds += 's';
        else if (c != '\0' && std::strchr("feEgGaA", c)) kinds += 'f';
        else if (c == 'p') kinds += 'p';
        else if (c == 'n') kinds += 'n';
        else kinds += '?';
    }
    return kinds;
}

CatalogueData::CatalogueData(std::string name, unsigned last, orv::CodePage cp)
    : m_name(std::move(name)), m_last(last), m_cp(cp)
{
}

void CatalogueData::Read(const std::string& fileName, std::string_view content, Diagnostics& diags)
{
    ForEachDataLine(content, [&](int lineNo, std::string_view line) {
        LineParts parts;
        std::string error;
        std::uint32_t number = 0;
        if (!SplitLine(line, false, parts, error)) {
            diags.Add(fileName, lineNo, error);
            return;
        }
        if (!ParseNumber(parts.number, 0xFFFFFFFFu, number)) {
            diags.Add(fileName, lineNo, "malformed line: \"" + std::string(parts.number) + "\" is not a number");
            return;
        }
        if (number < 1 || number > m_last) {
            diags.Add(fileName, lineNo,
                      "number " + std::to_string(number) + " outside the range 1.." + std::to_string(m_last) +
                          " of " + m_name);
            return;
        }
        std::string bytes;
        if (!DecodeQuoted(parts.body, m_cp, bytes, error)) {
            diags.Add(fileName, lineNo, error);
            return;
        }
        if (!m_texts.emplace(number, std::move(bytes)).second) {
            diags.Add(fileName, lineNo, "duplicate number " + std::to_string(number));
            return;
        }
        if (!parts.given.empty()) m_given.emplace(number, parts.given);
    });
}

void LangStringData::Read(const std::string& fileName, std::string_view content, Diagnostics& diags)
{
    ForEachDataLine(content, [&](int lineNo, std::string_view line) {
        LineParts parts;
        std::string error;
        std::uint32_t id = 0;
        if (!SplitLine(line, true, parts, error)) {
            diags.Add(fileName, lineNo, error);
            return;
        }
        if (!ParseNumber(parts.number, 0xFFFFFFu, id)) {
            diags.Add(fileName, lineNo,
                      "malformed line: \"" + std::string(parts.number) + "\" is not an id of at most 24 bits");
            return;
        }
        int lang = -1;
        for (int l = 0; l < LangCount; ++l)
            if (parts.word == kLangNames[l]) lang = l;
        if (lang < 0) {
            diags.Add(fileName, lineNo, "malformed line: language \"" + std::string(parts.word) + "\" is not de, en or fr");
            return;
        }
        std::string bytes;
        if (!DecodeQuoted(parts.body, orv::CodePage::Cp1252, bytes, error)) {
            diags.Add(fileName, lineNo, error);
            return;
        }
        if (bytes.size() > kMaxBytes) {
            diags.Add(fileName, lineNo,
                      "text of " + std::to_string(bytes.size()) + " bytes is longer than " + std::to_string(kMaxBytes));
            return;
        }
        Entry& entry = m_entries[id];
        if (entry.has[lang]) {
            diags.Add(fileName, lineNo,
                      "duplicate id " + std::to_string(id) + " " + kLangNames[lang] + " (first on line " +
                          std::to_string(entry.line[lang]) + ")");
            return;
        }
        if (!parts.given.empty()) {
            if (!entry.given.empty() && entry.given != parts.given) {
                diags.Add(fileName, lineNo, "id " + std::to_string(id) + " is given a second name");
                return;
            }
            entry.given = parts.given;
        }
        entry.has[lang] = true;
        entry.line[lang] = lineNo;
        entry.text[lang] = std::move(bytes);
    });
    CheckAgainstGerman(fileName, diags);
}

void LangStringData::CheckAgainstGerman(const std::string& fileName, Diagnostics& diags) const
{
    for (const auto& [id, entry] : m_entries) {
        for (int lang = LangEn; lang < LangCount; ++lang) {
            if (!entry.has[lang]) continue;
            if (!entry.has[LangDe]) {
                diags.Add(fileName, entry.line[lang],
                          std::string(kLangNames[lang]) + " text of id " + std::to_string(id) + " has no de text");
                continue;
            }
            std::string de = ConversionKinds(entry.text[LangDe]);
            std::string other = ConversionKinds(entry.text[lang]);
            if (de != other)
                diags.Add(fileName, entry.line[lang],
                          std::string(kLangNames[lang]) + " text of id " + std::to_string(id) +
                              " has conversions \"" + other + "\" where the de text (line " +
                              std::to_string(entry.line[LangDe]) + ") has \"" + de + "\"");
        }
    }
}

}  // namespace textgen
