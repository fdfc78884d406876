// Compiles a 043 family project: the data set, then the driver and special
// functions appended, all within the panel's memory.
#include "image/compile/Comp043.h"

#include "image/compile/CompParts.h"
#include "image/codec/ImgLayout.h"
#include "image/codec/ImgRecord.h"
#include "model/core/Log.h"
#include "model/project/Mnu.h"
#include "model/project/MsgTxt.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVarList.h"

#include <algorithm>
#include <vector>

namespace orv {

using namespace imglayout;

namespace {

constexpr uint16_t kPlainMnuOptions = 0x30FF;
constexpr int kOpTxtRowsMax = 4;
constexpr int kTextRowsMax = 32;

}  // namespace

CComp043::CComp043(CWorkspaceState& workspace, const std::string& outPath, const std::string& drvPath,
                   const std::string& fktPath, uint32_t reserve, const PrjBundle& bundle)
    : CComp043_118(workspace, outPath, drvPath, fktPath, bundle), m_reserve(reserve)
{
    SetMemLimit(kMemLimit043);
    CompileAndWrite([this] { Compile(); });
}

void CComp043::Compile()
{
    if (!HasProject())
        return;
    const CPrjData* prj = GetPrjData();
    const uint16_t type = GetDevType();
    const PanelRow* row = PanelType(type, prj->GetVariant() == 1).Row();
    m_printer = row && row->printer;
    m_keys = row ? row->functionKeys : imglayout::kSkKeysNarrow;
    m_variant2 = row && row->variant != 0;

    RunSteps<CComp043>({
        &CComp043::WriteHeader,    &CComp043::WritePrinter,      &CComp043::WriteTexts,
        &CComp043::WriteVars,      &CComp043::WriteOpTexts,      &CComp043::WriteMsgTexts,
        &CComp043::WriteHlpTexts,  &CComp043::WriteSoftkeyTexts, &CComp043::WriteSoftkeyActs,
        &CComp043::WriteCycleTime, &CComp043::WriteUserChars,    &CComp043::WriteMnus,
        &CComp043::Finish,
    });
}

void CComp043::Raise(FwCause cause)
{
    if (m_variant2) {
        RaiseFwLevel(kVariantFwLevel);
        return;
    }
    // The panel table keeps the levels in the order of FwCause.
    if (const PanelRow* row = FindPanel(GetDevType()))
        RaiseFwLevel(row->fwLevels[static_cast<size_t>(cause)]);
}

// --- Header and printer ----------------------------------------------------

StepResult CComp043::WriteHeader()
{
    SetFlagBit043_118(0);
    if (m_variant2)
        RaiseFwLevel(kVariantFwLevel);
    return WriteByteHeader(kHeaderSize043);
}

StepResult CComp043::WritePrinter() { return HasPrinter() ? WritePrinterBlock() : StepResult{1}; }

// --- Shared texts and variables ----------------------------------------------

StepResult CComp043::WriteVar(CPrjVar& var)
{
    ImgRecord rec;
    if (BuildVarRecord(var, m_varChain, false, rec) != 1)
        return -1;
    uint32_t at = 0;
    if (PlaceRecord(rec, at) != 1)
        return -1;
    m_varChain = static_cast<uint16_t>(at);
    if (VarPlaced(var, at) != 1)
        return -1;
    const uint8_t type = var.GetType();
    if (type == 3 || type == 5 || type == 7 || type == 9 || type == 19 || type == 21 || type == 23 || type == 25)
        Raise(FwCause::WideBin);
    if (((type == 32 || type == 33) && (var.GetExtByte0() == 1 || var.GetExtByte0() == 2)) || type == 36)
        Raise(FwCause::WordForms);
    return 1;
}

// --- Texts -------------------------------------------------------------------

void CComp043::NoteRowVar(const CPrjVar& var)
{
    if (var.GetType() == 144)
        Raise(FwCause::IntStrInRow);
    if (var.IsInternal()) {
        const std::string& name = var.GetName();
        if (name.size() == 2 && name[0] == 'Z' && name[1] >= 'A' && name[1] <= 'H')
            Raise(FwCause::PrnVarInRow);
        if (name == "Z4" || name == "Z5")
            Raise(FwCause::SkRowVarInRow);
    }
}

uint32_t CComp043::WriteText(const CPrjNumEntry& entry, int maxRows, Counter rowCounter)
{
    const int rows = RowsOf(entry, maxRows);
    ImgRecord rec;
    rec.Byte(static_cast<uint8_t>(rows));
    for (int i = 1; i <= rows; ++i) {
        const std::string row = EncodeRow(entry.GetRow(i), CountsBlanks());
        rec.Byte(static_cast<uint8_t>(row.size())).Bytes(row);
    }
    uint32_t at = 0;
    if (PlaceRecord(rec, at) != 1)
        return 0;
    for (int i = 0; i < rows; ++i)
        Count(rowCounter);
    return at;
}

StepResult CComp043::WriteOpTexts()
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

StepResult CComp043::WriteMsgTexts()
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

StepResult CComp043::WriteHlpTexts()
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

// --- Menus and finish ---------------------------------------------------------

StepResult CComp043::WriteMnus()
{
    CPrjMnuList* list = GetPrjData()->GetMnuList();
    for (int i = 0; list && i < list->GetCount(); ++i)
        if (WriteMnu(*list->ItemAt(i)) != 1)
            return -1;
    SetCurMnu(nullptr);
    return 1;
}

StepResult CComp043::WriteMnu(CPrjMnu& menu)
{
    if (!HasAMnuSlot(menu.GetNum()))
        return Fail("Menue %u: Nummer ausserhalb 1..127", unsigned{menu.GetNum()});
    const CPrjMnuNode* start = BeginMnu(menu);
    if (!start)
        return -1;
    const CPrjMnuNodeList* nodes = menu.GetSubList();
    if (menu.GetMnuOpt() != kPlainMnuOptions)
        Raise(FwCause::MnuOptions);

    const std::vector<const CPrjMnuNode*> order = TextNodes(*nodes, *start);
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
        for (uint8_t link : node.GetLinks())
            rec.Byte(KeptMnuLink(*nodes, link, broken));
        rec.Byte(static_cast<uint8_t>(node.GetOpTxt()->GetNum()));
        SetNodeAdr(node.GetNum(), at);
    }
    if (AppendBytes(rec.Data()) != 1)
        return -1;
    if (!order.empty() && WriteWord(AMnuSlot(menu.GetNum()), static_cast<uint16_t>(first)) != 1)
        return -1;
    for (size_t i = 0; i < order.size(); ++i)
        Count(Counter::MenuNodes);
    EndMnu(menu, broken);
    return 1;
}

StepResult CComp043::Finish()
{
    if (FinishDataSet(m_reserve, false) != 1)
        return -1;
    LogLine(kLogInfo, "Driver anhaengen !");
    if (CopyDriverFile() != 1 || CopySpecialFile() != 1)
        return -1;
    return AppendWord(0);
}

} // namespace orv
