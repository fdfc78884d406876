// The variables of a recipe with the values the recipe holds for them.
#pragma once

#include "model/core/PrjList.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

class CPrjVar;

// A variable of a recipe and the value the recipe holds for it: a 32-bit
// number (a state index in the low 16 bits for state-text kinds) or, for
// the ASCII kind, an owned text or none.
class CVarValPair : public CObj {
public:
    explicit CVarValPair(CPrjVar* var) : m_var(var) {}

    CPrjVar* GetVar() const { return m_var; }
    uint32_t GetValue() const { return m_value; }
    void SetValue(uint32_t value) { m_value = value; }
    // Null while the pair holds no text.
    const char* GetText() const { return m_text ? m_text->c_str() : nullptr; }
    void SetText(std::string_view text) { m_text.emplace(text); }
    void FreeText() { m_text.reset(); }
    bool HasText() const { return m_text.has_value(); }

private:
    CPrjVar* m_var;
    uint32_t m_value = 0;
    std::optional<std::string> m_text;
};

// The variables of a recipe text with their values, in insertion order;
// looked up by the variable's name.
class CPrjVarValList : public CPrjList<CVarValPair> {
public:
    static constexpr uint8_t kTypeAscii = 34;

    CPrjVarValList(int limit, int delta) : CPrjList(limit, delta) {}

    const void* KeyOf(const CObj* item) const override;
    // Every pair counts as less, so that an insert appends.
    int Compare(const void* key1, const void* key2) const override;
    // Found by identity: the order says nothing about the names.
    int IndexOf(const CObj* item) const override { return CColl::IndexOf(item); }

    // Index of the first pair whose variable has the same name; -1 for none
    // and for null.
    int IndexOfVar(const CPrjVar* var) const;
    // Null unless 0 <= i < count.
    CVarValPair* GetAt(int i) const;
    // Deletes every pair whose variable has the same name.
    void RemoveVar(const CPrjVar* var);
    // A pair with the variable's initial value at the index (clamped into
    // the list); 1, or 0 for null.
    int InsertPair(CPrjVar* var, int index);
    // Moves pair from to place to; indexes outside the list change nothing.
    void MovePair(int from, int to);

    // Brings the pair's value within what its variable can hold.
    static void ClampValue(CVarValPair& pair);
    // The value a new pair starts with.
    static void SetInitialValue(CVarValPair& pair);
};

} // namespace orv
