// Looks string ids up in the generated language table; a missing translation
// falls back to German rather than to an empty text.
#include "model/core/LangStrings.h"

#include "model/core/FrameState.h"
#include "model/core/Log.h"
#include "model/core/TextTableData.h"

#include <algorithm>

namespace orv {

const char* FindLangText(std::uint32_t id, int lang)
{
    using texttables::kLangStrings;
    using texttables::LangStringEntry;
    id &= 0xFFFFFFu;
    const LangStringEntry* end = kLangStrings + texttables::kLangStringsCount;
    const LangStringEntry* it = std::lower_bound(kLangStrings, end, id,
                                                 [](const LangStringEntry& e, std::uint32_t key) { return e.id < key; });
    if (it == end || it->id != id) return nullptr;
    if (lang < kLangGerman || lang > kLangFrench) lang = kLangGerman;
    return it->text[lang] ? it->text[lang] : it->text[kLangGerman];
}

const char* LoadLangString(std::uint32_t id)
{
    const CFrameState* frame = GetMainFrame();
    const char* text = FindLangText(id, frame ? frame->GetLangId() : kLangGerman);
    if (text) return text;
    LogLine(kLogErrors, "FATAL: FindResourceEx failed");
    return "";
}

} // namespace orv
