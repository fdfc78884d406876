// The rules the project source reader and writer share: which panel takes which
// statement and the ranges of fields.
#pragma once

#include "model/project/PanelType.h"
#include "model/project/TxtRow.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

// Rules of the project source text that its reader and its writer must
// agree on: which panel takes which statement, and the ranges of fields.

// A closed range of a numeric field.
struct SrcRange {
    uint16_t lo;
    uint16_t hi;
};

// The longest name the reader takes.
inline constexpr size_t kSrcNameMax = 16;

// Printer positions of a PRNTEXT row.
inline constexpr size_t kPrnRowPositions = 132;
// The longest PRNTEXT line the writer produces, its line end not counted:
// "PRNTEXT, " and the quotes around a full row whose bytes are all written as
// "$hh", but for the row's variable fields "@name@". Other lines are read in
// pieces; a PRNTEXT line is taken whole up to this length, so that every row
// the writer saves loads again.
inline constexpr size_t kPrnTextLineMax = 9 + 2 + 3 * (kPrnRowPositions - CTxtRowBase::kMaxSlots) +
                                          (kSrcNameMax + 2) * CTxtRowBase::kMaxSlots;

// Function keys a softkey text assigns: 0 where the panel has none.
int SoftkeyKeyCount(const PanelType& panel);
// Highest softkey text number and highest operator text number a menu node
// names: 255 on the 706 family, else 127.
uint16_t MaxSoftkeyNum(const PanelType& panel);
uint16_t MaxNodeTextNum(const PanelType& panel);

// Settings whose value the reader checks against a range.
inline constexpr SrcRange kCycleTimeRange{1, 60};
inline constexpr SrcRange kPosPrnStatusRange{30, 254};
// The date and time block holds four words that must end at 255. Stored
// sources place it as high as 252, which stays accepted; the range message
// names 30..251, as it always has.
inline constexpr SrcRange kPosDateTimeRange{30, 252};
inline constexpr SrcRange kPosDateTimeShown{30, 251};
inline constexpr SrcRange kPosRecBlockRange{30, 253};
inline constexpr SrcRange kFlagRange{0, 1};

// The xerror by which a panel refuses DMODE or PRMODE; 0 when it takes it.
uint16_t DModeRefusal(const PanelType& panel);
uint16_t PrModeRefusal(const PanelType& panel);
// PRMODE carries handshake, direction and time-out on these panels; the
// others take the five serial fields only.
bool PrModeHasLineFields(const PanelType& panel);
// PRCHAR and PRINIT are read on these panels and skipped on the others.
bool TakesPrinterChars(const PanelType& panel);

// Pixel rows of a user character in the source: 7 on 706, else 8.
int CharDefRows(const PanelType& panel);

// The line that opens the address references of a driver: "COM_LIST-" and
// the driver's key.
std::string ComListKeyword(uint16_t drvNo);

// The driver whose address references are index-mapped words with five
// numbers each.
inline constexpr uint16_t kDrvIndexedRefs = 73;
// Its table holds words 0..29 one per entry, then every even word from 30
// on; the two map onto each other.
uint16_t IndexedRefIndexOfWord(uint16_t word);
uint16_t IndexedRefWordOfIndex(uint16_t index);
// The number of words a table of that many entries covers.
uint32_t IndexedRefWordCount(uint32_t entries);
// The kinds of its entries: 0..5.
inline constexpr uint8_t kIndexedRefKindMax = 5;
// Its attribute byte: below 100, or 255 for a deleted entry.
bool IsIndexedRefAttr(uint16_t value);

// Attribute classes of an address reference; DW shares the class of DB.
enum : uint16_t { kRefDb = 1, kRefFw = 3, kRefIw = 4, kRefQw = 5, kRefTw = 6 };
// The keyword of a class in the source ("DB", "FW", ...), "" for another.
std::string_view RefClassKeyword(uint16_t cls);

// PLC definitions of a multi-PLC driver: numbers, addresses, slots, racks.
inline constexpr SrcRange kPlcNumRange{1, 5};
inline constexpr SrcRange kPlcAdrRange{0, 255};
inline constexpr SrcRange kPlcSlotRange{0, 18};
inline constexpr SrcRange kPlcRackRange{0, 21};

} // namespace orv
