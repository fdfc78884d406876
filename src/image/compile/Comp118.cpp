// Compiles a 118 family data set with its list tables, date/time and recipe
// blocks; every pointer is a word, so the image is held to what a word reaches.
#include "image/compile/Comp118.h"

#include "image/compile/CompParts.h"
#include "image/codec/ImageBuffer.h"
#include "image/codec/ImgLayout.h"
#include "image/codec/ImgRecord.h"
#include "model/project/FrmCfg.h"
#include "model/core/Log.h"
#include "model/project/Mnu.h"
#include "model/project/MsgTxt.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVarList.h"
#include "model/project/RcpTxt.h"
#include "model/project/SpsPar.h"
#include "model/project/TxtRow.h"
#include "model/core/WorkspaceState.h"

#include <algorithm>
#include <array>
#include <vector>

namespace orv {

using namespace imglayout;

namespace {

constexpr int kComp118OpTxtRowsMax = 4;
constexpr int kComp118TextRowsMax = 32;
constexpr int kConflictWords = 256;
constexpr uint16_t kHlpRangeHi = 0xFFFF;

// Row variables that make the panel need its date/time or recipe block.
bool IsDateVarName(const std::string& name)
{
    return name.size() == 5 && name[0] == '[' && name[1] == 'Z' && name[4] == ']' &&
           ((name[2] == '1' && name[3] >= '5' && name[3] <= '9') || (name[2] == '2' && name[3] >= '0' && name[3] <= '4'));
}
bool IsRcpVarName(const std::string& name) { return name == "[Z25]" || name == "[Z26]"; }

}  // namespace

CComp118::CComp118(CWorkspaceState& workspace, const std::string& outPath, const std::string& drvPath,
                   const std::string& fktPath, uint32_t /*reserve*/, const PrjBundle& bundle)
    : CComp043_118(workspace, outPath, drvPath, fktPath, bundle)
{
    // Every pointer in this image is a word: a longer image would point
    // into itself at the wrong places.
    SetMemLimit(std::min(workspace.MemInfo().freeData, kBImageEnd));
    CompileAndWrite([this] { Compile(); });
}

void CComp118::Compile()
{
    if (!HasProject())
        return;
    m_dwordVars = GetPrjData()->GetDWordVars() != 0;

    RunSteps<CComp118>({
        &CComp118::WriteHeader,      &CComp118::WriteTexts,     &CComp118::WriteVars,
        &CComp118::WritePrinter,     &CComp118::WriteOpTexts,   &CComp118::WriteMsgTexts,
        &CComp118::WriteRcpTexts,    &CComp118::WriteHlpTexts,  &CComp118::WriteSoftkeyTexts,
        &CComp118::WriteSoftkeyActs, &CComp118::WriteCycleTime, &CComp118::WriteUserChars,
        &CComp118::WriteMnus,        &CComp118::WriteDateBlock, &CComp118::WriteRcpBlock,
        &CComp118::Finish,
    });
}

CPrjVar* CComp118::FindVar(const char* name) const
{
    const CPrjData& prj = *GetPrjData();
    CPrjVar* var = prj.GetVarList() ? prj.GetVarList()->FindByName(std::string_view(name)) : nullptr;
    if (!var && prj.GetFwVarList())
        var = prj.GetFwVarList()->FindByName(std::string_view(name));
    return var;
}

void CComp118::NoteRowVar(const CPrjVar& var)
{
    if (IsDateVarName(var.GetName()))
        m_usesDateBlock = true;
    if (IsRcpVarName(var.GetName()))
        m_usesRcpBlock = true;
}

// --- Header, variables, printer ----------------------------------------------

StepResult CComp118::WriteHeader()
{
    SetFlagBit043_118(0);
    if (m_dwordVars)
        SetFlagBit043_118(kBFlagDWordVars);
    RaiseFwLevel(kBFwLevel);
    if (WriteByteHeader(kHeaderSize118) != 1)
        return -1;
    const std::string frmId = GetFrmCfg() ? GetFrmCfg()->GetFrmId() : std::string();
    FeedRecipeCheck();
    return WriteBytes(kBFrmName, BFrmName::Encode(frmId)) == 1 && WriteWord(kBRcpCheck, GetCheckWord()) == 1 ? 1 : -1;
}

StepResult CComp118::WriteVar(CPrjVar& var)
{
    ImgRecord rec;
    if (BuildVarRecord(var, m_varChain, m_dwordVars, rec) != 1)
        return -1;
    if (Reserve(BVarReserve(var.GetType(), var.MaxStateIdx())) != 1)
        return -1;
    if (GetLength() >= kBVarEnd) {
        LogLine(kLogErrors, "Variable %s: Adresse %#llx zu hoch", var.GetName().c_str(),
                static_cast<unsigned long long>(GetLength()));
        SetError(kErrVarMemory);
        return -1;
    }
    const auto at = static_cast<uint32_t>(GetLength());
    if (AppendBytes(rec.Data()) != 1)
        return -1;
    m_varChain = static_cast<uint16_t>(at);
    return VarPlaced(var, at);
}

StepResult CComp118::WritePrinter()
{
    if (Reserve(kBPrinterSize) != 1)
        return -1;
    return WritePrinterBlock();
}

// --- Text lists ------------------------------------------------------------------

uint32_t CComp118::WriteText(const CPrjNumEntry& entry, uint8_t first, int maxRows, TextKind kind)
{
    static constexpr Counter kRowCounters[] = {Counter::OpRows, Counter::MsgRows, Counter::RcpRows, Counter::HlpRows};
    const int rows = RowsOf(entry, maxRows);
    ImgRecord rec;
    rec.Byte(first).Byte(static_cast<uint8_t>(rows));
    for (int i = 1; i <= rows; ++i)
        rec.Word(0);
    uint32_t at = 0;
    if (PlaceRecord(rec, at) != 1)
        return 0;
    for (int i = 1; i <= rows; ++i) {
        const CTxtRowBase* row = entry.GetRow(i);
        if (!row)
            continue;
        const std::string bytes = EncodeRow(row, false);
        if (Reserve(kBRowReserve) != 1)
            return 0;
        const auto rowAt = static_cast<uint32_t>(GetLength());
        if (AppendCounted(bytes) != 1 || WriteWord(at + 2u * static_cast<uint32_t>(i), static_cast<uint16_t>(rowAt)) != 1)
            return 0;
        Count(kRowCounters[static_cast<size_t>(kind)]);
    }
    return at;
}

StepResult CComp118::WriteList(const CPrjNumList* list, uint32_t slot, TextKind kind)
{
    if (!list || list->GetCount() == 0)
        return 1;
    static constexpr Counter kCounters[] = {Counter::OpTexts, Counter::MsgTexts, Counter::RcpTexts, Counter::HlpTexts};
    const CPrjNumEntry* highest = list->GetHighest();
    uint32_t tableAt = 0;
    if (PlaceListTable(highest ? highest->GetNum() + 1 : 0, slot, tableAt) != 1)
        return -1;

    const int maxRows = kind == TextKind::Op ? kComp118OpTxtRowsMax : kComp118TextRowsMax;
    for (int i = 0; i < list->GetCount(); ++i) {
        const CPrjNumEntry& entry = *list->ItemAt(i);
        const int32_t num = entry.GetNum();
        // Only the help tables hold a range entry.
        if (num < 0 && kind != TextKind::Hlp)
            continue;
        if (kind == TextKind::Rcp && CheckRcpConflicts(static_cast<const CPrjRcpTxt&>(entry)) != 1)
            return -1;
        uint8_t first = 0;
        if (kind == TextKind::Msg) {
            const auto& msg = static_cast<const CMsgTxt&>(entry);
            first = MsgAttrByte::Encode(msg.GetPrio(), msg.GetDelMode());
        }
        const uint32_t at = WriteText(entry, first, maxRows, kind);
        if (at == 0)
            return -1;
        const bool ok = num >= 0 ? WriteWord(BListEntry(tableAt, num), static_cast<uint16_t>(at)) == 1
                                 : WriteWord(tableAt + kBListRange, static_cast<uint16_t>(at)) == 1 &&
                                       WriteWord(tableAt + kBListRangeLo, 0) == 1 &&
                                       WriteWord(tableAt + kBListRangeHi, kHlpRangeHi) == 1;
        if (!ok)
            return -1;
        Count(kCounters[static_cast<size_t>(kind)]);
    }
    return 1;
}

StepResult CComp118::PlaceListTable(int32_t slots, uint32_t slot, uint32_t& at)
{
    ImgRecord table;
    table.DWord(0).Word(0).DWord(0).Word(static_cast<uint16_t>(slots));
    for (int32_t n = 0; n < slots; ++n)
        table.Word(0);
    if (PlaceRecord(table, at) != 1)
        return -1;
    return WriteWord(slot, static_cast<uint16_t>(at));
}

StepResult CComp118::WriteOpTexts() { return WriteList(GetPrjData()->GetOpTxtList(), kBOpTable, TextKind::Op); }

StepResult CComp118::WriteMsgTexts()
{
    const CMsgTxtList* list = GetPrjData()->GetMsgTxtList();
    if (!list || list->GetCount() == 0)
        return 1;
    const CPrjNumEntry* highest = list->GetHighest();
    const int32_t slots = highest ? highest->GetNum() + 1 : 0;
    ImageBuffer block;
    block.AppendZeros(kBMsgAttrHead + static_cast<size_t>(slots));
    block.Patch2(kBListCount, static_cast<uint16_t>(slots));
    for (int i = 0; i < list->GetCount(); ++i) {
        const CMsgTxt& text = *list->MsgAt(i);
        if (text.GetNum() >= 0)
            block.Patch1(kBMsgAttrHead + static_cast<size_t>(text.GetNum()),
                         MsgAttrByte::Encode(text.GetPrio(), text.GetDelMode()));
    }
    ImgRecord rec;
    rec.Bytes(block.Bytes());
    uint32_t at = 0;
    if (PlaceRecord(rec, at) != 1 || WriteWord(kBMsgAttrBlock, static_cast<uint16_t>(at)) != 1)
        return -1;
    return WriteList(list, kBMsgTable, TextKind::Msg);
}

StepResult CComp118::WriteRcpTexts() { return WriteList(GetPrjData()->GetRcpTxtList(), kBRcpTable, TextKind::Rcp); }

StepResult CComp118::WriteHlpTexts()
{
    for (int kind = 0; kind < CPrjData::kHlpKinds; ++kind)
        if (WriteList(GetPrjData()->GetHlpTxtList(kind), BHlpSlot(kind), TextKind::Hlp) != 1)
            return -1;
    return 1;
}

StepResult CComp118::CheckRcpConflicts(const CPrjRcpTxt& text)
{
    // Per data word: the bits that Bit variables use, or all bits once a
    // variable claims the whole word.
    std::array<uint16_t, kConflictWords> used{};
    std::vector<const CPrjVar*> seen;
    for (int r = 1; r <= text.GetRowCount(); ++r) {
        const CTxtRowBase* row = text.GetRow(r);
        for (int i = 0; row && i < row->GetVarCount(); ++i) {
            const CPrjVar* var = row->GetVarSlot(i).var;
            if (!var || var->IsInternal() || std::find(seen.begin(), seen.end(), var) != seen.end())
                continue;
            seen.push_back(var);
            const auto word = static_cast<uint16_t>(var->GetAdr());
            const int words = var->GetType() == 12 ? 1 : std::max(1, var->WordCount());
            if (word + words > kConflictWords)
                return Fail("Rezept %d: Variable %s liegt hinter Datenwort 255", static_cast<int>(text.GetNum()),
                            var->GetName().c_str());
            bool conflict = false;
            if (var->GetType() == 12) {
                const auto mask = static_cast<uint16_t>(var->GetExtByte0() < 16 ? 1u << var->GetExtByte0() : 0u);
                conflict = (used[word] & mask) != 0;
                used[word] = static_cast<uint16_t>(used[word] | mask);
            } else {
                for (int w = 0; w < words; ++w) {
                    conflict = conflict || used[word + static_cast<size_t>(w)] != 0;
                    used[word + static_cast<size_t>(w)] = 0xFFFF;
                }
            }
            if (conflict) {
                const CSpsPar* sps = GetSpsPar();
                SetConflict(static_cast<uint16_t>(text.GetNum()),
                            sps ? sps->FmtAdr(sps->GetSpsAdr(word), sps->GetItems().FindItem(word)) : var->GetName());
                SetError(kErrRecipeConflict);
                return -1;
            }
        }
    }
    return 1;
}

// --- Softkeys and menus ----------------------------------------------------------

StepResult CComp118::WriteSoftkeyTexts()
{
    const PanelRow* row = FindPanel(GetDevType());
    return WriteSkTxts(row ? row->functionKeys : kSkKeysNarrow, true);
}

StepResult CComp118::WriteMnus()
{
    CPrjMnuList* list = GetPrjData()->GetMnuList();
    if (!list || list->GetCount() == 0)
        return 1;
    const CPrjMnu* highest = list->GetHighest();
    uint32_t tableAt = 0;
    if (PlaceListTable(highest ? highest->GetNum() + 1 : 0, kBMnuTable, tableAt) != 1)
        return -1;
    for (int i = 0; i < list->GetCount(); ++i)
        if (WriteMnu(*list->ItemAt(i), tableAt) != 1)
            return -1;
    SetCurMnu(nullptr);
    return 1;
}

StepResult CComp118::WriteMnu(CPrjMnu& menu, uint32_t tableAt)
{
    const CPrjMnuNode* start = BeginMnu(menu);
    if (!start)
        return -1;
    const CPrjMnuNodeList* nodes = menu.GetSubList();
    const std::vector<const CPrjMnuNode*> order = TextNodes(*nodes, *start);
    bool broken = nodes->FindUnreachable() != nullptr;

    // The mask is reserved with the first node, so that it always lies
    // right before it.
    if (Reserve(kBMnuMaskSize + kBNodeSize) != 1 || AppendWord(menu.GetMnuOpt()) != 1)
        return -1;
    uint32_t previous = 0;
    for (const CPrjMnuNode* node : order) {
        ImgRecord rec;
        rec.Word(0).Byte(node->GetNum());
        for (uint8_t link : node->GetLinks())
            rec.Byte(KeptMnuLink(*nodes, link, broken));
        rec.Byte(static_cast<uint8_t>(node->GetOpTxt()->GetNum()));
        uint32_t at = 0;
        if (PlaceRecord(rec, at) != 1)
            return -1;
        const bool linked = previous != 0 ? WriteWord(previous, static_cast<uint16_t>(at)) == 1
                                          : WriteWord(BListEntry(tableAt, menu.GetNum()), static_cast<uint16_t>(at)) == 1;
        if (!linked)
            return -1;
        SetNodeAdr(node->GetNum(), at);
        previous = at;
        Count(Counter::MenuNodes);
    }
    EndMnu(menu, broken);
    return 1;
}

// --- Date/time and recipe blocks, finish ---------------------------------------

StepResult CComp118::PlaceBlock(const ImgRecord& rec, uint32_t room, uint32_t slot, uint32_t& at)
{
    if (PlaceRecord(rec, room, at) != 1)
        return -1;
    return WriteWord(slot, static_cast<uint16_t>(at));
}

StepResult CComp118::WriteDateBlock()
{
    const CPrjVar* block = FindVar("[Z24]");
    const auto word = static_cast<uint16_t>(block ? block->GetAdr() : 0);
    if (m_usesDateBlock && word == 0) {
        SetError(kErrDateBlock);
        return -1;
    }
    const uint16_t mode = GetPrjData()->GetDateMode();
    ImgRecord rec;
    rec.Word(word).Word(mode == 1 || mode == 2 ? mode : 0).Word(kBDateBlockEnd);
    // The block is given 4 bytes of room.
    constexpr uint32_t kDateRoom = 4;
    uint32_t at = 0;
    if (PlaceBlock(rec, kDateRoom, kBDateBlock, at) != 1)
        return -1;

    const std::pair<const char*, uint32_t> lists[] = {{"[Z21]", kBWeekdays1}, {"[Z22]", kBWeekdays2}};
    for (const auto& [name, first] : lists) {
        const CPrjVar* names = FindVar(name);
        for (int i = 0; names && i < kBWeekdays && i <= names->MaxStateIdx(); ++i) {
            const char* text = names->GetStateTxt(i);
            if (text && WriteBytes(first + kBWeekdaySlot * static_cast<uint32_t>(i), BWeekdaySlot::Encode(text)) != 1)
                return -1;
        }
    }
    return 1;
}

StepResult CComp118::WriteRcpBlock()
{
    const CPrjVar* block = FindVar("[Z25]");
    const auto word = static_cast<uint16_t>(block ? block->GetAdr() : 0);
    if (m_usesRcpBlock && word == 0) {
        SetError(kErrRecipeBlock);
        return -1;
    }
    ImgRecord rec;
    rec.Word(word).Word(0).Word(kBRcpBlockEnd);
    uint32_t at = 0;
    if (PlaceBlock(rec, rec.Size(), kBRcpBlock, at) != 1)
        return -1;
    // The second word points just behind itself.
    return WriteWord(at + 2, static_cast<uint16_t>(at + 4));
}

StepResult CComp118::Finish()
{
    // Names are placed one by one with the boundary rule; nothing is
    // appended after the data set but the closing word.
    if (FinishDataSet(0, true) != 1)
        return -1;
    return AppendWord(0);
}

} // namespace orv
