// Compiling the project into the panel images of its family, the memory report
// that follows, and the decision whether an image must be compiled again.
#include "workspace/PrjMgr.h"

#include "image/compile/Comp043.h"
#include "image/compile/Comp118.h"
#include "image/compile/Comp118Img2.h"
#include "image/compile/Comp706.h"
#include "image/codec/ImgLayout.h"
#include "model/core/CatalogueIds.h"
#include "model/core/FrameState.h"
#include "model/core/LangStrings.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/core/XFile.h"
#include "model/project/DrvCfg.h"
#include "model/project/FktCfg.h"
#include "model/project/FrmCfg.h"
#include "model/project/PanelTable.h"
#include "model/project/PrjData.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>

namespace orv {

namespace {

namespace fs = std::filesystem;

// Panel memory the compilers may fill, by family and format.
constexpr uint32_t kCompileMem32k = 32766;
constexpr uint32_t kCompileMem64k = 65535;
constexpr uint32_t kCompileMem128k = 131070;
constexpr uint32_t kCompileRcp4k = 4096;
constexpr uint32_t kCompileRcp4kSmall = 4094;
constexpr uint32_t kCompileRcp8k = 8190;
constexpr uint32_t kCompileRcp10k = 10238;

// Where an image names the variant it was built for, and the firmware id.
constexpr std::streamoff kCompileVariantAt = 22;
constexpr size_t kCompileVariantBytes = 8;
constexpr std::streamoff kCompileFwId118At = 218;
constexpr std::streamoff kCompileFwId706At = 64;
constexpr size_t kCompileFwIdBytes = 9;

uint32_t CompileFileSize(const std::string& path)
{
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    return ec || !fs::is_regular_file(path, ec) ? 0 : static_cast<uint32_t>(size);
}

// Bytes at an offset; false when the file is shorter.
bool CompileReadAt(const std::string& path, std::streamoff at, size_t count, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in || !in.seekg(at))
        return false;
    bytes.assign(count, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(count));
    return in.gcount() == static_cast<std::streamsize>(count);
}

// One line of the compile report: a label, two counts, the unit.
struct CompileReportRow {
    uint32_t label;
    uint16_t CMemInfo::Counts::*first;
    uint16_t CMemInfo::Counts::*second;
    uint32_t unit;
};

constexpr std::array<CompileReportRow, 11> kCompileReportRows{{
    {msg::kVariable_15003, &CMemInfo::Counts::vars, &CMemInfo::Counts::varTexts, msg::kAuspraegungen},
    {msg::kBedientexte_15005, &CMemInfo::Counts::opTexts, &CMemInfo::Counts::opRows, msg::kZeilen},
    {msg::kMeldetexte_15006, &CMemInfo::Counts::msgTexts, &CMemInfo::Counts::msgRows, msg::kZeilen},
    {msg::kHistorytexte_15008, &CMemInfo::Counts::histTexts, &CMemInfo::Counts::histRows, msg::kZeilen},
    {msg::kHilfstexte_15009, &CMemInfo::Counts::hlpTexts, &CMemInfo::Counts::hlpRows, msg::kZeilen},
    {msg::kRezepttexte_15007, &CMemInfo::Counts::rcpTexts, &CMemInfo::Counts::rcpRows, msg::kZeilen},
    {msg::kBediendruckertexte_15010, &CMemInfo::Counts::opPrnTexts, &CMemInfo::Counts::opPrnRows, msg::kZeilen},
    {msg::kMeldedruckertexte_15011, &CMemInfo::Counts::msgPrnTexts, &CMemInfo::Counts::msgPrnRows, msg::kZeilen},
    {msg::kMenues_15013, &CMemInfo::Counts::menus, &CMemInfo::Counts::menuNodes, msg::kKnoten},
    {msg::kZeitschaltuhren, &CMemInfo::Counts::timeSwitches, &CMemInfo::Counts::timeValues, msg::kNocken},
    {msg::kSoftkeys_15017, &CMemInfo::Counts::skTexts, &CMemInfo::Counts::skActions, msg::kAktionen},
}};

} // namespace

bool CPrjMgr::IsFile(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(path, ec);
}

void CPrjMgr::DeleteLogged(const std::string& path)
{
    LogLine(kLogDebug, "Delete %s", path.c_str());
    std::error_code ec;
    fs::remove(path, ec);
}

std::string CPrjMgr::PrjFileWithTag(const std::string& tag) const
{
    const fs::path src(m_prjData->GetPath());
    return (src.parent_path() / (src.stem().string() + "." + tag)).string();
}

