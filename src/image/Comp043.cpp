#include "image/Comp043.h"

#include "image/CompParts.h"
#include "image/DosStamp.h"
#include "image/FileFields.h"
#include "image/ImgLayout.h"
#include "image/ImgRecord.h"
#include "image/SourceStamp.h"
#include "model/Catalogues.h"
#include "model/CharDef.h"
#include "model/CharSet.h"
#include "model/Log.h"
#include "model/Mnu.h"
#include "model/MsgTxt.h"
#include "model/OpTxt.h"
#include "model/PrjData.h"
#include "model/PrjVarList.h"
#include "model/SkAct.h"
#include "model/SkTxt.h"
#include "model/SpsPar.h"
#include "model/TextPool.h"
#include "model/WorkspaceState.h"

#include <algorithm>
#include <numeric>
#include <vector>

using namespace imglayout;

namespace {

constexpr uint16_t kVariantLevel = 427;
constexpr uint16_t kPlainMnuOptions = 0x30FF;
constexpr int kOpTxtRowsMax = 4;
constexpr int kTextRowsMax = 32;
constexpr uint16_t kSkRowName0 = 390;
constexpr uint16_t kSkRowName1 = 391;

bool IsBinType(uint8_t type) { return type >= 2 && type <= 9; }
bool IsVbinType(uint8_t type) { return type >= 18 && type <= 25; }

// Internal state-text variables are written only when they have texts.
bool IsImageVar(const CPrjVar& var)
{
    if (!var.IsInternal())
        return true;
    return var.GetType() == 144 && (var.MaxStateIdx() > 0 || var.GetStateTxt(0) != nullptr);
}

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

CComp043::CComp043(CWorkspaceState& workspace, const std::string& outPath, const std::string& drvPath,
                   const std::string& fktPath, uint32_t reserve, const PrjBundle& bundle)
    : CComp(workspace, outPath, drvPath, fktPath, bundle), m_reserve(reserve)
{
    SetMemLimit(kMemLimitA);
    if (!Failed())
        Compile();
}

void CComp043::Compile()
{
    const CPrjData* prj = GetPrjData();
    if (!prj || !GetCharSet()) {
        Fail("Comp_orv: %s", prj ? "Zeichensatz fehlt" : "Projektdaten fehlen");
        return;
    }
    const uint16_t type = GetDevType();
    m_type47 = type == 47 || type == 755;
    m_variant2 = type == 755 || (type == 47 && prj->GetVariant() == 1);

    using Step = int (CComp043::*)();
    static constexpr Step kSteps[] = {
        &CComp043::WriteHeader,   &CComp043::WritePrinter,   &CComp043::WriteSharedTexts,
        &CComp043::WriteVars,     &CComp043::WriteOpTexts,   &CComp043::WriteMsgTexts,
        &CComp043::WriteHlpTexts, &CComp043::WriteSkTxts,    &CComp043::WriteSkActs,
        &CComp043::WriteCycleTime, &CComp043::WriteUserChars, &CComp043::WriteMnus,
        &CComp043::Finish,
    };
    for (Step step : kSteps) {
        // A step that stops without a code of its own must not leave an
        // image that counts as usable.
        if ((this->*step)() != 1 || Failed()) {
            SetError(kErrIncomplete);
            return;
        }
        UpdateFreeMemory();
    }
}

void CComp043::Raise(FwCause cause)
{
    if (m_variant2) {
        RaiseFwLevel(kVariantLevel);
        return;
    }
    // Levels by cause, in the order of FwCause.
    static constexpr uint16_t k14[] = {203, 203, 0, 0, 0, 0, 0};
    static constexpr uint16_t k43[] = {206, 206, 0, 0, 202, 205, 204};
    static constexpr uint16_t k47[] = {407, 407, 405, 407, 202, 406, 204};
    const auto i = static_cast<size_t>(cause);
    switch (GetDevType()) {
    case 14: RaiseFwLevel(k14[i]); break;
    case 43: RaiseFwLevel(k43[i]); break;
    case 47: RaiseFwLevel(k47[i]); break;
    default: break;
    }
}

// --- Header and printer ----------------------------------------------------

int CComp043::WriteHeader()
{
    const CPrjData& prj = *GetPrjData();
    if (AppendZeros(kHeaderSizeA) != 1)
        return -1;
    const auto [time, date] = FileStamp(prj.GetPath());
    SetFlagBitA(0);
    if (m_variant2)
        RaiseFwLevel(kVariantLevel);
    const std::array<uint8_t, 4>& flags = FlagsA();
    const std::string version = Workspace().GetToolVersion().substr(0, kHdrUserChars - kHdrToolVersion - 1);
    const bool ok = WriteByte(kHdrMagic, kMagicA) == 1 && WriteString(kHdrName, CopyNameOf(prj.GetPath())) == 1 &&
                    WriteWord(kHdrTime, time) == 1 && WriteWord(kHdrDate, date) == 1 &&
                    WriteString(kHdrToolVersion, version) == 1 &&
                    WriteBytes(kHdrFlags, std::string_view(reinterpret_cast<const char*>(flags.data()), 4)) == 1 &&
                    WriteByte(kHdrCycleTime, kCycleTimeDefault) == 1;
    return ok ? 1 : -1;
}

int CComp043::WritePrinter()
{
    if (!IsWide())
        return 1;
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

int CComp043::WriteSharedTexts()
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
        if (PlaceRecord(rec, at) != 1)
            return -1;
        str->SetImagePos(at);
        Count(Counter::SharedTexts);
    }
    return 1;
}

