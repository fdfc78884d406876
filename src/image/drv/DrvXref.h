// The codec of a driver's address cross-reference tables, shared by reader,
// writer and decompiler so a record read and written keeps its bytes.
#pragma once

#include "image/drv/DrvEntry.h"
#include "model/core/StepResult.h"

#include <cstdint>

namespace orv {

class CDrvCfg;
class CDrvTabEntry5;
class CDrvTabEntry6;

// A record of the plain and the extended ("E") address table: PLC number,
// area code, data block and word address, 6 bytes in this order. The
// reader, the writer and the image decompiler share this codec, so that a
// record read and written back keeps its bytes.
struct DrvTab5Record {
    static constexpr int kSize = 6;

    uint8_t plc = 0;
    uint8_t area = 0;
    uint16_t db = 0;
    uint16_t word = 0;
};
DrvTab5Record DecodeTab5Record(const uint8_t* bytes);
void EncodeTab5Record(const DrvTab5Record& record, uint8_t* bytes);
// The table entry of record index; the caller owns it.
CDrvTabEntry5* NewTab5Entry(uint16_t index, const DrvTab5Record& record);
DrvTab5Record Tab5RecordOf(const CDrvTabEntry5& entry);

// A reference record of the "S" list, 8 bytes: attribute, word number (2),
// kind code, and two 16-bit values that only kinds 4 and 5 carry. A kind
// code the table does not know keeps whether the record before carried two
// values, so decoding and encoding run through the records in order with
// that state.
struct DrvRefState {
    bool twoValues = false;
};
inline constexpr int kRefRecordSize = 8;
CDrvTabEntry6* DecodeRefRecord(uint16_t key, const uint8_t* bytes, DrvRefState& state);
void EncodeRefRecord(const CDrvTabEntry6& entry, uint8_t* bytes, DrvRefState& state);

// Where the entry's cross-reference block starts: 1 with x set, 0 when the
// entry has none, -1 on a failed read or a block outside the entry.
StepResult LocateXref(const DrvEntry& entry, int32_t& x);
// Sets the configuration's block flags, limits and record size, and fills
// those of its tables that are empty. -1 on a failed read.
StepResult ReadXref(const DrvEntry& entry, int32_t x, CDrvCfg& cfg);
// Writes the configuration's PLC definitions and tables into the block.
// Only records below the block's record count and inside the entry are
// written; the others are logged and left. -1 on a failed write.
StepResult WriteXref(const DrvEntry& entry, int32_t x, const CDrvCfg& cfg);

} // namespace orv
