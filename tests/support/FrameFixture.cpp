#include "support/FrameFixture.h"

namespace orv {

FrameFixture::FrameFixture()
    : workspace(dir.Path(), dir.Path()), m_uiReg(ui), m_traceReg(trace), m_frameReg(frame)
{
    workspace.SetBundle(&bundle);
    frame.SetWorkspace(&workspace);
    frame.SetStartSel(&startSel);
}

} // namespace orv
