// Writes log lines to the registered frame's log view when their level is shown;
// without a frame a line goes nowhere.
#include "model/core/Log.h"

#include "model/core/UiServices.h"

#include <cstdarg>

namespace orv {

namespace {

const LogSettings* g_settings = nullptr;

bool LineWanted(int level)
{
    return g_settings && LogLineShown(g_settings->level, g_settings->mode, level);
}

}  // namespace

const LogSettings* RegisterLogSettings(const LogSettings* settings)
{
    const LogSettings* previous = g_settings;
    g_settings = settings;
    return previous;
}

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
    if (!g_settings) return;
    va_list args;
    va_start(args, format);
    std::string text = FormatTextV(format, args);
    va_end(args);
    GetUiServices().SetStatusText(text);
}

} // namespace orv
