#include "support/FktBuilders.h"

#include "tools/cfggen/ByteBuilder.h"

namespace orv {

std::string Fkt706File::Build() const
{
    ByteBuilder b(74);
    b.U16(2, checkWord);
    b.U16(4, magic);
    b.Text(6, name, 12);
    b.Text(26, copyName, 12);
    for (size_t i = 0; i < 3; ++i) {
        b.U8(20 + i, dateStamp[i]);
        b.U8(40 + i, nameStamp[i]);
    }
    b.Text(64, "VERS:" + version, 10);
    b.Bytes(b.Size(), body);
    b.U16(0, static_cast<uint16_t>((b.Size() + 1) / 2));
    return b.Str();
}

std::string FktDosFile::Build() const
{
    ByteBuilder b(55);
    b.Text(3, copyName, 12);
    b.U16(18, dosDate);
    b.Text(29, name, 12);
    b.U16(44, dosDate2);
    b.Text(46, "VERS:" + version, 9);
    b.Bytes(b.Size(), body);
    return b.Str();
}

} // namespace orv
