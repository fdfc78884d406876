// A source editor over a plain byte string, for the search dialog's tests and
// benchmark: it edits as the real one does and records what it was asked.
#pragma once

#include "workspace/forms/SearchEditor.h"

#include <string>
#include <string_view>
#include <vector>

namespace orv {

class FakeSearchEditor final : public ISearchEditor {
public:
    explicit FakeSearchEditor(std::string initial = {}, TextRange sel = {})
        : text(std::move(initial)), selection(sel)
    {
    }

    std::string Text() const override
    {
        ++textReads;
        return text;
    }
    TextRange Selection() const override { return selection; }
    void SetSelection(TextRange range) override { selection = range; }
    void ReplaceSelection(std::string_view with) override
    {
        text.replace(selection.start, selection.end - selection.start, with);
        selection.start += with.size();
        selection.end = selection.start;
    }
    void ReplaceRanges(const std::vector<TextRange>& ranges, std::string_view with) override
    {
        rangeLists.push_back(ranges);
        // One pass over the text, as a large source needs.
        std::string out;
        out.reserve(text.size());
        size_t at = 0;
        for (const TextRange& r : ranges) {
            out.append(text, at, r.start - at);
            out.append(with);
            at = r.end;
        }
        out.append(text, at, std::string::npos);
        text = std::move(out);
    }

    std::string text;
    TextRange selection;
    mutable int textReads = 0;
    std::vector<std::vector<TextRange>> rangeLists;
};

} // namespace orv
