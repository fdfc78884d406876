// Keeps one translator of Qt's own texts and swaps it when the menu language
// changes, so that the standard dialogs speak the program's language.
#include "gui/QtLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace orv {

bool ApplyQtLanguage(int langId)
{
    static std::unique_ptr<QTranslator> installed;
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    const char* code = langId == 0 ? "de" : langId == 2 ? "fr" : nullptr;
    if (code == nullptr)
        return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_%1").arg(QLatin1String(code)),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(translator.get());
    installed = std::move(translator);
    return true;
}

} // namespace orv
