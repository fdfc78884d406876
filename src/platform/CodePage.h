// The two single-byte code pages of stored texts and their UTF-8 conversions, at
// the bottom of the stack beside the other platform services.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orv {

// The two single-byte code pages the stored texts use: the panel's OEM page
// (437) and the catalogue page (1252). Every byte maps to one code point, so any
// byte string survives a trip to UTF-8 and back.
enum class CodePage { Cp437, Cp1252 };

char32_t CodePointOf(unsigned char byte, CodePage cp);

std::string ToUtf8(std::string_view bytes, CodePage cp);

// A character the page lacks, or a malformed UTF-8 sequence, becomes '?' and
// sets *lossy (when given) to true; otherwise *lossy is set to false.
std::string FromUtf8(std::string_view utf8, CodePage cp, bool* lossy = nullptr);

// The byte of one character in a page, or nothing when the page lacks it.
std::optional<unsigned char> ByteOf(char32_t c, CodePage cp);

}  // namespace orv
