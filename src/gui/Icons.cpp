// Registers the GUI's compiled-in icons once.
#include "gui/Icons.h"

#include <QtGlobal>

// The resource registration Qt generates is declared at global scope, so it
// is called from there.
static void RegisterIcons()
{
    Q_INIT_RESOURCE(icons);
}

namespace orv {

void InitIconResources()
{
    static const bool once = (RegisterIcons(), true);
    (void)once;
}

} // namespace orv
