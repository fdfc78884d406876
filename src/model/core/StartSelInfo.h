// The start selection as the layers below the workspace see it: the chosen
// panel's type, width and character set.
#pragma once

#include <string>

namespace orv {

// The display width assumed while no panel is chosen.
constexpr int kDefaultDspWidth = 40;

// What the layers below the workspace read of the start selection.
class CStartSelInfo {
public:
    virtual ~CStartSelInfo() = default;

    // Display width of the chosen panel in characters.
    virtual int GetDspWidth() const = 0;
    // Panel-type code of the chosen panel.
    virtual int GetModelNo() const = 0;
    // Character-set name of the chosen panel: "alt", "706" or "int"; empty
    // while nothing was selected.
    virtual std::string GetFntNam() const = 0;

    // 1 for "alt", 2 for "706", 3 for "int", 1 for anything else.
    int GetFontFamily() const;
};

} // namespace orv
