// Picks the firmware reader of the root's family and reads its built-in
// variables into the project.
#include "image/firmware/FirmwareSource.h"

#include "image/firmware/Firmware.h"
#include "image/firmware/Firmware118.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "model/core/WorkspaceState.h"

#include <memory>

namespace orv {

namespace {

std::unique_ptr<CFirmwareFile> ReaderFor(uint16_t devType, const std::string& path, PrjBundle* bundle)
{
    const PanelRow* row = FindPanel(devType);
    if (!row)
        return nullptr;
    switch (row->family) {
    case Family::F118:
        return std::make_unique<CFirmware118>(path, bundle);
    case Family::F706:
        return std::make_unique<CFirmware>(path, bundle);
    case Family::F043:
        break;
    }
    return nullptr;
}

} // namespace

bool CFirmwareVarSource::ReadSysVars(CPrjData& prj)
{
    // The reader takes the root from a bundle; the root's own owner may be
    // missing or name another root.
    PrjBundle bundle = prj.GetOwner() ? *prj.GetOwner() : PrjBundle{};
    bundle.prjData = &prj;
    auto reader = ReaderFor(prj.GetDevType(), m_workspace.GetFormFile(), &bundle);
    if (!reader)
        return true;
    reader->ReadSysVars();
    return reader->CheckError();
}

} // namespace orv
