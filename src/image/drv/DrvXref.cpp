// Reads and writes the cross-reference block of a driver entry; counts beyond a
// table's capacity are refused as not a driver's.
#include "image/drv/DrvXref.h"

#include "image/codec/BinIo.h"
#include "image/drv/DrvLayout.h"
#include "model/core/CatalogueIds.h"
#include "model/core/Catalogues.h"
#include "model/core/CheckedFormat.h"
#include "model/project/DrvCfg.h"
#include "model/core/Log.h"

#include <array>
#include <string>

namespace orv {

namespace {

using namespace drvlayout;

constexpr int32_t kFixedEntries = 30;
constexpr int kDefs = 5;

struct XrefHead {
    bool valid = false;
    char kind = 0;
    uint16_t count = 0;
    uint16_t recSize = 0;
    std::array<uint16_t, CDrvCfg::kLimitCount> limits{};

    int32_t RecordBase() const { return kind == 'E' ? kBlockExtRecords : kBlockRecords; }
};

StepResult ReadHead(const DrvEntry& entry, int32_t x, XrefHead& head)
{
    std::string signature;
    uint8_t kind = 0;
    if (entry.Text(x + kBlockMark, 3, signature) != 1 || entry.Byte(x + kBlockMark + 3, kind) != 1)
        return -1;
    head.valid = signature == "QVL";
    head.kind = static_cast<char>(kind);
    if (!head.valid)
        return 1;
    if (entry.Word(x + kBlockCount, head.count) != 1 ||
        entry.Word(x + (head.kind == 'E' ? kBlockExtRecSize : kBlockRecSize), head.recSize) != 1)
        return -1;
    for (size_t i = 0; i < head.limits.size(); ++i)
        if (entry.Word(x + kBlockLimits + 2 * static_cast<int32_t>(i), head.limits[i]) != 1)
            return -1;
    return 1;
}

StepResult ReadBytes(const DrvEntry& entry, int32_t at, uint8_t* bytes, uint16_t size)
{
    std::string text;
    if (entry.Text(at, size, text) != 1)
        return -1;
    std::copy(text.begin(), text.end(), bytes);
    return 1;
}

StepResult PutBytes(const DrvEntry& entry, int32_t at, const uint8_t* bytes, size_t size)
{
    return entry.PutBlock(at, std::string(reinterpret_cast<const char*>(bytes), size));
}

StepResult ReadDefs(const DrvEntry& entry, int32_t x, CDrvCfg& cfg)
{
    for (int i = 0; i < kDefs; ++i) {
        std::array<uint8_t, 4> d{};
        if (ReadBytes(entry, x + kBlockDefs + 4 * i, d.data(), 4) != 1)
            return -1;
        if (d[0] == 0)
            continue;
        const std::string name = FormatText("%s%d", ResourceTXT(res::kSPS_1128), d[0]);
        cfg.AddParItem3(new CSpsDef(d[0], d[1], d[2], d[3], name.c_str()));
    }
    return 1;
}

StepResult ReadTab5(const DrvEntry& entry, int32_t x, const XrefHead& head, CDrvCfg& cfg)
{
    for (int32_t k = 0; k < head.count; ++k) {
        std::array<uint8_t, DrvTab5Record::kSize> rec{};
        if (ReadBytes(entry, x + head.RecordBase() + k * head.recSize, rec.data(), DrvTab5Record::kSize) != 1)
            return -1;
        cfg.AddParItem(NewTab5Entry(static_cast<uint16_t>(k), DecodeTab5Record(rec.data())));
    }
    return 1;
}

StepResult ReadRefList(const DrvEntry& entry, int32_t x, const XrefHead& head, CDrvCfg& cfg)
{
    for (int32_t k = 0; k < kFixedEntries; ++k) {
        uint16_t value = 0;
        if (entry.Word(x + kBlockRecords + 4 * k, value) != 1)
            return -1;
        cfg.AddParItem2(new CDrvTabEntry6(static_cast<uint16_t>(k), 0, value, 0, 0, 0));
    }
    DrvRefState state;
    for (int32_t r = kFixedEntries; r < head.count; r += 2) {
        std::array<uint8_t, kRefRecordSize> rec{};
        if (ReadBytes(entry, x + kBlockRecords + r * head.recSize, rec.data(), kRefRecordSize) != 1)
            return -1;
        cfg.AddParItem2(DecodeRefRecord(static_cast<uint16_t>(r), rec.data(), state));
    }
    return 1;
}

void LogSkipped(int index, uint16_t count)
{
    LogLine(kLogInfo, "Driver table entry %d not written: the driver's block holds %u records", index,
            unsigned{count});
}

StepResult WriteDefs(const DrvEntry& entry, int32_t x, const CSpsDefList& defs)
{
    for (int num = 1; num <= kDefs; ++num) {
        std::array<uint8_t, 4> d{};
        if (const CSpsDef* def = defs.FindByNum(num))
            d = {def->GetNum(), static_cast<uint8_t>(def->GetAdr()), static_cast<uint8_t>(def->GetSlot()),
                 static_cast<uint8_t>(def->GetRack())};
        if (PutBytes(entry, x + kBlockDefs + 4 * (num - 1), d.data(), d.size()) != 1)
            return -1;
    }
    return 1;
}

StepResult WriteTab5(const DrvEntry& entry, int32_t x, const XrefHead& head, const CDrvTab5List& table)
{
    for (int i = 0; i < table.GetCount(); ++i) {
        const int32_t at = x + head.RecordBase() + i * head.recSize;
        if (i >= head.count || !entry.Contains(at, DrvTab5Record::kSize)) {
            LogSkipped(i, head.count);
            continue;
        }
        std::array<uint8_t, DrvTab5Record::kSize> rec{};
        EncodeTab5Record(Tab5RecordOf(*table.ItemAt(i)), rec.data());
        if (PutBytes(entry, at, rec.data(), rec.size()) != 1)
            return -1;
    }
    return 1;
}

StepResult WriteRefList(const DrvEntry& entry, int32_t x, const XrefHead& head, const CDrvTab6List& table)
{
    DrvRefState state;
    for (int i = 0; i < table.GetCount(); ++i) {
        const CDrvTabEntry6& e = *table.ItemAt(i);
        const int32_t r = i < kFixedEntries ? i : kFixedEntries + 2 * (i - kFixedEntries);
        const int32_t at = i < kFixedEntries ? x + kBlockRecords + 4 * i : x + kBlockRecords + r * head.recSize;
        const int32_t size = i < kFixedEntries ? 2 : kRefRecordSize;
        if (r >= head.count || !entry.Contains(at, size)) {
            LogSkipped(i, head.count);
            continue;
        }
        int result = 0;
        if (i < kFixedEntries) {
            result = entry.PutWord(at, e.GetWord1());
        } else {
            std::array<uint8_t, kRefRecordSize> rec{};
            EncodeRefRecord(e, rec.data(), state);
            result = PutBytes(entry, at, rec.data(), rec.size());
        }
        if (result != 1)
            return -1;
    }
    return 1;
}

} // namespace

DrvTab5Record DecodeTab5Record(const uint8_t* bytes)
{
    DrvTab5Record r;
    r.plc = bytes[0];
    r.area = bytes[1];
    r.db = static_cast<uint16_t>(GetBigEndian(bytes + 2, 2));
    r.word = static_cast<uint16_t>(GetBigEndian(bytes + 4, 2));
    return r;
}

void EncodeTab5Record(const DrvTab5Record& record, uint8_t* bytes)
{
    bytes[0] = record.plc;
    bytes[1] = record.area;
    PutBigEndian(bytes + 2, 2, record.db);
    PutBigEndian(bytes + 4, 2, record.word);
}

CDrvTabEntry5* NewTab5Entry(uint16_t index, const DrvTab5Record& record)
{
    return new CDrvTabEntry5(record.plc, index, record.area, record.db, record.word);
}

DrvTab5Record Tab5RecordOf(const CDrvTabEntry5& entry)
{
    DrvTab5Record r;
    r.plc = entry.GetByte();
    r.area = static_cast<uint8_t>(entry.GetVal1());
    r.db = entry.GetVal2();
    r.word = entry.GetVal3();
    return r;
}

namespace {

constexpr uint8_t kDeleted = 255;
constexpr uint8_t kOtherKind = 6;

} // namespace

CDrvTabEntry6* DecodeRefRecord(uint16_t key, const uint8_t* bytes, DrvRefState& state)
{
    const uint8_t attr = bytes[0];
    if (attr == kDeleted)
        return new CDrvTabEntry6(key, kDeleted, 0, 0, 0, 0);
    const uint16_t word = static_cast<uint16_t>(GetBigEndian(bytes + 1, 2));
    const uint8_t code = bytes[3];
    uint8_t kind = kOtherKind;
    uint16_t sub = 0;
    if (code == 0 || code == 1) {
        kind = code;
        state.twoValues = false;
    } else if (code == 16 || code == 17) {
        kind = 2;
        sub = code - 16;
        state.twoValues = false;
    } else if (code >= 32 && code <= 35) {
        kind = 3;
        sub = code - 32;
        state.twoValues = false;
    } else if (code == 48 || code == 49) {
        kind = code == 48 ? 4 : 5;
        state.twoValues = true;
    }
    if (state.twoValues)
        return new CDrvTabEntry6(key, attr, word, kind, static_cast<uint16_t>(GetBigEndian(bytes + 4, 2)),
                                 static_cast<uint16_t>(GetBigEndian(bytes + 6, 2)));
    return new CDrvTabEntry6(key, attr, word, kind, sub, 0);
}

void EncodeRefRecord(const CDrvTabEntry6& entry, uint8_t* bytes, DrvRefState& state)
{
    if (entry.GetByte1() == kDeleted) {
        PutBigEndian(bytes, 4, 0xFF000000u);
        PutBigEndian(bytes + 4, 4, 0xFF000000u);
        return;
    }
    bytes[0] = entry.GetByte1();
    PutBigEndian(bytes + 1, 2, entry.GetWord1());
    const uint8_t kind = entry.GetByte2();
    uint8_t code = 0;
    switch (kind) {
    case 0:
    case 1:
        code = kind;
        break;
    case 2:
        code = static_cast<uint8_t>(0x10 + entry.GetVal1());
        break;
    case 3:
        code = static_cast<uint8_t>(0x20 + entry.GetVal1());
        break;
    case 4:
        code = 48;
        break;
    case 5:
        code = 49;
        break;
    default:
        break;
    }
    bytes[3] = code;
    if (kind <= 5)
        state.twoValues = kind == 4 || kind == 5;
    PutBigEndian(bytes + 4, 2, state.twoValues ? entry.GetVal1() : 0xFE00);
    PutBigEndian(bytes + 6, 2, state.twoValues ? entry.GetVal2() : 0);
}

StepResult LocateXref(const DrvEntry& entry, int32_t& x)
{
    if (entry.Family() == DrvFamily::F706) {
        uint16_t marker = 0;
        uint32_t address = 0;
        if (entry.Word(k706BlockSize, marker) != 1)
            return -1;
        if (marker < k706NoParams)
            return 0;
        if (entry.DWord(k706ParamAdr, address) != 1)
            return -1;
        x = entry.OffsetOfAddress(address);
        return x < 0 ? -1 : 1;
    }
    uint16_t p = 0;
    uint16_t offset = 0;
    if (entry.Word(k043ParPtr, p) != 1 || p < 2 || entry.Word(p - 2, offset) != 1 || !entry.Contains(offset, 1))
        return -1;
    x = offset;
    return 1;
}

StepResult ReadXref(const DrvEntry& entry, int32_t x, CDrvCfg& cfg)
{
    XrefHead head;
    if (ReadHead(entry, x, head) != 1)
        return -1;
    cfg.SetFlag(CDrvCfg::kFlagXref, head.valid ? 1 : 0);
    cfg.SetFlag(CDrvCfg::kFlagRefList, head.valid && head.kind == 'S' ? 1 : 0);
    cfg.SetFlag(CDrvCfg::kFlagMultiPlc, head.valid && head.kind == 'E' ? 1 : 0);
    if (!head.valid)
        return 1;
    for (int i = 0; i < CDrvCfg::kLimitCount; ++i)
        cfg.SetAdrLimit(static_cast<CDrvCfg::AdrLimit>(i), head.limits[static_cast<size_t>(i)]);
    cfg.SetRecSize(head.recSize);
    // Records beyond what a table can hold cannot be a driver's.
    if (head.count > CColl::kMaxCount)
        return -1;
    if (head.kind == 'E' && cfg.GetParItems3()->GetCount() == 0 && ReadDefs(entry, x, cfg) != 1)
        return -1;
    if (head.kind == 'S')
        return cfg.GetParItems2()->GetCount() == 0 ? ReadRefList(entry, x, head, cfg) : StepResult(StepResult::kDone);
    return cfg.GetParItems()->GetCount() == 0 ? ReadTab5(entry, x, head, cfg) : StepResult(StepResult::kDone);
}

StepResult WriteXref(const DrvEntry& entry, int32_t x, const CDrvCfg& cfg)
{
    XrefHead head;
    if (ReadHead(entry, x, head) != 1)
        return -1;
    // A file whose block is not there has nothing to take the tables.
    if (!head.valid)
        return 1;
    if (head.kind == 'E' && WriteDefs(entry, x, *cfg.GetParItems3()) != 1)
        return -1;
    if (head.kind == 'S')
        return WriteRefList(entry, x, head, *cfg.GetParItems2());
    return WriteTab5(entry, x, head, *cfg.GetParItems());
}

} // namespace orv
