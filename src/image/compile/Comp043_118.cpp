// Shared records of the 043 and 118 family compilers: header, texts, variables,
// printer block, softkeys and user characters.
#include "image/compile/Comp043_118.h"

#include "image/compile/CompParts.h"
#include "image/codec/DosStamp.h"
#include "image/codec/FileFields.h"
#include "image/codec/ImageBuffer.h"
#include "image/codec/ImgLayout.h"
#include "image/codec/ImgRecord.h"
#include "image/compile/SourceStamp.h"
#include "model/core/Catalogues.h"
#include "model/project/CharDef.h"
#include "model/project/CharSet.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVarList.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "model/project/TextPool.h"
#include "model/project/TxtRow.h"
#include "model/project/VarType.h"
#include "model/core/WorkspaceState.h"

#include <algorithm>
#include <vector>

namespace orv {

using namespace imglayout;

namespace {

constexpr uint16_t kSkRowName0 = 390;
constexpr uint16_t kSkRowName1 = 391;

bool IsBinType(uint8_t type) { return type >= 2 && type <= 9; }
bool IsVbinType(uint8_t type) { return type >= 18 && type <= 25; }
// Kinds whose tail always carries the scaling.
bool IsScaledType(uint8_t type) { return (type >= 2 && type <= 5) || (type >= 18 && type <= 21); }

// DOS time and date of the file's last change in local time; 0 and 0 when
// the file cannot be found.
std::pair<uint16_t, uint16_t> FileStamp(const std::string& path)
{
    const std::optional<std::tm> local = LocalChangeTime(path);
    if (!local)
        return {0, 0};
    return {EncodeDosTime(*local), EncodeDosDate(*local)};
}

}  // namespace

bool IsImageVar(const CPrjVar& var)
{
    if (!var.IsInternal())
        return true;
    return var.GetType() == 144 && (var.MaxStateIdx() > 0 || var.GetStateTxt(0) != nullptr);
}

StepResult CComp043_118::FinishDataSet(uint32_t reserve, bool eachNameReserved)
{
    const std::optional<std::string> id = FirmwareId(GetDevType(), GetFwLevel());
    if (!id)
        return Fail("Firmware-Stand %u fuer Typ %u unbekannt", unsigned{GetFwLevel()}, unsigned{GetDevType()});
    if (WriteString(kHdrFwId, *id) != 1 || FitNames(reserve, eachNameReserved) != 1)
        return -1;
    return WriteWord(kHdrLength, static_cast<uint16_t>(GetLength() - 2));
}

// --- Header and printer ----------------------------------------------------

StepResult CComp043_118::WriteByteHeader(uint32_t size)
{
    const CPrjData& prj = *GetPrjData();
    if (AppendZeros(size) != 1)
        return -1;
    const auto [time, date] = FileStamp(prj.GetPath());
    const std::array<uint8_t, 4>& flags = Flags043_118();
    const std::string version = Workspace().GetToolVersion().substr(0, kHdrUserChars - kHdrToolVersion - 1);
    const bool ok = WriteByte(kHdrMagic, kMagic043) == 1 && WriteString(kHdrName, CopyNameOf(prj.GetPath())) == 1 &&
                    WriteWord(kHdrTime, time) == 1 && WriteWord(kHdrDate, date) == 1 &&
                    WriteString(kHdrToolVersion, version) == 1 &&
                    WriteBytes(kHdrFlags, std::string_view(reinterpret_cast<const char*>(flags.data()), 4)) == 1 &&
                    WriteByte(kHdrCycleTime, kCycleTimeDefault) == 1;
    return ok ? 1 : -1;
}

StepResult CComp043_118::WritePrinterBlock()
{
    const CPrjData& prj = *GetPrjData();
    const CCharSet& chars = *GetCharSet();
    ImgRecord rec;
    rec.Word(prj.GetPrnTimeout())
        .Word(prj.GetPrnIfc())
        .Word(prj.GetPrnHandshake())
        .Word(prj.GetPrnDirection())
        .Word(prj.GetPrnBaud())
        .Word(prj.GetPrnDataBits())
        .Word(prj.GetPrnStopBits())
        .Word(prj.GetPrnParity());
    std::string init = HexPairBytes(prj.GetPrnInit(), kPrnInitMax);
    rec.Byte(static_cast<uint8_t>(init.size()));
    init.resize(kPrnInitMax, '\0');
    rec.Bytes(init);
    for (int code = 0; code < static_cast<int>(kPrnTableSize); ++code) {
        if (code >= 8 && code <= 15)
            rec.Byte(prj.GetPrnSubst(code - 8));
        else
            rec.Byte(chars.CtrlCharSign(chars.ToPanelChar(static_cast<uint8_t>(code), 0)));
    }
    rec.Word(0);
    uint32_t at = 0;
    if (PlaceRecord(rec, at) != 1)
        return -1;
    return WriteWord(kHdrPrinter, static_cast<uint16_t>(at));
}

// --- Shared texts and variables ----------------------------------------------

StepResult CComp043_118::WriteSharedTexts(uint32_t extra)
{
    CTextPool* pool = GetPrjData()->GetTextPool();
    const CCharSet& chars = *GetCharSet();
    for (int i = 0; pool && i < pool->GetCount(); ++i) {
        CSharedStr* str = pool->StrAt(i);
        std::string text = str->GetSharedText().substr(0, kTextMax);
        for (char& c : text)
            c = static_cast<char>(chars.FilterTextChar(static_cast<uint8_t>(c)));
        ImgRecord rec;
        rec.Byte(static_cast<uint8_t>(text.size())).Bytes(text);
        uint32_t at = 0;
        if (PlaceRecord(rec, rec.Size() + extra, at) != 1)
            return -1;
        str->SetImagePos(at);
        Count(Counter::SharedTexts);
    }
    return 1;
}

StepResult CComp043_118::WriteVars()
{
    CPrjVarList* vars = GetPrjData()->GetVarList();
    for (int i = 0; vars && i < vars->GetCount(); ++i) {
        CPrjVar& var = *vars->VarAt(i);
        if (IsImageVar(var) && WriteVar(var) != 1)
            return -1;
    }
    return 1;
}

StepResult CComp043_118::BuildVarRecord(const CPrjVar& var, uint16_t chain, bool dwordSpans, ImgRecord& rec)
{
    const uint8_t type = var.GetType();
    const std::optional<uint8_t> code = ImageTypeByte::CodeOf(type, var.GetExtByte0());
    if (!code)
        return Fail("Variable %s: Typ %u hat keine Form im Datensatz", var.GetName().c_str(), unsigned{type});
    rec.Word(chain)
        .Word(0)
        .Byte(var.GetWidth())
        .Byte(ImageTypeByte::Encode(var.GetSetpKind(), *code))
        .Byte(static_cast<uint8_t>(static_cast<uint16_t>(var.GetAdr()) & 0xFFu));
    return VarTail(var, dwordSpans, rec);
}

StepResult CComp043_118::VarPlaced(CPrjVar& var, uint32_t at)
{
    var.SetAttr32(at);
    WrittenVars().push_back(&var);
    Count(Counter::Vars);
    if (WriteWord(kHdrVarChain, static_cast<uint16_t>(at)) != 1)
        return -1;
    if (var.GetType() == 144) {
        if (var.GetName() == ResKonstText(kSkRowName0) && WriteWord(kHdrSkRowVar0, static_cast<uint16_t>(at)) != 1)
            return -1;
        if (var.GetName() == ResKonstText(kSkRowName1) && WriteWord(kHdrSkRowVar1, static_cast<uint16_t>(at)) != 1)
            return -1;
    }
    if (UsesMessageWord(GetSpsPar(), var))
        NoteMessageWord(static_cast<uint16_t>(var.GetAdr()));
    return 1;
}

StepResult CComp043_118::VarTail(const CPrjVar& var, bool dwordSpans, ImgRecord& rec)
{
    const uint8_t type = var.GetType();
    const uint8_t first = var.GetExtByte0();
    switch (type) {
    case vartype::kBcd1:
    case vartype::kBcd01:
        rec.Word(BcdMask::Encode(first))
            .Word(Bcd::EncodeWord(var.GetExtWord1()))
            .Word(Bcd::EncodeWord(var.GetExtWord2()))
            .Byte(var.GetExtByte12());
        return 1;
    case vartype::kBcd2:
    case vartype::kBcd02: {
        const std::array<uint16_t, 2> masks = BcdMaskPair::Encode(first);
        rec.Word(masks[0])
            .Word(masks[1])
            .DWord(Bcd::Encode(var.GetExtWord1()))
            .DWord(Bcd::Encode(var.GetExtWord2()))
            .Byte(var.GetExtByte12());
        return 1;
    }
    case vartype::kBit: {
        const unsigned bit = first;
        rec.Word(static_cast<uint16_t>(bit < 16 ? 1u << bit : 0u));
        return StateTexts(var, 1, rec);
    }
    case vartype::kString:
    case vartype::kCString:
    case vartype::kIntSString:
        rec.Byte(static_cast<uint8_t>(var.MaxStateIdx()));
        return StateTexts(var, var.MaxStateIdx(), rec);
    case vartype::kTimer:
        return StateTexts(var, 3, rec);
    default:
        break;
    }
    if (IsBinType(type) || IsVbinType(type)) {
        EncodeBinHead(var, rec);
        if (IsScaledType(type) || dwordSpans)
            return ScaledTail(var, IsVbinType(type), !IsScaledType(type), rec);
    }
    return 1;
}

StepResult CComp043_118::ScaledTail(const CPrjVar& var, bool isSigned, bool dwordSpans, ImgRecord& rec)
{
    Spans s{};
    if (ReduceSpans(var, isSigned, !dwordSpans, s) != 1)
        return -1;
    if (dwordSpans)
        rec.DWord(static_cast<uint32_t>(s.dsp)).DWord(static_cast<uint32_t>(s.plc));
    else
        rec.Word(static_cast<uint16_t>(s.dsp)).Word(static_cast<uint16_t>(s.plc));
    // Dword spans make products beyond 64 bits.
    const __int128 plcTerm = __int128{s.plcLower} * s.dsp;
    const __int128 dspTerm = __int128{s.lower} * s.plc;
    const __int128 diff = dspTerm - plcTerm;
    const __int128 magnitude = diff < 0 ? -diff : diff;
    if (!FitsValue48(isSigned ? diff : magnitude, isSigned))
        return Fail("Variable %s: Skalierung passt nicht in 48 Bit", var.GetName().c_str());
    if (isSigned)
        rec.Value48(static_cast<int64_t>(diff));
    else if (diff < 0)
        rec.Value48(0).Value48(static_cast<int64_t>(magnitude));
    else
        rec.Value48(static_cast<int64_t>(diff)).Value48(0);
    return 1;
}

StepResult CComp043_118::StateTexts(const CPrjVar& var, int last, ImgRecord& rec)
{
    const CTextPool* pool = GetPrjData()->GetTextPool();
    for (int i = 0; i <= last; ++i) {
        const char* text = var.GetStateTxt(i);
        const CSharedStr* str = text && pool ? pool->FindText(text) : nullptr;
        if (!str || str->GetImagePos() == 0)
            return Fail("Variable %s: Zustandstext %d fehlt", var.GetName().c_str(), i);
        rec.Word(static_cast<uint16_t>(str->GetImagePos()));
    }
    return 1;
}

// --- Texts -------------------------------------------------------------------

std::string CComp043_118::EncodeRow(const CTxtRowBase* row, bool countBlanks)
{
    std::string out;
    size_t blanks = 0;
    if (row) {
        const std::string& text = row->GetText();
        const size_t end = std::min(text.size(), kTextMax);
        std::vector<bool> placed(static_cast<size_t>(row->GetVarCount()), false);
        const CCharSet& chars = *GetCharSet();
        for (size_t p = 0; p < end;) {
            const CPrjVar* field = nullptr;
            for (int i = 0; i < row->GetVarCount() && !field; ++i) {
                const TxtVarSlot slot = row->GetVarSlot(i);
                if (slot.var && slot.col == p && !placed[static_cast<size_t>(i)]) {
                    placed[static_cast<size_t>(i)] = true;
                    field = slot.var;
                }
            }
            if (field) {
                BlankRun::Encode(out, blanks, countBlanks);
                blanks = 0;
                const auto address = static_cast<uint16_t>(field->GetAttr32());
                out += RowVarRef::Encode(address);
                NoteRowVar(*field);
                p += field->GetWidth();
                continue;
            }
            const auto c = static_cast<uint8_t>(text[p++]);
            if (c == ' ') {
                ++blanks;
                continue;
            }
            BlankRun::Encode(out, blanks, countBlanks);
            blanks = 0;
            if (const uint8_t kept = chars.FilterTextChar(c))
                out.push_back(static_cast<char>(kept));
        }
    }
    // A trailing run is dropped, unless it is all the row has.
    if (out.empty())
        BlankRun::Encode(out, blanks, countBlanks);
    if (out.empty())
        out.push_back(' ');
    return out;
}

int CComp043_118::RowsOf(const CPrjNumEntry& entry, int maxRows)
{
    int rows = 1;
    for (int i = 1; i <= std::min(entry.GetRowCount(), maxRows); ++i)
        if (entry.GetRow(i))
            rows = i;
    return rows;
}

// --- Softkeys ------------------------------------------------------------------

StepResult CComp043_118::WriteSkTxts(int keys, bool byteForm)
{
    CPrjSkTxtList* list = GetPrjData()->GetSkTxtList();
    if (!list || list->GetCount() == 0)
        return 1;
    const CPrjNumEntry* highest = list->GetHighest();
    const int32_t slots = highest ? highest->GetNum() + 1 : 0;
    // Five words (a dword, a word and a dword in the 118 family) of 0, then the
    // number of slots.
    ImgRecord table;
    table.Word(0).Word(0).Word(0).Word(0).Word(0).Word(static_cast<uint16_t>(slots));
    for (int32_t n = 0; n < slots; ++n)
        table.Word(0);
    uint32_t tableAt = 0;
    if (PlaceRecord(table, tableAt) != 1 || WriteWord(kHdrSkTxts, static_cast<uint16_t>(tableAt)) != 1)
        return -1;

    const uint32_t firstKey = byteForm ? 0 : 2;
    for (int i = 0; i < list->GetCount(); ++i) {
        const CPrjSkTxt& text = *list->SkTxtAt(i);
        const int32_t num = text.GetNum();
        if (num < -1)
            return Fail("Softkeytext %d: Nummer ohne Platz im Datensatz", static_cast<int>(num));
        ImgRecord rec;
        if (byteForm)
            rec.Byte(0).Byte(static_cast<uint8_t>(keys));
        else
            rec.Word(0).Word(static_cast<uint16_t>(keys));
        for (int key = 1; key <= keys; ++key)
            rec.Word(0);
        uint32_t at = 0;
        if (PlaceRecord(rec, at) != 1)
            return -1;
        for (int key = 1; key <= keys; ++key) {
            if (!text.HasAct(key))
                continue;
            ImgRecord acts;
            EncodeKeyActs(text, key, acts);
            uint32_t actsAt = 0;
            if (PlaceRecord(acts, actsAt) != 1 ||
                WriteWord(at + firstKey + 2 * static_cast<uint32_t>(key), static_cast<uint16_t>(actsAt)) != 1)
                return -1;
        }
        if (num >= 0) {
            if (WriteWord(tableAt + kSkTxtTableHead + 2 * static_cast<uint32_t>(num), static_cast<uint16_t>(at)) != 1)
                return -1;
        } else {
            const auto* range = dynamic_cast<const CPrjSkTxtRange*>(&text);
            if (WriteWord(tableAt + 4, static_cast<uint16_t>(at)) != 1 ||
                WriteWord(tableAt + 6, static_cast<uint16_t>(range ? range->GetLo() : 0)) != 1 ||
                WriteWord(tableAt + 8, static_cast<uint16_t>(range ? range->GetHi() : 0)) != 1)
                return -1;
        }
        Count(Counter::SkTexts);
        NoteSoftkeys();
    }
    return 1;
}

StepResult CComp043_118::WriteSkActs(bool reserveByName)
{
    CPrjSkActList* list = GetPrjData()->GetSkActList();
    if (!list || list->GetCount() == 0)
        return 1;
    const CPrjSkAct* highest = list->FindHighest();
    const int32_t slots = (highest ? highest->GetNum() : 0) + 1;
    uint32_t tableAt = 0;
    if (PlaceSlotTable(static_cast<uint16_t>(slots), kHdrSkActs, tableAt) != 1)
        return -1;

    for (int i = 0; i < list->GetCount(); ++i) {
        const CPrjSkAct& act = *list->ItemAt(i);
        const int32_t num = act.GetNum();
        if (num < 0 || num >= slots)
            return Fail("Softkeyaktion %d: Nummer ohne Platz im Datensatz", static_cast<int>(num));
        ImgRecord rec;
        EncodeSkAct(act, false, rec);
        const std::string_view name = act.GetName() ? act.GetName() : "";
        constexpr uint32_t kNameRoom = 17;
        uint32_t at = 0;
        if (PlaceRecord(rec, reserveByName ? static_cast<uint32_t>(name.size()) + kNameRoom : rec.Size(), at) != 1 ||
            WriteWord(tableAt + 2 + 2 * static_cast<uint32_t>(num), static_cast<uint16_t>(at)) != 1)
            return -1;
        Count(Counter::SkActions);
        NoteSoftkeys();
    }
    return 1;
}

// --- Cycle time and characters ---------------------------------------------------

StepResult CComp043_118::WriteCycleTime()
{
    return WriteByte(kHdrCycleTime, static_cast<uint8_t>(GetPrjData()->GetCycleTime()));
}

StepResult CComp043_118::WriteUserChars()
{
    CCharDefColl* defs = GetPrjData()->GetCharDefColl();
    for (int i = 0; defs && i < defs->GetCount(); ++i) {
        const CCharDef& def = *defs->ItemAt(i);
        if (!HasAUserCharSlot(def.GetCode()))
            return Fail("Zeichen %u: Code ausserhalb 0..7", unsigned{def.GetCode()});
        const CCharDef::Rows& rows = def.GetRows();
        if (WriteBytes(UserCharRow(def.GetCode(), 0),
                       std::string_view(reinterpret_cast<const char*>(rows.data()), rows.size())) != 1)
            return -1;
    }
    return 1;
}

} // namespace orv
