#include "image/Deco706.h"

namespace {

constexpr const char* kModule = "Deco706";

} // namespace

CDeco706::CDeco706(CWorkspaceState* workspace, const std::string& imagePath, const std::string& drvPath,
                   const std::string& fktPath, PrjBundle* bundle)
    : CDeco(workspace, imagePath, drvPath, fktPath, bundle, kModule)
{
    if (Failed())
        return;
    DecodeDataSet();
}

void CDeco706::DecodeDataSet()
{
    if (m_prj == nullptr || m_sps == nullptr || m_charSet == nullptr)
        SetError(kErrRead);
}
