// Rewrites the main menu's texts from the language table; entries not listed
// keep their resource texts.
#include "workspace/MenuLanguage.h"

#include "model/core/LangStrings.h"
#include "platform/CodePage.h"
#include "workspace/FrameTitle.h"

#include <array>

namespace orv {

namespace {

constexpr int kFirstPopupString = 10800;
constexpr size_t kLanguagePopups = 6;
constexpr int kUntitled = 9002;

struct ItemText {
    int stringId;
    uint32_t command;
    size_t popup;
};

// The commands whose texts follow the language, in rewriting order.
constexpr std::array<ItemText, 32> kItemTexts = {{
    {10100, 32809, 0}, {10101, 32810, 0}, {10102, 32811, 0}, {10104, 32812, 0}, {10105, 32813, 0},
    {10106, 57607, 0}, {10107, 57609, 0}, {10108, 57606, 0}, {10103, 33223, 0}, {10109, 57665, 0},
    {10200, 57643, 1}, {10201, 57635, 1}, {10203, 57634, 1}, {10204, 57637, 1}, {10207, 32797, 1},
    {10208, 32798, 1}, {10209, 32799, 1}, {10210, 32800, 1}, {10300, 32782, 2}, {10301, 32789, 2},
    {10302, 32783, 2}, {10304, 32790, 2}, {10400, 33100, 3}, {10401, 33101, 3}, {10402, 33102, 3},
    {10403, 33103, 3}, {10404, 33104, 3}, {10500, 32784, 4}, {10501, 32785, 4}, {10600, 59392, 5},
    {10601, 59393, 5}, {10602, 32804, 5},
}};

std::string LangUtf8(int id)
{
    return ToUtf8(orv::LoadLangString(static_cast<uint32_t>(id)), CodePage::Cp1252);
}

} // namespace

void RebuildMenuTexts(CMenuModel& menu)
{
    std::vector<MenuEntry>& bar = menu.Bar();
    for (size_t pos = 0; pos < kLanguagePopups && pos < bar.size(); ++pos)
        bar[pos].text = LangUtf8(kFirstPopupString + static_cast<int>(pos));
    for (const ItemText& item : kItemTexts) {
        if (item.popup >= bar.size())
            continue;
        if (MenuEntry* entry = CMenuModel::FindIn(bar[item.popup], item.command))
            entry->text = LangUtf8(item.stringId);
    }
}

void ApplyStartLanguage(CMenuModel& menu, int langId)
{
    if (langId == 1 || langId == 2)
        RebuildMenuTexts(menu);
}

std::string MakeFrameTitle(const std::string& prjPath, uint32_t stateFlags)
{
    return ComposeFrameTitle(prjPath, stateFlags, LangUtf8(kUntitled));
}

} // namespace orv
