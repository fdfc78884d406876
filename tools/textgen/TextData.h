// The text generator's input: catalogue and language data files, decoded into
// their code page with diagnostics per line.
#pragma once

#include "platform/CodePage.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace textgen {

// One complaint about the input, shown as "file:line: message".
struct Diagnostic {
    std::string file;
    int line = 0;
    std::string message;

    std::string Text() const;
};

class Diagnostics {
public:
    void Add(const std::string& file, int line, std::string message);
    bool Empty() const { return m_items.empty(); }
    const std::vector<Diagnostic>& Items() const { return m_items; }

private:
    std::vector<Diagnostic> m_items;
};

// Decodes the part between the quotes of a data line: UTF-8 text converted to
// the code page, with the escapes \" \\ \n \t and \xNN (a raw byte).
// Returns false and sets `error` on an unknown escape, a character the code
// page lacks or a zero byte.
bool DecodeQuoted(std::string_view body, orv::CodePage cp, std::string& bytes, std::string& error);

// The sequence of printf conversions of a text, one letter per argument kind:
// 'i' integer, 'c' character, 's' text, 'f' floating point, 'p' pointer,
// 'n' the count conversion, '*' a width or precision taken from an argument,
// '?' a broken conversion. "%%" takes no argument and yields nothing.
std::string ConversionKinds(std::string_view text);

// Numbered texts of one catalogue, numbers 1..last. A line may end in
// "= Name", the name of the number's id constant.
class CatalogueData {
public:
    CatalogueData(std::string name, unsigned last, orv::CodePage cp);

    // Reads the whole file content; complaints go to `diags` under `fileName`.
    void Read(const std::string& fileName, std::string_view content, Diagnostics& diags);

    const std::string& Name() const { return m_name; }
    unsigned Last() const { return m_last; }
    orv::CodePage CodePage() const { return m_cp; }
    const std::map<unsigned, std::string>& Texts() const { return m_texts; }
    // The names given beside numbers ("= Name" after the text).
    const std::map<unsigned, std::string>& GivenNames() const { return m_given; }

private:
    std::string m_name;
    unsigned m_last;
    orv::CodePage m_cp;
    std::map<unsigned, std::string> m_texts;
    std::map<unsigned, std::string> m_given;
};

enum Lang { LangDe = 0, LangEn = 1, LangFr = 2, LangCount = 3 };

// Language strings: per id up to one text in each language; German required.
class LangStringData {
public:
    static constexpr std::size_t kMaxBytes = 255;

    void Read(const std::string& fileName, std::string_view content, Diagnostics& diags);

    struct Entry {
        std::string text[LangCount];
        bool has[LangCount] = {false, false, false};
        int line[LangCount] = {0, 0, 0};
        std::string given;  // a name given beside the id, on any of its lines
    };
    const std::map<std::uint32_t, Entry>& Entries() const { return m_entries; }

private:
    void CheckAgainstGerman(const std::string& fileName, Diagnostics& diags) const;

    std::map<std::uint32_t, Entry> m_entries;
};

}  // namespace textgen