int CComp043::WriteVars()
{
    CPrjVarList* vars = GetPrjData()->GetVarList();
    for (int i = 0; vars && i < vars->GetCount(); ++i) {
        CPrjVar& var = *vars->VarAt(i);
        if (IsImageVar(var) && WriteVar(var) != 1)
            return -1;
    }
    return 1;
}

int CComp043::WriteVar(CPrjVar& var)
{
    const uint8_t type = var.GetType();
    const std::optional<uint8_t> code = ImageTypeByte::CodeOf(type, var.GetExtByte0());
    if (!code)
        return Fail("Variable %s: Typ %u hat keine Form im Datensatz", var.GetName().c_str(), unsigned{type});
    const auto word = static_cast<uint16_t>(var.GetAdr());
    ImgRecord rec;
    rec.Word(m_varChain)
        .Word(0)
        .Byte(var.GetWidth())
        .Byte(ImageTypeByte::Encode(var.GetSetpKind(), *code))
        .Byte(static_cast<uint8_t>(word & 0xFFu));
    if (VarTail(var, rec) != 1)
        return -1;
    uint32_t at = 0;
    if (PlaceRecord(rec, at) != 1)
        return -1;
    var.SetAttr32(at);
    m_varChain = static_cast<uint16_t>(at);
    WrittenVars().push_back(&var);
    Count(Counter::Vars);
    if (WriteWord(kHdrVarChain, m_varChain) != 1)
        return -1;
    if (type == 144) {
        if (var.GetName() == ResKonstText(kSkRowName0) && WriteWord(kHdrSkRowVar0, m_varChain) != 1)
            return -1;
        if (var.GetName() == ResKonstText(kSkRowName1) && WriteWord(kHdrSkRowVar1, m_varChain) != 1)
            return -1;
    }

    if (type == 3 || type == 5 || type == 7 || type == 9 || type == 19 || type == 21 || type == 23 || type == 25)
        Raise(FwCause::WideBin);
    if (((type == 32 || type == 33) && (var.GetExtByte0() == 1 || var.GetExtByte0() == 2)) || type == 36)
        Raise(FwCause::WordForms);
    if (UsesMessageWord(GetSpsPar(), var))
        NoteMessageWord(word);
    return 1;
}

int CComp043::VarTail(const CPrjVar& var, ImgRecord& rec)
{
    const uint8_t type = var.GetType();
    const uint8_t first = var.GetExtByte0();
    switch (type) {
    case 0:
    case 28:
        rec.Word(BcdMask::Encode(first))
            .Word(Bcd::EncodeWord(var.GetExtWord1()))
            .Word(Bcd::EncodeWord(var.GetExtWord2()))
            .Byte(var.GetExtByte12());
        return 1;
    case 16:
    case 30: {
        const std::array<uint16_t, 2> masks = BcdMaskPair::Encode(first);
        rec.Word(masks[0])
            .Word(masks[1])
            .DWord(Bcd::Encode(var.GetExtWord1()))
            .DWord(Bcd::Encode(var.GetExtWord2()))
            .Byte(var.GetExtByte12());
        return 1;
    }
    case 12: {
        const unsigned bit = first;
        rec.Word(static_cast<uint16_t>(bit < 16 ? 1u << bit : 0u));
        return StateTexts(var, 1, rec);
    }
    case 14:
    case 26:
    case 144:
        rec.Byte(static_cast<uint8_t>(var.MaxStateIdx()));
        return StateTexts(var, var.MaxStateIdx(), rec);
    case 36:
        return StateTexts(var, 3, rec);
    default:
        break;
    }
    if (IsBinType(type) || IsVbinType(type)) {
        EncodeBinHead(var, rec);
        if (type <= 5 || (type >= 18 && type <= 21))
            return ScaledTail(var, IsVbinType(type), rec);
    }
    return 1;
}

