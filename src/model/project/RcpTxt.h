// Recipe texts: display texts whose PLC variables form a recipe, with the value
// the recipe gives each of them.
#pragma once

#include "model/project/NumList.h"
#include "model/project/VarValList.h"

#include <cstdint>

namespace orv {

// A recipe text: a display text whose PLC variables form a recipe, with the
// value the recipe holds for each of them, in the order in which they stand
// in the text.
class CPrjRcpTxt : public CPrjNumEntry {
public:
    explicit CPrjRcpTxt(int32_t num) : CPrjNumEntry(num) {}

    CPrjVarValList& GetValList() { return m_values; }
    const CPrjVarValList& GetValList() const { return m_values; }

    // Slots over all rows that hold a PLC variable (type code below 128).
    int CountExtVars() const;
    // Pair index of the variable (by name), -1 for none.
    int IndexOfVar(const CPrjVar* var) const { return m_values.IndexOfVar(var); }
    // Some row holds a variable of that name.
    bool ShowsVar(const CPrjVar* var) const;

private:
    CPrjVarValList m_values{20, 4};
};

class CPrjRcpTxtRange : public CPrjRcpTxt, public CNumRange {
public:
    CPrjRcpTxtRange(int32_t lowest, int32_t highest);
};

class CPrjRcpTxtList : public CPrjNumList {
public:
    using CPrjNumList::CPrjNumList;

    CPrjRcpTxt* RcpAt(int index) const { return static_cast<CPrjRcpTxt*>(ItemAt(index)); }

    // A copy of the source's rows and of its first CountExtVars() pairs under
    // the number (-1: a template with the range 0..127); an ASCII value gets
    // its own copy of the text. Inserted and made current; null for a null
    // source or a number in use.
    CPrjRcpTxt* CopyRcpTxt(const CPrjRcpTxt* source, int32_t num);
    // Some recipe text holds a value for a variable of that name.
    bool UsesVar(const CPrjVar* var) const;
    // Replaces the variable in the rows, then gives every pair of the old
    // variable to the new one at the same place, carrying the value over.
    void ReplaceVar(const VarReplaceReq& req) override;
};

} // namespace orv
