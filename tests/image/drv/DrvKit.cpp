#include "DrvKit.h"

namespace orv {

BuiltDrvEntry BuildDrvEntry(bool is706, const std::vector<DrvParamSpec>& params,
                            const std::optional<DrvXrefLayout>& xref, uint32_t base)
{
    if (is706) {
        Drv706Entry e;
        e.base = base;
        e.params = params;
        e.xref = xref;
        return e.Build();
    }
    Drv043Entry e;
    e.params = params;
    e.xref = xref;
    return e.Build();
}

std::unique_ptr<CDrvFile> OpenDrvFile(bool is706, const std::string& path, PrjBundle* bundle)
{
    if (is706)
        return std::make_unique<CDrvFile706>(path, bundle);
    return std::make_unique<CDrvFile043>(path, bundle);
}

std::unique_ptr<CDrvWriter> OpenDrvWriter(bool is706, const std::string& path, PrjBundle* bundle)
{
    if (is706)
        return std::make_unique<CDrvWriter706>(path, bundle);
    return std::make_unique<CDrvWriter043>(path, bundle);
}

} // namespace orv