int CComp043::ScaledTail(const CPrjVar& var, bool isSigned, ImgRecord& rec)
{
    const int64_t lower = RangeValue(var.GetExtWord1(), isSigned);
    const int64_t plcLower = RangeValue(var.GetExtWord3(), isSigned);
    int64_t dspSpan = RangeValue(var.GetExtWord2(), isSigned) - lower;
    int64_t plcSpan = RangeValue(var.GetExtWord4(), isSigned) - plcLower;
    // The panel divides by both spans and keeps each in a word.
    if (dspSpan <= 0 || plcSpan <= 0)
        return Fail("Variable %s: Wertebereich ohne Spanne", var.GetName().c_str());
    const int64_t divisor = std::gcd(dspSpan, plcSpan);
    dspSpan /= divisor;
    plcSpan /= divisor;
    if (dspSpan > UINT16_MAX || plcSpan > UINT16_MAX)
        return Fail("Variable %s: Skalierung nicht darstellbar", var.GetName().c_str());
    rec.Word(static_cast<uint16_t>(dspSpan)).Word(static_cast<uint16_t>(plcSpan));
    const int64_t plcTerm = plcLower * dspSpan;
    const int64_t dspTerm = lower * plcSpan;
    if (isSigned)
        rec.Value48(dspTerm - plcTerm);
    else if (plcTerm > dspTerm)
        rec.Value48(0).Value48(plcTerm - dspTerm);
    else
        rec.Value48(dspTerm - plcTerm).Value48(0);
    return 1;
}

int CComp043::StateTexts(const CPrjVar& var, int last, ImgRecord& rec)
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

std::string CComp043::EncodeRow(const CTxtRowBase* row)
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
                BlankRun::Encode(out, blanks, CountsBlanks());
                blanks = 0;
                const auto address = static_cast<uint16_t>(field->GetAttr32());
                out.push_back(static_cast<char>(kFieldMark));
                out.push_back(static_cast<char>(address >> 8));
                out.push_back(static_cast<char>(address & 0xFFu));
                if (field->GetType() == 144)
                    Raise(FwCause::IntStrInRow);
                if (field->IsInternal()) {
                    const std::string& name = field->GetName();
                    if (name.size() == 2 && name[0] == 'Z' && name[1] >= 'A' && name[1] <= 'H')
                        Raise(FwCause::PrnVarInRow);
                    if (name == "Z4" || name == "Z5")
                        Raise(FwCause::SkRowVarInRow);
                }
                p += field->GetWidth();
                continue;
            }
            const auto c = static_cast<uint8_t>(text[p++]);
            if (c == ' ') {
                ++blanks;
                continue;
            }
            BlankRun::Encode(out, blanks, CountsBlanks());
            blanks = 0;
            if (const uint8_t kept = chars.FilterTextChar(c))
                out.push_back(static_cast<char>(kept));
        }
    }
    // A trailing run is dropped, unless it is all the row has.
    if (out.empty())
        BlankRun::Encode(out, blanks, CountsBlanks());
    if (out.empty())
        out.push_back(' ');
    return out;
}

uint32_t CComp043::WriteText(const CPrjNumEntry& entry, int maxRows, Counter rowCounter)
{
    int rows = 1;
    for (int i = 1; i <= std::min(entry.GetRowCount(), maxRows); ++i)
        if (entry.GetRow(i))
            rows = i;
    ImgRecord rec;
    rec.Byte(static_cast<uint8_t>(rows));
    for (int i = 1; i <= rows; ++i) {
        const std::string row = EncodeRow(entry.GetRow(i));
        rec.Byte(static_cast<uint8_t>(row.size())).Bytes(row);
    }
    uint32_t at = 0;
    if (PlaceRecord(rec, at) != 1)
        return 0;
    for (int i = 0; i < rows; ++i)
        Count(rowCounter);
    return at;
}

int CComp043::WriteOpTexts()
{
    CPrjOpTxtList* list = GetPrjData()->GetOpTxtList();
    for (int i = 0; list && i < list->GetCount(); ++i) {
        const CPrjOpTxt& text = *list->OpTxtAt(i);
        const int32_t num = text.GetNum();
        if (!HasATextSlot(num))
            return Fail("Bedientext %d: Nummer ausserhalb 0..127", static_cast<int>(num));
        const uint32_t at = WriteText(text, kOpTxtRowsMax, Counter::OpRows);
        if (at == 0 || WriteWord(AOpTxtSlot(num), static_cast<uint16_t>(at)) != 1)
            return -1;
        Count(Counter::OpTexts);
    }
    return 1;
}

