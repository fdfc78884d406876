// Defaults of the start selection seen from below the workspace.
#include "model/core/StartSelInfo.h"

namespace orv {

int CStartSelInfo::GetFontFamily() const
{
    const std::string name = GetFntNam();
    if (name == "706")
        return 2;
    if (name == "int")
        return 3;
    return 1;
}

} // namespace orv
