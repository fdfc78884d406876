// The search dialog's view of the source editor: the log view's document as
// code page 437 bytes, one for each place of the document.
#pragma once

#include "workspace/forms/SearchEditor.h"

namespace orv {

class CViewLog;

class CViewLogSearch final : public ISearchEditor {
public:
    explicit CViewLogSearch(CViewLog& view) : m_view(view) {}

    // A character the code page lacks stands as byte 0, which no search text
    // matches; the text is never refused as saving refuses it.
    std::string Text() const override;
    TextRange Selection() const override;
    void SetSelection(TextRange range) override;
    void ReplaceSelection(std::string_view text) override;
    // One edit block, from the last range to the first, so that the earlier
    // ranges keep their places; the caret ends after the last replacement.
    void ReplaceRanges(const std::vector<TextRange>& ranges, std::string_view text) override;

private:
    CViewLog& m_view;
};

} // namespace orv