void CPrjMgr::ResetMemInfo()
{
    CMemInfo& info = m_ws.MemInfo();
    info.Init();
    if (!IsBuilt())
        return;
    const uint16_t devType = m_prjData->GetDevType();
    info.devType = devType;
    const PanelRow* row = FindPanel(devType);
    if (row) {
        const bool smallData = m_prjData->GetDataSize() == 1;
        switch (row->family) {
        case Family::F043:
            info.freeData = kCompileMem32k;
            info.freeRecipe = kCompileRcp4k;
            break;
        case Family::F118:
            info.freeData = smallData ? kCompileMem32k : kCompileMem64k;
            if (m_prjData->GetRcpSize() == 0)
                info.freeRecipe = row->largeRecipeMemory ? kCompileMem32k : kCompileRcp8k;
            else if (smallData)
                info.freeRecipe = kCompileRcp4kSmall;
            else
                info.freeRecipe = row->largeRecipeMemory ? kCompileRcp10k : kCompileRcp8k;
            break;
        case Family::F706:
            info.freeData = kCompileMem128k;
            info.freeRecipe = kCompileRcp4k;
            break;
        }
    }
    m_fktInUse = m_fktCfg->IsUsed() != 0;
    if (row && row->family != Family::F706) {
        uint32_t reserve = CompileFileSize(m_drvCfg->GetDrvPath());
        if (m_fktInUse)
            reserve += CompileFileSize(m_fktCfg->GetPath());
        m_ws.SetDrvFktReserve(reserve);
    }
}

int CPrjMgr::SaveBeforeCompile()
{
    if (!IsBuilt())
        return 0;
    const bool changed = m_bundle.modCount != 0 || m_prjData->GetModCount() != 0 || m_drvCfg->GetModCount() != 0 ||
                         (m_fktCfg->IsUsed() && m_fktCfg->GetModCount() != 0);
    if (!changed) {
        // Without a path the driver file would be ".DRV" in the current
        // directory.
        if (m_drvCfg->GetFlag(CDrvCfg::kFlagXref) && !m_prjData->GetPath().empty())
            SavePrjDriver();
        return 1;
    }
    if (!AskYesNo(msg::kDatensatzWirdNunZunaechstGespeichert))
        return 0;
    SavePrj();
    return m_prjData->GetPath().empty() ? 0 : 1;
}

bool CPrjMgr::RunCompiler(const std::string& image, const std::string& drvPath, const std::string& fktPath)
{
    const PanelRow* row = FindPanel(m_prjData->GetDevType());
    if (!row)
        return false;
    const uint32_t reserve = m_ws.GetDrvFktReserve();
    std::unique_ptr<CComp> comp;
    switch (row->family) {
    case Family::F043:
        comp = std::make_unique<CComp043>(m_ws, image, drvPath, fktPath, reserve, m_bundle);
        break;
    case Family::F118:
        // Nothing is appended to a 118 family image: a driver path would
        // only fail the compile when the file is missing.
        comp = std::make_unique<CComp118>(m_ws, image, std::string(), std::string(), reserve, m_bundle);
        break;
    case Family::F706:
        comp = std::make_unique<CComp706>(m_ws, image, m_bundle);
        break;
    }
    return comp->CheckError();
}

bool CPrjMgr::Compile()
{
    ResetMemInfo();
    if (!IsBuilt() || SaveBeforeCompile() == 0)
        return false;
    // Without a path the image would be ".BIN" in the current directory.
    if (m_prjData->GetPath().empty())
        return false;
    CMemInfo& info = m_ws.MemInfo();
    info.compiling = 1;
    const std::string drvPath = PrjFileWithTag(m_ws.Tags().driver);
    const std::string image = PrjFileWithTag(m_ws.Tags().compile);
    SetImageFile(image);
    DeleteLogged(image);
    const std::string fktPath = m_fktInUse ? PrjFileWithTag(m_ws.Tags().function) : std::string();
    const bool ok = RunCompiler(image, drvPath, fktPath);
    if (!ok && FindPanel(m_prjData->GetDevType())) {
        // No stale image of an earlier compile may be taken for this one.
        DeleteLogged(image);
        DeleteLogged(PrjFileWithTag(m_ws.Tags().recipe));
    }
    info.compiling = 0;
    if (!ok)
        return false;
    CompileImg2();
    ReportCompile();
    // The other state bits stay: the project is still the loaded one.
    m_frame.SetStateFlags(m_frame.GetStateFlags() | kStateCompiled);
    LogLineId(kLogDebug, msg::kZieldateiGeschrieben, image);
    return true;
}

