// The workspace object, its start-up and the start selection: what binds the
// program to one panel, PLC and driver, checked against the installed files.
#include "workspace/PrjMgr.h"

#include "image/drv/DrvFile.h"
#include "image/drv/DrvLibScanner.h"
#include "image/drv/FktFile.h"
#include "image/firmware/Firmware.h"
#include "image/firmware/Firmware118.h"
#include "image/firmware/FirmwareSource.h"
#include "model/core/CatalogueIds.h"
#include "model/core/FrameState.h"
#include "model/core/LangStrings.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/project/CharSet.h"
#include "model/project/DrvCfg.h"
#include "model/project/FktCfg.h"
#include "model/project/Fon.h"
#include "model/project/FonLoader.h"
#include "model/project/FrmCfg.h"
#include "model/project/PanelTable.h"
#include "model/project/PrjData.h"
#include "model/project/SpsPar.h"
#include "platform/FileLookup.h"
#include "platform/ProgramDirs.h"
#include "source/config/CfgReader.h"
#include "source/config/CfgSearch.h"
#include "source/config/CfgWriter.h"
#include "workspace/StartSel.h"

#include <filesystem>
#include <system_error>
#include <utility>

namespace orv {

namespace {

namespace fs = std::filesystem;

constexpr int kPrjMgrLogErrors = 0;
constexpr int kPrjMgrLogInfo = 1;
constexpr int kPrjMgrLogDebug = 2;
// The simulation driver's fixed driver number and PLC type.
constexpr uint16_t kPrjMgrSimDrvNo = 78;
constexpr uint16_t kPrjMgrSimSpsType = 49;
// The copy kept of a tool configuration file that is rewritten whole.
constexpr const char* kPrjMgrIniBackup = "ORVPRO.IN$";

bool PrjMgrFileExists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(path, ec);
}

std::string PrjMgrNamePart(const std::string& name)
{
    return fs::path(name).filename().string();
}

// The file below dir as it exists on disk, else as named.
std::string PrjMgrLocate(const std::string& dir, const std::string& name)
{
    if (auto found = orv::FindPathNoCase(dir, name))
        return *found;
    return dir + name;
}

// The simulation driver of a panel type, with its log line; null where there
// is none.
struct PrjMgrSimDrv {
    const char* logLine;
    const char* file;
};

const PrjMgrSimDrv* PrjMgrSimDrvOf(uint16_t devType)
{
    static constexpr PrjMgrSimDrv kMini{"Simulationdrv for MINI", "SIMMINI.DRV"};
    static constexpr PrjMgrSimDrv k473{"Simulationdrv for ORV473pe", "SIM473pe.DRV"};
    static constexpr PrjMgrSimDrv kMidi{"Simulationdrv for MIDI", "SIMMIDI.DRV"};
    const PanelRow* row = FindPanel(devType);
    switch (row ? row->simDriver : SimDriver::None) {
    case SimDriver::Mini:
        return &kMini;
    case SimDriver::Pe473:
        return &k473;
    case SimDriver::Midi:
        return &kMidi;
    case SimDriver::None:
        break;
    }
    return nullptr;
}

// Opens the library, finds the configured driver and reads its header; false
// when the library's error check failed (it has shown its message).
template <class Lib>
bool PrjMgrReadLibDriver(const std::string& path, PrjBundle* bundle)
{
    Lib lib(path, bundle);
    // A failed find leaves its error in the library, which the check shows.
    static_cast<void>(lib.Find());
    if (!lib.CheckError())
        return false;
    lib.ReadHeader();
    lib.CheckError();
    return true;
}

template <class Reader>
bool PrjMgrReadStdFkt(const std::string& path, PrjBundle* bundle, uint16_t& lastError)
{
    Reader reader(path, bundle);
    if (!reader.CheckError()) {
        lastError = CPrjMgr::kErrFktFile;
        return false;
    }
    bool standard = reader.IsStdFile();
    if constexpr (std::is_same_v<Reader, CFktFile706>)
        standard = standard && reader.IsValid();
    if (!standard) {
        lastError = CPrjMgr::kErrFktFile;
        ShowMessage(msg::kDateiIstBeschaedigt, PrjMgrNamePart(path));
        return false;
    }
    reader.ReadHeader();
    return reader.GetError() == 0;
}

} // namespace

