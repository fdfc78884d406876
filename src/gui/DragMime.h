// The private drag formats between the list view and the display editor,
// defined once so both ends agree.
#pragma once

#include <QString>

namespace orv {

// A variable-list index, as decimal text.
inline QString MimeVarIndex()
{
    return QStringLiteral("application/x-orvtool-var-index");
}

// A panel character code, as decimal text.
inline QString MimeCharCode()
{
    return QStringLiteral("application/x-orvtool-char-code");
}

} // namespace orv