int CComp043::WriteMsgTexts()
{
    CMsgTxtList* list = GetPrjData()->GetMsgTxtList();
    for (int i = 0; list && i < list->GetCount(); ++i) {
        const CMsgTxt& text = *list->MsgAt(i);
        const int32_t num = text.GetNum();
        if (!HasATextSlot(num))
            return Fail("Meldetext %d: Nummer ausserhalb 0..127", static_cast<int>(num));
        if (WriteByte(AMsgAttrSlot(num), MsgAttrByte::Encode(text.GetPrio(), text.GetDelMode())) != 1)
            return -1;
        const uint32_t at = WriteText(text, kTextRowsMax, Counter::MsgRows);
        if (at == 0 || WriteWord(AMsgTxtSlot(num), static_cast<uint16_t>(at)) != 1)
            return -1;
        Count(Counter::MsgTexts);
    }
    return 1;
}

int CComp043::WriteHlpTexts()
{
    for (int kind = 0; kind < kAHlpLists; ++kind) {
        CKindTxtList* list = GetPrjData()->GetHlpTxtList(kind);
        for (int i = 0; list && i < list->GetCount(); ++i) {
            const uint32_t at = WriteText(*list->ItemAt(i), kTextRowsMax, Counter::HlpRows);
            if (at == 0 || WriteWord(AHlpSlot(kind), static_cast<uint16_t>(at)) != 1)
                return -1;
            Count(Counter::HlpTexts);
        }
    }
    return 1;
}

// --- Softkeys ------------------------------------------------------------------

