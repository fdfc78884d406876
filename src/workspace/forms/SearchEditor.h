// What the search dialog needs of the source editor, so that its logic runs on
// a plain text as well as on the log view.
#pragma once

#include "workspace/forms/TextFinder.h"

#include <string>
#include <string_view>
#include <vector>

namespace orv {

// Texts are code page 437 bytes with LF line ends; a character the code page
// lacks stands as byte 0. Positions count bytes and are the editor's own.
class ISearchEditor {
public:
    virtual ~ISearchEditor() = default;

    virtual std::string Text() const = 0;
    virtual TextRange Selection() const = 0;
    virtual void SetSelection(TextRange range) = 0;
    // Replaces the selection as the user's own edit would.
    virtual void ReplaceSelection(std::string_view text) = 0;
    // Replaces every range of the text as last read (ascending, none
    // overlapping) with `text`, as one edit that one undo takes back.
    virtual void ReplaceRanges(const std::vector<TextRange>& ranges, std::string_view text) = 0;
};

} // namespace orv
