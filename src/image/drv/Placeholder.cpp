// Searches a panel-side file for the placeholder mark, so that the transfer
// can refuse to send a stand-in to a panel.
#include "image/drv/Placeholder.h"

#include "image/codec/ReadWhole.h"

namespace orv {

bool HoldsPlaceholderMark(std::string_view bytes)
{
    return bytes.find(kPlaceholderMark) != std::string_view::npos;
}

bool IsPlaceholderFile(const std::string& path)
{
    std::string bytes;
    return ReadWholeInput(path, bytes, "Placeholder") && HoldsPlaceholderMark(bytes);
}

} // namespace orv
