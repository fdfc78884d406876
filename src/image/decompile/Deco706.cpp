// The 706 family decompiler's frame: driver values, special-function check and the
// order in which the sections are decoded.
#include "image/decompile/Deco706.h"
#include "image/drv/DrvEntry.h"
#include "image/drv/DrvLayout.h"
#include "image/codec/ImgLayout.h"

#include "model/project/CharDef.h"
#include "model/project/CharSet.h"
#include "model/core/Log.h"
#include "model/project/MsgTxt.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVarList.h"

#include <cstring>
#include <limits>

namespace orv {

using namespace imglayout;

namespace {

constexpr const char* kDeco706Module = "Deco706";

// The special-function files of this family share the driver entry's
// header: magic, name and version where the driver keeps them.
constexpr uint16_t kFktMagic = 466;
constexpr uint16_t kFileNameSize = 12;
constexpr uint16_t kFileVersionSize = 10;
constexpr uint32_t kFileMagic = drvlayout::k706Magic;
constexpr uint32_t kFileName = drvlayout::k706.fileNameAt;
constexpr uint32_t kFileVersion = drvlayout::k706.versionAt;
constexpr size_t kDescrMax = 1023;

// The panel an image is read for: a project of a panel without a driver
// base of its own, or no project, reads as a 473's.
const PanelRow& DecodedPanel(const CPrjData* prj)
{
    const PanelRow* row = prj ? FindPanel(prj->GetDevType()) : nullptr;
    return row && row->drvBase != 0 ? *row : *FindPanel(473);
}

} // namespace

CDeco706::CDeco706(CWorkspaceState* workspace, const std::string& imagePath, const std::string& drvPath,
                   const std::string& fktPath, PrjBundle* bundle)
    : CDeco(workspace, imagePath, drvPath, fktPath, bundle, kDeco706Module)
{
    const uint16_t oldPrnStatus = m_prj ? m_prj->GetPrnStatusPos() : 0;
    Guarded([this] {
        DropHistTemplate();
        if (!Failed())
            ReadDriver();
        if (!Failed())
            CheckFkt();
        if (!Failed())
            DecodeDataSet();
    });
    RestorePrinterStatus(oldPrnStatus);
}

void CDeco706::DropHistTemplate()
{
    if (m_prj == nullptr || m_prj->GetHistTxtList() == nullptr)
        return;
    if (auto* tmpl = static_cast<CHistTxt*>(m_prj->GetHistTxtList()->GetTemplate()))
        m_prj->DelHistTxt(tmpl);
}

void CDeco706::ReadDriver()
{
    DecoFile drv(DrvPath(), kDeco706Module);
    uint16_t magic = 0;
    char name[kFileNameSize];
    char version[kFileVersionSize];
    uint16_t blockSize = 0;
    if (!drv.IsOpen() || !drv.Word(kFileMagic, magic) || magic != drvlayout::k706MagicValue ||
        !drv.Read(kFileName, name, sizeof name) || !drv.Read(kFileVersion, version, sizeof version) ||
        !drv.Word(drvlayout::k706BlockSize, blockSize)) {
        SetError(kErrDrv);
        return;
    }
    if (blockSize < drvlayout::k706NoParams)
        return;
    const uint32_t base = DecodedPanel(m_prj).drvBase;
    uint32_t adr = 0;
    // An address before the driver's load address points outside the file.
    if (!drv.DWord(drvlayout::k706ParamAdr, adr) || adr < base || adr - base > uint32_t{std::numeric_limits<int32_t>::max()}) {
        SetError(kErrDrv);
        return;
    }
    // A failure is kept in the error slot, which the caller reads.
    static_cast<void>(ReadDrvParams(drv.Reader(), adr - base));
}

void CDeco706::CheckFkt()
{
    DecoFile fkt(FktPath(), kDeco706Module);
    if (FktPath().empty() || !fkt.IsOpen())
        return;
    uint16_t magic = 0;
    char name[kFileNameSize];
    char version[kFileVersionSize];
    if (!fkt.Word(kFileMagic, magic) || magic != kFktMagic || !fkt.Read(kFileName, name, sizeof name) ||
        !fkt.Read(kFileVersion, version, sizeof version))
        SetError(kErrFkt);
}

void CDeco706::DecodeDataSet()
{
    // Without them nothing can be decoded, and an empty project is no
    // success.
    if (m_prj == nullptr || m_sps == nullptr || m_charSet == nullptr) {
        SetError(kErrRead);
        return;
    }
    uint8_t mask[8];
    if (ReadBlock(kHdrWFeatures, mask, sizeof mask) != 1)
        return;
    SetMask(mask, sizeof mask);
    using Step = StepResult (CDeco706::*)();
    static constexpr Step kSteps[] = {
        &CDeco706::DecodeChars,      &CDeco706::DecodeVars,        &CDeco706::DecodeOpTexts,
        &CDeco706::DecodeSkActs,     &CDeco706::DecodeSkTexts,     &CDeco706::DecodeMsgTexts,
        &CDeco706::DecodeHistTexts,  &CDeco706::DecodeHlpTexts,    &CDeco706::DecodeOpPrnTexts,
        &CDeco706::DecodeMsgPrnTexts, &CDeco706::DecodeMenus,      &CDeco706::DecodeTimers,
        &CDeco706::DecodeMsgMode,    &CDeco706::DecodeDescription,
    };
    for (Step step : kSteps)
        if ((this->*step)() != 1 || Failed()) {
            // A step that stops without a code of its own still leaves the
            // project incomplete.
            SetError(kErrRead);
            return;
        }
}

void CDeco706::RestorePrinterStatus(uint16_t oldPos)
{
    if (m_prj == nullptr || m_prj->GetVarList() == nullptr)
        return;
    const CPrjVar* status = m_prj->GetVarList()->FindByName(std::string_view("[Z100]"));
    if (status == nullptr)
        return;
    const auto pos = static_cast<uint16_t>(status->GetExtWord1());
    m_prj->SetPrnStatusPos(pos);
    m_prj->MakePrnTxtVars(pos, oldPos);
}

uint8_t CDeco706::MaxBlankCount() const
{
    return DecodedPanel(m_prj).blankRunMax;
}

StepResult CDeco706::ReadCountedName(uint32_t at, std::string& name, uint32_t& after)
{
    uint8_t count = 0;
    char bytes[255];
    if (ReadByte(at, count) != 1 || ReadBlock(at + 1, bytes, count) != 1)
        return -1;
    name.assign(bytes, strnlen(bytes, std::min<size_t>(count, kVarNameSize)));
    after = at + 1 + count;
    return 1;
}

StepResult CDeco706::ForEachTableEntry(uint32_t slot, bool ready, const std::function<int(int32_t, uint32_t)>& decode)
{
    uint32_t table = 0;
    uint16_t count = 0;
    if (ReadPointer(slot, table) != 1)
        return -1;
    if (table == 0)
        return 1;
    if (!ready || ReadWord(table, count) != 1)
        return -1;
    for (int32_t i = 0; i < count; ++i) {
        uint32_t at = 0;
        if (ReadPointer(CTableSlot(table, i), at) != 1)
            return -1;
        if (at != 0 && decode(i, at) != 1)
            return -1;
    }
    return 1;
}

StepResult CDeco706::ForEachListEntry(uint32_t slot, bool ready,
                               const std::function<int(int32_t, uint32_t, uint16_t, uint16_t)>& decode)
{
    uint32_t h = 0;
    if (ReadPointer(slot, h) != 1)
        return -1;
    if (h == 0)
        return 1;
    uint32_t tmpl = 0;
    uint16_t lowest = 0;
    uint16_t highest = 0;
    uint16_t places = 0;
    if (!ready || ReadPointer(h + kCListTemplate, tmpl) != 1 || ReadWord(h + kCListLow, lowest) != 1 ||
        ReadWord(h + kCListHigh, highest) != 1 || ReadWord(h + kCListPlaces, places) != 1)
        return -1;
    if (tmpl != 0 && decode(-1, tmpl, lowest, highest) != 1)
        return -1;
    for (int32_t i = 0; i < places; ++i) {
        uint32_t at = 0;
        if (ReadPointer(CListSlot(h, i), at) != 1)
            return -1;
        if (at != 0 && decode(i, at, lowest, highest) != 1)
            return -1;
    }
    return 1;
}

StepResult CDeco706::DecodeChars()
{
    uint32_t at = 0;
    if (ReadPointer(kCUserChars, at) != 1)
        return -1;
    if (at == 0)
        return 1;
    CCharDefColl* coll = m_prj->GetCharDefColl();
    if (coll == nullptr)
        return -1;
    std::string name;
    uint32_t table = 0;
    if (ReadCountedName(at, name, table) != 1)
        return -1;
    const bool is706 = DecodedPanel(m_prj).highUserChars;
    const int count = is706 ? 128 : 8;
    const uint16_t size = is706 ? kCUserCharSize706 : CCharDef::kRows;
    for (int i = 0; i < count; ++i) {
        uint8_t bytes[CCharDef::kRows];
        if (ReadBlock(table + size * static_cast<uint32_t>(i), bytes, size) != 1)
            return -1;
        CCharDef::Rows rows{};
        if (is706) {
            rows = UserChar706::Decode(bytes);
        } else {
            std::copy(bytes, bytes + CCharDef::kRows, rows.begin());
            if (rows == CCharDef::Rows{})
                continue;
        }
        const auto code = static_cast<uint8_t>(is706 ? kCUserCharFirst706 + i : i);
        if (is706)
            if (CCharDef* old = coll->FindByCode(code))
                m_prj->DelCharDef(old);
        auto def = std::make_unique<CCharDef>(code, rows);
        const int index = m_prj->InsCharDef(def.get());
        if (Taken(coll, index, def) != 1)
            return -1;
    }
    return 1;
}

StepResult CDeco706::DecodeMsgMode()
{
    uint32_t at = 0;
    uint16_t word = 0;
    uint8_t mode = 0;
    if (ReadPointer(kCSystem, at) != 1)
        return -1;
    if (at == 0)
        return 1;
    if (ReadWord(at, word) != 1)
        return -1;
    if (word != 0) {
        if (ReadByte(at + 2, mode) != 1)
            return -1;
        m_prj->SetMsgMode(mode);
    }
    return 1;
}

StepResult CDeco706::DecodeDescription()
{
    uint32_t at = 0;
    if (ReadPointer(kCDescr, at) != 1)
        return -1;
    if (at == 0)
        return 1;
    std::string text;
    if (ReadString(at, kDescrMax, false, text) != 1)
        return -1;
    m_prj->SetDescr(text);
    return 1;
}

} // namespace orv
