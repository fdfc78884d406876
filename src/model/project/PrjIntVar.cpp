// Internal variables of the project model; their state-text slots grow on demand
// so an index the reader accepts is never written past the array.
#include "model/project/PrjIntVar.h"

#include <algorithm>
#include <array>

namespace orv {

namespace {

constexpr uint32_t kFlagBit31 = 0x80000000u;

bool IsFlaggedStrName(std::string_view name)
{
    static constexpr std::array<std::string_view, 7> kNames{"[Z020]", "[Z018]", "[Z019]", "[Z084]",
                                                            "[Z085]", "[Z098]", "[Z099]"};
    return std::find(kNames.begin(), kNames.end(), name) != kNames.end();
}

} // namespace

CPrjIntVar::CPrjIntVar(std::string_view name, int16_t adr, uint32_t flags, uint8_t setpKind, uint8_t type,
                       int32_t firstValue, int32_t settingValue)
    : CPrjVar(name, adr, flags, setpKind, type),
      m_firstValue(firstValue),
      m_settingValue(settingValue),
      m_origName(GetName())
{
}

CPrjIntVarStr::CPrjIntVarStr(std::string_view name, uint32_t flags, uint8_t setpKind, uint8_t type,
                             int32_t firstValue, int32_t settingValue, CTextPool* pool)
    : CPrjIntVar(name, -1, flags, setpKind, type, firstValue, settingValue),
      m_pool(pool)
{
    if (IsFlaggedStrName(GetName()))
        SetFlags(GetFlags() | kFlagBit31);
}

void CPrjIntVarStr::SetStateTxt(int i, const char* text)
{
    if (i < 0 || i > kMaxStateIdx)
        return;
    if (GetName() == "[Z084]" || GetName() == "[Z085]") {
        // The reader accepts indexes up to 255 for these rows, which may
        // have fewer slots: grow them rather than write past the array.
        if (static_cast<size_t>(i) >= m_txts.Size())
            m_txts.Resize(static_cast<size_t>(i) + 1);
        m_last = static_cast<uint8_t>(i);
    }
    if (i > m_last || !m_pool || !m_txts.HasArray())
        return;
    m_txts.Set(i, text, m_pool, m_last, WidthRef(), 0);
}

const char* CPrjIntVarStr::GetStateTxt(int i) const
{
    return i <= m_last ? m_txts.Text(i) : nullptr;
}

const CSharedStr* CPrjIntVarStr::GetStateTxtRef(int i) const
{
    return i <= m_last ? m_txts.Ref(i) : nullptr;
}

void CPrjIntVarStr::FreeKindData()
{
    FreeTxts();
    CPrjIntVar::FreeKindData();
}

void CPrjIntVarStr::SetTxtCount(int n)
{
    n = std::clamp(n, 0, kMaxStateIdx);
    m_txts.Refit(m_last, n);
    m_last = static_cast<uint8_t>(n);
}

void CPrjIntVarStr::FreeTxts()
{
    m_txts.Resize(0);
    m_last = 0;
}

CPrjIntVarNum::CPrjIntVarNum(std::string_view name, uint32_t flags, uint8_t setpKind, uint8_t type,
                             int32_t firstValue, int32_t settingValue, uint8_t digits, uint8_t decimals,
                             int32_t lower, int32_t upper)
    : CPrjIntVar(name, -1, flags, setpKind, type, firstValue, settingValue),
      m_digits(digits),
      m_decimals(decimals),
      m_lower(lower),
      m_upper(upper)
{
    const int width = decimals != 0 ? digits + decimals + 1 : digits;
    SetWidth(static_cast<uint8_t>(std::min(width, 255)));
}

CPrjIntVarByte::CPrjIntVarByte(std::string_view name, int16_t adr, uint32_t flags, uint8_t setpKind, uint8_t type,
                               int32_t firstValue, int32_t settingValue, uint8_t value)
    : CPrjIntVar(name, adr, flags, setpKind, type, firstValue, settingValue), m_value(value)
{
    SetWidth(8);
}

CPrjIntVarW8::CPrjIntVarW8(std::string_view name, int16_t adr, uint32_t flags, uint8_t setpKind, uint8_t type,
                           int32_t firstValue, int32_t settingValue)
    : CPrjIntVar(name, adr, flags, setpKind, type, firstValue, settingValue)
{
    SetWidth(8);
}

CPrjIntVarW17::CPrjIntVarW17(std::string_view name, uint32_t flags, uint8_t setpKind, uint8_t type,
                             int32_t firstValue, int32_t settingValue)
    : CPrjIntVar(name, -1, flags, setpKind, type, firstValue, settingValue)
{
    SetWidth(17);
}

CPrjIntVarW40::CPrjIntVarW40(std::string_view name, uint32_t flags, uint8_t setpKind, uint8_t type,
                             int32_t firstValue, int32_t settingValue, int32_t value)
    : CPrjIntVar(name, -1, flags, setpKind, type, firstValue, settingValue), m_value(value)
{
    SetWidth(40);
}

CPrjIntVarHex::CPrjIntVarHex(std::string_view name, uint32_t flags, uint8_t setpKind, uint8_t type,
                             int32_t firstValue, int32_t settingValue, std::string_view hexText)
    : CPrjIntVar(name, -1, flags, setpKind, type, firstValue, settingValue), m_hexText(hexText)
{
    SetWidth(GetName() == "[Z078]" || GetName() == "[Z079]" ? 4 : 5);
    SetMaxWidth(GetWidth());
}

void CPrjIntVarHex::FreeKindData()
{
    m_hexText.clear();
    CPrjIntVar::FreeKindData();
}

} // namespace orv
