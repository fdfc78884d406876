#include "Deco118Kit.h"

#include "image/decompile/Deco118.h"
#include "image/codec/ImgLayout.h"
#include "model/project/PrjVarList.h"
#include "support/RoundTripFirmware.h"
#include "tools/cfggen/DrvBuilders.h"
#include "tools/cfggen/FwBuilders.h"

namespace orv {

namespace deco_b {

std::string BinDwPayload(uint32_t lower, uint32_t upper, uint32_t c, uint32_t b, int64_t d1, int64_t d2)
{
    ByteBuilder p;
    p.U8(0, 8).U8(1, 1).U32(2, lower).U32(6, upper).U32(10, c).U32(14, b);
    p.Bytes(18, deco_kit::Value48(d1)).Bytes(24, deco_kit::Value48(d2));
    return p.Str();
}

std::string VbinDwPayload(int32_t lower, int32_t upper, uint32_t c, uint32_t b, int64_t d)
{
    ByteBuilder p;
    p.U8(0, 9).U8(1, 2);
    p.U32(2, imglayout::OffsetBinary32::Encode(lower));
    p.U32(6, imglayout::OffsetBinary32::Encode(upper));
    p.U32(10, c).U32(14, b).Bytes(18, deco_kit::Value48(d));
    return p.Str();
}

std::string Firmware()
{
    Fw118Image img;
    return AddRoundTripVars(img).Build();
}

} // namespace deco_b

namespace {

// The project's driver file: the driver entry alone.
std::string DriverFile()
{
    Drv043Entry e;
    e.drvFile = "AB CD.DRV";
    e.version = "1234";
    return e.Build().bytes;
}

} // namespace

Deco118Fixture::Deco118Fixture(uint16_t devType) : DecoWorld(devType)
{
    dir.Write("PRJ.DRV", DriverFile());
    dir.Write("ORV118.FRM", deco_b::Firmware());
    workspace.SetFormFile(dir.File("ORV118.FRM"));
    prj.SetFwVarSource(&source);
    prj.Clear();
}

uint16_t Deco118Fixture::Decompile(const std::string& image)
{
    CDeco118 deco(&workspace, WriteImage(image), DrvPath(), "", &bundle);
    return deco.GetError();
}

} // namespace orv
