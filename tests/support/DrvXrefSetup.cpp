// Fills a driver configuration as a driver's cross-reference block would.
#include "support/DrvXrefSetup.h"

#include "model/project/DrvTab.h"
#include "model/project/SpsDef.h"
#include "support/ProjectWorld.h"

#include <string>

namespace orv {

void DrvXrefSetup::Apply(CDrvCfg& drv) const
{
    drv.SetDrvNo(drvNo);
    drv.SetFlag(CDrvCfg::kFlagXref, listFlag ? 1 : 0);
    drv.SetFlag(CDrvCfg::kFlagMultiPlc, multi ? 1 : 0);
    for (int i = 0; i < CDrvCfg::kLimitCount; ++i)
        drv.SetAdrLimit(static_cast<CDrvCfg::AdrLimit>(i), limits[static_cast<size_t>(i)]);
    for (int k = 0; k < entries; ++k) {
        if (indexed)
            drv.AddParItem2(new CDrvTabEntry6(static_cast<uint16_t>(k), 0, 0, 0, 0, 0));
        else
            drv.AddParItem(new CDrvTabEntry5(0, static_cast<uint16_t>(k), 0, 0, 0));
    }
    for (const uint8_t n : plcs)
        drv.AddParItem3(new CSpsDef(n, static_cast<uint16_t>(n * 10), 0, 0, "old"));
    for (const PlcDefRow& d : defs)
        drv.AddParItem3(new CSpsDef(d.num, d.adr, d.slot, d.rack, ("SPS" + std::to_string(d.num)).c_str()));
}

void DrvXrefSetup::operator()(ProjectWorld& pp) const
{
    Apply(*pp.drvCfg);
}

} // namespace orv
