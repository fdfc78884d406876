// Pads, cuts and compares fixed-width file fields; names keep their case.
#include "image/codec/FileFields.h"

namespace orv {

std::string CopyNameOf(std::string_view path)
{
    const std::size_t cut = path.find_last_of("/\\");
    if (cut != std::string_view::npos)
        path.remove_prefix(cut + 1);
    return std::string(path.substr(0, kFileNameField));
}

std::string PadField(std::string_view text, std::size_t width, char pad)
{
    std::string field(text.substr(0, width));
    field.resize(width, pad);
    return field;
}

std::string_view CutAtBlank(std::string_view field)
{
    return field.substr(0, field.find(' '));
}

std::string_view TrimTrailingBlanks(std::string_view field)
{
    const std::size_t last = field.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view() : field.substr(0, last + 1);
}

} // namespace orv
