// The compiler base; the output's folder is checked before the work starts,
// since the image is written only at the very end.
#include "image/compile/Comp.h"

#include "image/codec/CheckWord.h"
#include "image/codec/FileFields.h"
#include "image/codec/ImgRecord.h"
#include "image/codec/ReadWhole.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/project/Mnu.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVarList.h"
#include "model/project/RcpTxt.h"
#include "model/project/SpsPar.h"
#include "model/core/WorkspaceState.h"
#include "platform/FileReplace.h"

#include <algorithm>
#include <cstdarg>
#include <numeric>
#include <unistd.h>

namespace orv {

namespace {

constexpr const char* kModule = "Comp_orv";

enum : int {
    kMsgUnusedVars = 15200,
    kMsgBrokenMnus = 15201,
    kMsgNoBlockAdr = 15202,
    kMsgNoOutput = 15204,
    kMsgNoDriver = 15205,
    kMsgNoSpecial = 15206,
    kMsgIncomplete = 15207,
    kMsgRecipeMemory = 15209,
    kMsgRecipeConflict = 15211,
    kMsgNamesLeftOut = 15212,
    kMsgMnuNamesLeftOut = 15213,
    kMsgMissingOnReadBack = 15214,
    kMsgDescrLeftOut = 15215,
    kMsgMessageWord = 15216,
    kMsgVarMemory = 15217,
};

// Whether a file can be created at path: its folder is there and writable,
// and path is not itself a folder. The image replaces the file only at the
// end, so this is asked first, before the work of a compile.
bool CanCreate(const std::string& path)
{
    const size_t slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string self = path.empty() || path.back() == '/' ? path : path + "/.";
    return !path.empty() && ::access(dir.c_str(), W_OK | X_OK) == 0 && ::access(self.c_str(), F_OK) != 0;
}

}  // namespace

CComp::CComp(CWorkspaceState& workspace, const std::string& outPath, const std::string& drvPath,
             const std::string& fktPath, const PrjBundle& bundle)
    : m_workspace(workspace),
      m_prj(bundle.prjData),
      m_sps(bundle.spsPar),
      m_frmCfg(bundle.frmCfg),
      m_charSet(bundle.charSet),
      m_outPath(outPath)
{
    SetMemLimit(workspace.MemInfo().freeData);
    if (m_prj)
        m_devType = m_prj->GetDevType();
    if (!CanCreate(outPath)) {
        SetError(kErrOutput);
        return;
    }
    if (!drvPath.empty() && !ReadWholeInput(drvPath, m_drv, kModule)) {
        SetError(kErrDriver);
        return;
    }
    if (!fktPath.empty() && !ReadWholeInput(fktPath, m_fkt, kModule))
        SetError(kErrSpecial);
}

StepResult CComp::WriteOut()
{
    if (Failed())
        return -1;
    if (!orv::WriteFileReplacing(m_outPath, m_out.Bytes())) {
        LogLine(kLogErrors, "Error ORV-Write %s %s", kModule, m_outPath.c_str());
        SetError(kErrIncomplete);
        return -1;
    }
    LogLine(kLogDebug, "Write %s %s OK", kModule, m_outPath.c_str());
    return 1;
}

// --- Results ---------------------------------------------------------------

bool CComp::CheckError()
{
    switch (m_error.Code()) {
    case 0:
        if (!m_secondImage)
            ReportSuccess();
        return true;
    case kErrOutput: ShowMessage(kMsgNoOutput); break;
    case kErrDriver: ShowMessage(kMsgNoDriver); break;
    case kErrSpecial: ShowMessage(kMsgNoSpecial); break;
    case kErrIncomplete: ShowMessage(kMsgIncomplete); break;
    case kErrMemory: break;
    case kErrRecipeConflict: {
        char text[300];
        std::snprintf(text, sizeof text, "%u\n%s", unsigned{m_conflictRecipe}, m_conflictText.c_str());
        ShowMessage(kMsgRecipeConflict, text);
        break;
    }
    case kErrRecipeMemory: ShowMessage(kMsgRecipeMemory); break;
    case kErrDateBlock:
    case kErrRecipeBlock: ShowMessage(kMsgNoBlockAdr); break;
    case kErrVarMemory: ShowMessage(kMsgVarMemory); break;
    default: return false;
    }
    m_error.Clear();
    return false;
}

void CComp::ReportSuccess()
{
    if (m_msgWord != kNoMsgWord && m_sps) {
        const std::string adr =
            m_sps->FmtAdr(m_sps->GetSpsAdr(m_msgWord), m_sps->GetItems().FindItem(m_msgWord));
        ShowMessage(kMsgMessageWord, m_sps->GetCaption(0), adr);
    }
    m_msgWord = kNoMsgWord;

    static constexpr int kNamesMsgs[] = {0, kMsgNamesLeftOut, kMsgMnuNamesLeftOut, kMsgDescrLeftOut};
    if (m_namesLevel >= 1 && m_namesLevel <= 3)
        ShowMessage(kNamesMsgs[m_namesLevel], LoadLangString(kMsgMissingOnReadBack));
    m_namesLevel = 0;

    if (CPrjVarList* vars = m_prj ? m_prj->GetVarList() : nullptr) {
        // The list is kept in name order already.
        bool header = false;
        for (int i = 0; i < vars->GetCount(); ++i) {
            const CPrjVar* var = vars->VarAt(i);
            if (var->GetUseCount() > 0 || var->IsInternal())
                continue;
            if (!header)
                LogLineId(kLogErrors, kMsgUnusedVars);
            header = true;
            LogLine(kLogErrors, "%s", var->GetName().c_str());
        }
    }
    if (!m_brokenMnus.empty()) {
        LogLineId(kLogErrors, kMsgBrokenMnus);
        for (const CPrjMnu* menu : m_brokenMnus)
            LogLine(kLogErrors, "%s", menu->GetName().c_str());
    }
    m_brokenMnus.clear();
}

// --- Write primitives ------------------------------------------------------

StepResult CComp::Written(bool ok)
{
    if (ok)
        return 1;
    if (m_out.GetFailure() != ImageBuffer::Failure::Limit) {
        SetError(kErrIncomplete);
        return -1;
    }
    SetError(kErrMemory);
    m_workspace.MemInfo().freeData = 0;
    LogLine(kLogErrors, "Error ORV-Memory %s %d", kModule, __LINE__);
    return -1;
}

void CComp::SetMemLimit(uint32_t limit)
{
    m_memLimit = limit;
    // The buffer's limit is the longest image; the memory check wants the
    // image below the panel's limit.
    m_out.SetLimit(limit > 0 ? limit - 1 : 0);
}

StepResult CComp::AppendByte(uint8_t value) { return Written(m_out.Put1(value)); }
StepResult CComp::AppendWord(uint16_t value) { return Written(m_out.Put2(value)); }
StepResult CComp::AppendDWord(uint32_t value) { return Written(m_out.Put4(value)); }
StepResult CComp::AppendBytes(std::string_view bytes) { return Written(m_out.Append(bytes)); }

StepResult CComp::AppendString(std::string_view text)
{
    return Written(m_out.Append(text) && m_out.Put1(0));
}

StepResult CComp::AppendCounted(std::string_view bytes)
{
    const size_t n = std::min<size_t>(bytes.size(), UINT8_MAX);
    return Written(m_out.Put1(static_cast<uint8_t>(n)) && m_out.Append(bytes.substr(0, n)));
}

StepResult CComp::AppendValue48(int64_t value) { return Written(m_out.Put6(static_cast<uint64_t>(value))); }
StepResult CComp::AppendZeros(uint64_t count) { return Written(m_out.AppendZeros(count)); }
StepResult CComp::WriteByte(uint32_t offset, uint8_t value) { return Written(m_out.Patch1(offset, value)); }
StepResult CComp::WriteWord(uint32_t offset, uint16_t value) { return Written(m_out.Patch2(offset, value)); }
StepResult CComp::WriteDWord(uint32_t offset, uint32_t value) { return Written(m_out.Patch4(offset, value)); }
StepResult CComp::WriteBytes(uint32_t offset, std::string_view bytes) { return Written(m_out.PatchBytes(offset, bytes)); }

StepResult CComp::WriteString(uint32_t offset, std::string_view text)
{
    return Written(m_out.PatchBytes(offset, text) && m_out.Patch1(offset + text.size(), 0));
}

StepResult CComp::ReadWord(uint32_t offset, uint16_t& value)
{
    value = m_out.Get2(offset);
    return Written(m_out.Ok());
}

StepResult CComp::ReadDWord(uint32_t offset, uint32_t& value)
{
    value = m_out.Get4(offset);
    return Written(m_out.Ok());
}

StepResult CComp::PadEven() { return (m_out.Size() & 1u) ? AppendByte(0) : StepResult{1}; }

StepResult CComp::Reserve(uint32_t n)
{
    const uint64_t length = m_out.Size();
    const uint64_t target = imglayout::ReservedLength(length, n, GetBlockRule());
    return target > length ? AppendZeros(target - length) : StepResult{1};
}

StepResult CComp::PlaceRecord(const ImgRecord& record, uint32_t& at)
{
    return PlaceRecord(record, record.Size(), at);
}

StepResult CComp::PlaceRecord(const ImgRecord& record, uint32_t room, uint32_t& at)
{
    if (Reserve(room) != 1)
        return -1;
    at = static_cast<uint32_t>(m_out.Size());
    return AppendBytes(record.Data());
}

StepResult CComp::PlaceSlotTable(uint16_t count, uint32_t slot, uint32_t& at)
{
    ImgRecord table;
    table.Word(count);
    for (uint16_t n = 0; n < count; ++n)
        table.Word(0);
    if (PlaceRecord(table, at) != 1)
        return -1;
    return WriteWord(slot, static_cast<uint16_t>(at));
}

// --- State -------------------------------------------------------------------

bool CComp::HasProject()
{
    if (GetPrjData() && GetCharSet())
        return true;
    Fail("Comp_orv: %s", GetPrjData() ? "Zeichensatz fehlt" : "Projektdaten fehlen");
    return false;
}

void CComp::SetError(uint16_t code)
{
    m_error.Set(code);
}

int CComp::Fail(const char* format, ...)
{
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    LogAppend(kLogErrors, text);
    SetError(kErrIncomplete);
    return -1;
}

void CComp::UpdateFreeMemory()
{
    // An image refused for memory leaves none, as when it had been written.
    const uint64_t length = m_out.Size();
    const bool full = m_out.GetFailure() == ImageBuffer::Failure::Limit || length >= m_memLimit;
    m_workspace.MemInfo().freeData = full ? 0 : static_cast<uint32_t>(m_memLimit - length);
}

imglayout::BlockRule CComp::GetBlockRule() const
{
    const PanelRow* row = FindPanel(m_devType);
    return row && row->family == Family::F706 ? imglayout::kBlocks706 : imglayout::kBlocks043_118;
}

void CComp::SetNodeAdr(int num, uint32_t address)
{
    if (num >= 0 && num < static_cast<int>(m_nodes.size()))
        m_nodes[static_cast<size_t>(num)] = address;
}

uint32_t CComp::GetNodeAdr(int num) const
{
    return num >= 0 && num < static_cast<int>(m_nodes.size()) ? m_nodes[static_cast<size_t>(num)] : 0;
}

void CComp::RaiseFwLevel(uint16_t level) { m_fwLevel = std::max(m_fwLevel, level); }
void CComp::NoteMessageWord(uint16_t word) { m_msgWord = std::min(m_msgWord, word); }

void CComp::Count(Counter kind)
{
    CMemInfo::Counts& c = m_workspace.MemInfo().counts;
    uint16_t* counters[] = {
        &c.vars,       &c.varTexts,   &c.opTexts,     &c.opRows,      &c.msgTexts,    &c.msgRows,
        &c.rcpTexts,   &c.rcpRows,    &c.histTexts,   &c.histRows,    &c.hlpTexts,    &c.hlpRows,
        &c.opPrnTexts, &c.opPrnRows,  &c.msgPrnTexts, &c.msgPrnRows,  &c.menus,       &c.menuNodes,
        &c.timeSwitches, &c.timeValues, &c.skActions, &c.skTexts,
    };
    ++*counters[static_cast<size_t>(kind)];
    UpdateFreeMemory();
}

void CComp::AddBrokenMnu(CPrjMnu* menu)
{
    if (menu && std::find(m_brokenMnus.begin(), m_brokenMnus.end(), menu) == m_brokenMnus.end())
        m_brokenMnus.push_back(menu);
}

const CPrjMnuNode* CComp::BeginMnu(CPrjMnu& menu)
{
    const CPrjMnuNodeList* nodes = menu.GetSubList();
    const CPrjMnuNode* start = nodes ? nodes->FindStart() : nullptr;
    if (!start) {
        Fail("Menue %s: kein Startknoten", menu.GetName().c_str());
        return nullptr;
    }
    SetCurMnu(&menu);
    ClearNodes();
    return start;
}

void CComp::EndMnu(CPrjMnu& menu, bool broken)
{
    m_writtenMnus.push_back(&menu);
    Count(Counter::Menus);
    if (broken)
        AddBrokenMnu(&menu);
}

void CComp::SetRecipeLength(uint64_t length)
{
    m_recipeLength = length;
    m_workspace.MemInfo().freeRecipe =
        length < m_memLimit ? static_cast<uint32_t>(m_memLimit - length) : 0;
}

StepResult CComp::CheckRecipeLimit()
{
    if (m_recipeLength < kSecondLimit)
        return 1;
    SetError(kErrRecipeMemory);
    return -1;
}

void CComp::SetConflict(uint16_t recipeNum, std::string text)
{
    m_conflictRecipe = recipeNum;
    m_conflictText = std::move(text);
}

StepResult CComp::ReduceSpans(const CPrjVar& var, bool isSigned, bool wordSpans, Spans& out)
{
    // Unsigned kinds keep their limits as 32-bit unsigned numbers.
    const auto value = [isSigned](int32_t v) { return isSigned ? int64_t{v} : int64_t{static_cast<uint32_t>(v)}; };
    out.lower = value(var.GetExtWord1());
    out.plcLower = value(var.GetExtWord3());
    out.dsp = value(var.GetExtWord2()) - out.lower;
    out.plc = value(var.GetExtWord4()) - out.plcLower;
    // The panel divides by the display span; a PLC span of 0 only makes
    // the value constant.
    if (out.dsp <= 0 || out.plc < 0 || (wordSpans && out.plc == 0))
        return Fail("Variable %s: Wertebereich ohne Spanne", var.GetName().c_str());
    const int64_t divisor = std::gcd(out.dsp, out.plc);
    out.dsp /= divisor;
    out.plc /= divisor;
    if (wordSpans && (out.dsp > UINT16_MAX || out.plc > UINT16_MAX))
        return Fail("Variable %s: Skalierung nicht darstellbar", var.GetName().c_str());
    return 1;
}

void CComp::FeedRecipeCheck()
{
    const CPrjRcpTxtList* list = m_prj ? m_prj->GetRcpTxtList() : nullptr;
    if (!list)
        return;
    FeedCheckWord(static_cast<uint16_t>(list->GetCount()));
    for (int i = 0; i < list->GetCount(); ++i) {
        const CPrjVarValList& values = list->RcpAt(i)->GetValList();
        for (int v = 0; v < values.GetCount(); ++v)
            FeedCheckWord(values.GetAt(v)->GetVar()->GetType());
        FeedCheckWord(1);
    }
}

void CComp::FeedCheckWord(uint16_t value)
{
    for (int bit = 15; bit >= 0; --bit) {
        const bool out = (m_checkWord & 0x8000u) != 0;
        m_checkWord = static_cast<uint16_t>((m_checkWord << 1) | ((value >> bit) & 1u));
        if (out)
            m_checkWord ^= 0x0808u;
    }
}

StepResult CComp::StampFamily706CheckWord()
{
    if (PadEven() != 1 || WriteWord(0, static_cast<uint16_t>(m_out.Size() / 2)) != 1)
        return -1;
    return Written(StampCheckWord(m_out));
}

// --- Names -------------------------------------------------------------------

StepResult CComp::FitNames(uint32_t reserve, bool eachReserved)
{
    if (Failed())
        return -1;
    // Each stage must leave the reserve and a closing word below the limit.
    const auto fits = [&](uint64_t extra) { return m_out.Size() + extra + reserve + 2 < m_memLimit; };

    if (!fits(uint64_t{imglayout::kVarNameSize} * m_writtenVars.size())) {
        m_namesLevel = 1;
        return 1;
    }
    for (CPrjVar* var : m_writtenVars) {
        if (eachReserved && Reserve(imglayout::kVarNameSize) != 1)
            return -1;
        const auto at = static_cast<uint16_t>(m_out.Size());
        if (AppendBytes(PadField(var->GetName(), imglayout::kVarNameSize, '\0')) != 1 ||
            WriteWord(var->GetAttr32() + 2, at) != 1)
            return -1;
    }
    if (!fits(uint64_t{imglayout::kMnuNameSize} * m_writtenMnus.size())) {
        m_namesLevel = 2;
        return 1;
    }
    if (WriteWord(imglayout::kHdrMnuNames, static_cast<uint16_t>(m_out.Size())) != 1)
        return -1;
    for (const CPrjMnu* menu : m_writtenMnus)
        if (AppendBytes(PadField(menu->GetName(), imglayout::kMnuNameSize, '\0')) != 1)
            return -1;
    const std::string& descr = m_prj->GetDescr();
    if (!fits(descr.size() + 1)) {
        m_namesLevel = 3;
        return 1;
    }
    if (WriteWord(imglayout::kHdrDescr, static_cast<uint16_t>(m_out.Size())) != 1)
        return -1;
    return AppendString(descr);
}

} // namespace orv
