// The setting statements of the project source parser: cycle time, block
// positions, size and mode options, printer parameters and user characters.
#include "source/reader/ParsOrv.h"

#include "model/core/CatalogueIds.h"
#include "model/core/Catalogues.h"
#include "model/project/CharDef.h"
#include "model/project/CharSet.h"
#include "model/core/CheckedFormat.h"
#include "model/project/Fon.h"
#include "model/core/FrameState.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVar.h"
#include "model/project/PrjVarList.h"
#include "model/core/StartSelInfo.h"
#include "source/reader/SrcKeywords.h"

#include <memory>
#include <string>

namespace orv {

namespace {

// Names of the first interface variable of the date and time group and of
// the recipe number group.
constexpr uint16_t kDateGroupName = 1174;
constexpr uint16_t kRcpNumGroupName = 1206;
constexpr uint16_t kFirst706UserChar = 128;

} // namespace

StepResult CParsOrv::ReadSetting(uint16_t& value, const SrcRange& range, uint16_t xerror)
{
    return ReadSetting(value, range, range, xerror);
}

StepResult CParsOrv::ReadSetting(uint16_t& value, const SrcRange& range, const SrcRange& shown, uint16_t xerror)
{
    if (!ExpectComma())
        return -1;
    if (GetNum16(value, range.lo, range.hi) == 1)
        return 1;
    if (xerror != 0)
        return XError(xerror);
    return TextError(CheckedFormat(resErrorText(xerr::kWertebereichErwartet), shown.lo, shown.hi));
}

StepResult CParsOrv::ReadChoice(std::initializer_list<std::string_view> words, uint8_t& index, uint16_t xerror)
{
    if (!ExpectComma())
        return -1;
    uint8_t i = 0;
    for (const std::string_view word : words) {
        if (ExpectWord(word)) {
            index = i;
            return 1;
        }
        ++i;
    }
    return XError(xerror);
}

StepResult CParsOrv::DoCycleTime()
{
    if (!ExpectKeyword("CYCLE_TIME"))
        return 0;
    if (m_cycleTimeSeen)
        return XError(xerr::kEineRollierzeitWurdeBereitsAngegeben_577);
    uint16_t value = 0;
    if (ReadSetting(value, kCycleTimeRange, xerr::kWertFuerDieRollierzeit1_578) != 1)
        return -1;
    ResetContext();
    m_prj->SetCycleTime(value);
    m_cycleTimeSeen = true;
    return 1;
}

StepResult CParsOrv::DoPosPrnStatus()
{
    if (!ExpectKeyword("POS_PRN_STATUS"))
        return 0;
    uint16_t value = 0;
    if (ReadSetting(value, kPosPrnStatusRange, xerr::kLageDesDruckerwortstatusErwartet30) != 1)
        return -1;
    ResetContext();
    m_prj->SetPrnStatusPos(value);
    return 1;
}

// The internal variable that tells the panel where the block lies moves to
// the word, and the interface variables of the block are placed there.
void CParsOrv::PlaceBlock(uint16_t first, const char* varName, bool dateTime)
{
    if (CPrjVar* var = m_prj->GetVarList()->FindByName(std::string_view(varName)))
        var->SetAdr(static_cast<int16_t>(first));
    const CPrjVar* group =
        m_prj->GetKomVarList()->FindByName(ResourceTXT(dateTime ? kDateGroupName : kRcpNumGroupName));
    const auto oldFirst = static_cast<uint16_t>(group != nullptr ? group->GetAdr() : 0);
    if (dateTime)
        m_prj->MakeDateTimeVars(first, oldFirst);
    else
        m_prj->MakeRcpNumVars(first, oldFirst);
}

StepResult CParsOrv::DoPosDateTime()
{
    if (!ExpectKeyword("POS_DATE_TIME"))
        return 0;
    uint16_t value = 0;
    if (ReadSetting(value, kPosDateTimeRange, kPosDateTimeShown, 0) != 1)
        return -1;
    ResetContext();
    PlaceBlock(value, "[Z24]", true);
    return 1;
}

StepResult CParsOrv::DoPosRecBlock()
{
    if (!ExpectKeyword("POS_REC_BLOCK"))
        return 0;
    uint16_t value = 0;
    if (ReadSetting(value, kPosRecBlockRange, 0) != 1)
        return -1;
    ResetContext();
    PlaceBlock(value, "[Z25]", false);
    return 1;
}

StepResult CParsOrv::DoDataSize()
{
    if (!ExpectKeyword("DATASIZE"))
        return 0;
    uint16_t value = 0;
    if (ReadSetting(value, kFlagRange, 0) != 1)
        return -1;
    m_prj->SetDataSize(value);
    return 1;
}

StepResult CParsOrv::DoRecipeSize()
{
    if (!ExpectKeyword("RECIPESIZE"))
        return 0;
    uint16_t value = 0;
    if (ReadSetting(value, kFlagRange, 0) != 1)
        return -1;
    m_prj->SetRcpSize(value);
    return 1;
}

StepResult CParsOrv::DoDMode()
{
    if (!ExpectKeyword("DMODE"))
        return 0;
    if (const uint16_t refused = DModeRefusal(Cur()))
        return XError(refused);
    uint8_t mode = 0;
    if (ReadChoice({"EU", "US", "MIL"}, mode, xerr::kDatumsformatAngabeEUUSOder_586) != 1)
        return -1;
    ResetContext();
    m_prj->SetDateMode(mode);
    return 1;
}

StepResult CParsOrv::DoMsgMode()
{
    if (!ExpectKeyword("MSGMODE"))
        return 0;
    uint16_t value = 0;
    if (ReadSetting(value, kFlagRange, xerr::kMeldeanlaufverhalten0Oder1Erwartet) != 1)
        return -1;
    m_prj->SetMsgMode(value);
    return 1;
}

StepResult CParsOrv::DoPrMode()
{
    if (!ExpectKeyword("PRMODE"))
        return 0;
    if (const uint16_t refused = PrModeRefusal(Cur()))
        return XError(refused);
    uint8_t ifc = 0;
    uint8_t baud = 0;
    uint8_t parity = 0;
    uint8_t dataBits = 0;
    uint8_t stopBits = 0;
    if (ReadChoice({"RS232", "TTY"}, ifc, xerr::kDruckerSchnittstellenBetriebsartRS232) != 1 ||
        ReadChoice({"1200", "2400", "4800", "9600", "19200"}, baud, xerr::kDruckerBaudrate120024004800_594) != 1 ||
        ReadChoice({"NONE", "EVEN", "ODD"}, parity, xerr::kDruckerParitaetNONEEVENOder_595) != 1 || ReadChoice({"7", "8"}, dataBits, xerr::kDruckerDatenbits7Oder8_596) != 1 ||
        ReadChoice({"1", "2"}, stopBits, xerr::kDruckerStopbits1Oder2_597) != 1)
        return -1;
    // Panels without the line fields print with fixed ones; anything after
    // the stop bits is not read there.
    uint8_t handshake = 1;
    uint8_t direction = 1;
    uint16_t timeout = 1;
    if (PrModeHasLineFields(Cur())) {
        if (ReadChoice({"NO_HANDSHAKE", "XON", "RTS"}, handshake, xerr::kDruckerHandshakeNOHANDSHAKEXON) != 1 ||
            ReadChoice({"1TO32", "32TO1"}, direction, xerr::kDruckrichtung1TO32Oder32TO1Erwartet) != 1 || ReadSetting(timeout, {0, 255}, xerr::kDruckerTimeout0255Erwartet) != 1)
            return -1;
    }
    m_prj->SetPrnIfc(ifc);
    m_prj->SetPrnBaud(baud);
    m_prj->SetPrnParity(parity);
    m_prj->SetPrnDataBits(dataBits);
    m_prj->SetPrnStopBits(stopBits);
    m_prj->SetPrnHandshake(handshake);
    m_prj->SetPrnDirection(direction);
    m_prj->SetPrnTimeout(timeout);
    return 1;
}

StepResult CParsOrv::DoPrChar()
{
    if (!ExpectKeyword("PRCHAR"))
        return 0;
    if (!TakesPrinterChars(Cur())) {
        Consume(Rest().size());
        return 1;
    }
    uint16_t num = 0;
    if (ReadSetting(num, {0, 7}, xerr::kZeichennummer07Erwartet_601) != 1)
        return -1;
    if (!ExpectComma())
        return -1;
    if (!ExpectChar('$'))
        return SignError('$');
    uint8_t c = 0;
    if (GetHexByte(c, 1, 255) != 1)
        return XError(xerr::kHexWert01FFDes_602);
    m_prj->SetPrnSubst(num, c);
    return 1;
}

StepResult CParsOrv::DoPrInit()
{
    if (!ExpectKeyword("PRINIT"))
        return 0;
    if (!TakesPrinterChars(Cur())) {
        Consume(Rest().size());
        return 1;
    }
    if (!ExpectComma())
        return -1;
    std::string hex;
    if (ReadHexQuoted(hex, CPrjData::kPrnInitMax / 2) != 1)
        return -1;
    m_prj->SetPrnInit(hex);
    return 1;
}

StepResult CParsOrv::DoChar()
{
    if (!ExpectKeyword(kw::kChar))
        return 0;
    if (!ExpectComma())
        return -1;
    const bool highCodes = Cur().Row() && Cur().Row()->highUserChars;
    uint16_t code = 0;
    bool converted = false;
    if (highCodes) {
        // Codes 0..7 of the other panels become the first user codes.
        if (GetNum16(code, 0, 255) != 1 || (code > 7 && code < kFirst706UserChar))
            return XError(xerr::kZeichennummer128255Erwartet);
        if (code <= 7) {
            code = static_cast<uint16_t>(code + kFirst706UserChar);
            converted = true;
        }
    } else {
        if (GetNum16(code, 0, 7) != 1)
            return XError(xerr::kZeichennummer07Erwartet_601);
        if (m_prj->GetCharDefColl()->FindByCode(code) != nullptr)
            return XError(xerr::kEineDefinitionFuerDiesesZeichen_604);
    }
    CCharDef::Rows rows{};
    for (int r = 0; r < CharDefRows(Cur()); ++r) {
        uint16_t bits = 0;
        if (ReadSetting(bits, {0, 31}, xerr::kMatrixwert031FuerEine_605) != 1)
            return -1;
        rows[static_cast<size_t>(r)] = static_cast<uint8_t>(bits);
    }
    if (converted)
        NoteCharsConverted();
    CCharDefColl* defs = m_prj->GetCharDefColl();
    if (CCharDef* old = defs->FindByCode(code))
        m_prj->DelCharDef(old);
    defs->Adopt(std::make_unique<CCharDef>(static_cast<uint8_t>(code), rows));
    if (m_charSet != nullptr)
        m_charSet->SetUserChar(code, rows);
    RestoreFontGlyphs();
    return 1;
}

// The font of the selected panel's family puts its default glyphs back into
// the user-definable places.
void CParsOrv::RestoreFontGlyphs()
{
    const CFrameState* frame = GetMainFrame();
    if (frame == nullptr || m_charSet == nullptr || frame->GetStartSel() == nullptr)
        return;
    const CStartSelInfo& sel = *frame->GetStartSel();
    if (CFon* fon = frame->GetFon(sel.GetFontFamily()))
        fon->RestoreDefChars(*m_charSet, sel.GetFntNam());
}

} // namespace orv
