// The multilingual string table: texts by id and language, German as the
// fallback, for menus and dialogs.
#pragma once

#include <cstdint>

namespace orv {

// Languages of the string table, as the frame's language id holds them.
enum LangId { kLangGerman = 0, kLangEnglish = 1, kLangFrench = 2 };

// The text of a string id in a language (cp1252, at most 255 bytes), or the
// German text when that language has none; a language outside 0..2 reads
// German. Only the low 24 bits of the id count. Null when no language has
// the id. Never allocates.
const char* FindLangText(std::uint32_t id, int lang);

// The text of a string id in the language of the registered frame (German
// without one). An id that no language has gives "" and the log line
// "FATAL: FindResourceEx failed" at level 0.
const char* LoadLangString(std::uint32_t id);

} // namespace orv
