#include "Deco706Kit.h"

#include "image/decompile/Deco706.h"
#include "model/project/PrjVarList.h"
#include "tools/cfggen/DrvBuilders.h"

namespace orv {

Deco706Fixture::Deco706Fixture(uint16_t devType) : DecoWorld(devType)
{
    Drv706Entry e;
    e.base = devType == 706 ? Drv706Entry::kBase706 : Drv706Entry::kBase473;
    drvBytes = e.Build().bytes;
}

uint16_t Deco706Fixture::Decompile(const std::string& image, const std::string& fktPath)
{
    if (!drvBytes.empty())
        dir.Write("PRJ.DRV", drvBytes);
    CDeco706 deco(&workspace, WriteImage(image), DrvPath(), fktPath, &bundle);
    return deco.GetError();
}

} // namespace orv
