// Operator texts of the project model and their copies under a new number.
#include "model/project/OpTxt.h"

namespace orv {

CPrjOpTxtRange::CPrjOpTxtRange(int32_t lowest, int32_t highest) : CPrjOpTxt(-1), CNumRange(lowest, highest) {}

CPrjOpTxt* CPrjOpTxtList::CopyOpTxt(const CPrjNumEntry* source, int32_t num)
{
    return AddCopyOf<CPrjOpTxt, CPrjOpTxtRange>(source, num, 255);
}

bool CPrjOpTxtList::DelEntry(CPrjNumEntry* entry)
{
    const auto* text = dynamic_cast<const CPrjOpTxt*>(entry);
    if (!text || text->GetUseCount() > 0)
        return false;
    CPrjNumList::DelEntry(entry);
    return true;
}

} // namespace orv
