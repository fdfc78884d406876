// Compiles a 706 family data set; a step that stops without its own error code
// still leaves no image that counts as usable.
#include "image/compile/Comp706.h"

#include "image/compile/CompParts.h"
#include "image/codec/FileFields.h"
#include "image/codec/ImgLayout.h"
#include "image/codec/ImgRecord.h"
#include "image/compile/SourceStamp.h"
#include "model/core/Catalogues.h"
#include "model/project/CharDef.h"
#include "model/project/CharSet.h"
#include "model/project/FrmCfg.h"
#include "model/project/Mnu.h"
#include "model/project/MsgTxt.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjData.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarList.h"
#include "model/project/PrnTxt.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "model/project/SpsPar.h"
#include "model/project/TextPool.h"
#include "model/project/TimeVal.h"
#include "model/project/VarType.h"
#include "model/core/WorkspaceState.h"

#include <algorithm>
#include <vector>

namespace orv {

using namespace imglayout;

namespace {

constexpr uint16_t kComp706SkRowName1 = 391;
constexpr int32_t kTableMax = 0xFFFE;  // the highest number a count word leaves room for

bool Comp706IsBinType(uint8_t type) { return type >= 2 && type <= 9; }
bool Comp706IsVbinType(uint8_t type) { return type >= 18 && type <= 25; }
bool IsScaled(uint8_t type) { return (type >= 2 && type <= 5) || (type >= 18 && type <= 21); }

std::string_view BytesOf(const uint8_t* data, size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// The attribute word of a text entry: message texts and message printer
// texts carry theirs, the other lists 0.
uint16_t EntryAttr(const CObj& entry)
{
    if (const auto* msg = dynamic_cast<const CMsgTxt*>(&entry))
        return MsgAttrWord::Encode(msg->GetPrio(), msg->GetDelMode(), msg->IsAlarm() != 0);
    if (const auto* prn = dynamic_cast<const CMsgPrnTxt*>(&entry))
        return prn->GetValue();
    return 0;
}

}  // namespace

CComp706::CComp706(CWorkspaceState& workspace, const std::string& outPath, const PrjBundle& bundle)
    : CComp(workspace, outPath, "", "", bundle)
{
    CompileAndWrite([this] { Compile(); });
}

void CComp706::Compile()
{
    if (!GetPrjData() || !GetCharSet() || !GetFrmCfg()) {
        Fail("Comp_orv: %s", !GetPrjData() ? "Projektdaten fehlen"
                             : !GetCharSet() ? "Zeichensatz fehlt"
                                             : "Firmware-Konfiguration fehlt");
        return;
    }
    const PanelRow* row = FindPanel(GetDevType());
    if (!row || row->family != Family::F706) {
        Fail("Comp_orv: Typ %u gehoert nicht zu dieser Familie", unsigned{GetDevType()});
        return;
    }
    using Step = StepResult (CComp706::*)();
    static constexpr Step kSteps[] = {
        &CComp706::WriteHeader,   &CComp706::WriteUserChars,  &CComp706::WriteSharedTexts,
        &CComp706::WriteVars,     &CComp706::WriteOpTexts,    &CComp706::WriteMsgTexts,
        &CComp706::WriteHistTexts, &CComp706::WriteHlpTexts,  &CComp706::WriteSkTxts,
        &CComp706::WriteSkActs,   &CComp706::WriteOpPrnTexts, &CComp706::WriteMsgPrnTexts,
        &CComp706::WriteMnus,     &CComp706::WriteTimers,     &CComp706::WriteSystem,
        &CComp706::WriteDescr,    &CComp706::Finish,
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

uint8_t CComp706::MaxBlankCount() const { return FindPanel(GetDevType())->blankRunMax; }

// --- Header, characters, shared texts ----------------------------------------

StepResult CComp706::WriteHeader()
{
    const CPrjData& prj = *GetPrjData();
    if (AppendZeros(kHeaderSize706) != 1)
        return -1;
    const std::string version =
        Workspace().GetToolVersion().substr(0, kHdrWBlockSize - kHdrWToolVersion - 1);
    const std::string frmName = GetFrmCfg()->GetFrmId().substr(0, kHdrWFrmNameMax);
    bool ok = WriteWord(kHdrWMagic, kMagic706) == 1 && WriteString(kHdrWName, CopyNameOf(prj.GetPath())) == 1 &&
              WriteString(kHdrWFwId, *WordHeaderFirmwareId(GetDevType())) == 1 &&
              WriteString(kHdrWFrmName, frmName) == 1 && WriteString(kHdrWToolVersion, version) == 1 &&
              WriteWord(kHdrWBlockSize, kHdrWBlockSize706) == 1;
    if (const std::optional<std::tm> t = LocalChangeTime(prj.GetPath()); ok && t) {
        const ChangeStamp::Bytes stamp = ChangeStamp::Encode(*t);
        ok = WriteBytes(kHdrWStamp, BytesOf(stamp.data(), stamp.size())) == 1;
    }
    return ok ? 1 : -1;
}

StepResult CComp706::WriteUserChars()
{
    const bool is706 = FindPanel(GetDevType())->highUserChars;
    std::string table(is706 ? 128 * kCUserCharSize706 : 8 * 8, '\0');
    CCharDefColl* defs = GetPrjData()->GetCharDefColl();
    for (int i = 0; defs && i < defs->GetCount(); ++i) {
        const CCharDef& def = *defs->ItemAt(i);
        const int code = def.GetCode();
        if (is706) {
            // Codes below 128 have no place in the 706 table.
            if (code < kCUserCharFirst706)
                continue;
            const UserChar706::Bytes packed = UserChar706::Encode(def.GetRows());
            table.replace(kCUserCharSize706 * static_cast<size_t>(code - kCUserCharFirst706), packed.size(),
                          BytesOf(packed.data(), packed.size()));
        } else {
            if (!HasAUserCharSlot(code))
                return Fail("Zeichen %d: Code ausserhalb 0..7", code);
            table.replace(8 * static_cast<size_t>(code), 8, BytesOf(def.GetRows().data(), 8));
        }
    }
    ImgRecord rec;
    rec.Bytes(CountedName::Encode("")).Bytes(table);
    uint32_t at = 0;
    if (PlaceRecord(rec, at) != 1)
        return -1;
    return WriteDWord(kCUserChars, at);
}

StepResult CComp706::WriteSharedTexts()
{
    CTextPool* pool = GetPrjData()->GetTextPool();
    const CCharSet& chars = *GetCharSet();
    for (int i = 0; pool && i < pool->GetCount(); ++i) {
        CSharedStr* str = pool->StrAt(i);
        const std::string text = str->GetSharedText().substr(0, kTextMax);
        std::string packed;
        bool countOpen = false;
        for (const char c : text) {
            if (c == ' ') {
                BlankCount706::Add(packed, countOpen, MaxBlankCount());
            } else if (const uint8_t kept = chars.FilterTextChar(static_cast<uint8_t>(c))) {
                packed.push_back(static_cast<char>(kept));
                countOpen = false;
            }
        }
        ImgRecord rec;
        rec.Byte(static_cast<uint8_t>(packed.size())).Bytes(packed).Byte(0);
        uint32_t at = 0;
        if (PlaceRecord(rec, at) != 1)
            return -1;
        str->SetImagePos(at);
        Count(Counter::SharedTexts);
    }
    return 1;
}

// --- Variables ---------------------------------------------------------------

StepResult CComp706::WriteVars()
{
    CPrjVarList* vars = GetPrjData()->GetVarList();
    CPrjVarList* fwVars = GetPrjData()->GetFwVarList();
    // The panel finds its internal variables at the head of the chain.
    for (CPrjVarList* list : {vars, fwVars})
        for (int i = 0; list && i < list->GetCount(); ++i)
            if (list->VarAt(i)->IsInternal() && WriteVar(*list->VarAt(i)) != 1)
                return -1;
    for (int i = 0; vars && i < vars->GetCount(); ++i)
        if (!vars->VarAt(i)->IsInternal() && WriteVar(*vars->VarAt(i)) != 1)
            return -1;
    return 1;
}

StepResult CComp706::WriteVar(CPrjVar& var)
{
    const uint8_t type = var.GetType();
    const std::string name = CountedName::Encode(var.GetName());
    ImgRecord rec;
    rec.DWord(0).Bytes(name);
    const uint32_t dataOffset = rec.Size();
    rec.Byte(var.GetWidth()).Byte(SetpCode706::Encode(var.GetSetpKind())).Word(type);
    if (var.IsInternal())
        rec.DWord(static_cast<uint32_t>(var.GetExtWord0())).DWord(static_cast<uint32_t>(var.GetExtWord1()));
    else
        rec.DWord(0).DWord(static_cast<uint16_t>(var.GetAdr()) & 0xFFu);
    if (VarTail(var, rec) != 1)
        return -1;
    // The record never runs past a boundary, even where the usual room for
    // its type is smaller than the record.
    if (Reserve(std::max(VarReserve706(type, var.GetName().size(), var.MaxStateIdx()), rec.Size())) != 1)
        return -1;
    uint32_t at = 0;
    if (PlaceRecord(rec, at) != 1)
        return -1;
    if (WriteDWord(m_lastVar != 0 ? m_lastVar : kCVarFirst, at) != 1)
        return -1;
    m_lastVar = at;
    var.SetAttr32(at + dataOffset);
    Count(Counter::Vars);

    if (var.GetName() == "[Z084]" || var.GetName() == ResKonstText(kComp706SkRowName1))
        SetFlagBit706(kFeatSoftkeys);
    if (UsesMessageWord(GetSpsPar(), var))
        NoteMessageWord(static_cast<uint16_t>(var.GetAdr()));
    return 1;
}

StepResult CComp706::VarTail(const CPrjVar& var, ImgRecord& rec)
{
    const uint8_t type = var.GetType();
    const uint8_t first = var.GetExtByte0();
    switch (type) {
    case vartype::kBcd1:
    case vartype::kBcd2:
    case vartype::kBcd01:
    case vartype::kBcd02:
        rec.Byte(first)
            .Byte(0)
            .DWord(static_cast<uint32_t>(var.GetExtWord1()))
            .DWord(static_cast<uint32_t>(var.GetExtWord2()));
        return 1;
    case vartype::kBit:
        rec.Word(static_cast<uint16_t>(first < 16 ? 1u << first : 0u));
        return StateTexts(var, 1, rec);
    case vartype::kString:
    case vartype::kCString:
    case vartype::kIntString:
    case vartype::kIntCString:
        rec.Word(static_cast<uint16_t>(var.MaxStateIdx()));
        return StateTexts(var, var.MaxStateIdx(), rec);
    case vartype::kWord:
        SetFlagBit706(kFeatKind33And36);
        rec.Word(FormWord706::Encode(first));
        return 1;
    case vartype::kTimer:
        SetFlagBit706(kFeatKind33And36);
        return StateTexts(var, 3, rec);
    case vartype::kIntBin2:
    case vartype::kIntBin02: {
        const auto* num = dynamic_cast<const CPrjIntVarNum*>(&var);
        rec.Byte(var.GetExtByte12())
            .Byte(num ? num->GetDecimals() : 0)
            .DWord(static_cast<uint32_t>(var.GetExtWord4()))
            .DWord(static_cast<uint32_t>(var.GetExtWord5()));
        return 1;
    }
    case vartype::kIntHex: {
        SetFlagBit706(kFeatHexVars);
        const auto* hex = dynamic_cast<const CPrjIntVarHex*>(&var);
        const std::string bytes = hex ? HexPairBytes(hex->GetHexText(), 255) : std::string();
        std::string nonZero = bytes;
        std::erase(nonZero, '\0');
        rec.Bytes(nonZero).Byte(0).Byte(static_cast<uint8_t>(bytes.size())).Bytes(bytes);
        return 1;
    }
    case vartype::kIntByte:
        rec.Word(FormWord706::Encode(var.GetExtByte12()));
        return 1;
    case vartype::kIntW40:
        rec.Word(var.GetExtByte12());
        return 1;
    default:
        break;
    }
    if (Comp706IsBinType(type) || Comp706IsVbinType(type)) {
        EncodeBinHead(var, rec);
        if (IsScaled(type))
            return ScaledTail(var, Comp706IsVbinType(type), rec);
    }
    return 1;
}

StepResult CComp706::ScaledTail(const CPrjVar& var, bool isSigned, ImgRecord& rec)
{
    const int64_t lower = RangeValue(var.GetExtWord1(), isSigned);
    const int64_t plcLower = RangeValue(var.GetExtWord3(), isSigned);
    // The panel divides by the display span; a PLC range of one value is
    // a constant and allowed.
    const std::optional<ReducedSpans> spans = ReducedSpans::Encode(
        RangeValue(var.GetExtWord2(), isSigned) - lower, RangeValue(var.GetExtWord4(), isSigned) - plcLower);
    if (!spans)
        return Fail("Variable %s: Skalierung nicht darstellbar", var.GetName().c_str());
    // The panel reads the offset as signed 48 bits; a larger one would
    // scale with a wrong value.
    const int64_t offset = lower * spans->plc - plcLower * spans->dsp;
    if (!FitsValue48(offset, true))
        return Fail("Variable %s: Skalierung passt nicht in 48 Bit", var.GetName().c_str());
    rec.Word(spans->dsp).Word(spans->plc).Value48(offset);
    return 1;
}

StepResult CComp706::StateTexts(const CPrjVar& var, int last, ImgRecord& rec)
{
    const CTextPool* pool = GetPrjData()->GetTextPool();
    for (int i = 0; i <= last; ++i) {
        const char* text = var.GetStateTxt(i);
        const CSharedStr* str = text && pool ? pool->FindText(text) : nullptr;
        const uint32_t at = str ? str->GetImagePos() : 0;
        // The panel skips an internal variable's missing texts; an ordinary
        // variable needs all of them.
        if (at == 0 && !var.IsInternal())
            return Fail("Variable %s: Zustandstext %d fehlt", var.GetName().c_str(), i);
        rec.DWord(at);
    }
    return 1;
}

// --- Text lists ----------------------------------------------------------------

std::string CComp706::EncodeRow(const CTxtRowBase& row, const ListLayout& layout)
{
    const std::string& text = row.GetText();
    const size_t end = std::min(text.size(), layout.printer ? kCPrinterCols : kTextMax);
    std::vector<bool> placed(static_cast<size_t>(row.GetVarCount()), false);
    const CCharSet& chars = *GetCharSet();
    ImgRecord fields;
    uint8_t fieldCount = 0;
    std::string out;
    bool countOpen = false;
    for (size_t p = 0; p < end;) {
        const CPrjVar* field = nullptr;
        for (int i = 0; i < row.GetVarCount() && !field; ++i) {
            const TxtVarSlot slot = row.GetVarSlot(i);
            if (slot.var && slot.col == p && !placed[static_cast<size_t>(i)]) {
                placed[static_cast<size_t>(i)] = true;
                field = slot.var;
            }
        }
        if (field) {
            fields.DWord(field->GetAttr32()).Word(static_cast<uint16_t>(p));
            ++fieldCount;
            countOpen = false;
            if (layout.logsVars && !field->IsInternal())
                SetFlagBit706(kFeatPlcHistVars);
            p += std::max<size_t>(field->GetWidth(), 1);
            continue;
        }
        const auto c = static_cast<uint8_t>(text[p++]);
        if (layout.printer) {
            out.push_back(static_cast<char>(c));
        } else if (c == ' ') {
            BlankCount706::Add(out, countOpen, MaxBlankCount());
        } else if (const uint8_t kept = chars.FilterTextChar(c)) {
            out.push_back(static_cast<char>(kept));
            countOpen = false;
        }
    }
    // A longer row loses its end.
    out.resize(std::min(out.size(), layout.printer ? kCPrinterRowMax : kCScreenRowMax));
    ImgRecord rec;
    rec.Byte(static_cast<uint8_t>(out.size())).Byte(fieldCount).Bytes(fields.Data()).Bytes(out).Byte(0);
    return std::string(rec.Data());
}

template <class Entry>
uint32_t CComp706::WriteTxtEntry(const Entry& entry, const ListLayout& layout)
{
    int rows = 0;
    for (int i = 1; i <= entry.GetRowCount(); ++i)
        if (entry.GetRow(i))
            rows = i;
    ImgRecord rec;
    rec.Word(EntryAttr(entry)).Word(static_cast<uint16_t>(rows));
    for (int i = 1; i <= rows; ++i)
        rec.DWord(0);
    uint32_t at = 0;
    if (PlaceRecord(rec, at) != 1)
        return 0;
    for (int i = 1; i <= rows; ++i) {
        const auto* row = entry.GetRow(i);
        if (!row)
            continue;
        ImgRecord rowRec;
        rowRec.Bytes(EncodeRow(*row, layout));
        uint32_t rowAt = 0;
        if (PlaceRecord(rowRec, rowAt) != 1 || WriteDWord(at + 4 * static_cast<uint32_t>(i), rowAt) != 1)
            return 0;
        Count(layout.rows);
    }
    return at;
}

template <class List>
uint32_t CComp706::WriteListHeader(const List& list, uint32_t headerSlot, bool helpRange)
{
    const auto* highest = list.GetHighest();
    const int32_t slots = highest ? highest->GetNum() + 1 : 0;
    if (slots > kTableMax + 1) {
        Fail("Liste: Nummer %d ohne Platz im Datensatz", static_cast<int>(slots - 1));
        return 0;
    }
    uint16_t low = 0;
    uint16_t high = 0;
    if (const auto* range = dynamic_cast<const CNumRange*>(list.GetTemplate())) {
        low = static_cast<uint16_t>(helpRange ? 0 : range->GetLowest());
        high = static_cast<uint16_t>(helpRange ? kCHelpHigh : range->GetHighest());
    }
    ImgRecord rec;
    rec.DWord(0).DWord(0).DWord(0).Word(low).Word(high).Word(static_cast<uint16_t>(slots));
    for (int32_t n = 0; n < slots; ++n)
        rec.DWord(0);
    uint32_t at = 0;
    if (PlaceRecord(rec, at) != 1 || WriteDWord(headerSlot, at) != 1)
        return 0;
    return at;
}

template <class List>
StepResult CComp706::WriteTxtList(const List* list, const ListLayout& layout)
{
    if (!list || list->GetCount() == 0)
        return 1;
    const uint32_t head = WriteListHeader(*list, layout.headerSlot, layout.helpRange);
    if (head == 0)
        return -1;
    for (int i = 0; i < list->GetCount(); ++i) {
        const auto& entry = *list->ItemAt(i);
        const int32_t num = entry.GetNum();
        if (num < -1)
            return Fail("Text %d: Nummer ohne Platz im Datensatz", static_cast<int>(num));
        const uint32_t at = WriteTxtEntry(entry, layout);
        if (at == 0 || WriteDWord(num < 0 ? head + kCListTemplate : CListSlot(head, num), at) != 1)
            return -1;
        Count(layout.texts);
    }
    return 1;
}

StepResult CComp706::WriteOpTexts()
{
    return WriteTxtList(GetPrjData()->GetOpTxtList(),
                        {kCOpTxts, Counter::OpTexts, Counter::OpRows, false, false, false});
}

StepResult CComp706::WriteMsgTexts()
{
    return WriteTxtList(GetPrjData()->GetMsgTxtList(),
                        {kCMsgTxts, Counter::MsgTexts, Counter::MsgRows, false, false, false});
}

StepResult CComp706::WriteHistTexts()
{
    return WriteTxtList(GetPrjData()->GetHistTxtList(),
                        {kCHistTxts, Counter::HistTexts, Counter::HistRows, false, false, true});
}

StepResult CComp706::WriteHlpTexts()
{
    for (int kind = 0; kind < kCHlpLists; ++kind)
        if (WriteTxtList(GetPrjData()->GetHlpTxtList(kind),
                         {CHlpTxtSlot(kind), Counter::HlpTexts, Counter::HlpRows, false, true, false}) != 1)
            return -1;
    return 1;
}

StepResult CComp706::WriteOpPrnTexts()
{
    return WriteTxtList(GetPrjData()->GetOpPrnTxtList(),
                        {kCOpPrnTxts, Counter::OpPrnTexts, Counter::OpPrnRows, true, false, false});
}

StepResult CComp706::WriteMsgPrnTexts()
{
    return WriteTxtList(GetPrjData()->GetMsgPrnTxtList(),
                        {kCMsgPrnTxts, Counter::MsgPrnTexts, Counter::MsgPrnRows, true, false, true});
}

// --- Softkeys ------------------------------------------------------------------

StepResult CComp706::WriteSkTxts()
{
    CPrjSkTxtList* list = GetPrjData()->GetSkTxtList();
    if (!list || list->GetCount() == 0)
        return 1;
    const uint32_t head = WriteListHeader(*list, kCSkTxts, false);
    if (head == 0)
        return -1;
    for (int i = 0; i < list->GetCount(); ++i) {
        const CPrjSkTxt& text = *list->SkTxtAt(i);
        const int32_t num = text.GetNum();
        if (num < -1)
            return Fail("Softkeytext %d: Nummer ohne Platz im Datensatz", static_cast<int>(num));
        ImgRecord rec;
        rec.Word(0).Word(kCSkKeys);
        for (int key = 1; key <= kCSkKeys; ++key)
            rec.DWord(0);
        uint32_t at = 0;
        if (PlaceRecord(rec, at) != 1)
            return -1;
        for (int key = 1; key <= kCSkKeys; ++key) {
            if (!text.HasAct(key))
                continue;
            ImgRecord acts;
            EncodeKeyActs(text, key, acts);
            uint32_t actsAt = 0;
            if (PlaceRecord(acts, actsAt) != 1 || WriteDWord(at + 4 * static_cast<uint32_t>(key), actsAt) != 1)
                return -1;
        }
        if (WriteDWord(num < 0 ? head + kCListTemplate : CListSlot(head, num), at) != 1)
            return -1;
        Count(Counter::SkTexts);
        SetFlagBit706(kFeatSoftkeys);
    }
    return 1;
}

uint32_t CComp706::WriteNumTable(int32_t highest, uint32_t headerSlot)
{
    if (highest > kTableMax) {
        Fail("Tabelle: Nummer %d ohne Platz im Datensatz", static_cast<int>(highest));
        return 0;
    }
    const int32_t slots = highest + 1;
    ImgRecord table;
    table.Word(static_cast<uint16_t>(slots));
    for (int32_t n = 0; n < slots; ++n)
        table.DWord(0);
    uint32_t at = 0;
    if (PlaceRecord(table, at) != 1 || WriteDWord(headerSlot, at) != 1)
        return 0;
    return at;
}

StepResult CComp706::WriteSkActs()
{
    CPrjSkActList* list = GetPrjData()->GetSkActList();
    if (!list || list->GetCount() == 0)
        return 1;
    const CPrjSkAct* highest = list->FindHighest();
    const int32_t top = highest ? highest->GetNum() : 0;
    const uint32_t tableAt = WriteNumTable(top, kCSkActs);
    if (tableAt == 0)
        return -1;
    for (int i = 0; i < list->GetCount(); ++i) {
        const CPrjSkAct& act = *list->ItemAt(i);
        const int32_t num = act.GetNum();
        if (num < 0 || num > top)
            return Fail("Softkeyaktion %d: Nummer ohne Platz im Datensatz", static_cast<int>(num));
        ImgRecord rec;
        EncodeSkAct(act, true, rec);
        uint32_t at = 0;
        if (PlaceRecord(rec, at) != 1 || WriteDWord(CTableSlot(tableAt, num), at) != 1)
            return -1;
        Count(Counter::SkActions);
        SetFlagBit706(kFeatSoftkeys);
    }
    return 1;
}

// --- Menus, time switches, system block, description ---------------------------

StepResult CComp706::WriteMnus()
{
    CPrjMnuList* list = GetPrjData()->GetMnuList();
    if (!list || list->GetCount() == 0)
        return 1;
    const CPrjMnu* highest = list->GetHighest();
    const uint32_t tableAt = WriteNumTable(highest ? highest->GetNum() : 0, kCMnus);
    if (tableAt == 0)
        return -1;
    for (int i = 0; i < list->GetCount(); ++i)
        if (WriteMnu(*list->ItemAt(i), tableAt) != 1)
            return -1;
    SetCurMnu(nullptr);
    return 1;
}

StepResult CComp706::WriteMnu(CPrjMnu& menu, uint32_t tableAt)
{
    const CPrjMnuNode* start = BeginMnu(menu);
    if (!start)
        return -1;
    const CPrjMnuNodeList* nodes = menu.GetSubList();
    std::vector<const CPrjMnuNode*> order{start};
    for (int i = 0; i < nodes->GetCount(); ++i)
        if (nodes->ItemAt(i) != start)
            order.push_back(nodes->ItemAt(i));
    bool broken = nodes->FindUnreachable() != nullptr;

    ImgRecord head;
    head.Bytes(CountedName::Encode(menu.GetName())).Word(menu.GetMnuOpt());
    // The start node follows the menu record directly.
    if (Reserve(head.Size() + kCNodeSize) != 1)
        return -1;
    const auto menuAt = static_cast<uint32_t>(GetLength());
    if (AppendBytes(head.Data()) != 1 || WriteDWord(CTableSlot(tableAt, menu.GetNum()), menuAt) != 1)
        return -1;
    std::vector<uint32_t> nodeAts;
    for (const CPrjMnuNode* node : order) {
        ImgRecord rec;
        rec.DWord(0).Word(node->GetNum()).Word(static_cast<uint16_t>(node->GetOpTxt() ? node->GetOpTxt()->GetNum() : 0));
        for (uint8_t link : node->GetLinks())
            rec.DWord(KeptMnuLink(*nodes, link, broken));
        uint32_t at = 0;
        if (PlaceRecord(rec, at) != 1 || (!nodeAts.empty() && WriteDWord(nodeAts.back(), at) != 1))
            return -1;
        nodeAts.push_back(at);
        SetNodeAdr(node->GetNum(), at);
        Count(Counter::MenuNodes);
    }
    // Links become addresses once every node has one.
    for (size_t i = 0; i < order.size(); ++i) {
        const std::array<uint8_t, 4>& links = order[i]->GetLinks();
        for (size_t l = 0; l < links.size(); ++l) {
            const uint32_t slot = nodeAts[i] + kCNodeLinks + 4 * static_cast<uint32_t>(l);
            if (links[l] != 0 && nodes->FindByNum(links[l]) && WriteDWord(slot, GetNodeAdr(links[l])) != 1)
                return -1;
        }
    }
    EndMnu(menu, broken);
    return 1;
}

StepResult CComp706::WriteTimers()
{
    CTimerList* list = GetPrjData()->GetTimerList();
    if (!list || list->GetCount() == 0)
        return 1;
    int32_t top = 0;
    for (int i = 0; i < list->GetCount(); ++i)
        top = std::max<int32_t>(top, list->TimerAt(i)->GetNr());
    const uint32_t tableAt = WriteNumTable(top, kCTimers);
    if (tableAt == 0)
        return -1;
    for (int i = 0; i < list->GetCount(); ++i) {
        const CPrjTimer& timer = *list->TimerAt(i);
        const CTimeValList* times = timer.GetTimes();
        const int count = times ? times->GetCount() : 0;
        ImgRecord rec;
        rec.Bytes(CountedName::Encode(timer.GetName())).Word(static_cast<uint16_t>(count));
        for (int t = 0; t < count; ++t) {
            const CTimeVal& v = *times->ValAt(t);
            for (uint32_t b : {v.GetBegDay(), v.GetBegHour(), v.GetBegMin(), v.GetBegSec(), v.GetEndDay(),
                               v.GetEndHour(), v.GetEndMin(), v.GetEndSec()})
                rec.Byte(static_cast<uint8_t>(b));
            Count(Counter::TimeValues);
        }
        uint32_t at = 0;
        if (PlaceRecord(rec, at) != 1 || WriteDWord(CTableSlot(tableAt, timer.GetNr()), at) != 1)
            return -1;
        Count(Counter::TimeSwitches);
    }
    return 1;
}

StepResult CComp706::WriteSystem()
{
    // The system block and the constant table behind it.
    static constexpr uint8_t kConstants[] = {127, 1, 2, 4, 8, 16, 32, 64, 31, 63, 96};
    constexpr uint32_t kSystemSize = 8;
    ImgRecord rec;
    rec.Word(FindPanel(GetDevType())->systemWord)
        .Byte(static_cast<uint8_t>(GetPrjData()->GetMsgMode()))
        .Byte(0)
        .DWord(0)
        .Word(static_cast<uint16_t>(sizeof kConstants))
        .Bytes(BytesOf(kConstants, sizeof kConstants));
    uint32_t at = 0;
    if (PlaceRecord(rec, at) != 1 || WriteDWord(at + 4, at + kSystemSize) != 1 || WriteDWord(kCSystem, at) != 1)
        return -1;
    SetFlagBit706(kFeatSystemBlock);
    return 1;
}

StepResult CComp706::WriteDescr()
{
    const std::string& descr = GetPrjData()->GetDescr();
    // The description must leave room for the closing pad byte.
    if (GetLength() + descr.size() + 1 + 2 >= GetMemLimit()) {
        SetNamesLevel(3);
        return 1;
    }
    if (WriteDWord(kCDescr, static_cast<uint32_t>(GetLength())) != 1)
        return -1;
    return AppendString(descr);
}

StepResult CComp706::Finish()
{
    const std::array<uint8_t, 8>& flags = Flags706();
    if (WriteBytes(kHdrWFeatures, BytesOf(flags.data(), flags.size())) != 1)
        return -1;
    return StampFamily706CheckWord();
}

} // namespace orv
