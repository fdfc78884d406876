// Turns catalogue and panel bytes into Qt strings through the platform's code
// pages.
#include "dialogs/QtText.h"

#include "model/core/LangStrings.h"
#include "platform/CodePage.h"

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
    return ByteOf(codePoint, CodePage::Cp437);
}

QString LangText(int id)
{
    return FromCp1252(LoadLangString(id));
}

std::string ToCp437Places(QStringView text)
{
    std::string out(static_cast<size_t>(text.size()), '\0');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        // Code page 437 is ASCII below 0x80, which most of a source is.
        if (unit < 0x80)
            out[static_cast<size_t>(i)] = static_cast<char>(unit);
        else if (!QChar::isSurrogate(unit))
            out[static_cast<size_t>(i)] = static_cast<char>(ToCp437(unit).value_or(0));
    }
    return out;
}

} // namespace orv
