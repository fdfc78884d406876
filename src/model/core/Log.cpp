// Writes log lines to the registered frame's log view when their level is shown;
// without a frame a line goes nowhere.
#include "model/core/Log.h"

#include "model/core/FrameState.h"
#include "model/core/UiServices.h"

#include <cstdarg>

namespace orv {

namespace {

bool LineWanted(int level)
{
    const CFrameState* frame = GetMainFrame();
    return frame && LogLineShown(frame->GetLogLevel(), frame->GetLogMode(), level);
}

}  // namespace

bool LogLineShown(int frameLevel, int logMode, int lineLevel)
{
    return logMode == kLogModeToView && lineLevel <= frameLevel;
}

void LogAppend(int level, std::string_view text)
{
    if (LineWanted(level)) GetUiServices().AppendLog(text);
}

void LogLine(int level, const char* format, ...)
{
    if (!LineWanted(level)) return;
    va_list args;
    va_start(args, format);
    std::string text = FormatTextV(format, args);
    va_end(args);
    GetUiServices().AppendLog(text);
}

void ShowStatusText(const char* format, ...)
{
    if (!GetMainFrame()) return;
    va_list args;
    va_start(args, format);
    std::string text = FormatTextV(format, args);
    va_end(args);
    GetUiServices().SetStatusText(text);
}

} // namespace orv
