// PLC types name their data words in many ways: blocks of 16 or 256 words,
// byte addresses, doubled word addresses and bits counted from the other
// byte. Every rule sits here once, so that the typed form and the stored one
// never drift apart.
#include "workspace/forms/VarAddress.h"

#include "model/core/CatalogueIds.h"
#include "model/core/Log.h"
#include "model/project/DrvParColl.h"
#include "model/project/PrjData.h"
#include "model/project/SpsPar.h"

#include <string>

namespace orv {

namespace {

bool VaIsIn(uint16_t type, std::initializer_list<uint16_t> types)
{
    for (uint16_t t : types)
        if (t == type) return true;
    return false;
}

bool VaDoubled(uint16_t type) { return VaIsIn(type, {24, 35, 36, 39}); }

// The types whose words hold two byte addresses of which a Bit variable
// names the odd one for its low byte.
bool VaBitBytes(uint16_t type) { return VaIsIn(type, {0, 1, 10, 15, 18, 34}); }

bool VaCountsBytes(const CSpsPar& sps)
{
    return static_cast<uint16_t>(sps.GetSpsAdr(1) - sps.GetSpsAdr(0)) == 2;
}

std::string VaNum(int64_t v) { return std::to_string(v); }

} // namespace

bool CVarAddress::BlockShown(uint16_t type) { return VaIsIn(type, {0, 1, 3, 4, 45}); }

VarTypedAdr CVarAddress::SplitAdr(uint16_t type, int64_t adr)
{
    if (VaIsIn(type, {0, 1, 3, 4})) return {adr / 16, adr % 16, 0};
    if (type == 45) return {adr / 256, adr % 256, 0};
    if (VaDoubled(type)) return {0, 2 * adr, 0};
    return {0, adr, 0};
}

int64_t CVarAddress::JoinAdr(uint16_t type, int64_t block, int64_t word)
{
    if (VaIsIn(type, {0, 1, 3, 4})) return word + 16 * block;
    if (type == 45) return word + 256 * block;
    if (VaDoubled(type)) return word / 2;
    return word;
}

int64_t CVarAddress::SpsAdr(const CSpsPar& sps, int64_t wordNo)
{
    const int64_t adr = int64_t(sps.GetOffset()) + wordNo;
    return VaCountsBytes(sps) ? adr * 2 : adr;
}

int64_t CVarAddress::WordNo(const CSpsPar& sps, int64_t adr)
{
    if (adr < 0 || adr > 0xFFFF) return -1;
    const int64_t word = VaCountsBytes(sps) ? adr / 2 : adr;
    return word < sps.GetOffset() ? -1 : word - sps.GetOffset();
}

VarTypedAdr CVarAddress::Typed(const CSpsPar& sps, uint16_t wordNo, int bit)
{
    const uint16_t type = sps.GetSpsType();
    VarTypedAdr t = SplitAdr(type, SpsAdr(sps, wordNo));
    if (bit < 0) return t;
    const int64_t b = bit;
    if (VaBitBytes(type)) {
        if (b < 8) {
            t.word += 1;
            t.bit = b;
        } else {
            t.bit = b - 8;
        }
    } else if (type == 5) {
        if (b < 8) {
            t.word += 1;
            t.bit = b + 1;
        } else {
            t.bit = b - 7;
        }
    } else if (VaIsIn(type, {6, 7, 8, 19})) {
        t.bit = b + 1;
    } else if (VaIsIn(type, {26, 31})) {
        t.bit = b < 8 ? b + 8 : b - 8;
    } else if (type == 29) {
        t.bit = 15 - b;
    } else if (type == 38) {
        t.bit = b + 16 * int64_t(wordNo) + sps.GetOffset();
    } else {
        t.bit = b;
    }
    return t;
}

VarStoredAdr CVarAddress::Stored(const CSpsPar& sps, const VarTypedAdr& typed, bool isBit)
{
    const uint16_t type = sps.GetSpsType();
    int64_t w = typed.word;
    int64_t t = typed.bit;
    if (isBit) {
        const bool odd = w % 2 != 0;
        if (VaBitBytes(type)) {
            if (odd) --w;
            else t += 8;
        } else if (type == 5) {
            if (odd) {
                --w;
                t -= 1;
            } else {
                t += 7;
            }
        } else if (VaIsIn(type, {6, 7, 8, 19})) {
            t -= 1;
        } else if (VaIsIn(type, {26, 31})) {
            t = t < 8 ? t + 8 : t - 8;
        } else if (type == 29) {
            t = 15 - t;
        } else if (type == 38) {
            const int64_t off = sps.GetOffset();
            const int64_t run = t >= off ? t - off : t;
            return {off + run / 16, run % 16};
        }
    }
    return {JoinAdr(type, typed.block, w), isBit ? t : 0};
}

CVarAddress::Range CVarAddress::TypedBitRange(const CSpsPar& sps)
{
    const uint16_t type = sps.GetSpsType();
    if (VaBitBytes(type)) return {0, 7};
    if (VaIsIn(type, {5, 6, 7, 8, 19})) return {1, type == 5 ? 8 : 16};
    if (type == 38) {
        const int64_t off = sps.GetOffset();
        return {0, off + 16 * (0x10000 - off) - 1};
    }
    return {0, 15};
}

VarTypedAdr CVarAddress::Propose(const CSpsPar& sps, CPrjData& prj)
{
    const uint16_t type = sps.GetSpsType();
    uint16_t wordNo = static_cast<uint16_t>(prj.GetVarDlgPreset());
    prj.SetVarDlgPreset(0);
    if (wordNo == 0) wordNo = sps.GetFreeItemNo();
    const int16_t bitPreset = prj.GetVarDlgPreset2();
    if (bitPreset != -1) {
        prj.SetVarDlgPreset2(-1);
        return Typed(sps, wordNo, bitPreset);
    }
    VarTypedAdr t = Typed(sps, wordNo, -1);
    t.bit = VaIsIn(type, {5, 6, 7, 8, 19}) ? 1 : type == 38 ? sps.GetOffset() : 0;
    return t;
}

std::string CVarAddress::AdrText(uint16_t type, int64_t a)
{
    if (VaIsIn(type, {0, 1}))
        return " " + VaNum(a / 16) + "." + VaNum(a % 16) + "-" + VaNum((a + 1) % 16) + " ";
    if (VaIsIn(type, {3, 4})) return " " + VaNum(a / 16) + "." + VaNum(a % 16) + " ";
    if (type == 45) return VaNum(a / 256) + "." + VaNum(a % 256) + " ";
    if (VaIsIn(type, {5, 10, 15, 18, 34})) return VaNum(a) + ", " + VaNum(a + 1) + " ";
    if (VaIsIn(type, {24, 35, 36, 38, 39})) return VaNum(2 * a);
    return VaNum(a);
}

VarAdrCheck CVarAddress::CheckEven(const CSpsPar& sps, int64_t typedWord, bool internal, bool isBit)
{
    const uint16_t type = sps.GetSpsType();
    bool needEven = false;
    if (sps.IsByteAdr()) {
        LogLine(kLogDebug, "Byteaddressierung");
        needEven = !internal && !isBit;
    }
    if (VaDoubled(type) || type == 45) needEven = needEven || !internal;
    VarAdrCheck check;
    if (needEven && typedWord % 2 != 0) {
        check.msg = msg::kVariableDiesesFormatsNurAuf;
        check.focus = kWordEdit;
    }
    return check;
}

VarAdrCheck CVarAddress::CheckItems(const CSpsPar& sps, int64_t storedAdr, int words, int cls, bool internal)
{
    const uint16_t type = sps.GetSpsType();
    VarAdrCheck check;
    const auto fail = [&](uint32_t id, int64_t adr) {
        check.msg = id;
        if (id == msg::kAddresseStehtNichtFuerVariable) check.adrText = AdrText(type, adr);
        check.focus = kWordEdit;
        check.widenings.clear();
        return check;
    };
    const int64_t first = WordNo(sps, storedAdr);
    if (first < 0) return fail(msg::kAddresseStehtNichtFuerVariable, storedAdr);
    const uint8_t need = cls == 0 ? CDrvParItem::DirToPanel : CDrvParItem::DirToPlc;
    for (int k = 0; k < words; ++k) {
        const int64_t no = first + k;
        if (internal && no == 0) break;
        CDrvParItem* item = no <= 0xFFFF ? sps.GetItems().FindItem(static_cast<uint16_t>(no)) : nullptr;
        // A system word carries the driver's own data; the source reader
        // refuses a variable on it, so it is no word for a variable here.
        if (item == nullptr || item->GetKind() == CDrvParItem::KindSys) return fail(msg::kAddresseStehtNichtFuerVariable, SpsAdr(sps, no));
        if (item->GetKind() == CDrvParItem::KindMsg) {
            LogLine(kLogDebug, "Meldewort Used ");
            check.msgWord = true;
        }
        if ((item->GetDirection() & need) == 0) {
            if (item->GetFlag() == 0) return fail(cls == 0 ? msg::kAdresseKannNichtFuerIstwerte : msg::kAdresseKannNichtFuerSollwerte, 0);
            check.widenings.push_back({item, need});
        }
    }
    return check;
}

void CVarAddress::Widen(const VarAdrCheck& check)
{
    for (const VarItemWidening& w : check.widenings)
        w.item->SetDirection(static_cast<uint8_t>(w.item->GetDirection() | w.dirBit));
}

} // namespace orv
