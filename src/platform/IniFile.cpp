// Parses and rewrites INI files in place, keeping every line it does not change
// and replacing the file whole.
#include "platform/IniFile.h"

#include "platform/FileLookup.h"
#include "platform/FileReplace.h"

#include <cerrno>
#include <cstdint>
#include <optional>
#include <sys/stat.h>
#include <vector>

namespace orv {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// One line of the file: [begin, contentEnd) is its text without the line end,
// [begin, end) includes the line end.
struct Line {
    size_t begin;
    size_t contentEnd;
    size_t end;
};

std::vector<Line> SplitLines(std::string_view text)
{
    std::vector<Line> lines;
    size_t begin = 0;
    while (begin < text.size()) {
        const size_t lf = text.find('\n', begin);
        if (lf == std::string_view::npos) {
            lines.push_back({begin, text.size(), text.size()});
            break;
        }
        const size_t contentEnd = (lf > begin && text[lf - 1] == '\r') ? lf - 1 : lf;
        lines.push_back({begin, contentEnd, lf + 1});
        begin = lf + 1;
    }
    return lines;
}

std::optional<std::string_view> SectionHeader(std::string_view content)
{
    const std::string_view t = Trim(content);
    if (t.empty() || t.front() != '[')
        return std::nullopt;
    const size_t close = t.rfind(']');
    if (close == std::string_view::npos || close == 0)
        return std::nullopt;
    return Trim(t.substr(1, close - 1));
}

// A key line: its trimmed name and the offsets (within content) of its
// trimmed value.
struct KeyLine {
    std::string_view name;
    size_t valueBegin;
    size_t valueEnd;
};

std::optional<KeyLine> ParseKeyLine(std::string_view content)
{
    const std::string_view t = Trim(content);
    if (t.empty() || t.front() == ';')
        return std::nullopt;
    const size_t eq = content.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    size_t vb = eq + 1;
    size_t ve = content.size();
    while (vb < ve && IsBlank(content[vb]))
        ++vb;
    while (ve > vb && IsBlank(content[ve - 1]))
        --ve;
    return KeyLine{Trim(content.substr(0, eq)), vb, ve};
}

// Where section and key stand in a file's text. Offsets are absolute.
struct Location {
    bool sectionFound = false;
    size_t insertAt = 0;          // after the section's last key line, or its header
    bool insertNeedsLineEnd = false;
    bool keyFound = false;
    size_t valueBegin = 0;
    size_t valueEnd = 0;
};

Location Locate(std::string_view text, std::string_view section, std::string_view key)
{
    Location loc;
    const std::string_view wantSection = Trim(section);
    const std::string_view wantKey = Trim(key);
    bool inSection = false;
    for (const Line& line : SplitLines(text)) {
        const std::string_view content = text.substr(line.begin, line.contentEnd - line.begin);
        if (const auto header = SectionHeader(content)) {
            if (inSection)
                break;
            if (EqualNoCase(*header, wantSection)) {
                inSection = true;
                loc.sectionFound = true;
                loc.insertAt = line.end;
                loc.insertNeedsLineEnd = line.end == line.contentEnd;
            }
            continue;
        }
        if (!inSection)
            continue;
        const auto kv = ParseKeyLine(content);
        if (!kv)
            continue;
        if (EqualNoCase(kv->name, wantKey)) {
            loc.keyFound = true;
            loc.valueBegin = line.begin + kv->valueBegin;
            loc.valueEnd = line.begin + kv->valueEnd;
            break;
        }
        loc.insertAt = line.end;
        loc.insertNeedsLineEnd = line.end == line.contentEnd;
    }
    return loc;
}

std::string_view Unquote(std::string_view v)
{
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

std::optional<std::string> ReadValue(const std::string& file, std::string_view section,
                                     std::string_view key)
{
    std::string text;
    if (!ReadWholeFile(file, text))
        return std::nullopt;
    const Location loc = Locate(text, section, key);
    if (!loc.keyFound)
        return std::nullopt;
    return std::string(
        Unquote(std::string_view(text).substr(loc.valueBegin, loc.valueEnd - loc.valueBegin)));
}

int ParseLeadingInt(std::string_view s)
{
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    // Wraps modulo 2^32 on overflow, as the stored files' readers did.
    uint32_t value = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
        value = value * 10u + static_cast<uint32_t>(s[i] - '0');
    return static_cast<int>(negative ? 0u - value : value);
}

bool HasLineBreak(std::string_view s)
{
    return s.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

int IniGetInt(const std::string& file, std::string_view section, std::string_view key, int def)
{
    const auto value = ReadValue(file, section, key);
    if (!value || value->empty())
        return def;
    return ParseLeadingInt(*value);
}

std::string IniGetString(const std::string& file, std::string_view section, std::string_view key,
                         std::string_view def)
{
    auto value = ReadValue(file, section, key);
    return value ? std::move(*value) : std::string(def);
}

bool IniWriteString(const std::string& file, std::string_view section, std::string_view key,
                    std::string_view value)
{
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value) ||
        key.find('=') != std::string_view::npos)
        return false;

    std::string text;
    if (!ReadWholeFile(file, text)) {
        // Only a file that is not there yet may be created; one that exists
        // but cannot be read must not be overwritten.
        struct stat st;
        if (::lstat(file.c_str(), &st) == 0 || errno != ENOENT)
            return false;
    }

    const Location loc = Locate(text, section, key);
    const std::string keyLine = std::string(Trim(key)) + "=" + std::string(value) + "\r\n";
    if (loc.keyFound) {
        text.replace(loc.valueBegin, loc.valueEnd - loc.valueBegin, value);
    } else if (loc.sectionFound) {
        text.insert(loc.insertAt, (loc.insertNeedsLineEnd ? "\r\n" : "") + keyLine);
    } else {
        if (!text.empty() && text.back() != '\n')
            text += "\r\n";
        text += "[" + std::string(Trim(section)) + "]\r\n" + keyLine;
    }
    return WriteFileReplacing(file, text);
}

}  // namespace orv
