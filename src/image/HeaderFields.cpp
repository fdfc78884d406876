#include "image/HeaderFields.h"

#include "image/BinIo.h"
#include "image/DosStamp.h"
#include "model/CheckedFormat.h"

#include <array>

int ReadTextField(std::FILE* stream, int32_t offset, uint16_t length, std::string& text)
{
    std::string field(length, '\0');
    if (ReadBlockAt(stream, offset, field.data(), length) != 1)
        return -1;
    text = std::move(field);
    return 1;
}

int ReadHexStamp(std::FILE* stream, int32_t offset, std::string& text)
{
    std::array<uint8_t, 3> b{};
    if (ReadBlockAt(stream, offset, b.data(), 3) != 1)
        return -1;
    text = FormatText("%02X.%02X.%02X", unsigned{b[2]}, unsigned{b[1]}, unsigned{b[0]});
    return 1;
}

int ReadDosDate(std::FILE* stream, int32_t offset, std::string& text)
{
    std::array<uint8_t, 2> b{};
    if (ReadBlockAt(stream, offset, b.data(), 2) != 1)
        return -1;
    text = DosDateText(b[0], b[1]);
    return 1;
}

int ReadVersionText(std::FILE* stream, int32_t fieldOffset, std::string& text)
{
    std::array<char, 4> c{};
    if (ReadBlockAt(stream, fieldOffset + 5, c.data(), 4) != 1)
        return -1;
    text = std::string{c[0], c[1], c[2], '.', c[3]};
    return 1;
}
