// Operator texts: the display texts that menu nodes show, counting the nodes
// that use them.
#pragma once

#include "model/project/NumList.h"

#include <cstdint>

namespace orv {

// An operator text: a display text that menu nodes show, counting them.
class CPrjOpTxt : public CPrjNumEntry {
public:
    using CPrjNumEntry::CPrjNumEntry;

    void AddUse() { ++m_useCount; }
    // Never below 0.
    void ReleaseUse()
    {
        if (m_useCount > 0)
            --m_useCount;
    }
    int32_t GetUseCount() const { return m_useCount; }

private:
    int32_t m_useCount = 0;
};

class CPrjOpTxtRange : public CPrjOpTxt, public CNumRange {
public:
    CPrjOpTxtRange(int32_t lowest, int32_t highest);
};

class CPrjOpTxtList : public CPrjNumList {
public:
    using CPrjNumList::CPrjNumList;

    CPrjOpTxt* OpTxtAt(int index) const { return static_cast<CPrjOpTxt*>(ItemAt(index)); }

    // A copy of the source's rows under the number (-1: a template with the
    // range 0..255), used by no menu node yet; inserted and made current.
    // Null for a null source or a number in use.
    CPrjOpTxt* CopyOpTxt(const CPrjNumEntry* source, int32_t num);
    // An operator text that menu nodes still show is kept (false): deleting
    // it would leave the nodes pointing at freed memory.
    bool DelEntry(CPrjNumEntry* entry);
};

} // namespace orv
