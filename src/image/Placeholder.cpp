// Searches a panel-side file for the placeholder mark, so that the transfer
// can refuse to send a stand-in to a panel.
#include "image/Placeholder.h"

#include "image/ReadWhole.h"

bool HoldsPlaceholderMark(std::string_view bytes)
{
    return bytes.find(kPlaceholderMark) != std::string_view::npos;
}

bool IsPlaceholderFile(const std::string& path)
{
    std::string bytes;
    return ReadWholeInput(path, bytes, "Placeholder") && HoldsPlaceholderMark(bytes);
}
