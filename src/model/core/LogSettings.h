// The frame's log settings, the one piece of the frame state that the log
// reads, so that the log stays free of fonts, the project and the INI file.
#pragma once

namespace orv {

// The log output mode in which lines reach the log view.
inline constexpr int kLogModeToView = 2;

struct LogSettings {
    // 0 errors only .. 3 extended debug.
    int level = 1;
    int mode = kLogModeToView;
};

// Registers the settings that the log reads, those of the registered frame
// (null while none is, and then a log line goes nowhere), and answers those
// it replaces, for the frame registration to put back when it ends.
const LogSettings* RegisterLogSettings(const LogSettings* settings);

} // namespace orv
