// Compiled by the FormatAttr tests only: LogLine's format is checked by the
// compiler, so handing it an int for "%s" must not build.
#include "model/core/Log.h"

using namespace orv;

void Probe()
{
#ifdef ORV_MISUSE
    LogLine(kLogInfo, "%s", 42);
#else
    LogLine(kLogInfo, "%s %d", "text", 42);
#endif
}
