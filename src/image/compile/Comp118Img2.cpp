// Writes each recipe's values scaled into the form the PLC takes them.
#include "image/compile/Comp118Img2.h"

#include "image/codec/FileFields.h"
#include "image/codec/ImgLayout.h"
#include "image/codec/ImgRecord.h"
#include "image/compile/SourceStamp.h"
#include "model/project/FrmCfg.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVar.h"
#include "model/project/RcpTxt.h"
#include "model/project/VarType.h"
#include "model/core/WorkspaceState.h"

#include <algorithm>

namespace orv {

using namespace imglayout;

namespace {

bool Comp118Img2IsVbinType(uint8_t type) { return type >= 18 && type <= 25; }

}  // namespace

CComp118Img2::CComp118Img2(CWorkspaceState& workspace, const std::string& outPath, const PrjBundle& bundle)
    : CComp(workspace, outPath, std::string(), std::string(), bundle)
{
    SetSecondImage();
    SetMemLimit(workspace.MemInfo().freeRecipe);
    CompileAndWrite([this] { Compile(); });
}

void CComp118Img2::Compile()
{
    if (!HasProject())
        return;
    using Step = StepResult (CComp118Img2::*)();
    static constexpr Step kSteps[] = {
        &CComp118Img2::WriteHeader,
        &CComp118Img2::WriteCheckBlock,
        &CComp118Img2::WriteRecipes,
        &CComp118Img2::Finish,
    };
    for (Step step : kSteps) {
        if ((this->*step)() != 1 || Failed()) {
            ReplaceError(kErrIncomplete);
            return;
        }
    }
}

StepResult CComp118Img2::WriteHeader()
{
    const CPrjData& prj = *GetPrjData();
    if (AppendZeros(kHeaderSizeB2) != 1)
        return -1;
    const std::optional<std::string> id = FirmwareId(GetDevType(), kBFwLevel);
    if (!id)
        return Fail("Firmware-Stand %u fuer Typ %u unbekannt", unsigned{kBFwLevel}, unsigned{GetDevType()});
    const std::string frmName = GetFrmCfg() ? GetFrmCfg()->GetFrmId().substr(0, kB2FrmNameChars) : std::string();
    const std::string version = Workspace().GetToolVersion().substr(0, kB2BlockSize - kB2ToolVersion - 1);
    if (WriteWord(kB2Magic, kB2MagicValue) != 1 || WriteString(kB2Name, CopyNameOf(prj.GetPath())) != 1 ||
        WriteString(kB2FwId, *id) != 1 || WriteString(kB2FrmName, frmName) != 1 ||
        WriteString(kB2ToolVersion, version) != 1 || WriteWord(kB2BlockSize, kB2BlockSizeValue) != 1)
        return -1;
    if (const std::optional<std::tm> local = LocalChangeTime(prj.GetPath())) {
        const ChangeStamp::Bytes stamp = ChangeStamp::Encode(*local);
        return WriteBytes(kB2Stamp, std::string_view(reinterpret_cast<const char*>(stamp.data()), stamp.size()));
    }
    return 1;
}

StepResult CComp118Img2::WriteCheckBlock()
{
    ImgRecord rec;
    rec.Word(0).Word(kB2CheckBlockMark).Word(0).DWord(0);
    if (PlaceRecord(rec, m_checkBlock) != 1)
        return -1;
    return WriteWord(kB2CheckBlock, static_cast<uint16_t>(m_checkBlock));
}

StepResult CComp118Img2::WriteRecipes()
{
    const CPrjRcpTxtList* list = GetPrjData()->GetRcpTxtList();
    const CPrjNumEntry* highest = list ? list->GetHighest() : nullptr;
    const int32_t slots = highest ? highest->GetNum() + 1 : 0;
    uint32_t tableAt = 0;
    if (PlaceSlotTable(static_cast<uint16_t>(slots), kB2RcpTable, tableAt) != 1)
        return -1;
    for (int i = 0; list && i < list->GetCount(); ++i) {
        const CPrjRcpTxt& text = *list->RcpAt(i);
        if (text.GetNum() < 0)
            continue;
        uint32_t at = 0;
        if (WriteRecipe(text, at) != 1 ||
            WriteWord(tableAt + kB2RcpTableHead + 2u * static_cast<uint32_t>(text.GetNum()), static_cast<uint16_t>(at)) != 1)
            return -1;
    }
    SetRecipeLength(GetLength());
    return 1;
}

StepResult CComp118Img2::WriteRecipe(const CPrjRcpTxt& text, uint32_t& at)
{
    const CPrjVarValList& values = text.GetValList();
    int words = 0;
    for (int i = 0; i < values.GetCount(); ++i)
        words += values.GetAt(i)->GetVar()->WordCount();
    ImgRecord rec;
    rec.Word(kB2RcpRecordMark).Word(static_cast<uint16_t>(words)).Word(0);
    for (int i = 0; i < values.GetCount(); ++i)
        if (EncodeValue(*values.GetAt(i), rec) != 1)
            return -1;
    return PlaceRecord(rec, at);
}

StepResult CComp118Img2::Scaled(const CPrjVar& var, bool isSigned, uint32_t value, int64_t& out)
{
    Spans s{};
    const bool wordSpans = var.GetType() <= 5 || (var.GetType() >= 18 && var.GetType() <= 21);
    if (ReduceSpans(var, isSigned, wordSpans, s) != 1)
        return -1;
    const __int128 v = isSigned ? __int128{static_cast<int32_t>(value)} : __int128{value};
    // C++ division cuts toward zero.
    out = static_cast<int64_t>((v - s.lower) * s.plc / s.dsp + s.plcLower);
    return 1;
}

StepResult CComp118Img2::EncodeValue(const CVarValPair& pair, ImgRecord& rec)
{
    const CPrjVar& var = *pair.GetVar();
    const uint8_t type = var.GetType();
    const uint32_t value = pair.GetValue();
    switch (type) {
    case vartype::kBcd1:
    case vartype::kBcd01: rec.Word(Bcd::EncodeWord(value)); return 1;
    case vartype::kBit: rec.Word(static_cast<uint16_t>(value == 0 || var.GetExtByte0() >= 16 ? 0u : 1u << var.GetExtByte0())); return 1;
    case vartype::kString:
    case vartype::kCString:
    case vartype::kWordPlain:
    case vartype::kWord: rec.Word(static_cast<uint16_t>(value)); return 1;
    case vartype::kBcd2:
    case vartype::kBcd02: rec.DWord(Bcd::Encode(value)); return 1;
    case vartype::kAscii: {
        std::string text = pair.GetText() ? pair.GetText() : "";
        const size_t room = 2 * static_cast<size_t>(std::max(0, var.WordCount()));
        text = text.substr(0, std::min(kB2AsciiMax, room));
        text.resize(room, '\0');
        rec.Bytes(text);
        return 1;
    }
    case vartype::kTimer:
        rec.Word(static_cast<uint16_t>(Bcd::EncodeWord(value / 10) + (value % 10) * 4096u));
        return 1;
    default: break;
    }
    int64_t scaled = 0;
    if ((type >= 2 && type <= 5) || (type >= 18 && type <= 21)) {
        if (Scaled(var, Comp118Img2IsVbinType(type), value, scaled) != 1)
            return -1;
        rec.Word(static_cast<uint16_t>(scaled));
    } else if ((type >= 6 && type <= 9) || (type >= 22 && type <= 25)) {
        if (GetPrjData()->GetDWordVars() == 0)
            rec.DWord(value);
        else if (Scaled(var, Comp118Img2IsVbinType(type), value, scaled) != 1)
            return -1;
        else
            rec.DWord(static_cast<uint32_t>(scaled));
    }
    return 1;
}

StepResult CComp118Img2::Finish()
{
    if (CheckRecipeLimit() != 1)
        return -1;
    FeedRecipeCheck();
    const auto length = static_cast<uint16_t>(GetLength());
    if (WriteWord(kB2Length, length) != 1 || WriteWord(m_checkBlock, GetCheckWord()) != 1)
        return -1;
    return WriteWord(kB2Zero, 0);
}

} // namespace orv
