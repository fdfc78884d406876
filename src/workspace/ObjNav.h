// The object navigator of a list type: the frame holds one, chosen by the
// list the user opened, and the display editor edits its current text.
#pragma once

namespace orv {

class CObjNav {
public:
    virtual ~CObjNav() = default;
    // Makes the entry at the start index current (-1 none) and loads it.
    virtual void SetActive(int startIdx, bool keep) = 0;
};

} // namespace orv