CPrjMgr::CPrjMgr(CFrameState& frame, CStartSel& startSel)
    : CPrjMgr(frame, startSel, orv::GetProgramDir(), orv::GetStateDir())
{
}

CPrjMgr::CPrjMgr(CFrameState& frame, CStartSel& startSel, std::string programDir, std::string stateDir)
    : m_frame(frame), m_startSel(startSel), m_ws(std::move(programDir), std::move(stateDir))
{
    m_frame.SetPrjPath("");
    m_ws.SetBundle(&m_bundle);
    m_frame.SetWorkspace(&m_ws);
    m_ws.SetPrjDir(PrjMgrLocate(m_ws.GetStateDir(), "DATA") + "/");
}

CPrjMgr::~CPrjMgr()
{
    // The frame lets go of what is freed here before anything goes.
    for (int family = 1; family <= 3; ++family)
        if (m_frame.GetFon(family) == m_fons[static_cast<size_t>(family - 1)].get())
            m_frame.SetFon(family, nullptr);
    if (m_frame.GetWorkspace() == &m_ws)
        m_frame.SetWorkspace(nullptr);
    if (m_startSel.GetTarget() == this)
        m_startSel.SetTarget(nullptr);
    DestroyBundle();
    for (auto& fon : m_fons)
        fon.reset();
    m_ws.SetBundle(nullptr);
}

void CPrjMgr::DestroyBundle()
{
    // The root's clearing reaches the other members, so it goes first.
    if (m_prjData)
        m_prjData->SetFwVarSource(nullptr);
    m_prjData.reset();
    m_drvCfg.reset();
    m_spsPar.reset();
    m_fktCfg.reset();
    m_frmCfg.reset();
    m_charSet.reset();
    m_fwSource.reset();
    m_bundle.Clear();
}

bool CPrjMgr::IsBuilt() const
{
    return m_prjData && m_spsPar && m_drvCfg && m_fktCfg && m_frmCfg && m_charSet;
}

bool CPrjMgr::CheckCfgFiles() const
{
    const std::string cfg = m_ws.GetCfgFile();
    if (!PrjMgrFileExists(cfg)) {
        ShowMessage(msg::kDateiKannNichtGeoeffnetWerden, cfg);
        return false;
    }
    // The installed file seeds a state directory that has none.
    orv::CopyIfMissing(m_ws.GetProgramDir(), m_ws.GetStateDir(), "CFG/ORV/ORVPRO.INI");
    const std::string ini = m_ws.GetIniFile();
    if (!PrjMgrFileExists(ini)) {
        ShowMessage(msg::kDateiKannNichtGeoeffnetWerden, ini);
        return false;
    }
    return true;
}

void CPrjMgr::SetSimDrvBound(bool bound)
{
    m_ws.SetSimDrvBound(bound);
    if (!bound)
        return;
    m_choice.drvNo = kPrjMgrSimDrvNo;
    m_choice.spsType = kPrjMgrSimSpsType;
    LogLine(kPrjMgrLogErrors, "Simulationstreiber wird an Projekt gebunden");
}

int CPrjMgr::Init()
{
    if (IsBuilt())
        return kInitDone;
    m_ws.Env().printerHeadline.clear();
    if (!LoadFonts())
        return kInitFailed;
    if (!CheckCfgFiles()) {
        ShowInternalError(msg::kInternalError, "Configfiles not found");
        DestroyBundle();
        return kInitFailed;
    }
    BuildMembers();
    ReadToolCfg();
    // A panel kept with the international variant is named by its own code in
    // the start selection.
    const bool variant = HasVariant(m_choice.devType) && m_prjData->GetVariant() != 0;
    if (variant)
        m_intl = true;
    m_startSel.SetTarget(this);
    m_startSel.SetOrvVals("ORVPRO", FileCodeOf(m_choice.devType, variant), m_choice.spsType, m_choice.drvNo,
                          m_choice.db, m_choice.offset, m_choice.length);
    const bool ok = Startselection();
    LogLine(kPrjMgrLogDebug, ok ? "Startselection OK" : "Startselection failed");
    return kInitDone;
}

