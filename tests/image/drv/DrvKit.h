#pragma once

#include "image/drv/DrvFile.h"
#include "image/drv/DrvWriter.h"
#include "tools/cfggen/DrvBuilders.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orv {

// An entry of either family with the given parameters and block, the
// other fields at their defaults.
BuiltDrvEntry BuildDrvEntry(bool is706, const std::vector<DrvParamSpec>& params,
                            const std::optional<DrvXrefLayout>& xref = std::nullopt,
                            uint32_t base = Drv706Entry::kBase706);

std::unique_ptr<CDrvFile> OpenDrvFile(bool is706, const std::string& path, PrjBundle* bundle);
std::unique_ptr<CDrvWriter> OpenDrvWriter(bool is706, const std::string& path, PrjBundle* bundle);

} // namespace orv
