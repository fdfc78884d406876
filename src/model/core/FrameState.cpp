// The frame state's settings, fonts and registration; the Qt window derives
// from it, tests and command-line runs use it as it is.
#include "model/core/FrameState.h"

#include "model/project/Fon.h"
#include "model/core/Log.h"
#include "model/project/PrjBundle.h"
#include "model/core/ProgramIni.h"
#include "model/core/StartSelInfo.h"
#include "model/core/WorkspaceState.h"
#include "platform/FileLookup.h"
#include "platform/ProgramDirs.h"

namespace orv {

namespace {

CFrameState* g_frame = nullptr;

const PrjBundle* RegisteredBundle()
{
    if (!g_frame || !g_frame->GetWorkspace())
        return nullptr;
    return g_frame->GetWorkspace()->GetBundle();
}

} // namespace

CFrameState::CFrameState() = default;
CFrameState::~CFrameState() = default;

void CFrameState::SetLogLevel(int level)
{
    if (level >= 0 && level <= 3)
        m_log.level = level;
}

void CFrameState::SetLangId(int langId)
{
    if (langId < 0 || langId > 2)
        return;
    m_langId = langId;
    WriteGuiKey(GuiKey::LangId, langId);
}

void CFrameState::InitLangId(int langId)
{
    if (langId >= 0 && langId <= 2)
        m_langId = langId;
}

bool CFrameState::LoadFon(const std::string& name, bool fromPanelFile)
{
    const std::string base = fromPanelFile ? orv::GetStateDir() : orv::GetProgramDir();
    const std::string relative = std::string("CFG/ORV/") + (fromPanelFile ? "TM~" : "") + name + ".fon";
    const std::string path = orv::FindPathNoCase(base, relative).value_or(base + relative);
    // The font name comes from the start selection's database.
    auto fon = std::make_unique<CFon>(1);
    if (!orv::IsSafeFileName(name) || fon->Load(path) != 1) {
        LogLine(kLogErrors, "FATAL: could not load screen font %s", path.c_str());
        return false;
    }
    m_screenFon = std::move(fon);
    OnScreenFontChanged();
    return true;
}

bool CFrameState::LoadFonOfDevice()
{
    return m_startSel != nullptr && LoadFon(m_startSel->GetFntNam(), true);
}

void CFrameState::UnloadFon()
{
    if (!m_screenFon)
        return;
    m_screenFon.reset();
    OnScreenFontChanged();
}

void CFrameState::SetSelectionFields(std::string_view panel, std::string_view plc, std::string_view driver)
{
    m_selFields = {std::string(panel), std::string(plc), std::string(driver)};
}

CFon* CFrameState::GetFon(int family) const
{
    if (family < 1 || family > static_cast<int>(m_fons.size()))
        return nullptr;
    return m_fons[static_cast<size_t>(family - 1)];
}

void CFrameState::SetFon(int family, CFon* fon)
{
    if (family >= 1 && family <= static_cast<int>(m_fons.size()))
        m_fons[static_cast<size_t>(family - 1)] = fon;
}

CFrameState* GetMainFrame()
{
    return g_frame;
}

CPrjData* GetPrjData()
{
    const PrjBundle* bundle = RegisteredBundle();
    return bundle ? bundle->prjData : nullptr;
}

CSpsPar* GetSpsPar()
{
    const PrjBundle* bundle = RegisteredBundle();
    return bundle ? bundle->spsPar : nullptr;
}

CDrvCfg* GetDevCfg()
{
    const PrjBundle* bundle = RegisteredBundle();
    return bundle ? bundle->drvCfg : nullptr;
}

ScopedMainFrame::ScopedMainFrame(CFrameState& frame)
    : m_previous(g_frame), m_previousLog(RegisterLogSettings(&frame.GetLogSettings()))
{
    g_frame = &frame;
}

ScopedMainFrame::~ScopedMainFrame()
{
    g_frame = m_previous;
    RegisterLogSettings(m_previousLog);
}

} // namespace orv
