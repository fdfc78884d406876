// Parses the reviewable glyph text of the shipped fonts; every error names its
// line, so a wrong glyph is found before a font is built.
#include "tools/fontgen/GlyphFile.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <sstream>

namespace orv {

namespace {

std::string Hex2(int code)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(code));
    return text;
}

std::vector<std::string> Words(std::string_view line)
{
    std::vector<std::string> words;
    std::istringstream in{std::string(line)};
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// A prefix and 1..8 hexadecimal digits.
std::optional<long> ParseHex(std::string_view text, std::string_view prefix)
{
    if (text.size() <= prefix.size() || text.size() > prefix.size() + 8 ||
        text.substr(0, prefix.size()) != prefix)
        return std::nullopt;
    long value = 0;
    for (char c : text.substr(prefix.size())) {
        const int d = HexDigit(c);
        if (d < 0)
            return std::nullopt;
        value = value * 16 + d;
    }
    return value;
}

bool IsRowText(std::string_view line)
{
    return !line.empty() && line.find_first_not_of("#.") == std::string_view::npos;
}

class Parser {
public:
    Parser(GlyphFile& out, GlyphFileError& error) : m_out(out), m_error(error) {}

    bool Line(int number, std::string_view line);
    bool Finish(int lastLine);

private:
    bool Fail(int line, std::string message);
    bool Directive(const std::vector<std::string>& words, std::string_view rest);
    bool CloseSet();
    bool CheckFont(const FontSection& font, int line);
    std::optional<int> Code(const std::string& text, const char* what);

    GlyphFile& m_out;
    GlyphFileError& m_error;
    int m_line = 0;
    GlyphSet* m_set = nullptr;        // set being read
    int m_nextCode = 0;
    bool m_glyphOpen = false;         // fewer than 8 rows read of the last glyph
    int m_rows = 0;
    FontSection* m_font = nullptr;    // font section being read
    std::vector<int> m_fontLines;
};

bool Parser::Fail(int line, std::string message)
{
    m_error.line = line;
    m_error.message = std::move(message);
    return false;
}

std::optional<int> Parser::Code(const std::string& text, const char* what)
{
    const std::optional<long> value = ParseHex(text, "0x");
    if (!value) {
        Fail(m_line, std::string(what) + " '" + text + "' is not a hexadecimal code like 0x41");
        return std::nullopt;
    }
    if (*value > 255) {
        Fail(m_line, std::string(what) + " " + text + " outside 0x00..0xFF");
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

bool Parser::Line(int number, std::string_view line)
{
    m_line = number;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.remove_suffix(1);

    if (m_glyphOpen) {
        const int code = m_nextCode - 1;
        if (!IsRowText(line))
            return Fail(number, "glyph " + Hex2(code) + " has " + std::to_string(m_rows) +
                                    " rows, expected 8");
        if (line.size() != kPanelWidth)
            return Fail(number, "row of " + std::to_string(line.size()) + " pixels, expected 5");
        uint8_t bits = 0;
        for (size_t i = 0; i < line.size(); ++i)
            if (line[i] == '#')
                bits = static_cast<uint8_t>(bits | 0x80 >> i);
        m_set->glyphs[code][m_rows] = bits;
        if (++m_rows == kPanelRows)
            m_glyphOpen = false;
        return true;
    }
    if (line.empty() || line == "#" || line.substr(0, 2) == "# ")
        return true;
    if (IsRowText(line))
        return Fail(number, "row outside a glyph");
    line.remove_prefix(line.find_first_not_of(" \t"));
    const std::vector<std::string> words = Words(line);
    if (words.empty())  // only form feeds or vertical tabs
        return true;
    const size_t restAt = line.find_first_not_of(" \t", words[0].size());
    return Directive(words, restAt == std::string_view::npos ? "" : line.substr(restAt));
}

bool Parser::CloseSet()
{
    if (m_set && m_nextCode < kPanelGlyphs)
        return Fail(m_line, "set " + m_set->name + " lacks glyphs " + Hex2(m_nextCode) + "..0xFF");
    m_set = nullptr;
    return true;
}

bool Parser::Directive(const std::vector<std::string>& w, std::string_view rest)
{
    const std::string& key = w[0];
    auto args = [&](size_t n, const char* form) {
        return w.size() == n + 1 ? true : Fail(m_line, "expected '" + std::string(form) + "'");
    };

    if (key == "notice") {
        if (rest.empty())
            return Fail(m_line, "expected 'notice TEXT'");
        m_out.notice = rest;
        return true;
    }
    if (key == "set") {
        if (!CloseSet())
            return false;
        if (w.size() != 4 || w[2] != "ascent" || w[3].size() != 1 || w[3][0] < '1' || w[3][0] > '8')
            return Fail(m_line, "expected 'set NAME ascent N' with N 1..8");
        if (m_out.FindSet(w[1]))
            return Fail(m_line, "duplicate set " + w[1]);
        m_font = nullptr;
        m_out.sets.push_back(GlyphSet{w[1], w[3][0] - '0', {}, {}});
        m_set = &m_out.sets.back();
        m_nextCode = 0;
        return true;
    }
    if (key == "glyph") {
        if (!m_set)
            return Fail(m_line, "glyph outside a set");
        if (!args(2, "glyph 0xNN U+XXXX"))
            return false;
        const std::optional<int> code = Code(w[1], "glyph code");
        if (!code)
            return false;
        if (*code < m_nextCode)
            return Fail(m_line, "duplicate glyph " + Hex2(*code));
        if (*code > m_nextCode)
            return Fail(m_line, "glyph " + Hex2(m_nextCode) + " missing before " + Hex2(*code));
        const std::optional<long> cp = ParseHex(w[2], "U+");
        if (!cp || *cp > 0x10FFFF)
            return Fail(m_line, "'" + w[2] + "' is not a code point like U+0041");
        m_set->codePoints[*code] = static_cast<char32_t>(*cp);
        m_nextCode = *code + 1;
        m_glyphOpen = true;
        m_rows = 0;
        return true;
    }
    if (key == "font") {
        if (!CloseSet() || !args(1, "font FILE"))
            return false;
        if (w[1] == "." || w[1] == ".." || w[1].find_first_of("/\\") != std::string::npos)
            return Fail(m_line, "font file name '" + w[1] + "' is not a plain file name");
        for (const FontSection& f : m_out.fonts)
            if (f.fileName == w[1])
                return Fail(m_line, "duplicate font " + w[1]);
        m_out.fonts.push_back(FontSection{w[1], {}, {}, {}, {}});
        m_font = &m_out.fonts.back();
        m_fontLines.push_back(m_line);
        return true;
    }
    if (key == "face" || key == "module" || key == "base") {
        if (!m_font)
            return Fail(m_line, "'" + key + "' outside a font section");
        if (!args(1, (key + " NAME").c_str()))
            return false;
        std::string& field = key == "face" ? m_font->face : key == "module" ? m_font->module : m_font->base;
        if (!field.empty())
            return Fail(m_line, "second '" + key + "' in font " + m_font->fileName);
        field = w[1];
        return true;
    }
    if (key == "blank" || key == "copy") {
        if (!m_font)
            return Fail(m_line, "'" + key + "' outside a font section");
        const bool blank = key == "blank";
        if (blank ? w.size() != 3 : w.size() != 4 || w[2] != "from")
            return Fail(m_line, blank ? "expected 'blank 0xNN 0xMM'" : "expected 'copy 0xNN from 0xMM'");
        const std::optional<int> a = Code(w[1], blank ? "blank start" : "copy target");
        if (!a)
            return false;
        const std::optional<int> b = Code(w[blank ? 2 : 3], blank ? "blank end" : "copy source");
        if (!b)
            return false;
        if (blank && *b < *a)
            return Fail(m_line, "blank range ends before it starts");
        m_font->changes.push_back(GlyphChange{blank ? GlyphChange::Kind::Blank : GlyphChange::Kind::Copy, *a, *b});
        return true;
    }
    return Fail(m_line, "unknown directive '" + key + "'");
}

bool Parser::CheckFont(const FontSection& font, int line)
{
    if (font.face.empty() || font.module.empty() || font.base.empty())
        return Fail(line, "font " + font.fileName + " needs face, module and base");
    if (!m_out.FindSet(font.base))
        return Fail(line, "font " + font.fileName + " names the unknown set " + font.base);
    if (font.module.size() > 255)
        return Fail(line, "module name of font " + font.fileName + " longer than 255");
    return true;
}

bool Parser::Finish(int lastLine)
{
    m_line = lastLine;
    if (m_glyphOpen)
        return Fail(lastLine, "glyph " + Hex2(m_nextCode - 1) + " has " + std::to_string(m_rows) +
                                  " rows, expected 8");
    if (!CloseSet())
        return false;
    for (size_t i = 0; i < m_out.fonts.size(); ++i)
        if (!CheckFont(m_out.fonts[i], m_fontLines[i]))
            return false;
    return true;
}

} // namespace

const GlyphSet* GlyphFile::FindSet(std::string_view name) const
{
    for (const GlyphSet& s : sets)
        if (s.name == name)
            return &s;
    return nullptr;
}

std::array<PanelGlyph, kPanelGlyphs> GlyphFile::FontGlyphs(const FontSection& font) const
{
    std::array<PanelGlyph, kPanelGlyphs> glyphs{};
    if (const GlyphSet* base = FindSet(font.base))
        glyphs = base->glyphs;
    for (const GlyphChange& c : font.changes) {
        if (c.kind == GlyphChange::Kind::Blank)
            for (int code = c.first; code <= c.last; ++code)
                glyphs[code] = PanelGlyph{};
        else
            glyphs[c.first] = glyphs[c.last];
    }
    return glyphs;
}

FonDesc GlyphFile::MakeDesc(const FontSection& font) const
{
    const GlyphSet* base = FindSet(font.base);
    FonDesc desc;
    FonHeader& h = desc.header;
    h.dfVersion = kFonVersion2;
    std::copy_n(notice.begin(), std::min(notice.size(), h.dfCopyright.size()), h.dfCopyright.begin());
    h.dfPoints = 6;         // 8 pixels at 96 dpi
    h.dfVertRes = 96;
    h.dfHorizRes = 96;
    h.dfAscent = static_cast<uint16_t>(base ? base->ascent : kPanelRows);
    h.dfWeight = 400;
    h.dfCharSet = 255;      // OEM
    h.dfPixWidth = kPanelWidth;
    h.dfPixHeight = kPanelRows;
    h.dfPitchAndFamily = 0x30;   // fixed pitch, modern
    h.dfAvgWidth = kPanelWidth;
    h.dfMaxWidth = kPanelWidth;
    h.dfFirstChar = 0;
    h.dfDefaultChar = ' ';
    h.dfBreakChar = ' ';
    h.dfWidthBytes = kPanelGlyphs + 2;   // one byte column per glyph, even
    const std::array<PanelGlyph, kPanelGlyphs> glyphs = FontGlyphs(font);
    desc.glyphs.resize(kPanelGlyphs + 1);   // and the blank entry after the last
    for (int code = 0; code <= kPanelGlyphs; ++code) {
        desc.glyphs[code].width = kPanelWidth;
        if (code < kPanelGlyphs)
            std::copy(glyphs[code].begin(), glyphs[code].end(), desc.glyphs[code].rows.begin());
    }
    desc.face = font.face;
    desc.module = font.module;
    return desc;
}

bool ParseGlyphFile(std::string_view text, GlyphFile& out, GlyphFileError& error)
{
    out = GlyphFile{};
    error = GlyphFileError{};
    Parser parser(out, error);
    int number = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        if (!parser.Line(++number, text.substr(pos, end - pos)))
            return false;
        pos = end + 1;
    }
    return parser.Finish(number);
}

} // namespace orv
