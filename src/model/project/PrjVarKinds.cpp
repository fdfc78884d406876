// The PLC variable kinds: widths, clones and state texts, each kind keeping
// its own display rule.
#include "model/project/PrjVarKinds.h"

#include "model/project/DrvParColl.h"

#include <algorithm>

namespace orv {

namespace {

// The width of a number of d digits with e decimals.
uint8_t NumberWidth(uint8_t digits, uint8_t decimals)
{
    const int width = decimals != 0 ? digits + decimals + 1 : digits;
    return static_cast<uint8_t>(std::min(width, 255));
}

} // namespace

CPrjVarBit::CPrjVarBit(std::string_view name, int16_t adr, uint8_t setpKind, uint8_t type, uint32_t bitNr,
                       CTextPool* pool)
    : CPrjVar(name, adr, kPlcFlags, setpKind, type), m_bitNr(bitNr), m_pool(pool)
{
}

void CPrjVarBit::MarkPlcBits(CDrvParColl* items) const
{
    if (!items)
        return;
    if (auto* item = dynamic_cast<CDrvParVarItem*>(items->FindItem(static_cast<uint16_t>(GetAdr()))))
        if (item->GetKind() == CDrvParItem::KindVar || item->GetKind() == CDrvParItem::KindMsg)
            item->SetMaskBit(m_bitNr, true);
}

void CPrjVarBit::SetStateTxt(int i, const char* text)
{
    if (i < 0 || i > 1)
        return;
    m_txts.Set(i, text, m_pool, 1, WidthRef(), 0);
}

std::unique_ptr<CPrjVar> CPrjVarBit::Clone(std::string_view name) const
{
    auto clone = std::make_unique<CPrjVarBit>(name, GetAdr(), GetSetpKind(), GetType(), m_bitNr, m_pool);
    for (int i = 0; i <= 1; ++i)
        if (const char* text = GetStateTxt(i))
            clone->SetStateTxt(i, text);
    clone->SetWidth(GetWidth());
    return clone;
}

const char* CPrjVarBit::GetStateTxt(int i) const
{
    return m_txts.Text(i);
}

CPrjVarString::CPrjVarString(std::string_view name, int16_t adr, uint8_t setpKind, uint8_t type, CTextPool* pool)
    : CPrjVar(name, adr, kPlcFlags, setpKind, type), m_pool(pool)
{
}

void CPrjVarString::MarkPlcBits(CDrvParColl* items) const
{
    MarkWords(items, 1);
}

void CPrjVarString::SetStateTxt(int i, const char* text)
{
    if (i < 0 || i > m_last || !m_pool || !m_txts.HasArray())
        return;
    m_txts.Set(i, text, m_pool, m_last, WidthRef(), 0);
}

std::unique_ptr<CPrjVar> CPrjVarString::Clone(std::string_view name) const
{
    auto clone = std::make_unique<CPrjVarString>(name, GetAdr(), GetSetpKind(), GetType(), m_pool);
    // The clone gets an array exactly when this variable has one, also
    // for a highest index of 0.
    if (m_txts.HasArray()) {
        clone->m_txts.Resize(static_cast<size_t>(m_last) + 1);
        clone->m_last = m_last;
    }
    for (int i = 0; i <= m_last; ++i)
        if (const char* text = GetStateTxt(i))
            clone->SetStateTxt(i, text);
    clone->SetWidth(GetWidth());
    return clone;
}

const char* CPrjVarString::GetStateTxt(int i) const
{
    return i <= m_last ? m_txts.Text(i) : nullptr;
}

const CSharedStr* CPrjVarString::GetStateTxtRef(int i) const
{
    return i <= m_last ? m_txts.Ref(i) : nullptr;
}

void CPrjVarString::SetTxtCount(int n)
{
    n = std::clamp(n, 0, kMaxStateIdx);
    m_txts.Refit(m_last, n);
    m_last = static_cast<uint8_t>(n);
}

void CPrjVarString::FreeTxts()
{
    m_txts.Resize(0);
    m_last = 0;
}

CPrjVarBcd::CPrjVarBcd(std::string_view name, int16_t adr, uint8_t setpKind, uint8_t type, uint8_t digits,
                       int32_t lower, int32_t upper, uint8_t flag)
    : CPrjVar(name, adr, kPlcFlags, setpKind, type),
      m_digits(digits),
      m_lower(lower),
      m_upper(upper),
      m_flag(flag != 0 ? 1 : 0)
{
    SetWidth(digits);
}

void CPrjVarBcd::MarkPlcBits(CDrvParColl* items) const
{
    MarkWords(items, WordCount());
}

std::unique_ptr<CPrjVar> CPrjVarBcd::Clone(std::string_view name) const
{
    return std::make_unique<CPrjVarBcd>(name, GetAdr(), GetSetpKind(), GetType(), m_digits, m_lower, m_upper, m_flag);
}

int CPrjVarBcd::WordCount() const
{
    return GetType() == 16 || GetType() == 30 ? 2 : 1;
}

CPrjVarBin::CPrjVarBin(std::string_view name, int16_t adr, uint8_t setpKind, uint8_t type, uint8_t digits,
                       uint8_t decimals, int32_t lower, int32_t upper, int32_t third, int32_t fourth)
    : CPrjVar(name, adr, kPlcFlags, setpKind, type),
      m_digits(digits),
      m_decimals(decimals),
      m_values{lower, upper, third, fourth}
{
    SetWidth(NumberWidth(digits, decimals));
}

void CPrjVarBin::MarkPlcBits(CDrvParColl* items) const
{
    MarkWords(items, WordCount());
}

std::unique_ptr<CPrjVar> CPrjVarBin::Clone(std::string_view name) const
{
    return std::make_unique<CPrjVarBin>(name, GetAdr(), GetSetpKind(), GetType(), m_digits, m_decimals, m_values[0],
                                        m_values[1], m_values[2], m_values[3]);
}

int CPrjVarBin::WordCount() const
{
    // BIN-2, BIN0-2, BIN-B, BIN0-B and their signed forms take two words.
    const uint8_t type = GetType();
    return (type >= 6 && type <= 9) || (type >= 22 && type <= 25) ? 2 : 1;
}

void CPrjVarBin::UpdateWidth()
{
    SetWidth(static_cast<uint8_t>(std::min(NumberWidth(m_digits, m_decimals) + SignWidth(), 255)));
}

CPrjVarVbin::CPrjVarVbin(std::string_view name, int16_t adr, uint8_t setpKind, uint8_t type, uint8_t digits,
                         uint8_t decimals, int32_t lower, int32_t upper, int32_t third, int32_t fourth)
    : CPrjVarBin(name, adr, setpKind, type, digits, decimals, lower, upper, third, fourth)
{
    UpdateWidth();
}

std::unique_ptr<CPrjVar> CPrjVarVbin::Clone(std::string_view name) const
{
    return std::make_unique<CPrjVarVbin>(name, GetAdr(), GetSetpKind(), GetType(), GetExtByte0(), GetExtByte1(),
                                         GetExtWord1(), GetExtWord2(), GetExtWord3(), GetExtWord4());
}

void CPrjVarVbin::SetDigits(uint8_t digits)
{
    SetDigitsOnly(digits);
    UpdateWidth();
}

void CPrjVarVbin::SetDecimals(uint8_t decimals)
{
    SetDecimalsOnly(decimals);
    UpdateWidth();
}

CPrjVarWord::CPrjVarWord(std::string_view name, int16_t adr, uint8_t setpKind, uint8_t type, uint8_t form)
    : CPrjVar(name, adr, kPlcFlags, setpKind, type)
{
    SetForm(form);
}

void CPrjVarWord::MarkPlcBits(CDrvParColl* items) const
{
    MarkWords(items, 1);
}

std::unique_ptr<CPrjVar> CPrjVarWord::Clone(std::string_view name) const
{
    return std::make_unique<CPrjVarWord>(name, GetAdr(), GetSetpKind(), GetType(), m_form);
}

void CPrjVarWord::SetForm(uint8_t form)
{
    m_form = form;
    switch (form) {
    case 0: SetWidth(17); break;
    case 1: SetWidth(4); break;
    case 2: SetWidth(7); break;
    default: break;
    }
}

CPrjVarAscii::CPrjVarAscii(std::string_view name, int16_t adr, uint8_t setpKind, uint8_t type, uint8_t words)
    : CPrjVar(name, adr, kPlcFlags, setpKind, type), m_words(words)
{
    SetWidth(static_cast<uint8_t>(std::min(2 * words, 255)));
}

void CPrjVarAscii::MarkPlcBits(CDrvParColl* items) const
{
    MarkWords(items, m_words);
}

std::unique_ptr<CPrjVar> CPrjVarAscii::Clone(std::string_view name) const
{
    return std::make_unique<CPrjVarAscii>(name, GetAdr(), GetSetpKind(), GetType(), m_words);
}

CPrjVarTimer::CPrjVarTimer(std::string_view name, int16_t adr, uint8_t setpKind, uint8_t type, CTextPool* pool)
    : CPrjVar(name, adr, kPlcFlags, setpKind, type), m_pool(pool)
{
    SetWidth(kExtraWidth);
}

void CPrjVarTimer::MarkPlcBits(CDrvParColl* items) const
{
    MarkWords(items, 1);
}

void CPrjVarTimer::SetStateTxt(int i, const char* text)
{
    if (i < 0 || i > 3)
        return;
    m_txts.Set(i, text, m_pool, 3, WidthRef(), kExtraWidth);
}

std::unique_ptr<CPrjVar> CPrjVarTimer::Clone(std::string_view name) const
{
    auto clone = std::make_unique<CPrjVarTimer>(name, GetAdr(), GetSetpKind(), GetType(), m_pool);
    for (int i = 0; i <= 3; ++i)
        if (const char* text = GetStateTxt(i))
            clone->SetStateTxt(i, text);
    clone->SetWidth(GetWidth());
    return clone;
}

const char* CPrjVarTimer::GetStateTxt(int i) const
{
    return m_txts.Text(i);
}

} // namespace orv
