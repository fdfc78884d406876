// What the search and replace dialog holds and does, without a window: its
// flags and histories for the program's life, the rules of its buttons, and
// Find next, Replace and Replace all on the source editor.
#pragma once

#include "workspace/forms/SearchEditor.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

class CDlgSearchForm {
public:
    static constexpr int kModeFind = 0;
    static constexpr int kModeReplace = 1;

    // Set by the command before each run.
    void SetMode(int mode) { m_mode = mode; }
    int GetMode() const { return m_mode; }

    bool GetMatchCase() const { return m_matchCase; }
    void SetMatchCase(bool on) { m_matchCase = on; }
    bool GetWholeWords() const { return m_wholeWords; }
    void SetWholeWords(bool on) { m_wholeWords = on; }
    bool GetDown() const { return m_down; }
    void SetDown(bool down) { m_down = down; }
    // kFindMatchCase, kFindWholeWord and kFindDown as set.
    uint32_t GetSearchFlags() const;

    // Oldest first, as the texts came.
    const std::vector<std::string>& GetFindHistory() const { return m_findHistory; }
    const std::vector<std::string>& GetReplaceHistory() const { return m_replaceHistory; }
    // What the combos show when the dialog starts: newest first.
    std::vector<std::string> FindList() const;
    std::vector<std::string> ReplaceList() const;
    // The text of the last action.
    const std::string& GetSearchText() const { return m_searchText; }

    // The replace combo and its label.
    bool ReplaceControlsEnabled() const { return m_mode != kModeFind; }
    bool FindEnabled(std::string_view findText) const { return !findText.empty(); }
    bool ReplaceEnabled(std::string_view replaceText) const
    {
        return ReplaceControlsEnabled() && !replaceText.empty();
    }

    // Searches from the editor's selection in the set direction; a match
    // becomes the selection, none is reported and leaves it. True when found.
    bool FindNext(ISearchEditor& editor, std::string_view findText);
    // Puts the replacement over the selection.
    void Replace(ISearchEditor& editor, std::string_view findText, std::string_view replaceText);
    // Replaces the selection when it is a match, then every further match in
    // the set direction, never text it has just inserted; reports the count
    // when there was one and returns it.
    int ReplaceAll(ISearchEditor& editor, std::string_view findText, std::string_view replaceText);

private:
    // The text becomes the search text, and enters its history unless an
    // entry begins with it.
    void TakeSearchText(std::string_view findText);
    static void Remember(std::vector<std::string>& history, std::string_view text);
    // The first match from the selection as the dialog's range rule gives it.
    std::optional<TextRange> FindFromSelection(const CTextFinder& finder, std::string_view text,
                                               TextRange selection) const;

    int m_mode = kModeFind;
    bool m_matchCase = false;
    bool m_wholeWords = false;
    bool m_down = true;
    std::vector<std::string> m_findHistory;
    std::vector<std::string> m_replaceHistory;
    std::string m_searchText;
};

} // namespace orv
