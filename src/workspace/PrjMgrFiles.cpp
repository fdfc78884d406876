// The project's own driver and special-function files beside its source:
// checked before a project is read, taken after, written when it is saved.
#include "workspace/PrjMgr.h"

#include "image/drv/DrvFile.h"
#include "image/drv/DrvWriter.h"
#include "image/drv/FktFile.h"
#include "model/core/CatalogueIds.h"
#include "model/core/FileUtils.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/project/DrvCfg.h"
#include "model/project/FktCfg.h"
#include "model/project/PanelTable.h"
#include "model/project/PrjData.h"
#include "platform/FileLookup.h"

#include <filesystem>
#include <system_error>
#include <type_traits>

namespace orv {

namespace {

namespace fs = std::filesystem;

constexpr int kPrjFilesLogDebug = 2;

bool PrjFilesExists(const std::string& path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

void PrjFilesDelete(const std::string& path)
{
    LogLine(kPrjFilesLogDebug, "Delete %s", path.c_str());
    std::error_code ec;
    fs::remove(path, ec);
}

// Sets a re-entry flag for a scope; a question's event loop can call the
// same save once more.
class PrjFilesGuard {
public:
    explicit PrjFilesGuard(bool& flag) : m_flag(flag), m_entered(!flag) { m_flag = true; }
    ~PrjFilesGuard()
    {
        if (m_entered)
            m_flag = false;
    }
    PrjFilesGuard(const PrjFilesGuard&) = delete;
    PrjFilesGuard& operator=(const PrjFilesGuard&) = delete;
    bool Entered() const { return m_entered; }

private:
    bool& m_flag;
    bool m_entered;
};

// The reader, library reader and writer of one driver family.
template <class File, class Lib, class Writer>
struct PrjDrvKinds {
    using FileT = File;
    using LibT = Lib;
    using WriterT = Writer;
};
using PrjDrv043 = PrjDrvKinds<CDrvFile043, CDrvLib043, CDrvWriter043>;
using PrjDrv706 = PrjDrvKinds<CDrvFile706, CDrvLib706, CDrvWriter706>;

template <class File>
void PrjFilesReadHeader(File& file)
{
    if (file.CheckError()) {
        file.ReadHeader();
        file.CheckError();
    }
}

template <class Kinds>
int PrjFilesCheckDriver(const std::string& path, PrjBundle* bundle, CDrvCfg& cfg)
{
    typename Kinds::FileT file(path, bundle);
    if (!file.CheckError())
        return CPrjMgr::kDrvStop;
    if (!file.IsValid())
        return CPrjMgr::kDrvReplace;
    if (!file.NameMatches(cfg.GetDrvNo())) {
        std::string name = file.GetName();
        if (name.empty())
            name = " ";
        return AskYesNo(msg::kSollDerImProjektVerwendete, name, cfg.GetDrvFileName()) ? CPrjMgr::kDrvReplace
                                                                                       : CPrjMgr::kDrvStop;
    }
    if (!file.CheckError() || !file.CheckParams())
        return CPrjMgr::kDrvStop;
    return CPrjMgr::kDrvGoOn;
}

template <class Kinds>
void PrjFilesLoadDriver(const std::string& path, const std::string& libPath, PrjBundle* bundle, CDrvCfg& cfg)
{
    if (PrjFilesExists(path)) {
        typename Kinds::FileT file(path, bundle);
        if (file.CheckError()) {
            if (file.IsValid() && file.NameMatches(cfg.GetDrvNo()))
                cfg.SetDrvLoaded(true);
            else
                PrjFilesDelete(path);
        }
    }
    if (cfg.IsDrvLoaded()) {
        typename Kinds::FileT file(path, bundle);
        PrjFilesReadHeader(file);
        return;
    }
    typename Kinds::LibT lib(libPath, bundle);
    // A failed find leaves its error in the library: the header is then not
    // read and the error is shown.
    static_cast<void>(lib.Find());
    PrjFilesReadHeader(lib);
    // The next save writes the project's own file.
    cfg.SetModified(true);
}

template <class Kinds>
void PrjFilesSaveDriver(const std::string& path, const std::string& libPath, PrjBundle* bundle, CDrvCfg& cfg)
{
    bool created = !PrjFilesExists(path);
    if (created)
        cfg.SetModCount(static_cast<uint16_t>(cfg.GetModCount() + 1));
    {
        typename Kinds::LibT lib(libPath, bundle);
        // A failed find leaves its error in the library, which the check shows.
        static_cast<void>(lib.Find());
        if (lib.CheckError()) {
            if (created) {
                lib.Extract(path);
            } else if (lib.VersionFits()) {
                cfg.SetModCount(static_cast<uint16_t>(cfg.GetModCount() + 1));
                lib.Extract(path);
                created = true;
            }
        }
    }
    {
        typename Kinds::WriterT writer(path, bundle);
        if (writer.CheckError()) {
            writer.Update();
            if (writer.CheckError())
                cfg.SetModified(false);
        }
    }
    if (!created)
        return;
    cfg.Clear();
    cfg.SetDrvLoaded(true);
    cfg.SetDrvPath(path);
    typename Kinds::FileT file(path, bundle);
    PrjFilesReadHeader(file);
}

// The reader and writer of one special-function group.
template <class Reader, class Writer>
struct PrjFktKinds {
    using ReaderT = Reader;
    using WriterT = Writer;
};

template <class Reader>
bool PrjFilesIsStdFkt(Reader& reader)
{
    if constexpr (std::is_same_v<Reader, CFktFile706>)
        return reader.IsStdFile() && reader.IsValid();
    else
        return reader.IsStdFile();
}

template <class Kinds>
void PrjFilesLoadFkt(const std::string& path, const std::string& stdPath, PrjBundle* bundle, CFktCfg& cfg)
{
    if (PrjFilesExists(path)) {
        typename Kinds::ReaderT reader(path, bundle);
        if (reader.CheckError()) {
            if (PrjFilesIsStdFkt(reader))
                cfg.SetLoaded(true);
            else
                PrjFilesDelete(path);
        }
    }
    if (cfg.IsLoaded()) {
        typename Kinds::ReaderT reader(path, bundle);
        PrjFilesReadHeader(reader);
        return;
    }
    typename Kinds::ReaderT reader(stdPath, bundle);
    PrjFilesReadHeader(reader);
    cfg.SetModified(true);
}

template <class Kinds>
void PrjFilesSaveFkt(const std::string& path, const std::string& stdPath, PrjBundle* bundle, CFktCfg& cfg)
{
    if (PrjFilesExists(path)) {
        typename Kinds::ReaderT standard(stdPath, bundle);
        if (!standard.NeedsReplace() || !standard.CheckError())
            return;
    }
    copyfile(stdPath, path);
    {
        typename Kinds::WriterT writer(path, bundle);
        if (writer.CheckError()) {
            writer.Update();
            if (writer.CheckError())
                cfg.SetModified(false);
        }
    }
    cfg.Clear();
    cfg.SetLoaded(true);
    cfg.SetPath(path);
    typename Kinds::ReaderT reader(path, bundle);
    PrjFilesReadHeader(reader);
}

// Runs f with the kinds of the special-function group.
template <class F>
void PrjFilesWithFktGroup(FktGroup group, F&& f)
{
    switch (group) {
    case FktGroup::P014: f(PrjFktKinds<CFktFile014, CFktWriter014>{}); break;
    case FktGroup::P043: f(PrjFktKinds<CFktFile043, CFktWriter043>{}); break;
    case FktGroup::P047: f(PrjFktKinds<CFktFile047, CFktWriter047>{}); break;
    case FktGroup::P706: f(PrjFktKinds<CFktFile706, CFktWriter706>{}); break;
    case FktGroup::None: break;
    }
}

template <class F>
auto PrjFilesWithDrvFamily(DrvFamily family, F&& f)
{
    return family == DrvFamily::F043 ? f(PrjDrv043{}) : f(PrjDrv706{});
}

} // namespace

std::string CPrjMgr::Companion(const std::string& srcPath, const std::string& tag) const
{
    const fs::path src(srcPath);
    const std::string dir = src.has_parent_path() ? src.parent_path().string() + "/" : std::string();
    const std::string name = src.stem().string() + "." + tag;
    // A file that came from a system that ignores case keeps its name.
    if (auto found = orv::FindPathNoCase(dir.empty() ? std::string("./") : dir, name))
        return *found;
    return dir + name;
}

const PanelRow* CPrjMgr::PrjPanel() const
{
    return IsBuilt() ? FindPanel(m_prjData->GetDevType()) : nullptr;
}

int CPrjMgr::CheckPrjDriver(const std::string& srcPath)
{
    if (!IsBuilt())
        return kDrvStop;
    const std::string path = Companion(srcPath, m_ws.Tags().driver);
    if (!PrjFilesExists(path))
        return kDrvGoOn;
    const PanelRow* row = PrjPanel();
    if (!row)
        return kDrvStop;
    return PrjFilesWithDrvFamily(DrvFamilyOf(row->family), [&](auto kinds) {
        return PrjFilesCheckDriver<decltype(kinds)>(path, &m_bundle, *m_drvCfg);
    });
}

void CPrjMgr::LoadPrjDriver()
{
    if (!IsBuilt())
        return;
    m_drvCfg->Clear();
    const std::string path = Companion(m_prjData->GetPath(), m_ws.Tags().driver);
    m_drvCfg->SetDrvPath(path);
    if (const PanelRow* row = PrjPanel())
        PrjFilesWithDrvFamily(DrvFamilyOf(row->family), [&](auto kinds) {
            PrjFilesLoadDriver<decltype(kinds)>(path, GetDrvFile(), &m_bundle, *m_drvCfg);
            return 0;
        });
}

void CPrjMgr::LoadPrjFkt()
{
    if (!IsBuilt() || !m_fktCfg->IsUsed())
        return;
    m_fktCfg->Clear();
    const PanelRow* row = PrjPanel();
    if (!row || row->fktGroup == FktGroup::None)
        return;
    const std::string path = Companion(m_prjData->GetPath(), m_ws.Tags().function);
    m_fktCfg->SetPath(path);
    const std::string& stdPath = m_ws.GetStdFktPath(static_cast<int>(row->fktGroup));
    PrjFilesWithFktGroup(row->fktGroup, [&](auto kinds) {
        PrjFilesLoadFkt<decltype(kinds)>(path, stdPath, &m_bundle, *m_fktCfg);
    });
}

bool CPrjMgr::SavePrjDriver()
{
    PrjFilesGuard guard(m_inSavePrjDriver);
    if (!guard.Entered() || !IsBuilt())
        return false;
    const std::string path = Companion(m_prjData->GetPath(), m_ws.Tags().driver);
    m_drvCfg->SetDrvPath(path);
    if (const PanelRow* row = PrjPanel())
        PrjFilesWithDrvFamily(DrvFamilyOf(row->family), [&](auto kinds) {
            PrjFilesSaveDriver<decltype(kinds)>(path, GetDrvFile(), &m_bundle, *m_drvCfg);
            return 0;
        });
    return true;
}

bool CPrjMgr::SavePrjFkt()
{
    PrjFilesGuard guard(m_inSavePrjFkt);
    if (!guard.Entered() || !IsBuilt())
        return false;
    if (!m_fktCfg->IsUsed())
        return true;
    const PanelRow* row = PrjPanel();
    if (!row || row->fktGroup == FktGroup::None)
        return true;
    const std::string path = Companion(m_prjData->GetPath(), m_ws.Tags().function);
    m_fktCfg->SetPath(path);
    const std::string& stdPath = m_ws.GetStdFktPath(static_cast<int>(row->fktGroup));
    PrjFilesWithFktGroup(row->fktGroup, [&](auto kinds) {
        PrjFilesSaveFkt<decltype(kinds)>(path, stdPath, &m_bundle, *m_fktCfg);
    });
    return true;
}

} // namespace orv
