// Turns catalogue and panel bytes into Qt strings through the platform's code
// pages, and registers the GUI's icons.
#include "gui/QtText.h"

#include "model/core/LangStrings.h"
#include "platform/CodePage.h"

// The resource registration Qt generates is declared at global scope, so it
// is called from there.
static void RegisterIcons()
{
    Q_INIT_RESOURCE(icons);
}

namespace orv {

QString FromCp1252(std::string_view bytes)
{
    return QString::fromStdString(orv::ToUtf8(bytes, orv::CodePage::Cp1252));
}

std::string ToCp1252(const QString& text)
{
    return orv::FromUtf8(text.toStdString(), orv::CodePage::Cp1252);
}

QString FromCp437(std::string_view bytes)
{
    return QString::fromStdString(orv::ToUtf8(bytes, orv::CodePage::Cp437));
}

QString LangText(int id)
{
    return FromCp1252(LoadLangString(id));
}

void InitIconResources()
{
    static const bool once = (RegisterIcons(), true);
    (void)once;
}

} // namespace orv
