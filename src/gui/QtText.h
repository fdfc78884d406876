// Text conversions at the Qt boundary, so no view converts code pages on its own.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace orv {

// Conversions at the Qt boundary. Catalogue and language texts are cp1252
// bytes; project source text is panel code page 437 bytes.
QString FromCp1252(std::string_view bytes);
std::string ToCp1252(const QString& text);
QString FromCp437(std::string_view bytes);

// A language string as the menus and labels show it.
QString LangText(int id);

// Registers the icons compiled into the GUI library; safe to call again.
void InitIconResources();

} // namespace orv
