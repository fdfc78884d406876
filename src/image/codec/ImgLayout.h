// The field layout of data-set images, with the encoders the compilers write
// through and the decoders the decompilers read through.
#pragma once

#include "image/codec/BeReader.h"

#include <array>
#include <ctime>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

// Where the fields of a data-set image lie and how each shared field is
// coded. The compiler writes through the encoders here and the image reader
// reads through the decoders beside them, so both sides agree on every byte.
namespace imglayout {

// --- Byte header, tagged by a magic byte (043 family image, 118 family first image)

inline constexpr uint32_t kHdrLength = 2;         // word: data-set length - 2
inline constexpr uint32_t kHdrMagic = 4;          // byte
inline constexpr uint8_t kMagic043 = 240;
inline constexpr uint32_t kHdrName = 5;           // string, name of the source file
inline constexpr uint32_t kHdrNameMax = 12;       // characters before the NUL
inline constexpr uint32_t kHdrTime = 18;          // word, DOS time
inline constexpr uint32_t kHdrDate = 20;          // word, DOS date
inline constexpr uint32_t kHdrFwId = 22;          // string, 8 characters
inline constexpr uint32_t kHdrToolVersion = 31;   // string
inline constexpr uint32_t kHdrUserChars = 41;     // 8 rows per code
inline constexpr uint32_t kHdrMnuNames = 111;     // word
inline constexpr uint32_t kHdrDescr = 113;        // word
inline constexpr uint32_t kHdrPrinter = 115;      // word
inline constexpr uint32_t kHdrSkActs = 119;       // word
inline constexpr uint32_t kHdrSkTxts = 121;       // word
inline constexpr uint32_t kHdrSkRowVar0 = 123;    // word, record of the first softkey row variable
inline constexpr uint32_t kHdrSkRowVar1 = 125;    // word, of the second
inline constexpr uint32_t kHdrFlags = 131;        // 4 bytes, bit set
inline constexpr uint32_t kHdrCycleTime = 135;    // byte
inline constexpr uint8_t kCycleTimeDefault = 10;
inline constexpr uint32_t kHdrVarChain = 136;     // word, last variable record

// --- Word header, tagged by a magic word (706 family image, 118 family second image)

inline constexpr uint32_t kHdrWLength = 0;        // word: 706 family length in words; second image: recipe data length
inline constexpr uint32_t kHdrWCheck = 2;         // word: 706 family check word; second image 0
inline constexpr uint32_t kHdrWMagic = 4;         // word
inline constexpr uint16_t kMagic706 = 496;
inline constexpr uint16_t kMagicRcpImage = 436;
inline constexpr uint32_t kHdrWName = 6;          // string, name of the source file
inline constexpr uint32_t kHdrWNameMax = 12;      // characters before the NUL; more would reach the stamp
inline constexpr uint32_t kHdrWStamp = 20;        // 6 bytes, ChangeStamp
inline constexpr uint32_t kHdrWFwId = 46;         // string, the panel type's firmware id
inline constexpr uint32_t kHdrWFeatures = 56;     // 8 bytes, 706 family bit set (SetFlagBit8)
inline constexpr uint32_t kHdrWFrmName = 64;      // string, the firmware configuration's id
inline constexpr uint32_t kHdrWFrmNameMax = 9;
inline constexpr uint32_t kHdrWToolVersion = 74;  // string
inline constexpr uint32_t kHdrWBlockSize = 88;    // word: bytes of the header from 88 on
inline constexpr uint32_t kHeaderSize706 = 170;
inline constexpr uint32_t kHeaderSizeRcpImage = 106;
inline constexpr uint16_t kHdrWBlockSize706 = kHeaderSize706 - kHdrWBlockSize;
inline constexpr uint16_t kHdrWBlockSizeRcpImage = kHeaderSizeRcpImage - kHdrWBlockSize;

// 706 family header pointers, dwords.
inline constexpr uint32_t kCUserChars = 90;
inline constexpr uint32_t kCVarFirst = 94;
inline constexpr uint32_t kCOpTxts = 98;
inline constexpr uint32_t kCMsgTxts = 102;
inline constexpr uint32_t kCHistTxts = 106;
inline constexpr uint32_t kCHlpTxts = 110;        // list i (0..5) at 110 + 4 i
inline constexpr int kCHlpLists = 6;
inline constexpr uint32_t kCOpPrnTxts = 134;
inline constexpr uint32_t kCMsgPrnTxts = 138;
inline constexpr uint32_t kCSkActs = 142;
inline constexpr uint32_t kCSkTxts = 146;
inline constexpr uint32_t kCMnus = 154;
inline constexpr uint32_t kCTimers = 158;
inline constexpr uint32_t kCSystem = 162;
inline constexpr uint32_t kCDescr = 166;
inline uint32_t CHlpTxtSlot(int list) { return kCHlpTxts + 4u * static_cast<uint32_t>(list); }

// Second image header pointers, words.
inline constexpr uint32_t kRcpCheckBlock = 90;
inline constexpr uint32_t kRcpTable = 92;

// 706 family feature bits and the causes that set them.
inline constexpr unsigned kFeatSystemBlock = 59;
inline constexpr unsigned kFeatSoftkeys = 60;      // softkey texts or actions, "[Z084]", constant 391
inline constexpr unsigned kFeatHexVars = 61;       // a variable of kind 249
inline constexpr unsigned kFeatPlcHistVars = 62;   // a PLC variable in a history or message printer row
inline constexpr unsigned kFeatKind33And36 = 63;

// The source file's last change: BCD bytes of year modulo 100, month
// (1..12), day, hour, minute and second (60 at most, for a leap second).
struct ChangeStamp {
    using Bytes = std::array<uint8_t, 6>;
    static Bytes Encode(const std::tm& local);
};

// The firmware id of the word header: "OG4730000", "OG4770000",
// "OG7060000" for the 706 family image, "OG118201", "OG163201", "OG167201"
// for the second image of the 118 family; none for other panel types.
std::optional<std::string> WordHeaderFirmwareId(uint16_t devType);

// --- 043 family header tables ----------------------------------------------

inline constexpr uint32_t kHeaderSize043 = 1042;
inline constexpr uint32_t kAMsgTxts = 138;        // word per message text 0..127
inline constexpr uint32_t kAOpTxts = 394;         // word per operator text 0..127
inline constexpr uint32_t kAHlpSlots = 650;       // word per help slot
inline constexpr uint32_t kAMsgAttrs = 660;       // byte per message text 0..127
inline constexpr uint32_t kAMnus = 786;           // word per menu 1..127
inline constexpr int kATextNumMax = 127;          // operator and message texts
inline constexpr int kAMnuNumMin = 1;
inline constexpr int kAMnuNumMax = 127;
inline constexpr int kAUserCharMax = 7;
inline constexpr int kAHlpLists = 7;
inline constexpr uint32_t kMemLimit043 = 32766;

// False for numbers that have no slot in the 043 family header.
bool HasATextSlot(int32_t num);
bool HasAMnuSlot(int32_t num);
bool HasAUserCharSlot(int32_t code);

inline uint32_t AMsgTxtSlot(int n) { return kAMsgTxts + 2u * static_cast<uint32_t>(n); }
inline uint32_t AOpTxtSlot(int n) { return kAOpTxts + 2u * static_cast<uint32_t>(n); }
inline uint32_t AMsgAttrSlot(int n) { return kAMsgAttrs + static_cast<uint32_t>(n); }
inline uint32_t AMnuSlot(int m) { return kAMnus + 2u * static_cast<uint32_t>(m); }
inline uint32_t UserCharRow(int code, int row)
{
    return kHdrUserChars + 8u * static_cast<uint32_t>(code) + static_cast<uint32_t>(row);
}
// Lists 0 and 6 share the first slot; list 5's slot is the attribute byte
// pair of messages 0 and 1.
uint32_t AHlpSlot(int list);

// --- Records ---------------------------------------------------------------

inline constexpr uint32_t kVarNameSize = 16;
inline constexpr uint32_t kMnuNameSize = 16;
inline constexpr size_t kTextMax = 40;            // source characters of a text row or shared text
inline constexpr uint32_t kSkTxtTableHead = 12;   // five words, then highest + 1
inline constexpr int kSkKeysNarrow = 8;           // a panel of no row
inline constexpr int kSkActOps = 8;
inline constexpr uint32_t kPrnTableSize = 128;
inline constexpr int kPrnInitMax = 8;
inline constexpr uint8_t kFieldMark = 0;          // a variable field in a text row

// --- Block boundary rule ---------------------------------------------------

struct BlockRule {
    uint32_t block;
    uint32_t margin;
};
inline constexpr BlockRule kBlocks043_118{4096, 32};
inline constexpr BlockRule kBlocks706{65536, 64};

// The length after padding to even and, when a record of n bytes (with the
// margin) would cross into the next block, moving to that boundary.
uint64_t ReservedLength(uint64_t length, uint32_t n, BlockRule rule);

// --- Bit sets ----------------------------------------------------------------

// Byte header: 4 bytes, bit b (below 32) in byte 3 - b / 8. Higher bits are
// ignored.
void SetFlagBit4(std::array<uint8_t, 4>& flags, unsigned bit);
// 706 family: 8 bytes, bit b (below 64) in byte 7 - b / 8.
void SetFlagBit8(std::array<uint8_t, 8>& flags, unsigned bit);

// --- Field codecs ------------------------------------------------------------

// Signed display limits (types 18..25): the value plus 2^31.
struct OffsetBinary32 {
    static uint32_t Encode(int32_t value);
    static int32_t Decode(uint32_t stored);
};

// Packed BCD, highest digit in the top 4 bits; values beyond 8 digits keep
// their low 8 digits, negative values code as 0.
struct Bcd {
    static uint32_t Encode(int64_t value);
    // The low 4 digits, for the fields of one word.
    static uint16_t EncodeWord(int64_t value);
    // Each nibble read as a decimal digit; a nibble above 9 counts with its
    // own value (0x1A gives 20).
    static uint32_t Decode(uint32_t bcd);
};

// The digit masks of BCD variables by their digit count (first type byte).
struct BcdMask {
    static uint16_t Encode(uint8_t digits);
};
struct BcdMaskPair {
    static std::array<uint16_t, 2> Encode(uint8_t digits);
};

// The word of a bit variable: the one bit set is the variable's bit.
struct BitMaskWord {
    // 16 (no bit of the word) unless exactly one bit is set.
    static uint32_t Decode(uint16_t mask);
};

// The 043 and 118 families: setpoint kind in the top two bits, image code below.
struct ImageTypeByte {
    // Codes of their own for the word forms, the timer and the state
    // selection; every other kind the panel knows keeps its type code.
    static constexpr uint8_t kWordKm = 32;
    static constexpr uint8_t kWordKh = 36;
    static constexpr uint8_t kWordKy = 38;
    static constexpr uint8_t kTimer = 40;
    static constexpr uint8_t kStateSelect = 42;

