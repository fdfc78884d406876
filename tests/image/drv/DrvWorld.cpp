// Presets the driver file tests' project and its PLC window.
#include "DrvWorld.h"

namespace orv {

DrvWorld::DrvWorld() : FrameWorld(World(706).Drv().Fkt()) {}

void DrvWorld::SetWindow(uint16_t first, uint16_t length, uint16_t db, uint16_t type)
{
    sps.SetSpsType(type);
    sps.SetOffset(first);
    sps.SetLength(length);
    sps.SetDataBlock(db);
}

} // namespace orv
