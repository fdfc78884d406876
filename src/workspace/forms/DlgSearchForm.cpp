// The search and replace dialog's logic. Replace all works on one reading of
// the editor's text and hands the editor every range at once, so that a large
// source is changed in one edit however many matches it holds.
#include "workspace/forms/DlgSearchForm.h"

#include "model/core/MessageBoxes.h"
#include "platform/CodePage.h"

#include <algorithm>

namespace orv {

namespace {

// Messages are code page 1252; the searched text is the panel's page, and a
// character that page lacks is shown as '?'.
std::string SearchMessageText(std::string_view cp437)
{
    std::string shown(cp437);
    std::replace(shown.begin(), shown.end(), '\0', '?');
    return FromUtf8(ToUtf8(shown, CodePage::Cp437), CodePage::Cp1252);
}

int SearchByteAt(std::string_view text, size_t pos)
{
    return pos < text.size() ? static_cast<unsigned char>(text[pos]) : 0;
}

} // namespace

uint32_t CDlgSearchForm::GetSearchFlags() const
{
    return (m_matchCase ? kFindMatchCase : 0u) | (m_wholeWords ? kFindWholeWord : 0u) | (m_down ? kFindDown : 0u);
}

std::vector<std::string> CDlgSearchForm::FindList() const
{
    return {m_findHistory.rbegin(), m_findHistory.rend()};
}

std::vector<std::string> CDlgSearchForm::ReplaceList() const
{
    return {m_replaceHistory.rbegin(), m_replaceHistory.rend()};
}

void CDlgSearchForm::Remember(std::vector<std::string>& history, std::string_view text)
{
    // An empty entry would only be a blank line in the combo.
    if (text.empty())
        return;
    for (const std::string& entry : history)
        if (BeginsWithNoCase(entry, text))
            return;
    history.emplace_back(text);
}

void CDlgSearchForm::TakeSearchText(std::string_view findText)
{
    m_searchText.assign(findText);
    Remember(m_findHistory, findText);
}

std::optional<TextRange> CDlgSearchForm::FindFromSelection(const CTextFinder& finder, std::string_view text,
                                                           TextRange selection) const
{
    if (m_down)
        return finder.Find(text, selection.start + 1, text.size());
    // Upward from the very start means the whole text.
    return finder.Find(text, 0, selection.start == 0 ? text.size() : selection.start);
}

bool CDlgSearchForm::FindNext(ISearchEditor& editor, std::string_view findText)
{
    TakeSearchText(findText);
    const CTextFinder finder(m_searchText, GetSearchFlags());
    const std::string text = editor.Text();
    const std::optional<TextRange> found = FindFromSelection(finder, text, editor.Selection());
    if (!found) {
        ShowMessageText("%s: nicht gefunden", SearchMessageText(m_searchText).c_str());
        return false;
    }
    editor.SetSelection(*found);
    return true;
}

void CDlgSearchForm::Replace(ISearchEditor& editor, std::string_view findText, std::string_view replaceText)
{
    TakeSearchText(findText);
    Remember(m_replaceHistory, replaceText);
    editor.ReplaceSelection(replaceText);
}

int CDlgSearchForm::ReplaceAll(ISearchEditor& editor, std::string_view findText, std::string_view replaceText)
{
    TakeSearchText(findText);
    Remember(m_replaceHistory, replaceText);
    const CTextFinder finder(m_searchText, GetSearchFlags());
    const std::string text = editor.Text();
    const TextRange selection = editor.Selection();

    // The search goes on beside the text just inserted, never into it, so each
    // match is a range of the text as read. Only the byte standing next to
    // the last replacement differs from that text, and the whole-word rule
    // must see it as the edited text has it.
    std::vector<TextRange> ranges;
    std::optional<TextRange> match = finder.IsMatch(text, selection) ? std::optional<TextRange>(selection)
                                                                     : FindFromSelection(finder, text, selection);
    size_t limit = std::string::npos; // the continuing search's start (down) or end (up)
    int edge = CTextFinder::kFromText;  // the byte beside that limit in the edited text
    while (match) {
        ranges.push_back(*match);
        if (m_down) {
            const int before = match->start == limit && edge != CTextFinder::kFromText
                                   ? edge
                                   : (match->start > 0 ? SearchByteAt(text, match->start - 1) : 0);
            edge = replaceText.empty() ? before : static_cast<unsigned char>(replaceText.back());
            limit = match->end;
            match = finder.Find(text, limit, text.size(), edge, CTextFinder::kFromText);
        } else {
            const int after =
                match->end == limit && edge != CTextFinder::kFromText ? edge : SearchByteAt(text, match->end);
            edge = replaceText.empty() ? after : static_cast<unsigned char>(replaceText.front());
            limit = match->start;
            match = finder.Find(text, 0, limit, CTextFinder::kFromText, edge);
        }
    }
    if (ranges.empty())
        return 0;
    if (!m_down)
        std::reverse(ranges.begin(), ranges.end());
    editor.ReplaceRanges(ranges, replaceText);
    const int count = static_cast<int>(ranges.size());
    ShowMessageText("%d Ersetzungen", count);
    return count;
}

} // namespace orv
