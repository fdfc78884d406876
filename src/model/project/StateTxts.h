// The state-text slots of a variable, each a counted reference into the
// project's text pool.
#pragma once

#include "model/project/TextPool.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orv {

// The state-text slots of a variable, each a counted reference into a text
// pool. An empty set of slots is a variable without a slot array.
class CStateTxts {
public:
    explicit CStateTxts(size_t count = 0) : m_slots(count) {}

    size_t Size() const { return m_slots.size(); }
    bool HasArray() const { return !m_slots.empty(); }

    // Null outside the slots or for an empty slot.
    const CSharedStr* Ref(int i) const;
    const char* Text(int i) const;

    // The state-text rule of every kind: the old text of slot i released and
    // the width recomputed from the texts of slots 0..last, then the new text
    // taken and the width raised to it. `extra` is added to every text's
    // length (and is the width left without texts). Without a pool the slot
    // stays as it is and only the width is raised. A null text empties the
    // slot. Slot i must exist.
    void Set(int i, const char* text, CTextPool* pool, int last, uint8_t& width, int extra);

    // Slots kept up to count, later ones released; 0 frees the array.
    void Resize(size_t count);
    // The slots of states 0..newLast of a variable whose highest state was
    // oldLast: texts up to the lower of the two kept, the rest released. A
    // variable without slots gets them even when the highest state stays 0.
    void Refit(int oldLast, int newLast);
    // Every slot released; the array keeps its size.
    void ReleaseAll();

private:
    size_t Longest(int last) const;

    std::vector<CSharedStrRef> m_slots;
};

} // namespace orv
