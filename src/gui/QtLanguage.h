// Qt's own texts (file, print and message dialogs) in the menu language.
#pragma once

namespace orv {

// Installs Qt's translation of the language (0 German, 1 English, 2 French)
// in place of the one installed before; English needs none. False when the
// translation is not installed, so Qt's dialogs stay English.
bool ApplyQtLanguage(int langId);

} // namespace orv
