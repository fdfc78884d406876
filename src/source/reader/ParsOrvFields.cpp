// Field readers of the project source parser: identifiers and quoted texts.
#include "source/reader/ParsOrv.h"

#include "model/core/CatalogueIds.h"
#include "model/project/CharSet.h"
#include "model/project/PrjData.h"
#include "source/reader/SrcIdent.h"

#include <array>
#include <string_view>
#include <utility>

namespace orv {

namespace {

// Short names that files of the 043 family panels give some internal variables.
constexpr std::array<std::pair<std::string_view, std::string_view>, 11> kOldShortNames{{
    {"ZB", "[Z031]"},
    {"ZE", "[Z027]"},
    {"ZF", "[Z029]"},
    {"ZG", "[Z030]"},
    {"ZH", "[Z028]"},
    {"ZP", "[Z001]"},
    {"ZQ", "[Z002]"},
    {"ZR", "[Z003]"},
    {"ZT", "[Z004]"},
    {"ZV", "[Z006]"},
    {"ZX", "[Z007]"},
}};

int HexValue(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

bool CParsOrv::ExpectComma()
{
    if (ExpectChar(','))
        return true;
    SignError(',');
    return false;
}

std::string CParsOrv::ReadIdent()
{
    SkipBelow(33);
    Mark();
    std::string name;
    for (const char ch : Rest()) {
        if (name.size() >= kSrcNameMax || !IsSourceIdentChar(static_cast<unsigned char>(ch)))
            break;
        name.push_back(ch);
    }
    Consume(name.size());
    if (Cur().InFamily(Family::F706) && Src().InFamily(Family::F043)) {
        for (const auto& [oldName, newName] : kOldShortNames)
            if (name == oldName)
                return std::string(newName);
    }
    return name;
}

StepResult CParsOrv::ReadQuotedChar(uint8_t& c, bool printer, bool& isAt)
{
    isAt = false;
    const std::string_view rest = Rest();
    if (rest.empty())
        return SignError('"');
    c = static_cast<uint8_t>(rest[0]);
    if (c == '"') {
        Consume(1);
        return 0;
    }
    if (c == '$') {
        Mark();
        if (rest.size() < 3 || HexValue(static_cast<unsigned char>(rest[1])) < 0 ||
            HexValue(static_cast<unsigned char>(rest[2])) < 0)
            return XError(xerr::kZweistelligerHexWertFuerGueltiges_618);
        c = static_cast<uint8_t>(HexValue(static_cast<unsigned char>(rest[1])) * 16 +
                                 HexValue(static_cast<unsigned char>(rest[2])));
        Consume(3);
    } else {
        // Only a literal '@' places a variable; "$40" is the character.
        isAt = c == '@';
        Mark();
        Consume(1);
        if (isAt)
            return 1;
    }
    if (m_charSet == nullptr)
        return 1;
    if (printer) {
        if (!ByteToBool(c))
            return XError(xerr::kUnzulaessigesDruckerzeichen_620);
        c = PassChar(c);
        return 1;
    }
    if (!m_charSet->IsValidChar(c, m_family))
        return XError(xerr::kUnzulaessigesZeichen_619);
    c = m_charSet->ToPanelChar(c, m_family);
    return 1;
}

StepResult CParsOrv::ReadQuoted(std::string& text, size_t maxLen, bool printer)
{
    text.clear();
    if (!ExpectChar('"'))
        return SignError('"');
    for (;;) {
        uint8_t c = 0;
        bool isAt = false;
        const int r = ReadQuotedChar(c, printer, isAt);
        if (r <= 0)
            return r == 0 ? 1 : -1;
        if (text.size() >= maxLen)
            return XError(printer ? xerr::kDruckertextzeileUeberschreitetMaximale
                                  : xerr::kZeileUeberschreitetMaximaleZeilenlaenge_616);
        text.push_back(static_cast<char>(c));
    }
}

StepResult CParsOrv::ReadHexQuoted(std::string& hex, size_t maxBytes)
{
    hex.clear();
    if (!ExpectChar('"'))
        return SignError('"');
    for (;;) {
        const std::string_view rest = Rest();
        if (rest.empty())
            return SignError('"');
        if (rest[0] == '"') {
            Consume(1);
            return 1;
        }
        Mark();
        if (hex.size() >= 2 * maxBytes)
            return SignError('"');
        if (rest[0] == '$') {
            if (rest.size() < 3 || HexValue(static_cast<unsigned char>(rest[1])) < 0 ||
                HexValue(static_cast<unsigned char>(rest[2])) < 0)
                return XError(xerr::kZweistelligerHexWertFuerGueltiges_618);
            hex.append(rest.substr(1, 2));
            Consume(3);
            continue;
        }
        static constexpr char kDigits[] = "0123456789ABCDEF";
        const auto b = static_cast<unsigned char>(rest[0]);
        hex.push_back(kDigits[b >> 4]);
        hex.push_back(kDigits[b & 0x0F]);
        Consume(1);
    }
}

} // namespace orv
