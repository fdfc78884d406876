#pragma once

// Names for catalogue ids, so that code calls an entry by what it says
// rather than by its number: derived from the German text, or given beside
// the id in the data file where the text makes a poor name.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace textgen {

// "k" and the first words of a UTF-8 text in camel case, ASCII only: hot-key
// marks and printf conversions dropped, umlauts spelled out ("ä" as "ae").
// Empty when the text holds no letter or digit.
std::string NameFromText(std::string_view utf8);

// A name given beside an id: letters, digits and '_', starting with a letter.
bool IsGivenName(std::string_view name);

// The names of one catalogue. A given name is taken as it is ("k" put in
// front); a derived one that several ids share carries each id's number
// ("kWertWirdAuf_11"), and a text without a name gives "kText" and the number.
class IdNamer {
public:
    void Add(std::uint32_t id, std::string_view utf8, std::string_view given);
    // Id to name; a given name that two ids share is reported in `clashes`.
    std::map<std::uint32_t, std::string> Names(std::vector<std::string>& clashes) const;

private:
    struct Entry {
        std::string derived;
        std::string given;
    };
    std::map<std::uint32_t, Entry> m_entries;
};

// One namespace of the generated header.
struct IdSpace {
    std::string name;       // "msg", "xerr", ...
    std::string type;       // "std::uint32_t", ...
    std::string catalogue;  // named in the namespace's comment
    std::map<std::uint32_t, std::string> names;
};

// The header: one constant per id, in id order, under its namespace.
std::string EmitIdHeader(const std::vector<IdSpace>& spaces, const std::string& sourceNames);

}  // namespace textgen
