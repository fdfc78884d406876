// Text conversions at the Qt boundary, so no view or dialog converts code
// pages on its own.
#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace orv {

// Catalogue and language texts are cp1252 bytes; project source text is panel
// code page 437 bytes.
QString FromCp1252(std::string_view bytes);
std::string ToCp1252(const QString& text);
QString FromCp437(std::string_view bytes);

// The panel byte of one typed character, or nothing when code page 437 cannot
// hold it (the caller refuses it rather than storing a '?').
std::optional<unsigned char> ToCp437(char32_t codePoint);

// A language string as the menus and labels show it.
QString LangText(int id);

// One code page 437 byte for every UTF-16 unit, so that positions stay those
// of the Qt text; a unit the code page lacks (a surrogate among them) becomes
// byte 0.
std::string ToCp437Places(QStringView text);

} // namespace orv
