// The one rule of name characters, shared by the source reader and the
// name filters of the views.
#include "source/reader/SrcIdent.h"

namespace orv {

bool IsSourceIdentChar(unsigned char c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
        return true;
    switch (c) {
    case '[':
    case ']':
    case '_':
    case 129:
    case 132:
    case 142:
    case 148:
    case 153:
    case 154:
        return true;
    default:
        return false;
    }
}

} // namespace orv
