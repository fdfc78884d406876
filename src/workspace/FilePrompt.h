// Asks the user for a file to open or save; the Qt frame shows its file
// dialogs, tests script the answers.
#pragma once

#include <string>

namespace orv {

struct FileAsk {
    // The file the dialog starts on; may name a directory only.
    std::string initial;
    // Name filter as "ORV Files (*.orv *.ORV)"; empty offers every file.
    std::string filter;
    // Appended to a name typed without one ("orv"); empty for none.
    std::string defSuffix;
};

class CFilePrompt {
public:
    virtual ~CFilePrompt() = default;
    // The chosen path, or "" when the user cancelled.
    virtual std::string OpenFile(const FileAsk& ask) = 0;
    // The chosen path, or "" when the user cancelled; the dialog has asked
    // before an existing file is replaced.
    virtual std::string SaveFile(const FileAsk& ask) = 0;
};

} // namespace orv
