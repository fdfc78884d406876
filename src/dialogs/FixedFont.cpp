// The shared fixed-pitch face.
#include "dialogs/FixedFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace orv {

QFont FixedPitchFont()
{
    QFont font = QFontDatabase::families().contains(QStringLiteral("Courier New"))
                     ? QFont(QStringLiteral("Courier New"))
                     : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

} // namespace orv
