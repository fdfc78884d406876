// The program log at the model's foot: levels and the line that reaches the log
// view, usable from every layer above.
#pragma once

#include "model/core/CheckedFormat.h"
#include "model/core/LangStrings.h"
#include "model/core/LogSettings.h"

#include <cstdint>
#include <string_view>

namespace orv {

// Log levels: a line is shown when its level is not above the frame's.
enum LogLevel { kLogErrors = 0, kLogInfo = 1, kLogDebug = 2, kLogDebugExt = 3 };

// Whether a line of lineLevel reaches the log view of a frame with the given
// log level and output mode.
bool LogLineShown(int frameLevel, int logMode, int lineLevel);

// Appends the text as one line to the log view when a frame is registered and
// the line is shown; otherwise the line is dropped.
void LogAppend(int level, std::string_view text);

// Formats (at most 511 characters) and appends.
void LogLine(int level, const char* format, ...) __attribute__((format(printf, 2, 3)));

// As LogLine with the format of a string id in the current language.
template <class... Args>
void LogLineId(int level, std::uint32_t id, const Args&... args)
{
    LogAppend(level, CheckedFormat(LoadLangString(id), args...));
}

// Formats (at most 511 characters) into pane 0 of the status bar; nothing
// without a frame.
void ShowStatusText(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace orv