bool CPrjMgr::LoadFonts()
{
    // The character set comes first: the fonts fill its glyph buffers.
    m_charSet = std::make_unique<CCharSet>(&m_bundle);
    m_bundle.charSet = m_charSet.get();
    for (size_t i = 0; i < m_fons.size(); ++i)
        if (!m_fons[i])
            m_fons[i] = std::make_unique<CFon>(static_cast<uint8_t>(i + 1));
    std::string failed;
    const bool loaded = LoadPanelFonts(GetCfgDir(), *m_fons[0], *m_fons[1], *m_fons[2], *m_charSet, failed);
    // The frame holds only fonts that loaded.
    for (size_t i = 0; i < m_fons.size(); ++i)
        m_frame.SetFon(static_cast<int>(i + 1), m_fons[i]->HasFont() ? m_fons[i].get() : nullptr);
    if (loaded)
        return true;
    ShowMessage(msg::kDateiKannNichtGeoeffnetWerden, failed);
    DestroyBundle();
    return false;
}

void CPrjMgr::BuildMembers()
{
    m_prjData = std::make_unique<CPrjData>(&m_bundle);
    m_bundle.prjData = m_prjData.get();
    m_fwSource = std::make_unique<CFirmwareVarSource>(m_ws);
    m_prjData->SetFwVarSource(m_fwSource.get());
    m_spsPar = std::make_unique<CSpsPar>(&m_bundle);
    m_bundle.spsPar = m_spsPar.get();
    m_drvCfg = std::make_unique<CDrvCfg>(&m_ws, &m_bundle);
    m_bundle.drvCfg = m_drvCfg.get();
    CDrvLibReaderScanner scanner(&m_bundle);
    m_drvCfg->LoadDrvLibs(&scanner);
    m_fktCfg = std::make_unique<CFktCfg>(&m_bundle);
    m_bundle.fktCfg = m_fktCfg.get();
    m_fktCfg->Clear();
    m_frmCfg = std::make_unique<CFrmCfg>(&m_bundle);
    m_bundle.frmCfg = m_frmCfg.get();
}

void CPrjMgr::ReadToolCfg()
{
    CCfgReader reader(m_ws, m_bundle);
    if (reader.GetError() == 0)
        reader.ReadEnvironment();
    if (reader.GetError() == 0)
        reader.ReadConfiguration(m_choice);
    if (reader.GetError() != 0)
        m_cfgUnreadable = true;
}

bool CPrjMgr::Startselection()
{
    if (!IsBuilt())
        return false;
    LogLine(kPrjMgrLogDebug, "Startselection: ORV:%d SPS:%d DRV:%d Offs:%d Len:%d DB:%d", m_choice.devType,
            m_choice.spsType, m_choice.drvNo, m_choice.offset, m_choice.length, m_choice.db);
    LogLine(kPrjMgrLogDebug, "Font:%s", m_startSel.IsValid() ? m_startSel.GetFntNam().c_str() : "");
    m_abort = kAbortNone;
    m_prjData->SetVariant(m_intl ? 1 : 0);
    LogLine(kPrjMgrLogDebug, m_intl ? "International Display" : "Normal Display");
    ChooseSimDriver();
    RewriteConfiguration();
    m_charSet->SetDevType(m_choice.devType);
    if (Aborted())
        return false;
    m_prjData->SetDevType(m_choice.devType);
    // The second SelDevType empties the root once more after the driver and
    // special-function files were read; the second SelFormFile fills the
    // emptied firmware configuration again.
    const auto steps = {&CPrjMgr::SelFormFile, &CPrjMgr::SelDevType, &CPrjMgr::SelSpsPar, &CPrjMgr::SelDrvFile,
                        &CPrjMgr::SelFktFile,  &CPrjMgr::SelDevType, &CPrjMgr::SelFormFile};
    for (const auto step : steps) {
        (this->*step)();
        if (Aborted())
            return false;
    }
    {
        CCfgSearch search(m_ws, m_bundle);
        if (search.GetError() == 0)
            search.LoadCombination(m_choice.devType, m_choice.spsType, m_choice.drvNo);
        if (search.GetError() != 0) {
            // Without its box the user would not learn why the selection
            // did not apply.
            static_cast<void>(search.CheckError());
            m_abort = kAbortCombination;
        }
    }
    if (Aborted())
        return false;
    ReadCfgSections();
    if (Aborted())
        return false;
    FirstLoad();
    return true;
}

