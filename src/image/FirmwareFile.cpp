#include "image/FirmwareFile.h"

#include "image/BinIo.h"
#include "model/CatalogueIds.h"
#include "model/FrmCfg.h"
#include "model/Log.h"
#include "model/MessageBoxes.h"
#include "model/PrjBundle.h"
#include "model/PrjData.h"
#include "model/PrjVar.h"
#include "model/PrjVarList.h"
#include "model/XFile.h"

#include <algorithm>
#include <limits>

namespace {

constexpr const char* kModule = "Firmware";
constexpr int kMaskBytes = 8;

} // namespace

CFirmwareFile::CFirmwareFile(const std::string& path, PrjBundle* bundle, const HeaderLayout& header)
    : m_header(header)
{
    if (bundle) {
        m_prj = bundle->prjData;
        m_cfg = bundle->frmCfg;
    }
    LogLine(kLogDebug, ".FRM ->%s", path.c_str());
    XBinFile probe(path);
    if (path.empty() || !probe.Exists() || probe.GetSize() == 0 || !m_file.Open(path, "rb", kModule) ||
        std::fseek(m_file.Get(), 0, SEEK_SET) != 0) {
        Fail();
        return;
    }
    m_size = StreamSize(m_file.Get());
    if (m_size <= 0)
        Fail();
}

bool CFirmwareFile::CheckError()
{
    if (m_error == 0)
        return true;
    if (m_error == kErrFile) {
        ShowMessage(msg::kFirmwareKonnteNichtGelesenWerden);
        m_error = 0;
    }
    return false;
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

bool CFirmwareFile::HasFeature(int bit) const
{
    return bit >= 0 && bit < 64 && ((m_mask >> bit) & 1u) != 0;
}

bool CFirmwareFile::Block(uint64_t at, size_t length, std::string& bytes) const
{
    if (!m_file.Get() || at > static_cast<uint64_t>(m_size) || length > static_cast<uint64_t>(m_size) - at ||
        length > std::numeric_limits<uint16_t>::max())
        return false;
    std::string buffer(length, '\0');
    if (length > 0 && ReadBlockAt(m_file.Get(), static_cast<int32_t>(at), buffer.data(),
                                  static_cast<uint16_t>(length)) != 1)
        return false;
    bytes = std::move(buffer);
    return true;
}

bool CFirmwareFile::Byte(uint64_t at, uint8_t& value) const
{
    std::string bytes;
    if (!Block(at, 1, bytes))
        return false;
    value = static_cast<uint8_t>(bytes[0]);
    return true;
}

bool CFirmwareFile::Word(uint64_t at, uint16_t& value) const
{
    std::string bytes;
    if (!Block(at, 2, bytes))
        return false;
    value = static_cast<uint16_t>(GetBigEndian(reinterpret_cast<const uint8_t*>(bytes.data()), 2));
    return true;
}

bool CFirmwareFile::DWord(uint64_t at, uint32_t& value) const
{
    std::string bytes;
    if (!Block(at, 4, bytes))
        return false;
    value = GetBigEndian(reinterpret_cast<const uint8_t*>(bytes.data()), 4);
    return true;
}

bool CFirmwareFile::CountedText(uint64_t at, std::string& text) const
{
    uint8_t length = 0;
    return Byte(at, length) && Block(at + 1, std::min<size_t>(length, kMaxTextLen), text);
}

bool CFirmwareFile::ReadMask(uint64_t at)
{
    std::string bytes;
    if (!Block(at, kMaskBytes, bytes))
        return false;
    m_mask = 0;
    for (char c : bytes)
        m_mask = (m_mask << 8) | static_cast<uint8_t>(c);
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
