// Builds the payloads, expectations and mutations the decompiler families' tests share.
#include "DecoKit.h"

#include "image/decompile/Deco043.h"
#include "image/codec/ImgLayout.h"
#include "model/project/PrjVar.h"
#include "tools/cfggen/DrvBuilders.h"

#include <gtest/gtest.h>

namespace orv {

namespace deco_kit {

std::string Value48(int64_t value)
{
    std::string bytes(6, '\0');
    for (int i = 5; i >= 0; --i) {
        bytes[static_cast<size_t>(i)] = static_cast<char>(value & 0xFF);
        value >>= 8;
    }
    return bytes;
}

std::string BinPayload(uint32_t lower, uint32_t upper, uint16_t c, uint16_t b, int64_t d1, int64_t d2)
{
    ByteBuilder p;
    p.U8(0, 5).U8(1, 1).U32(2, lower).U32(6, upper).U16(10, c).U16(12, b);
    p.Bytes(14, Value48(d1)).Bytes(20, Value48(d2));
    return p.Str();
}

std::string VbinPayload(int32_t lower, int32_t upper, uint16_t c, uint16_t b, int64_t d)
{
    ByteBuilder p;
    p.U8(0, 6).U8(1, 2);
    p.U32(2, imglayout::OffsetBinary32::Encode(lower));
    p.U32(6, imglayout::OffsetBinary32::Encode(upper));
    p.U16(10, c).U16(12, b).Bytes(14, Value48(d));
    return p.Str();
}

std::string DriverEntry()
{
    Drv043Entry e;
    e.tail = "DRIVER-CODE";
    return e.Build().bytes;
}

std::string Mutated(std::string image, size_t at, int kind)
{
    const auto byte = static_cast<uint8_t>(image[at]);
    image[at] = static_cast<char>(kind == 0 ? 0x00 : kind == 1 ? 0xFF : byte ^ 0x80);
    return image;
}

void ExpectVar(const CPrjVar* var, int16_t adr, uint32_t rec, const VarExpect& expect, const char* what)
{
    ASSERT_NE(var, nullptr) << what;
    EXPECT_EQ(var->GetType(), expect.type) << what;
    EXPECT_EQ(var->GetSetpKind(), expect.setpKind) << what;
    EXPECT_EQ(var->GetAdr(), adr) << what;
    EXPECT_EQ(var->GetAttr32(), rec) << what;
    EXPECT_EQ((std::array<int32_t, 4>{var->GetExtWord1(), var->GetExtWord2(), var->GetExtWord3(),
                                      var->GetExtWord4()}),
              expect.ext)
        << what;
    EXPECT_EQ((std::array<uint8_t, 2>{var->GetExtByte0(), var->GetExtByte1()}), expect.bytes) << what;
}

} // namespace deco_kit

} // namespace orv