void CPrjMgr::ChooseSimDriver()
{
    if (!m_ws.IsSimDrvBound()) {
        m_ws.SetDrvOverride(m_ws.GetDrvOverrideName(), false);
        return;
    }
    const uint16_t devType = FileCodeOf(m_choice.devType, m_intl);
    const PrjMgrSimDrv* sim = PrjMgrSimDrvOf(devType);
    if (!sim) {
        // Going on with the driver of another panel would read it with the
        // wrong family's reader.
        ShowMessage(msg::kInternalError, "This Simulation Driver is not available");
        m_abort = kAbortDriver;
        return;
    }
    LogLine(kPrjMgrLogDebug, "%s", sim->logLine);
    m_ws.SetDrvOverride(sim->file, true);
}

void CPrjMgr::RewriteConfiguration()
{
    if (m_ws.IsSimDrvBound() || m_cfgUnreadable)
        return;
    CCfgWriter writer(m_ws, m_bundle);
    if (writer.ReportError()) {
        writer.SaveConfiguration(m_choice);
        writer.ReportError();
    }
}

void CPrjMgr::ReadCfgSections()
{
    if (!m_cfgUnreadable) {
        CCfgReader reader(m_ws, m_bundle);
        std::string descr;
        if (reader.GetError() == 0 && reader.ReadDescription(descr))
            m_prjData->SetDefDescr(descr);
        if (reader.GetError() == 0)
            reader.ReadSimulation();
        if (reader.GetError() != 0)
            m_cfgUnreadable = true;
    }
    if (!m_cfgUnreadable)
        return;
    const std::string ini = m_ws.GetIniFile();
    if (PrjMgrFileExists(ini)) {
        // A whole new file drops every other panel's simulation words and any
        // unknown key: the old one stays beside it.
        const std::string backup = (fs::path(ini).parent_path() / kPrjMgrIniBackup).string();
        std::error_code ec;
        fs::copy_file(ini, backup, fs::copy_options::overwrite_existing, ec);
        LogLine(kPrjMgrLogErrors, "%s rewritten, the previous file kept as %s", ini.c_str(), backup.c_str());
    }
    {
        CCfgWriter writer(m_ws, m_bundle);
        if (writer.ReportError()) {
            writer.SaveAll(m_choice);
            if (writer.ReportError())
                m_cfgUnreadable = false;
        }
    }
    CCfgReader reader(m_ws, m_bundle);
    if (reader.GetError() == 0)
        reader.ReadSimulation();
}

std::string CPrjMgr::CfgDirFile(const std::string& name) const
{
    return PrjMgrLocate(GetCfgDir(), PrjMgrNamePart(name));
}

void CPrjMgr::SelFormFile()
{
    m_frmCfg->Clear();
    const PanelRow* row = FindPanel(m_choice.devType);
    if (!row || !row->frmFile)
        return;
    const std::string path = CfgDirFile(m_frmCfg->FrmFileName());
    SetFormFile(path);
    const bool exists = PrjMgrFileExists(path);
    if (exists) {
        if (row->family == Family::F118) {
            CFirmware118 fw(path, &m_bundle);
            fw.ReadId();
            fw.ReadDate();
            return;
        }
        CFirmware fw(path, &m_bundle);
        if (fw.NameMatches() && fw.IsValid()) {
            fw.ReadId();
            fw.ReadDate();
            if (fw.GetError() == 0)
                return;
        }
    }
    if (exists)
        ShowMessage(msg::kFirmwaredateiIstBeschaedigt, PrjMgrNamePart(path));
    else
        ShowMessage(msg::kFirmwaredateiKannNichtGeoeffnetWerden, PrjMgrNamePart(path));
    m_abort = kAbortForm;
}

void CPrjMgr::SelDevType()
{
    const uint16_t devType = m_choice.devType;
    m_prjData->SetDevType(devType);
    const PanelRow* row = FindPanel(devType);
    uint16_t dsType = row && !row->variant ? devType : 0;
    if (m_prjData->GetVariant() && HasVariant(devType))
        dsType = FileCodeOf(devType, true);
    m_prjData->SetDsType(dsType);
    m_prjData->Clear();
}

void CPrjMgr::SelSpsPar()
{
    m_spsPar->SetSpsType(m_choice.spsType);
    m_spsPar->SetOffset(m_choice.offset);
    m_spsPar->SetLength(m_choice.length);
    m_spsPar->SetDataBlock(m_choice.db);
    m_spsPar->ClearItems();
}

