#include "model/FrameState.h"

#include "model/PrjBundle.h"
#include "model/ProgramIni.h"
#include "model/WorkspaceState.h"

namespace {

CFrameState* g_frame = nullptr;

const PrjBundle* RegisteredBundle()
{
    if (!g_frame || !g_frame->GetWorkspace())
        return nullptr;
    return g_frame->GetWorkspace()->GetBundle();
}

} // namespace

void CFrameState::SetLogLevel(int level)
{
    if (level >= 0 && level <= 3)
        m_logLevel = level;
}

void CFrameState::SetLangId(int langId)
{
    if (langId < 0 || langId > 2)
        return;
    m_langId = langId;
    WriteGuiKey(GuiKey::LangId, langId);
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

ScopedMainFrame::ScopedMainFrame(CFrameState& frame) : m_previous(g_frame)
{
    g_frame = &frame;
}

ScopedMainFrame::~ScopedMainFrame()
{
    g_frame = m_previous;
}