    // The image code of a type code (and first type byte for 32/33); none
    // for types the panel does not know.
    static std::optional<uint8_t> CodeOf(uint8_t type, uint8_t firstTypeByte);
    static uint8_t Encode(uint8_t setpKind, uint8_t code);
    struct Decoded {
        // 1, 2 or 3; 0 for the bits 01, which no variable carries.
        uint8_t setpKind = 0;
        uint8_t code = 0;
    };
    static Decoded Decode(uint8_t byte);
};

// 043 family message attributes: priority 3 -> 2, 4 -> 4; delete mode
// 2, 3, 4 -> 32, 64, 128.
struct MsgAttrByte {
    static uint8_t Encode(uint8_t prio, uint8_t delMode);
    // Priority 2, 3, 4 and delete mode 1..4; 0 for a code outside them.
    struct Decoded {
        uint8_t prio = 0;
        uint8_t delMode = 0;
    };
    static Decoded Decode(uint8_t attr);
};

// Softkey action operations: WRITE 1 -> 2, AND 2 -> 4, OR 3 -> 8, else 0.
struct SkOpByte {
    static uint8_t Encode(uint16_t op);
    static uint16_t Decode(uint8_t byte);
};
// Value format 1, 2, 3; anything else as 1.
struct SkFmtByte {
    static uint8_t Encode(uint16_t format);
};

// One operation of a softkey action: the address (a dword where addresses
// are wide, else a word), the operation byte, the format byte and the value
// word. The decoder gives the operation as the action holds it and the
// format byte as stored.
struct SkOpRecord {
    uint32_t adr = 0;
    uint16_t op = 0;
    uint16_t format = 0;
    uint16_t value = 0;

