// Presets the decompilers' project and resets it between decompiles.
#include "DecoWorld.h"

#include <utility>

namespace orv {

namespace {

WorldRecipe DecoWorldRecipe(uint16_t devType)
{
    SpsParBuilder sps;
    for (uint16_t w = 0; w < 64; ++w)
        sps.Var(w);
    sps.Sys(100);
    return World(devType).CharSet().Sps(std::move(sps)).Drv().Fkt().Cleared();
}

} // namespace

DecoWorld::DecoWorld(uint16_t devType) : FrameWorld(DecoWorldRecipe(devType)) {}

void DecoWorld::ResetForDecompile()
{
    prj.Clear();
    drv.GetParItems3()->DeleteAll();
    workspace.MemInfo().ClearCounts();
    ui.ClearCalls();
}

std::string DecoWorld::WriteImage(const std::string& bytes, const std::string& name) const
{
    dir.Write(name, bytes);
    return dir.File(name);
}

} // namespace orv
