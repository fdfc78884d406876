// Reads the shared header fields into their display texts through the bounded
// reader.
#include "image/drv/HeaderFields.h"

#include "image/codec/DosStamp.h"
#include "model/core/CheckedFormat.h"

namespace orv {

std::string HexStampText(std::string_view three)
{
    auto b = [&](size_t i) { return unsigned{static_cast<uint8_t>(three.at(i))}; };
    return FormatText("%02X.%02X.%02X", b(2), b(1), b(0));
}

std::string VersionTextOf(std::string_view four)
{
    return std::string{four.at(0), four.at(1), four.at(2), '.', four.at(3)};
}

StepResult ReadTextField(BeReader file, uint32_t offset, uint16_t length, std::string& text)
{
    const uint8_t* field = file.Bytes(offset, length);
    if (field == nullptr)
        return -1;
    text.assign(reinterpret_cast<const char*>(field), length);
    return 1;
}

StepResult ReadHexStamp(BeReader file, uint32_t offset, std::string& text)
{
    std::string bytes;
    if (ReadTextField(file, offset, 3, bytes) != 1)
        return -1;
    text = HexStampText(bytes);
    return 1;
}

StepResult ReadDosDate(BeReader file, uint32_t offset, std::string& text)
{
    std::string bytes;
    if (ReadTextField(file, offset, 2, bytes) != 1)
        return -1;
    text = DosDateText(static_cast<uint8_t>(bytes[0]), static_cast<uint8_t>(bytes[1]));
    return 1;
}

StepResult ReadVersionText(BeReader file, uint32_t fieldOffset, std::string& text)
{
    std::string chars;
    if (ReadTextField(file, fieldOffset + 5, 4, chars) != 1)
        return -1;
    text = VersionTextOf(chars);
    return 1;
}

} // namespace orv