    static constexpr uint32_t Size(bool wideAdr) { return wideAdr ? 8 : 6; }
    static std::string Encode(const SkOpRecord& rec, bool wideAdr);
    // Failed reader when the record does not lie inside it.
    static SkOpRecord Decode(BeReader& in, uint64_t at, bool wideAdr);
};

// A variable field inside a 043 or 118 family text row: the mark, then the
// variable's address high byte first.
struct RowVarRef {
    static constexpr uint32_t kSize = 3;
    static std::string Encode(uint16_t address);
    // The address of the field whose mark is at at; false (and address
    // untouched) when the field does not lie inside the row.
    static bool Decode(BeReader row, uint64_t at, uint16_t& address);
};

// A run of blanks in a 043 or 118 family text row. Count coding (panel 47 .2
// variant): count bytes 1..7, a new one after 7. Otherwise the first blank
// is 128 and each further blank adds 1.
struct BlankRun {
    static void Encode(std::string& out, size_t blanks, bool countCoding);
    // The blanks one row byte stands for; 0 when it is no run.
    static int Decode(uint8_t byte, bool countCoding);
};

// The firmware id a panel type needs at a firmware level; none for a level
// that the type has no firmware for.
std::optional<std::string> FirmwareId(uint16_t devType, uint16_t level);
// The level every image of panel 47's ".2" variant asks for; its id
// "OG047427" is how an image names the variant it was built for.
constexpr uint16_t kVariantFwLevel = 427;

// ===========================================================================
// 118 family (panel types 118, 163, 167)
// ===========================================================================

// --- First image: the byte header with the 118 family fields ---------------

inline constexpr uint32_t kHeaderSize118 = 250;
inline constexpr uint32_t kBOpTable = 138;        // word, operator text table
inline constexpr uint32_t kBMsgTable = 140;       // word, message text table
inline constexpr uint32_t kBRcpTable = 142;       // word, recipe text table
inline constexpr uint32_t kBHlpTables = 150;      // word per help slot
inline constexpr uint32_t kBMnuTable = 168;       // word
inline constexpr uint32_t kBMsgAttrBlock = 170;   // word
inline constexpr uint32_t kBDateBlock = 172;      // word
inline constexpr uint32_t kBWeekdays1 = 174;      // 7 slots of the first name list
inline constexpr uint32_t kBWeekdays2 = 195;      // 7 slots of the second
inline constexpr uint32_t kBWeekdaySlot = 3;
inline constexpr int kBWeekdays = 7;
inline constexpr uint32_t kBRcpBlock = 216;       // word
inline constexpr uint32_t kBFrmName = 218;        // 9 characters, blank-padded, NUL
inline constexpr size_t kBFrmNameChars = 9;
inline constexpr uint32_t kBRcpCheck = 228;       // word, recipe check word
inline constexpr unsigned kBFlagDWordVars = 1;    // feature flag bit
inline constexpr uint16_t kBFwLevel = 201;
// A variable record must start below this address: the panel's own
// addresses begin here and the reader ends the chain at any pointer beyond.
inline constexpr uint32_t kBVarEnd = 0xA000;
// Word addresses reach no further than this.
inline constexpr uint32_t kBImageEnd = 0x10000;
inline constexpr uint32_t kBListHead = 12;        // dword, word, dword, word highest + 1
inline constexpr uint32_t kBListRange = 4;        // word, address of the range entry
inline constexpr uint32_t kBListRangeLo = 6;
inline constexpr uint32_t kBListRangeHi = 8;
inline constexpr uint32_t kBListCount = 10;
inline constexpr uint32_t kBRowReserve = 40;
inline constexpr uint32_t kBNodeSize = 8;
inline constexpr uint32_t kBMnuMaskSize = 2;
inline constexpr uint32_t kBMsgAttrHead = 12;     // the attribute of text n at block + 12 + n
inline constexpr uint16_t kBDateBlockEnd = 999;
inline constexpr uint16_t kBRcpBlockEnd = 257;
inline constexpr uint32_t kBPrinterSize = 155;

inline uint32_t BListEntry(uint32_t table, int n) { return table + kBListHead + 2u * static_cast<uint32_t>(n); }
// Lists 4 and 5 share a slot.
uint32_t BHlpSlot(int list);

// The room a 118 family variable record is given, by its type code; k is the
// highest state index of the state-text kinds.
uint32_t BVarReserve(uint8_t type, int k);

// One entry of a weekday name list: length byte and at most 2 characters
// with their NUL (which falls on the next slot's length byte).
struct BWeekdaySlot {
    static constexpr size_t kChars = 2;
    static std::string Encode(std::string_view text);
};

// The firmware name: 9 characters, blank-padded, then a NUL.
struct BFrmName {
    static std::string Encode(std::string_view name);
};

// Whether a scaling term fits the 6 bytes of a value48 (signed: as a two's
// complement number).
bool FitsValue48(__int128 value, bool isSigned);

// --- Second image (recipe memory): the word header ---------------------------

inline constexpr uint32_t kHeaderSizeB2 = 106;
inline constexpr uint32_t kB2Length = 0;          // word, recipe data length
inline constexpr uint32_t kB2Zero = 2;            // word 0
inline constexpr uint32_t kB2Magic = 4;           // word
inline constexpr uint16_t kB2MagicValue = 436;
inline constexpr uint32_t kB2Name = 6;            // string
inline constexpr uint32_t kB2Stamp = 20;          // 6 bytes, ChangeStamp
inline constexpr uint32_t kB2FwId = 46;           // string
inline constexpr uint32_t kB2FrmName = 64;        // string, at most 9 characters
inline constexpr size_t kB2FrmNameChars = 9;
inline constexpr uint32_t kB2ToolVersion = 74;    // string
inline constexpr uint32_t kB2BlockSize = 88;      // word
inline constexpr uint16_t kB2BlockSizeValue = 18;
inline constexpr uint32_t kB2CheckBlock = 90;     // word, the 10-byte check block
inline constexpr uint32_t kB2RcpTable = 92;       // word, the recipe table
inline constexpr uint16_t kB2CheckBlockMark = 199;
inline constexpr uint32_t kB2CheckBlockSize = 10;
inline constexpr uint32_t kB2RcpTableHead = 2;    // word highest + 1
inline constexpr uint16_t kB2RcpRecordMark = 1;
inline constexpr size_t kB2AsciiMax = 33;

// === 706 family records =====================================================

// Numbered lists: three dwords, the template's two range words, highest + 1,
// then a dword per number.
inline constexpr uint32_t kCListTemplate = 8;      // dword
inline constexpr uint32_t kCListLow = 12;          // word
inline constexpr uint32_t kCListHigh = 14;         // word
inline constexpr uint32_t kCListPlaces = 16;       // word, highest + 1
inline constexpr uint32_t kCListHead = 18;
inline uint32_t CListSlot(uint32_t list, int32_t n) { return list + kCListHead + 4u * static_cast<uint32_t>(n); }
// Tables of actions, menus and time switches: highest + 1, then dwords.
inline uint32_t CTableSlot(uint32_t table, int32_t n) { return table + 2u + 4u * static_cast<uint32_t>(n); }
inline constexpr int kCSkKeys = 20;
inline constexpr uint32_t kCNodeSize = 24;
inline constexpr uint32_t kCNodeLinks = 8;         // four dwords: left, right, down, up
inline constexpr size_t kCScreenRowMax = 39;       // text bytes of a screen row
inline constexpr size_t kCPrinterRowMax = 131;     // of a printer row
inline constexpr size_t kCPrinterCols = 132;       // source characters of a printer row
inline constexpr uint32_t kCUserCharSize706 = 5;
inline constexpr int kCUserCharFirst706 = 128;
inline constexpr uint32_t kCHelpHigh = 0xFFFF;     // a help list's template range

// A name as the 706 family stores it: a count byte and the name padded with NUL,
// the count odd so that count byte and name end on an even offset.
struct CountedName {
    static std::string Encode(std::string_view name);
};

// Setpoint kinds 1, 2, 3 -> 0, 1, 2; anything else 0.
struct SetpCode706 {
    static uint8_t Encode(uint8_t setpKind);
    // 1 -> 2, 2 -> 3, anything else 1.
    static uint8_t Decode(uint8_t code);
};

// Message text attribute word: delete mode low, priority 2, 3, 4 as 0, 1, 2
// high, 0x8000 for an alarm.
struct MsgAttrWord {
    static uint16_t Encode(uint8_t prio, uint8_t delMode, bool alarm);
    struct Decoded {
        uint8_t prio = 2;
        uint8_t delMode = 0;
        bool alarm = false;
    };
    // Priority code 1 -> 3, 2 -> 4, anything else 2.
    static Decoded Decode(uint16_t word);
};

// Word forms of types 33 and 251: 1 -> 1, 2 -> 2, anything else 0.
struct FormWord706 {
    static uint16_t Encode(uint8_t form);
    static uint8_t Decode(uint16_t word);
};

// The seven pixel rows of a 706 user character (bits 4..0 from left to
// right) packed into five bytes.
struct UserChar706 {
    using Bytes = std::array<uint8_t, 5>;
    static Bytes Encode(const std::array<uint8_t, 8>& rows);
    // Rows 0..6; the eighth row and the pixel bits 5..7 have no place.
    static std::array<uint8_t, 8> Decode(const uint8_t* bytes);
};

// Blank runs of the 706 family text bytes: a blank raises the count byte before
// it while that is below the maximum (7 or 15) and no field lies between;
// otherwise it starts a new count 1.
struct BlankCount706 {
    static void Add(std::string& out, bool& countOpen, uint8_t maxCount);
    // The blanks a text byte stands for; 0 when it is a character.
    static int Decode(uint8_t byte, uint8_t maxCount);
};

// Display and PLC spans reduced to lowest terms; none when the display span
// is not positive, the PLC span negative, or a term exceeds a word.
struct ReducedSpans {
    uint16_t dsp;
    uint16_t plc;
    static std::optional<ReducedSpans> Encode(int64_t dspSpan, int64_t plcSpan);
};

// The room a 706 family variable record reserves: by type, from the name's
// length and the highest state index.
uint32_t VarReserve706(uint8_t type, size_t nameLength, int highestState);

}  // namespace imglayout

} // namespace orv
