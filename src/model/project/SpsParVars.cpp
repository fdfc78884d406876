// What the PLC parameters do with variables: item use through the project's
// lists, and the PLC address text of a variable.

#include "model/core/CheckedFormat.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVar.h"
#include "model/project/PrjVarList.h"
#include "model/project/SpsPar.h"
#include "model/project/VarType.h"

namespace orv {


namespace {

bool IsOneWordType(uint8_t type)
{
    using namespace vartype;
    switch (type) {
    case kBcd1: case kBin1: case kBin01: case kBinA: case kBin0A: case kBit: case kString: case kVbin1: case kVbin01:
    case kVbinA: case kVbin0A: case kCString: case kBcd01: case kWordPlain: case kWord: case kTimer: case kSString:
        return true;
    default:
        return false;
    }
}

} // namespace

void CSpsPar::UseItem(const CPrjVar& var)
{
    m_items.UseItem(var);
}

void CSpsPar::SetItemName(const CPrjVar& var)
{
    m_items.SetItemName(var);
}

void CSpsPar::MoveItemUse(uint16_t oldNumber, const CPrjVar& var)
{
    if (!m_bundle || !m_bundle->prjData)
        return;
    const CPrjData& prj = *m_bundle->prjData;
    m_items.MoveItemUse(oldNumber, var, prj.GetVarList(), prj.GetKomVarList());
}

void CSpsPar::ReleaseItem(uint16_t number)
{
    if (!m_bundle || !m_bundle->prjData)
        return;
    const CPrjData& prj = *m_bundle->prjData;
    m_items.ReleaseItem(number, prj.GetVarList(), prj.GetKomVarList());
}

std::string CSpsPar::FmtVarAdr(const CPrjVar& var, bool useDigits) const
{
    if (var.IsInternal())
        return {};
    const char* area = GetCaption(0).c_str();
    const uint8_t type = var.GetType();
    const auto w1 = static_cast<uint16_t>(var.GetAdr());
    uint16_t w2 = static_cast<uint16_t>(w1 + 1);
    if (IsOneWordType(type))
        w2 = w1;
    else if (type == vartype::kAscii)
        w2 = static_cast<uint16_t>(w1 + var.WordCount() - 1);
    uint16_t a1 = GetSpsAdr(w1);
    const uint16_t a2 = GetSpsAdr(w2);
    const unsigned offset = m_offset;
    const int digits = GetAdrDigits();

    if (w1 != w2) {
        const char* sep = w2 == w1 + 1 ? "," : "..";
        switch (Form()) {
        case AdrForm::BitSpan: case AdrForm::BitPair: case AdrForm::BitDot:
            return FormatText("%s %u.%02u%s%u.%02u", area, a1 / 16u, a1 % 16u, sep, a2 / 16u, a2 % 16u);
        case AdrForm::Hex:
            return FormatText("%s %04X%s%04X", area, a1, sep, a2);
        case AdrForm::Doubled5:
            return FormatText("%s %5u%s%5u", area, 2u * a1, sep, 2u * a2);
        case AdrForm::Array:
            return FormatText("%s [%u]%s[%u]", area, a1, sep, a2);
        case AdrForm::Doubled4:
            return FormatText("%s %4u%s%4u", area, 2u * a1, sep, 2u * a2);
        case AdrForm::PWords:
            if (w1 > 47)
                return FormatText("%s %4u%s%4u", area, a1, sep, a2);
            return FormatText("P %4u%s%4u", offset + 16u * w1, sep, offset + 16u * w2);
        case AdrForm::BytePair:
            return FormatText("%s %03u.%03u%s%03u.%03u", area, a1 / 256u, a1 % 256u, sep, a2 / 256u, a2 % 256u);
        default:
            if (useDigits && digits == 3)
                return FormatText("%s %3u%s%3u", area, a1, sep, a2);
            if (useDigits && digits == 4)
                return FormatText("%s %4u%s%4u", area, a1, sep, a2);
            if (useDigits && digits == 5)
                return FormatText("%s %5u%s%5u", area, a1, sep, a2);
            return FormatText("%s %u%s%u", area, a1, sep, a2);
        }
    }

    const bool isBit = type == vartype::kBit;
    // Where addresses count bytes, a bit below 8 lies in the second byte of
    // its word.
    if (isBit && IsByteAdr() && var.GetExtByte0() < 8)
        ++a1;
    std::string text;
    switch (Form()) {
    case AdrForm::BitSpan: case AdrForm::BitPair: case AdrForm::BitDot:
        text = FormatText("%s %u.%02u", area, a1 / 16u, a1 % 16u);
        break;
    case AdrForm::Hex: text = FormatText("%s %04X", area, a1); break;
    case AdrForm::Doubled5: text = FormatText("%s %5u", area, 2u * a1); break;
    case AdrForm::Array: text = FormatText("%s [%u]", area, a1); break;
    case AdrForm::Doubled4: text = FormatText("%s %4u", area, 2u * a1); break;
    case AdrForm::PWords:
        text = w1 < 48 ? FormatText("P %4u", offset + 16u * w1) : FormatText("%s %4u", area, a1);
        break;
    case AdrForm::BytePair: text = FormatText("%s %03u.%03u", area, a1 / 256u, a1 % 256u); break;
    default:
        if (useDigits && digits == 3)
            text = FormatText("%s %3u", area, a1);
        else if (useDigits && digits == 4)
            text = FormatText("%s %4u", area, a1);
        else if (useDigits && digits == 5)
            text = FormatText("%s %5u", area, a1);
        else
            text = FormatText("%s %u", area, a1);
        break;
    }
    if (!isBit)
        return text;

    unsigned bit = var.GetExtByte0();
    switch (m_type) {
    case 0: case 1: case 10: case 15: case 18: case 34:
        if (bit >= 8)
            bit -= 8;
        break;
    case 5:
        if (bit >= 8)
            bit -= 8;
        bit += 1;
        break;
    case 6: case 7: case 8: case 19: bit += 1; break;
    case 26: case 31: bit = bit < 8 ? bit + 8 : bit - 8; break;
    case 29: bit = 15 - bit; break;
    default: break;
    }
    if (m_type == 38 && w1 < 48)
        return FormatText("P %4u", bit + offset + 16u * w1);
    return text + FormatText(".%u", bit);
}

} // namespace orv
