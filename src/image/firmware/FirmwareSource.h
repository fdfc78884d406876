// The image layer's firmware variable source, which the workspace hands to the
// project root.
#pragma once

#include "model/project/FwVarSource.h"

namespace orv {

class CWorkspaceState;

// The built-in variables of the 118 and 706 families read from the firmware image
// that the workspace names as its form file, with the reader of the root's
// panel family. A failure shows its message.
class CFirmwareVarSource : public CFwVarSource {
public:
    explicit CFirmwareVarSource(const CWorkspaceState& workspace) : m_workspace(workspace) {}

    // True when the image was read, or the panel type reads none.
    [[nodiscard]] bool ReadSysVars(CPrjData& prj) override;

private:
    const CWorkspaceState& m_workspace;
};

} // namespace orv
