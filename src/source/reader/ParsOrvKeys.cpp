// The softkey statements of the project source parser: actions with their
// write operations, softkey texts and the function keys that run actions.
#include "source/reader/ParsOrv.h"

#include "model/core/CatalogueIds.h"
#include "model/project/PrjData.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "source/reader/SrcKeywords.h"

#include <memory>
#include <string>
#include <string_view>

namespace orv {

namespace {

constexpr size_t kActNameMax = 40;
constexpr size_t kBinDigits = 16;
constexpr size_t kHexDigits = 4;

bool IsDigitChar(char c)
{
    return c >= '0' && c <= '9';
}

bool IsHexChar(char c)
{
    return IsDigitChar(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

} // namespace

StepResult CParsOrv::DoAction()
{
    if (!ExpectKeyword(kw::kAction))
        return 0;
    if (!ExpectComma())
        return -1;
    uint16_t num = 0;
    if (GetNum16(num, 1, 255) != 1)
        return XError(xerr::kAktionsnummer1255Erwartet);
    if (m_prj->GetSkActList()->FindByNum(num) != nullptr)
        return XError(xerr::kSoftkeyaktionBereitsVorhanden);
    // The description is kept as written: no escapes, no character test.
    std::string name;
    bool named = false;
    if (ExpectChar(',')) {
        SkipBelow(33);
        Mark();
        const std::string_view rest = Rest();
        const size_t close = rest.size() > 1 && rest[0] == '"' ? rest.find('"', 1) : std::string_view::npos;
        if (close == std::string_view::npos || close - 1 > kActNameMax)
            return XError(xerr::kBeschreibungEinerSoftkeyaktionErwartet);
        name = std::string(rest.substr(1, close - 1));
        named = true;
        Consume(close + 1);
    }
    auto act = std::make_unique<CPrjSkAct>(num, named ? name.c_str() : nullptr);
    m_openSkAct = m_prj->GetSkActList()->Adopt(std::move(act));
    m_skOpCount = 0;
    return 1;
}

StepResult CParsOrv::ReadSkValue(uint16_t& value, uint16_t& format)
{
    SkipBelow(33);
    Mark();
    const std::string_view rest = Rest();
    const auto countWhile = [&rest](size_t from, auto pred) {
        size_t n = 0;
        while (from + n < rest.size() && pred(rest[from + n]))
            ++n;
        return n;
    };
    if (!rest.empty() && rest[0] == 'b') {
        if (countWhile(1, [](char c) { return c == '0' || c == '1'; }) != kBinDigits ||
            countWhile(1, IsDigitChar) != kBinDigits)
            return XError(xerr::kZahlenwertBinRB10101Erwartet);
        value = 0;
        for (size_t i = 1; i <= kBinDigits; ++i)
            value = static_cast<uint16_t>(value << 1 | (rest[i] == '1' ? 1 : 0));
        format = CPrjSkAct::kFmtBin;
        Consume(1 + kBinDigits);
        return 1;
    }
    if (!rest.empty() && rest[0] == '$') {
        if (countWhile(1, IsHexChar) != kHexDigits)
            return XError(xerr::kZahlenwertHexadezimal0000FFFFErwartet);
        value = static_cast<uint16_t>(HexToInt(rest.substr(1), static_cast<int>(kHexDigits)));
        format = CPrjSkAct::kFmtHex;
        Consume(1 + kHexDigits);
        return 1;
    }
    if (countWhile(0, IsDigitChar) > 5 || GetNum16(value, 0, 65535) != 1)
        return XError(xerr::kZahlenwertDezimal065535Erwartet);
    format = CPrjSkAct::kFmtDec;
    return 1;
}

StepResult CParsOrv::DoSkOp()
{
    uint16_t op = CPrjSkAct::kOpNone;
    if (ExpectKeyword(kw::kWrite))
        op = CPrjSkAct::kOpWrite;
    else if (ExpectKeyword(kw::kOr))
        op = CPrjSkAct::kOpOr;
    else if (ExpectKeyword(kw::kAnd))
        op = CPrjSkAct::kOpAnd;
    else
        return 0;
    if (m_openSkAct != nullptr && m_skOpCount >= CPrjSkAct::kOps)
        return XError(xerr::kSoftkeyMitMehrAls8);
    if (!ExpectComma())
        return -1;
    uint16_t adr = 0;
    if (GetNum16(adr, 4, 255) != 1)
        return XError(xerr::kSoftkeyaktionsadresse4255Erwartet);
    if (!ExpectComma())
        return -1;
    uint16_t value = 0;
    uint16_t format = CPrjSkAct::kFmtNone;
    if (ReadSkValue(value, format) != 1)
        return -1;
    // Without an open action the operation belongs nowhere and is dropped.
    if (m_openSkAct != nullptr)
        m_openSkAct->SetOperation(m_skOpCount++, op, adr, value, format);
    return 1;
}

StepResult CParsOrv::DoSoftkey()
{
    if (!ExpectKeyword(kw::kSoftkey))
        return 0;
    if (!ExpectComma())
        return -1;
    uint16_t num = 0;
    if (GetNum16(num, 0, MaxSoftkeyNum(Cur())) != 1)
        return XError(xerr::kSoftkeynummerErwartet);
    if (m_prj->GetSkTxtList()->FindByNum(num) != nullptr)
        return XError(xerr::kSoftkeynummerBereitsVorhanden);
    ResetContext();
    m_openSkTxt = static_cast<CPrjSkTxt*>(m_prj->GetSkTxtList()->Adopt(std::make_unique<CPrjSkTxt>(num)));
    return 1;
}

StepResult CParsOrv::DoDefSoftkey()
{
    if (!ExpectKeyword("DEF_SOFTKEY"))
        return 0;
    int32_t lowest = 0;
    int32_t highest = 0;
    if (ReadRange(lowest, highest, 255, xerr::kSoftkeynummerErwartet) != 1)
        return -1;
    if (m_prj->GetSkTxtList()->GetTemplate() != nullptr)
        return XError(xerr::kSoftkeynummerBereitsVorhanden);
    ResetContext();
    m_openSkTxt =
        static_cast<CPrjSkTxt*>(m_prj->GetSkTxtList()->Adopt(std::make_unique<CPrjSkTxtRange>(lowest, highest)));
    return 1;
}

bool CParsOrv::AtKeyGroup()
{
    const std::string_view rest = Rest();
    size_t i = 0;
    while (i < rest.size() && static_cast<unsigned char>(rest[i]) < 33)
        ++i;
    return i + 1 < rest.size() && rest[i] == 'F' && IsDigitChar(rest[i + 1]);
}

StepResult CParsOrv::ReadKeyGroup()
{
    NextChar();
    const Position keyAt = Tell();
    uint16_t key = 0;
    if (GetNum16(key, 1, static_cast<uint16_t>(SoftkeyKeyCount(Cur()))) != 1)
        return XError(xerr::kSoftkeyHierNichtErlaubt);
    if (m_openSkTxt == nullptr)
        return XError(xerr::kSoftkeyHierNichtErlaubt);
    CPrjSkAct* acts[2] = {nullptr, nullptr};
    const uint16_t errors[2] = {411, 412};
    for (int i = 0; i < 2; ++i) {
        if (!ExpectComma())
            return -1;
        uint16_t num = 0;
        if (GetNum16(num, 0, 255) != 1)
            return XError(errors[i]);
        if (num != 0) {
            acts[i] = m_prj->GetSkActList()->FindByNum(num);
            if (acts[i] == nullptr)
                return XError(xerr::kSoftkeyaktionNichtDefiniert);
        }
    }
    if (m_openSkTxt->HasAct(key) != 0) {
        Seek(keyAt);
        Mark();
        return XError(xerr::kSoftkeyBereitsDefiniert);
    }
    m_openSkTxt->SetActs(key, acts[0], acts[1]);
    m_skKeysRead = true;
    return 1;
}

StepResult CParsOrv::DoFuncKey()
{
    if (SoftkeyKeyCount(Cur()) == 0 || !AtKeyGroup())
        return 0;
    // One line may hold several groups.
    do {
        if (ReadKeyGroup() != 1)
            return -1;
        const Position after = Tell();
        if (!ExpectChar(',') || !AtKeyGroup())
            Seek(after);
    } while (AtKeyGroup());
    return 1;
}

} // namespace orv
