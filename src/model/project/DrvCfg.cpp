// Driver configuration of a project: which driver it uses, where its library is,
// and the cross-reference tables the driver file fills.
#include "model/project/DrvCfg.h"

#include "model/project/PanelTable.h"

#include "model/project/DrvTable.h"
#include "model/core/FixedText.h"
#include "model/project/ModCount.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjVar.h"
#include "model/project/PrjVarList.h"
#include "model/project/TextPool.h"
#include "model/core/WorkspaceState.h"
#include "platform/FileLookup.h"

namespace orv {

namespace {

// A refused record is the caller's no longer: it is destroyed here, so that
// no reader can lose it.
template <class List, class Item>
bool InsertOwned(List& list, Item* item)
{
    if (!item)
        return false;
    const int index = list.Insert(item);
    if (index >= 0 && list.At(index) == item)
        return true;
    list.FreeItem(item);
    return false;
}

// The name part of a library name; an override may be a path written with
// either separator.
std::string FileNamePart(const std::string& name)
{
    const size_t cut = name.find_last_of("/\\");
    return cut == std::string::npos ? name : name.substr(cut + 1);
}

} // namespace

CDrvCfg::CDrvCfg(CWorkspaceState* workspace, PrjBundle* bundle)
    : m_workspace(workspace),
      m_bundle(bundle),
      m_tab5(std::make_unique<CDrvTab5List>(256, 2)),
      m_tab6(std::make_unique<CDrvTab6List>(256, 2)),
      m_spsDefs(std::make_unique<CSpsDefList>(7, 1)),
      m_texts(std::make_unique<CTextPool>(16, 8)),
      m_vars(std::make_unique<CPrjVarList>(6, 2))
{
}

CDrvCfg::~CDrvCfg()
{
    Clear();
}

int CDrvCfg::SetModified(bool modified)
{
    CountModification(modified, m_modCount, m_bundle);
    return 0;
}

int CDrvCfg::LibRowOf(uint16_t devType)
{
    const PanelRow* row = FindPanel(devType);
    return row ? row->drvLibRow : -1;
}

void CDrvCfg::SetDrvAvail(uint16_t devType, int drv, uint8_t avail)
{
    const int row = LibRowOf(devType);
    if (row < 0 || drv < 0 || drv >= kLibDrivers)
        return;
    m_avail[static_cast<size_t>(row)][static_cast<size_t>(drv)] = avail;
}

uint8_t CDrvCfg::GetDrvAvail(uint16_t devType, int drv) const
{
    const int row = LibRowOf(devType);
    if (row < 0 || drv < 0 || drv >= kLibDrivers)
        return 0;
    return m_avail[static_cast<size_t>(row)][static_cast<size_t>(drv)];
}

void CDrvCfg::SetFlag(Flag flag, uint8_t value)
{
    if (flag >= 0 && flag < kFlagCount)
        m_flags[static_cast<size_t>(flag)] = value;
}

uint8_t CDrvCfg::GetFlag(Flag flag) const
{
    return flag >= 0 && flag < kFlagCount ? m_flags[static_cast<size_t>(flag)] : 0;
}

void CDrvCfg::SetAdrLimit(AdrLimit limit, uint16_t value)
{
    if (limit >= 0 && limit < kLimitCount)
        m_limits[static_cast<size_t>(limit)] = value;
}

uint16_t CDrvCfg::GetAdrLimit(AdrLimit limit) const
{
    return limit >= 0 && limit < kLimitCount ? m_limits[static_cast<size_t>(limit)] : 0;
}

void CDrvCfg::SetDrvName(std::string_view text)
{
    m_name = FixedText(text, kNameWidth);
}

void CDrvCfg::SetDrvFile(std::string_view text)
{
    m_file = FixedText(text, kFileWidth);
}

void CDrvCfg::SetDrvVersion(std::string_view text)
{
    m_version = FixedText(text, kVersionWidth);
}

void CDrvCfg::SetDrvKind(std::string_view text)
{
    m_kind = FixedText(text, kKindWidth);
}

void CDrvCfg::SetDrvDate(std::string_view text)
{
    m_date = FixedText(text, kDateWidth);
}

const char* CDrvCfg::DrvIniKey(int drv)
{
    return drv >= 0 && drv <= kDrvByFileName ? orv::DrvIniKey(static_cast<uint16_t>(drv)) : "";
}

std::string CDrvCfg::DrvFileName(int drv) const
{
    if (drv == kDrvByFileName)
        return m_workspace ? m_workspace->GetDrvOverrideName() : std::string();
    return drv >= 0 && drv < kDrvByFileName ? DrvStdFileName(static_cast<uint16_t>(drv)) : "";
}

std::string CDrvCfg::DrvLibName(uint16_t devType) const
{
    if (m_workspace && m_workspace->IsDrvOverride())
        return m_workspace->GetDrvOverrideName();
    // The libraries in the order of their rows.
    static constexpr std::array<const char*, kLibRows> kLibNames = {"ORV014.DRV", "ORV706.DRV", "ORV473.DRV",
                                                                    "ORV477.DRV", "ORV118.DRV"};
    const int row = LibRowOf(devType);
    return row >= 0 && row < kLibRows ? kLibNames[static_cast<size_t>(row)] : "";
}

bool CDrvCfg::AddParItem(CDrvTabEntry5* entry)
{
    return InsertOwned(*m_tab5, entry);
}

bool CDrvCfg::AddParItem2(CDrvTabEntry6* entry)
{
    return InsertOwned(*m_tab6, entry);
}

bool CDrvCfg::AddParItem3(CSpsDef* def)
{
    return InsertOwned(*m_spsDefs, def);
}

bool CDrvCfg::AddPar6(CPrjVar* var)
{
    return InsertOwned(*m_vars, var);
}

CDrvTabEntry5* CDrvCfg::FindParItem(uint8_t byte) const
{
    for (int i = 0; i < m_tab5->GetCount(); ++i)
        if (m_tab5->ItemAt(i)->GetByte() == byte)
            return m_tab5->ItemAt(i);
    return nullptr;
}

void CDrvCfg::Clear()
{
    // The variables release their state texts while the pool still holds
    // them.
    m_vars->FreeAll();
    m_texts->FreeAll();
    SetModified(false);
    m_loaded = 0;
    m_path.clear();
    m_name.clear();
    m_file.clear();
    m_version.clear();
    m_kind.clear();
    m_date.clear();
}

std::string CDrvCfg::LibPath(uint16_t devType) const
{
    const std::string dir = m_workspace ? m_workspace->GetCfgDir() : std::string();
    const std::string name = FileNamePart(DrvLibName(devType));
    if (auto found = orv::FindPathNoCase(dir, name))
        return *found;
    return dir + name;
}

void CDrvCfg::LoadDrvLibs(CDrvLibScanner* scanner)
{
    if (!scanner)
        return;
    // The passes stay as the start-up has always run them: the library of
    // 14 twice, the 706's not at all.
    static constexpr uint16_t kPasses[] = {14, 14, 473, 477, 118};
    for (const uint16_t devType : kPasses) {
        const PanelRow* row = FindPanel(devType);
        scanner->Scan(DrvFamilyOf(row->family), LibPath(devType), devType);
    }
}

} // namespace orv
