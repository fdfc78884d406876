// Turns catalogue and panel bytes into Qt strings through the platform's code
// pages.
#include "dialogs/QtText.h"

#include "model/core/LangStrings.h"
#include "platform/CodePage.h"

#include <array>

namespace orv {

QString FromCp1252(std::string_view bytes)
{
    return QString::fromStdString(ToUtf8(bytes, CodePage::Cp1252));
}

std::string ToCp1252(const QString& text)
{
    return FromUtf8(text.toStdString(), CodePage::Cp1252);
}

QString FromCp437(std::string_view bytes)
{
    return QString::fromStdString(ToUtf8(bytes, CodePage::Cp437));
}

std::optional<unsigned char> ToCp437(char32_t codePoint)
{
    // Inverted once from the platform's table; code points repeat nowhere in
    // it, so the first byte found is the only one.
    static const auto table = [] {
        std::array<std::pair<char32_t, unsigned char>, 256> t{};
        for (int b = 0; b < 256; ++b) {
            const auto byte = static_cast<unsigned char>(b);
            t[static_cast<std::size_t>(b)] = {CodePointOf(byte, CodePage::Cp437), byte};
        }
        return t;
    }();
    for (const auto& [cp, byte] : table) {
        if (cp == codePoint) {
            return byte;
        }
    }
    return std::nullopt;
}

QString LangText(int id)
{
    return FromCp1252(LoadLangString(id));
}

} // namespace orv
