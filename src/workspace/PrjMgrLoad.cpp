// Moves the project between its source files and memory: the parameter line's
// prescan, open, append, save with backup, new, and the first load of the last
// project. Nothing here leaves a project shown under a file it did not come from.
#include "workspace/PrjMgr.h"

#include "model/core/CatalogueIds.h"
#include "model/core/Catalogues.h"
#include "model/core/Coll.h"
#include "model/core/FrameState.h"
#include "model/core/LangStrings.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/project/DrvCfg.h"
#include "model/project/DrvTab.h"
#include "model/project/FktCfg.h"
#include "model/project/PanelTable.h"
#include "model/project/PrjData.h"
#include "model/project/SpsDef.h"
#include "source/reader/ParsOrvFile.h"
#include "source/reader/ParsOrvLoad.h"
#include "source/writer/RestOrv.h"
#include "workspace/StartSel.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <system_error>

namespace orv {

namespace {

namespace fs = std::filesystem;

// The prescan reads the first lines only, each up to 255 characters.
constexpr int kLoadPrescanLines = 100;
constexpr size_t kLoadPrescanLineBuffer = 256;

bool LoadBeginsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// A decimal number as atoi reads it, held within 32 bits.
int32_t LoadNumber(const char* text)
{
    const long value = std::strtol(text, nullptr, 10);
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

// The five keys of a complete parameter line, in this order; false when one
// is missing.
bool LoadPrescanKeys(const char* line, CPrjMgr::PrescanRecord& record)
{
    const std::array<std::pair<const char*, int32_t*>, 5> keys{{{"DRV=", &record.drvNo},
                                                                 {"SPS=", &record.spsType},
                                                                 {"DB=", &record.db},
                                                                 {"OFFS=", &record.offset},
                                                                 {"LEN=", &record.length}}};
    for (const auto& [key, value] : keys) {
        const char* at = std::strstr(line, key);
        if (!at)
            return false;
        *value = LoadNumber(at + std::strlen(key));
    }
    return true;
}

// Directory part with its separator; empty without one.
std::string LoadDirOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Opens, checks and parses a source into the bundle. stateFalse: the parser's
// state test failed afterwards, so the read is tried once more.
bool LoadParse(const std::string& path, bool full, const PrjBundle& bundle, bool& stateFalse)
{
    CParsOrvLoad parser(path, full, bundle);
    // A parser that could not open the file has read nothing and must not
    // count as a clean read.
    if (!parser.Finish()) {
        stateFalse = true;
        return false;
    }
    parser.ReadDescription();
    parser.Parse();
    const bool failed = parser.HasError();
    stateFalse = !parser.Finish();
    return !failed;
}

// Description and project into the writer's temporary file; false at the
// writer's first error, which it has reported.
bool LoadWriteComplete(CRestOrv& writer)
{
    if (!writer.CheckError())
        return false;
    writer.WriteDescription();
    if (!writer.CheckError())
        return false;
    writer.WriteAll();
    return writer.CheckError();
}

} // namespace

int32_t CPrjMgr::PanelTypeOfId(std::string_view line)
{
    // A source header opens with the panel's keyword; the name before its
    // "_PARAMETER" names the panel.
    for (const PanelRow& row : PanelRows()) {
        const std::string_view keyword(row.sourceKeyword);
        if (LoadBeginsWith(line, keyword.substr(0, keyword.find('_'))))
            return row.code;
    }
    // Panels this program does not build for, known so that their projects
    // are refused by name.
    static constexpr std::array<std::pair<std::string_view, int32_t>, 2> kForeignIds{{{"ORV724", 1724},
                                                                                      {"ORV753", 1753}}};
    for (const auto& [id, code] : kForeignIds)
        if (LoadBeginsWith(line, id))
            return code;
    return 0;
}

bool CPrjMgr::Prescan(const std::string& path, PrescanRecord& record)
{
    // Read only: an installed sample is read-only and must still be
    // prescanned.
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file)
        return false;
    bool complete = false;
    char buffer[kLoadPrescanLineBuffer];
    for (int n = 0; n < kLoadPrescanLines && std::fgets(buffer, sizeof buffer, file.get()); ++n) {
        const std::string_view line(buffer);
        if (line.find("_PARAMETER") == std::string_view::npos)
            continue;
        // Only the last qualifying line counts: a line of another tool
        // names no PLC and no driver.
        if (LoadBeginsWith(line, "TEQ")) {
            record = PrescanRecord{"TQW"};
            complete = false;
        } else if (LoadBeginsWith(line, "ORV") && line.find("ORVWIN") != std::string_view::npos) {
            record = PrescanRecord{"ORVWIN"};
            record.devType = PanelTypeOfId(line);
            complete = false;
        } else if (LoadBeginsWith(line, "ORV")) {
            // An incomplete line ends the scan; an earlier complete line
            // keeps its values.
            PrescanRecord next{"ORVPRO"};
            if (!LoadPrescanKeys(buffer, next))
                break;
            next.devType = PanelTypeOfId(line);
            record = next;
            complete = true;
        }
    }
    return complete;
}

int CPrjMgr::AskSaveChanges()
{
    if (!IsBuilt())
        return kAskDeclined;
    const int mask = (m_prjData->GetModCount() != 0 ? 1 : 0) | (m_drvCfg->GetModCount() != 0 ? 2 : 0) |
                     (m_fktCfg->IsUsed() && m_fktCfg->GetModCount() != 0 ? 4 : 0);
    if (mask == 0)
        return kAskUnchanged;
    uint32_t reason = msg::kDatensatzWurdeVeraendert;
    if (mask == 2 || mask == 6)
        reason = m_drvCfg->IsDrvLoaded() ? msg::kTreiberParameterWurdenVeraendert : msg::kTreiberParameterSindNochNicht;
    else if (mask == 3 || mask == 7)
        reason = msg::kDatensatzUndTreiberParameterWurden;
    else if (mask == 4)
        reason = msg::kSonderfunktionIstNochNichtIm;
    if (!AskYesNo(msg::kSollZuerstGespeichertWerden, LoadLangString(reason)))
        return kAskDeclined;
    // A save that failed must stop the command as a No does: what follows
    // would empty or replace the unsaved project.
    return SavePrj() ? kAskSaved : kAskDeclined;
}

bool CPrjMgr::SavePrj()
{
    // A question's event loop inside a save must not start another.
    if (m_inWritePrj)
        return false;
    const std::string path = m_frame.GetPrjPath();
    SetPrjDir(LoadDirOf(path));
    if (!IsBuilt())
        return false;
    const bool written = WritePrj(path);
    // Without a name there is nothing to form the project's files from.
    if (path.empty())
        return false;
    SavePrjDriver();
    SavePrjFkt();
    return written;
}

bool CPrjMgr::WritePrj(const std::string& path)
{
    if (m_inWritePrj || !IsBuilt())
        return false;
    m_inWritePrj = true;
    const struct WritePrjEntry {
        bool& flag;
        ~WritePrjEntry() { flag = false; }
    } entry{m_inWritePrj};
    const fs::path src(path);
    const std::string backup = (src.parent_path() / (src.stem().string() + "." + m_ws.Tags().backup)).string();
    m_prjData->SetPath(path);
    // The writer fills a temporary file; source and backup change only once
    // the new text is complete.
    CRestOrv writer(path, &m_bundle, &m_ws);
    if (!LoadWriteComplete(writer))
        return false;
    DeleteLogged(backup);
    LogLine(kLogDebug, "Rename %s %s", path.c_str(), backup.c_str());
    std::error_code ec;
    fs::rename(path, backup, ec);
    const bool renamed = !ec;
    if (!writer.Finish()) {
        writer.CheckError();
        if (renamed)
            fs::rename(backup, path, ec);
        return false;
    }
    m_prjData->SetModified(false);
    return true;
}

bool CPrjMgr::WriteTmpPrj()
{
    if (!IsBuilt())
        return false;
    const std::string tmp = GetTmpFile();
    DeleteTmpPrj();
    std::error_code ec;
    fs::create_directories(fs::path(tmp).parent_path(), ec);
    CRestOrv writer(tmp, &m_bundle, &m_ws);
    if (!LoadWriteComplete(writer))
        return false;
    if (writer.Finish())
        return true;
    writer.CheckError();
    return false;
}

void CPrjMgr::DeleteTmpPrj()
{
    DeleteLogged(GetTmpFile());
}

bool CPrjMgr::PanelTypeMatches(uint16_t model) const
{
    const uint16_t devType = m_prjData->GetDevType();
    return model == 0 || model == devType || model == FileCodeOf(devType, m_prjData->GetVariant() != 0);
}

int CPrjMgr::CheckPanelType(uint16_t model, bool first)
{
    if (!IsBuilt())
        return kPanelStop;
    if (!first || PanelTypeMatches(model))
        return kPanelGoOn;
    const PanelRow* row = FindPanel(FileCodeOf(m_prjData->GetDevType(), m_prjData->GetVariant() != 0));
    if (!row)
        return kPanelStop;
    const char* name = row->nameText != 0 ? ResourceTXT(row->nameText) : row->name;
    if (!AskYesNo(msg::kDatensatzWurdeNichtFuerDas, name))
        return kPanelStop;
    m_prjData->SetModified(true);
    return kPanelGoOn;
}

CPrjMgr::ReadEnd CPrjMgr::ReadPrjFile(const std::string& path, bool full)
{
    if (!IsBuilt())
        return ReadEnd::Untouched;
    const uint16_t keptDsType = m_prjData->GetDsType();
    const uint16_t keptModCount = m_prjData->GetModCount();
    const uint16_t keptBundleCount = m_bundle.modCount;
    const std::string keptPath = m_prjData->GetPath();
    // Without a complete safety copy a failed parse would have nothing to
    // restore, so nothing is parsed.
    if (!WriteTmpPrj()) {
        DeleteTmpPrj();
        return ReadEnd::Untouched;
    }
    ReadEnd end = ReadEnd::Untouched;
    for (int pass = 0; pass < 2; ++pass) {
        CParsOrvFile file(path, m_bundle);
        if (!file.CheckError())
            break;
        // The model is judged before anything is emptied, so that a refused
        // file leaves the project as it was.
        const uint16_t model = file.GetModel(false);
        const bool foreign = !PanelTypeMatches(model);
        if (CheckPanelType(model, pass == 0) == kPanelStop || (model != 0 && !FindPanel(model)))
            break;
        if (full) {
            file.GetModel(true);
            m_prjData->SetDsType(model);
        }
        // The reader converts texts and old variable names from the panel
        // the file was written for.
        m_prjData->SetSrcDevType(model);
        bool stateFalse = false;
        if (LoadParse(path, full, m_bundle, stateFalse)) {
            end = ReadEnd::Read;
            // Emptying the project cleared the mark the panel question set.
            if (foreign)
                m_prjData->SetModified(true);
        } else {
            end = ReadEnd::Restored;
            const std::string tmp = GetTmpFile();
            CParsOrvFile copy(tmp, m_bundle);
            if (copy.CheckError())
                m_prjData->SetSrcDevType(copy.GetModel(true));
            bool copyStateFalse = false;
            LoadParse(tmp, true, m_bundle, copyStateFalse);
            m_prjData->SetDsType(keptDsType);
            m_prjData->SetModCount(keptModCount);
            m_prjData->SetPath(keptPath);
            m_bundle.modCount = keptBundleCount;
        }
        if (!stateFalse)
            break;
    }
    if (full && end != ReadEnd::Untouched && !m_prjData->GetPath().empty()) {
        LoadPrjDriver();
        LoadPrjFkt();
    }
    DeleteTmpPrj();
    return end;
}

bool CPrjMgr::ReadPrj(const std::string& path, bool full)
{
    return ReadPrjFile(path, full) == ReadEnd::Read;
}

bool CPrjMgr::PrescanSelection(const std::string& path)
{
    if (m_startSel.GetKeepSettings()) {
        LogLine(kLogDebug, "Use Prescan:%d", 0);
        LogLine(kLogDebug, "Dont use Prescan");
        return false;
    }
    LogLine(kLogDebug, "Use Prescan:%d", 1);
    PrescanRecord rec;
    if (!Prescan(path, rec))
        return false;
    LogLine(kLogDebug, "Prescan %s ORV:%d SPS:%d DRV:%d DB:%d OFFS:%d LEN:%d", rec.tool.c_str(), rec.devType,
            rec.spsType, rec.drvNo, rec.db, rec.offset, rec.length);
    m_startSel.SetOrvVals(rec.tool, rec.devType, rec.spsType, rec.drvNo, rec.db, rec.offset, rec.length);
    // The selection shows 755 as its own panel; the workspace keeps 47 with
    // the international display, as the dialog's OK hands it over.
    const HeldPanel held = HeldPanelOf(static_cast<uint16_t>(rec.devType));
    SetPanelType(held.code);
    if (held.variant)
        SetIntlDisplay(1);
    SetPlcType(rec.spsType);
    SetDrvNum(rec.drvNo);
    SetDbNum(rec.db);
    SetDwOffset(rec.offset);
    SetDwLength(rec.length);
    const bool ok = Startselection();
    LogLine(kLogDebug, ok ? "Startselection with Prescan OK" : "Startselection with Prescan failed");
    return true;
}

CPrjMgr::LoadOutcome CPrjMgr::LoadPrj(const std::string& path, LoadMode mode)
{
    LoadOutcome outcome;
    if (!IsBuilt())
        return outcome;
    const std::string entryPath = m_frame.GetPrjPath();
    if (mode == LoadMode::Open) {
        // Asked first: the start selection below empties the project. A Yes
        // saves it under its own name, not over the file to be opened.
        m_frame.SetPrjPath(m_prjData->GetPath());
        const int answer = AskSaveChanges();
        m_frame.SetPrjPath(entryPath);
        if (answer == kAskDeclined)
            return outcome;
    }
    m_frame.SetPrjPath(path);
    SetPrjDir(LoadDirOf(path));
    const bool selected = PrescanSelection(path);
    ReadEnd end = ReadEnd::Untouched;
    if (CheckPrjDriver(path) != kDrvStop)
        end = ReadPrjFile(path, true);
    if (end == ReadEnd::Read) {
        m_frame.SetStateFlags(CFrameState::kStateProjectLoaded);
        outcome = {1, false};
    } else if (selected || end == ReadEnd::Restored) {
        // What is in memory now came from no file: show no project, so that
        // no save writes it under a file's name.
        outcome.unchanged = false;
        m_frame.SetPrjPath("");
        m_frame.SetStateFlags(m_frame.GetStateFlags() & ~CFrameState::kStateProjectLoaded);
    } else {
        m_frame.SetPrjPath(entryPath);
    }
    WriteFontFile();
    return outcome;
}

int CPrjMgr::AppendPrj(const std::string& path)
{
    if (AskSaveChanges() == kAskDeclined)
        return kAppendRefused;
    ReadPrj(path, false);
    return kAppendDone;
}

int CPrjMgr::NewPrj(bool reset)
{
    if (IsBuilt() && reset && AskSaveChanges() != kAskDeclined) {
        m_bundle.Reset();
        // The driver's tables go too; reading its header fills them again.
        const std::array<CColl*, 3> tables{m_drvCfg->GetParItems(), m_drvCfg->GetParItems2(),
                                           m_drvCfg->GetParItems3()};
        for (CColl* table : tables) {
            table->FreeAll();
            table->Pack();
        }
        SelDrvFile();
        SelFktFile();
        const uint16_t devType = m_prjData->GetDevType();
        const PanelRow* row = FindPanel(devType);
        m_prjData->SetDsType(row && !row->variant ? FileCodeOf(devType, m_prjData->GetVariant() != 0) : 0);
    }
    m_frame.SetStateFlags(kStateNewPrj);
    return 0;
}

void CPrjMgr::FirstLoad()
{
    if (m_initialLoadDone)
        return;
    m_initialLoadDone = true;
    const std::string path = GetPrjFile();
    if (!IsFile(path)) {
        m_frame.SetPrjPath("");
        LogLine(kLogDebug, "Not a valid path for last project in ORVPRO.INI");
        return;
    }
    LogLine(kLogDebug, "Initial load -> try to load %s", path.c_str());
    if (CheckPrjDriver(path) == kDrvStop)
        return;
    m_frame.SetPrjPath(path);
    const bool read = ReadPrj(path, true);
    WriteFontFile();
    if (read) {
        m_frame.SetStateFlags(CFrameState::kStateProjectLoaded);
        return;
    }
    // The last project did not read: nothing may be saved under its name.
    m_frame.SetPrjPath("");
    m_frame.SetStateFlags(m_frame.GetStateFlags() & ~CFrameState::kStateProjectLoaded);
}

} // namespace orv
