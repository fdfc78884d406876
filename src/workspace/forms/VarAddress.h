// A variable's PLC address as the user types it and as the variable stores it,
// and the checks that the driver's data words can carry the variable.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

class CDrvParItem;
class CPrjData;
class CSpsPar;

// The address as the PLC type names it: data block (only some types show
// one), word and, for Bit variables, the bit. Wide enough that doubling a
// word or the running bit numbers of type 38 never wrap, and typed input
// beyond 16 bits is seen as what it is.
struct VarTypedAdr {
    int64_t block = 0;
    int64_t word = 0;
    int64_t bit = 0;
    bool operator==(const VarTypedAdr&) const = default;
};

// The address as a variable keeps it: the PLC address of its first word
// (before the window offset is taken off) and the bit 0..15 of a Bit variable.
struct VarStoredAdr {
    int64_t adr = 0;
    int64_t bit = 0;
    bool operator==(const VarStoredAdr&) const = default;
};

// A direction bit that an item lacks and may be given: recorded by the check,
// performed only once the variable is applied.
struct VarItemWidening {
    CDrvParItem* item = nullptr;
    uint8_t dirBit = 0;
};

// The outcome of an address check: the message id that refuses the address
// (0: passed), its address text for the address message and the control
// to focus.
struct VarAdrCheck {
    uint32_t msg = 0;
    std::string adrText;
    int focus = 0;
    bool msgWord = false;
    std::vector<VarItemWidening> widenings;

    bool Ok() const { return msg == 0; }
};

class CVarAddress {
public:
    static constexpr int kBlockEdit = 1007;
    static constexpr int kWordEdit = 1006;
    static constexpr int kBitEdit = 1402;

    // Whether the type names a data block (edit 1007 shown).
    static bool BlockShown(uint16_t type);

    // Block and word of a PLC address, and back; the two directions of one
    // notation.
    static VarTypedAdr SplitAdr(uint16_t type, int64_t adr);
    static int64_t JoinAdr(uint16_t type, int64_t block, int64_t word);

    // The PLC address of a data-word number, without the 16-bit wrap.
    static int64_t SpsAdr(const CSpsPar& sps, int64_t wordNo);
    // The data-word number of a PLC address; -1 when the address lies
    // below the window's first word or outside 0..65535.
    static int64_t WordNo(const CSpsPar& sps, int64_t adr);

    // Typed form of a stored data word and, for a Bit variable (bit >= 0),
    // its bit. A negative bit leaves the typed bit 0.
    static VarTypedAdr Typed(const CSpsPar& sps, uint16_t wordNo, int bit);
    // Stored form of a typed address; the bit rules apply to Bit variables.
    static VarStoredAdr Stored(const CSpsPar& sps, const VarTypedAdr& typed, bool isBit);

    // The typed bits that name stored bits 0..15 on the type's words.
    struct Range {
        int64_t lo;
        int64_t hi;
    };
    static Range TypedBitRange(const CSpsPar& sps);

    // The address proposed for a new variable from the project's one-shot
    // presets, which it resets.
    static VarTypedAdr Propose(const CSpsPar& sps, CPrjData& prj);

    // The address text of message 16301 for a PLC address.
    static std::string AdrText(uint16_t type, int64_t adr);

    // The even-address rule on the typed word.
    static VarAdrCheck CheckEven(const CSpsPar& sps, int64_t typedWord, bool internal, bool isBit);
    // Every word of the variable from the stored address on must have a VAR
    // or MSG item allowing the class's direction (class 0 IST reads, 1 and
    // 2 write). Internal variables stop at word number 0.
    static VarAdrCheck CheckItems(const CSpsPar& sps, int64_t storedAdr, int words, int cls, bool internal);
    // Gives the items the directions the check recorded.
    static void Widen(const VarAdrCheck& check);
};

} // namespace orv
