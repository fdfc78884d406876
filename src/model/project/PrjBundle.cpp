// Emptying the project's group of objects while they stay in place.
#include "model/project/PrjBundle.h"

#include "model/project/CharSet.h"
#include "model/project/DrvCfg.h"
#include "model/project/FktCfg.h"
#include "model/project/PrjData.h"
#include "model/project/SpsPar.h"

namespace orv {

void PrjBundle::Reset()
{
    if (charSet)
        charSet->ClearUserChars();
    if (prjData)
        prjData->Clear();
    if (spsPar)
        spsPar->ResetItems();
    if (drvCfg)
        drvCfg->Clear();
    if (fktCfg)
        fktCfg->Clear();
}

} // namespace orv