void CPrjMgr::SelDrvFile()
{
    m_drvCfg->SetDrvNo(m_choice.drvNo);
    m_drvCfg->Clear();
    const uint16_t devType = m_choice.devType;
    const std::string name = PrjMgrNamePart(m_drvCfg->DrvLibName(devType));
    if (name.empty())
        return;
    const std::string path = CfgDirFile(name);
    SetDrvFile(path);
    if (!PrjMgrFileExists(path)) {
        ShowMessage(msg::kTreiberBibliothekKonnteNichtGeoeffnet, name);
        m_abort = kAbortDriver;
        return;
    }
    const PanelRow* row = FindPanel(devType);
    if (!row)
        return;
    if (DrvFamilyOf(row->family) == DrvFamily::F043) {
        if (!PrjMgrReadLibDriver<CDrvLib043>(path, &m_bundle))
            m_abort = kAbortDriver;
    } else {
        // A 706 family library without the driver stops nothing.
        PrjMgrReadLibDriver<CDrvLib706>(path, &m_bundle);
    }
}

void CPrjMgr::SelFktFile()
{
    m_fktCfg->Clear();
    // A panel without a standard file leaves the project without one, not
    // with the mark of the panel chosen before.
    m_fktCfg->SetUsed(false);
    const PanelRow* row = FindPanel(m_choice.devType);
    if (!row || row->fktGroup == FktGroup::None)
        return;
    const int group = static_cast<int>(row->fktGroup);
    const std::string path = m_ws.GetStdFktPath(group);
    if (path.empty())
        return;
    if (!PrjMgrFileExists(path)) {
        m_lastError = kErrFktFile;
        ShowMessage(msg::kDateiKannNichtGeoeffnetWerden, PrjMgrNamePart(path));
        return;
    }
    bool read = false;
    switch (row->fktGroup) {
    case FktGroup::P014: read = PrjMgrReadStdFkt<CFktFile014>(path, &m_bundle, m_lastError); break;
    case FktGroup::P043: read = PrjMgrReadStdFkt<CFktFile043>(path, &m_bundle, m_lastError); break;
    case FktGroup::P047: read = PrjMgrReadStdFkt<CFktFile047>(path, &m_bundle, m_lastError); break;
    case FktGroup::P706: read = PrjMgrReadStdFkt<CFktFile706>(path, &m_bundle, m_lastError); break;
    case FktGroup::None: break;
    }
    if (read)
        m_fktCfg->SetUsed(true);
}

void CPrjMgr::SaveCfg()
{
    if (!IsBuilt())
        return;
    if (!m_prjData->GetPath().empty())
        SetPrjFile(m_prjData->GetPath());
    if (m_ws.IsSimDrvBound())
        return;
    CCfgWriter writer(m_ws, m_bundle);
    if (writer.ReportError()) {
        // A run that loaded no project keeps the last one for the next start.
        writer.SaveEnvironment(true);
        writer.ReportError();
    }
}

void CPrjMgr::LogFirmware() const
{
    if (!m_frmCfg)
        return;
    LogLine(kPrjMgrLogInfo, "%s %s %s %s %s", m_frmCfg->FrmFileName().c_str(), LoadLangString(msg::kVersion),
            m_frmCfg->GetVersion().c_str(), LoadLangString(msg::kVom), m_frmCfg->GetName().c_str());
}

bool CPrjMgr::WriteFontFile()
{
    if (!IsBuilt())
        return false;
    // By the font name itself: the family number takes any other name for
    // "alt", and such a device has no panel font to write.
    static constexpr std::array<std::pair<const char*, const char*>, 3> kFiles = {
        {{"alt", "TM~ALT.FON"}, {"706", "TM~706.FON"}, {"int", "TM~INT.FON"}}};
    const std::string font = m_startSel.IsValid() ? m_startSel.GetFntNam() : std::string();
    bool written = true;
    for (size_t i = 0; i < kFiles.size(); ++i) {
        if (font != kFiles[i].first)
            continue;
        const std::string dir = m_ws.GetStateDir() + "CFG/ORV/";
        std::error_code ec;
        fs::create_directories(dir, ec);
        // The font logs why it could not write; a caller must not take the
        // screen font for the edited one.
        written = m_fons[i]->Save(PrjMgrLocate(dir, kFiles[i].second)) && written;
        LogLine(kPrjMgrLogDebug, "WriteFontdatei %s", kFiles[i].second);
    }
    m_frame.LoadFonOfDevice();
    return written;
}

} // namespace orv
