// The driver extension block of the project source writer.
#pragma once

#include "model/project/PanelType.h"

namespace orv {

class CSrcSink;
class CDrvCfg;
class CCharDefColl;

// MULTI_EXT and COM_LIST of the driver's extension block.
void WriteDriverLines(CSrcSink& sink, const CDrvCfg& drv);
void WriteCharDefLines(CSrcSink& sink, const CCharDefColl* defs, const PanelType& panel);

} // namespace orv
