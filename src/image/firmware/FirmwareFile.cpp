// The firmware image in memory; every read is checked against the image and the
// first failure stays.
#include "image/firmware/FirmwareFile.h"

#include "image/codec/FileErrorReport.h"
#include "image/codec/MemoryGuard.h"
#include "image/codec/ReadWhole.h"
#include "model/core/CatalogueIds.h"
#include "model/project/FrmCfg.h"
#include "model/core/Log.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVar.h"
#include "model/project/PrjVarList.h"

#include <algorithm>
#include <limits>

namespace orv {

namespace {

constexpr const char* kFirmwareFileModule = "Firmware";

} // namespace

CFirmwareFile::CFirmwareFile(const std::string& path, PrjBundle* bundle, const HeaderLayout& header)
    : m_header(header)
{
    if (bundle) {
        m_prj = bundle->prjData;
        m_cfg = bundle->frmCfg;
    }
    LogLine(kLogDebug, ".FRM ->%s", path.c_str());
    if (path.empty() || !ReadWholeInput(path, m_bytes, kFirmwareFileModule) || m_bytes.empty())
        Fail();
}

bool CFirmwareFile::CheckError()
{
    return ReportFileError(m_error, kErrFile, msg::kFirmwareKonnteNichtGelesenWerden);
}

void CFirmwareFile::ReadId()
{
    if (!CfgReady())
        return;
    std::string id;
    if (!Block(m_header.idAt, CFrmCfg::kIdWidth, id))
        return Fail();
    m_cfg->SetFrmId(id);
}

void CFirmwareFile::ReadDate()
{
    if (!CfgReady())
        return;
    std::string bytes;
    if (!Block(m_header.dateAt, m_header.dateLength, bytes))
        return Fail();
    m_cfg->SetName(DateText(bytes));
}

void CFirmwareFile::ReadSysVars()
{
    GuardMemory([this] { ReadVarChain(); }, [this] { Fail(); });
}

bool CFirmwareFile::HasFeature(int bit) const
{
    return bit >= 0 && bit < 64 && ((m_mask >> bit) & 1u) != 0;
}

bool CFirmwareFile::Block(uint64_t at, size_t length, std::string& bytes) const
{
    if (length > std::numeric_limits<uint16_t>::max())
        return false;
    const uint8_t* field = File().Bytes(at, length);
    if (field == nullptr)
        return false;
    bytes.assign(reinterpret_cast<const char*>(field), length);
    return true;
}

bool CFirmwareFile::Byte(uint64_t at, uint8_t& value) const
{
    return File().Get(at, value);
}

bool CFirmwareFile::Word(uint64_t at, uint16_t& value) const
{
    return File().Get(at, value);
}

bool CFirmwareFile::DWord(uint64_t at, uint32_t& value) const
{
    return File().Get(at, value);
}

bool CFirmwareFile::CountedText(uint64_t at, std::string& text) const
{
    uint8_t length = 0;
    return Byte(at, length) && Block(at + 1, std::min<size_t>(length, kMaxTextLen), text);
}

bool CFirmwareFile::ReadMask(uint64_t at)
{
    BeReader file = File();
    const uint64_t high = file.U32(at);
    const uint64_t low = file.U32(at + 4);
    if (!file.Ok())
        return false;
    m_mask = high << 32 | low;
    return true;
}

void CFirmwareFile::Insert(std::unique_ptr<CPrjVar> var, bool fwList) const
{
    if (!var || !m_prj)
        return;
    CPrjVarList* list = fwList ? m_prj->GetFwVarList() : m_prj->GetVarList();
    const int index = fwList ? m_prj->InsFwVar(var.get()) : m_prj->InsVar(var.get());
    if (list && index >= 0 && index < list->GetCount() && list->At(index) == var.get())
        var.release();
}

} // namespace orv
