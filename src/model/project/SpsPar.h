// The project's PLC side: PLC type, data-word window, driver parameter items and
// simulation words.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/core/Coll.h"
#include "model/project/DrvParColl.h"

namespace orv {

struct PrjBundle;
class CPrjVar;

// The project's PLC side: the PLC type with its address notation, the window
// of data words into the PLC, the captions of the PLC assignment list, the
// driver parameter items and the simulation words.
class CSpsPar : public CObj {
public:
    static constexpr uint16_t kTypeCount = 50;
    static constexpr int kCaptionCount = 4;
    static constexpr size_t kCaptionMax = 127;

    explicit CSpsPar(PrjBundle* bundle);

    PrjBundle* GetBundle() const { return m_bundle; }

    uint16_t GetSpsType() const { return m_type; }
    void SetSpsType(uint16_t type) { m_type = type; }
    uint16_t GetOffset() const { return m_offset; }
    void SetOffset(uint16_t offset) { m_offset = offset; }
    uint16_t GetLength() const { return m_length; }
    void SetLength(uint16_t length) { m_length = length; }
    uint16_t GetDataBlock() const { return m_dataBlock; }
    void SetDataBlock(uint16_t db) { m_dataBlock = db; }

    // Captions 0..3 of the assignment list: area name, comment, bit header,
    // use. Unset captions and i above 3 give an empty text.
    void SetCaption(int i, std::string_view text);
    const std::string& GetCaption(int i) const;
    // The four captions of the current type; types from 50 keep them.
    void SetCaptions();

    CDrvParColl& GetItems() { return m_items; }
    const CDrvParColl& GetItems() const { return m_items; }
    // Borrowed driver items that the simulation section sets; never owned.
    CColl& GetSimWords() { return m_simWords; }

    // Number of the first free VAR item, else a default word of the panel.
    uint16_t GetFreeItemNo() const;

    // Item use by variables; moving and releasing read the project root's
    // variable lists and do nothing without a bundle or root.
    void UseItem(const CPrjVar& var);
    void SetItemName(const CPrjVar& var);
    void MoveItemUse(uint16_t oldNumber, const CPrjVar& var);
    void ReleaseItem(uint16_t number);

    // Empties the simulation words (which only borrow items) and frees the
    // items.
    void ClearItems();
    void ResetItems() { m_items.ResetAll(); }
    void ClearItemMasks() { m_items.ClearMaskAll(); }
    void ClearItemBits() { m_items.ClearBitsAll(); }
    void ReloadTexts();

    // Address arithmetic of the PLC type; byte-addressed types count two
    // addresses per data word.
    uint16_t GetSpsAdr(uint16_t wordNo) const;
    uint16_t GetWordNo(uint16_t address) const;
    uint16_t GetFirstAdr() const { return GetSpsAdr(0); }
    uint16_t GetLastAdr() const;
    int GetAdrDigits() const;
    // Odd addresses are refused for these types (not for 45, whose byte
    // addresses are shown as two bytes).
    bool IsByteAdr() const;
    // How a type writes an address; the types that share a notation share
    // a form.
    enum class AdrForm : uint8_t {
        Digits,     // the type's digit count
        BitSpan,    // word.bit-bit
        BitPair,    // word.bit word.bit
        BitDot,     // word.bit
        ByteSpan3,  // both bytes of the word, three digits
        ByteSpan4,  // both bytes of the word, four digits
        Hex,
        Doubled5,   // byte address of the word, five digits
        Doubled4,   // byte address of the word, four digits
        Array,      // [n]
        PWords,     // the first 48 words are P bit ranges
        BytePair,   // high byte.low byte
    };

    // The PLC address a (already scaled) in the type's notation.
    std::string FmtAdr(uint16_t address, const CDrvParItem* item) const;
    // The PLC address of a variable's data words in the type's notation,
    // after the area caption; internal variables have none.
    std::string FmtVarAdr(const CPrjVar& var, bool useDigits) const;

private:
    bool CountsBytes() const;
    AdrForm Form() const;

    PrjBundle* m_bundle;
    uint16_t m_type = 33;
    uint16_t m_offset = 0;
    uint16_t m_length = 256;
    uint16_t m_dataBlock = 0;
    std::array<std::optional<std::string>, kCaptionCount> m_captions;
    CDrvParColl m_items{256, 2};
    CColl m_simWords;
};

// The configuration key of a PLC type; "" for types from 50.
const char* GetSpsTypeKey(uint16_t type);

} // namespace orv
