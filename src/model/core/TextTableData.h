#pragma once

// The tables that the build generates from the text data files. Read them
// through Catalogues.h and LangStrings.h, not directly.

#include <cstdint>

namespace orv {

namespace texttables {

// Indexed by number; a number without a text of its own holds null.
extern const char* const kResourceTXT[];
extern const unsigned kResourceTXTLast;
extern const char* const kresErrorText[];
extern const unsigned kresErrorTextLast;
extern const char* const kresError2[];
extern const unsigned kresError2Last;
extern const char* const kResKonstText[];
extern const unsigned kResKonstTextLast;

// Sorted by id; a language without a text of its own holds null.
struct LangStringEntry {
    std::uint32_t id;
    const char* text[3];  // German, English, French
};
extern const LangStringEntry kLangStrings[];
extern const unsigned kLangStringsCount;

}  // namespace texttables

} // namespace orv