int CPrjMgr::CompileImg2()
{
    if (!IsBuilt() || m_prjData->GetPath().empty())
        return -1;
    CMemInfo& info = m_ws.MemInfo();
    info.compiling = 1;
    const std::string recipe = PrjFileWithTag(m_ws.Tags().recipe);
    DeleteLogged(recipe);
    int result = -1;
    const PanelRow* row = FindPanel(m_prjData->GetDevType());
    if (row && row->family == Family::F118) {
        CComp118Img2 comp(m_ws, recipe, m_bundle);
        if (comp.CheckError())
            result = 1;
        else
            DeleteLogged(recipe);
    }
    info.compiling = 0;
    return result;
}

void CPrjMgr::ReportCompile()
{
    if (!IsBuilt())
        return;
    const CMemInfo& info = m_ws.MemInfo();
    const std::string name = fs::path(m_prjData->GetPath()).stem().string();
    LogLineId(kLogErrors, msg::kDatensatz_15021, name + "." + m_ws.Tags().source);
    LogLineId(kLogErrors, msg::kTreiber_15022, m_drvCfg->GetDrvFile() + " " + m_drvCfg->GetDrvVersion());
    if (m_fktInUse)
        LogLine(kLogErrors, "%20s:   %s %s %s", "Sonderfunktion", m_fktCfg->GetFile().c_str(), "V",
                m_fktCfg->GetVersion().c_str());
    LogLineId(kLogErrors, msg::kZieldatei, name + "." + m_ws.Tags().compile);
    for (const CompileReportRow& row : kCompileReportRows)
        LogLine(kLogErrors, " %20s: %5u %5u %s", LoadLangString(row.label), unsigned{info.counts.*row.first},
                unsigned{info.counts.*row.second}, LoadLangString(row.unit));
    LogLine(kLogErrors, " %26s %6ld %s", LoadLangString(msg::kFreierORVSpeicher), static_cast<long>(info.freeData),
            LoadLangString(msg::kByte));
    LogLine(kLogErrors, " %26s %6ld %s", LoadLangString(msg::kFreierRECSpeicher), static_cast<long>(info.freeRecipe),
            LoadLangString(msg::kByte));
}

bool CPrjMgr::ImageContentOutdated(const std::string& image) const
{
    const uint16_t devType = m_prjData->GetDevType();
    const PanelRow* row = FindPanel(devType);
    if (!row)
        return false;
    std::string bytes;
    // A panel with a ".2" variant names the variant its image was built for
    // in the firmware id at 22: only the variant's id ends in "427", so the
    // third byte of the id (always the "0" of "047") cannot tell them apart.
    if (FileCodeOf(devType, true) != devType) {
        if (!CompileReadAt(image, kCompileVariantAt, kCompileVariantBytes, bytes))
            return true;
        const bool imageVariant = bytes == imglayout::FirmwareId(devType, imglayout::kVariantFwLevel);
        return imageVariant != (m_prjData->GetVariant() != 0);
    }
    if (row->family == Family::F043)
        return false;
    const std::streamoff at = row->family == Family::F118 ? kCompileFwId118At : kCompileFwId706At;
    if (!CompileReadAt(image, at, kCompileFwIdBytes, bytes))
        return true;
    const std::string id = bytes.substr(0, bytes.find('\0'));
    if (id == m_frmCfg->GetFrmId())
        return false;
    LogLine(kLogDebug, "FirmwareVersion:%s", id.c_str());
    return true;
}

bool CPrjMgr::NeedsCompile()
{
    if (!IsBuilt())
        return false;
    if (m_prjData->GetModCount() != 0 || m_drvCfg->GetModCount() != 0 || m_fktCfg->GetModCount() != 0)
        return true;
    // A project without a file has no image to send.
    if (m_prjData->GetPath().empty())
        return true;
    const std::string source = m_prjData->GetPath();
    const std::string image = PrjFileWithTag(m_ws.Tags().compile);
    if (!IsFile(image))
        return true;
    if (IsFile(source)) {
        const std::string drvPath = PrjFileWithTag(m_ws.Tags().driver);
        const std::string fktPath = PrjFileWithTag(m_ws.Tags().function);
        const PanelRow* row = FindPanel(m_prjData->GetDevType());
        if (XFile::IsNewer(image, source) || !IsFile(drvPath))
            return true;
        if (XFile::IsNewer(image, drvPath)) {
            if (!row || row->family != Family::F118)
                return true;
        } else if (m_fktCfg->IsUsed() && IsFile(fktPath) && XFile::IsNewer(image, fktPath)) {
            return true;
        }
    }
    return ImageContentOutdated(image);
}

} // namespace orv