int CComp043::WriteSkTxts()
{
    CPrjSkTxtList* list = GetPrjData()->GetSkTxtList();
    if (!list || list->GetCount() == 0)
        return 1;
    const CPrjNumEntry* highest = list->GetHighest();
    const int32_t slots = highest ? highest->GetNum() + 1 : 0;
    ImgRecord table;
    table.Word(0).Word(0).Word(0).Word(0).Word(0).Word(static_cast<uint16_t>(slots));
    for (int32_t n = 0; n < slots; ++n)
        table.Word(0);
    uint32_t tableAt = 0;
    if (PlaceRecord(table, tableAt) != 1 || WriteWord(kHdrSkTxts, static_cast<uint16_t>(tableAt)) != 1)
        return -1;

    const int keys = IsWide() ? kSkKeysWide : kSkKeysNarrow;
    for (int i = 0; i < list->GetCount(); ++i) {
        const CPrjSkTxt& text = *list->SkTxtAt(i);
        const int32_t num = text.GetNum();
        if (num < -1)
            return Fail("Softkeytext %d: Nummer ohne Platz im Datensatz", static_cast<int>(num));
        ImgRecord rec;
        rec.Word(0).Word(static_cast<uint16_t>(keys));
        for (int key = 1; key <= keys; ++key)
            rec.Word(0);
        uint32_t at = 0;
        if (PlaceRecord(rec, at) != 1)
            return -1;
        for (int key = 1; key <= keys; ++key) {
            if (!text.HasAct(key))
                continue;
            const CPrjSkAct* press = text.GetPressAct(key);
            const CPrjSkAct* release = text.GetReleaseAct(key);
            ImgRecord acts;
            acts.Word(static_cast<uint16_t>(press ? press->GetNum() : 0))
                .Word(static_cast<uint16_t>(release ? release->GetNum() : 0));
            uint32_t actsAt = 0;
            if (PlaceRecord(acts, actsAt) != 1 ||
                WriteWord(at + 2 + 2 * static_cast<uint32_t>(key), static_cast<uint16_t>(actsAt)) != 1)
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
        Raise(FwCause::Softkeys);
    }
    return 1;
}

int CComp043::WriteSkActs()
{
    CPrjSkActList* list = GetPrjData()->GetSkActList();
    if (!list || list->GetCount() == 0)
        return 1;
    const CPrjSkAct* highest = list->FindHighest();
    const int32_t slots = (highest ? highest->GetNum() : 0) + 1;
    ImgRecord table;
    table.Word(static_cast<uint16_t>(slots));
    for (int32_t n = 0; n < slots; ++n)
        table.Word(0);
    uint32_t tableAt = 0;
    if (PlaceRecord(table, tableAt) != 1 || WriteWord(kHdrSkActs, static_cast<uint16_t>(tableAt)) != 1)
        return -1;

    for (int i = 0; i < list->GetCount(); ++i) {
        const CPrjSkAct& act = *list->ItemAt(i);
        const int32_t num = act.GetNum();
        if (num < 0 || num >= slots)
            return Fail("Softkeyaktion %d: Nummer ohne Platz im Datensatz", static_cast<int>(num));
        ImgRecord rec;
        EncodeSkAct(act, false, rec);
        uint32_t at = 0;
        if (PlaceRecord(rec, at) != 1 ||
            WriteWord(tableAt + 2 + 2 * static_cast<uint32_t>(num), static_cast<uint16_t>(at)) != 1)
            return -1;
        Count(Counter::SkActions);
        Raise(FwCause::Softkeys);
    }
    return 1;
}

// --- Characters, menus, finish -------------------------------------------------

int CComp043::WriteCycleTime()
{
    return WriteByte(kHdrCycleTime, static_cast<uint8_t>(GetPrjData()->GetCycleTime()));
}

int CComp043::WriteUserChars()
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

int CComp043::WriteMnus()
{
    CPrjMnuList* list = GetPrjData()->GetMnuList();
    for (int i = 0; list && i < list->GetCount(); ++i)
        if (WriteMnu(*list->ItemAt(i)) != 1)
            return -1;
    SetCurMnu(nullptr);
    return 1;
}

int CComp043::WriteMnu(CPrjMnu& menu)
{
    if (!HasAMnuSlot(menu.GetNum()))
        return Fail("Menue %u: Nummer ausserhalb 1..127", unsigned{menu.GetNum()});
    const CPrjMnuNodeList* nodes = menu.GetSubList();
    const CPrjMnuNode* start = nodes ? nodes->FindStart() : nullptr;
    if (!start)
        return Fail("Menue %s: kein Startknoten", menu.GetName().c_str());
    SetCurMnu(&menu);
    ClearNodes();
    if (menu.GetMnuOpt() != kPlainMnuOptions)
        Raise(FwCause::MnuOptions);

    std::vector<const CPrjMnuNode*> order;
    if (start->GetOpTxt())
        order.push_back(start);
    for (int i = 0; i < nodes->GetCount(); ++i) {
        const CPrjMnuNode* node = nodes->ItemAt(i);
        if (node != start && node->GetOpTxt())
            order.push_back(node);
    }
    bool broken = nodes->FindUnreachable() != nullptr;

    // The mask and the nodes stay together: the mask is found just before
    // the first node.
    constexpr uint32_t kNodeSize = 8;
    if (Reserve(2 + kNodeSize * static_cast<uint32_t>(order.size())) != 1)
        return -1;
    const auto first = static_cast<uint32_t>(GetLength()) + 2;
    ImgRecord rec;
    rec.Word(menu.GetMnuOpt());
    for (size_t i = 0; i < order.size(); ++i) {
        const CPrjMnuNode& node = *order[i];
        const uint32_t at = first + kNodeSize * static_cast<uint32_t>(i);
        rec.Word(static_cast<uint16_t>(i + 1 < order.size() ? at + kNodeSize : 0)).Byte(node.GetNum());
        for (uint8_t link : node.GetLinks()) {
            const bool exists = link != 0 && nodes->FindByNum(link) != nullptr;
            broken = broken || (link != 0 && !exists);
            rec.Byte(exists ? link : 0);
        }
        rec.Byte(static_cast<uint8_t>(node.GetOpTxt()->GetNum()));
        SetNodeAdr(node.GetNum(), at);
    }
    if (AppendBytes(rec.Data()) != 1)
        return -1;
    if (!order.empty() && WriteWord(AMnuSlot(menu.GetNum()), static_cast<uint16_t>(first)) != 1)
        return -1;
    for (size_t i = 0; i < order.size(); ++i)
        Count(Counter::MenuNodes);
    WrittenMnus().push_back(&menu);
    Count(Counter::Menus);
    if (broken)
        AddBrokenMnu(&menu);
    return 1;
}

int CComp043::Finish()
{
    const std::optional<std::string> id = FirmwareId(GetDevType(), GetFwLevel());
    if (!id)
        return Fail("Firmware-Stand %u fuer Typ %u unbekannt", unsigned{GetFwLevel()}, unsigned{GetDevType()});
    if (WriteString(kHdrFwId, *id) != 1 || FitNames(m_reserve) != 1)
        return -1;
    if (WriteWord(kHdrLength, static_cast<uint16_t>(GetLength() - 2)) != 1)
        return -1;
    LogLine(kLogInfo, "Driver anhaengen !");
    if (CopyDriverFile() != 1 || CopySpecialFile() != 1)
        return -1;
    return AppendWord(0);
}
