// Ends source-edit mode for the start selection: asks before edits are lost,
// and keeps them when they could not be read or written.
#include "workspace/CloseSourceEdit.h"

#include "model/core/FrameState.h"
#include "model/core/MessageBoxes.h"
#include "model/core/SourceEdit.h"
#include "model/core/UiServices.h"
#include "platform/FileReplace.h"

#include <string>
#include <string_view>

namespace orv {

namespace {

// Every line ended by a bare LF, the last one too: the save writes the
// editor's lines in CR LF and ends the last, so these are the same file.
std::string SourceEditLines(std::string_view text)
{
    std::string lines;
    lines.reserve(text.size() + 1);
    while (!text.empty()) {
        const size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.append(line);
        lines += '\n';
        text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
    }
    return lines;
}

} // namespace

bool CloseSourceEdit()
{
    CFrameState* frame = GetMainFrame();
    if (frame == nullptr || !frame->IsSourceEditMode())
        return true;
    UiServices& ui = GetUiServices();
    std::string text;
    if (!ui.GetSourceEditorText(text))
        return false;
    // The path the save would write, as SaveSrcEdit picks it.
    const std::string& path = frame->GetSrcEditPath().empty() ? frame->GetPrjPath() : frame->GetSrcEditPath();
    std::string file;
    // A file gone since it was loaded cannot equal the edits.
    const bool same = ReadWholeFile(path, file) && SourceEditLines(file) == SourceEditLines(text);
    if (!same && AskYesNoText("%s", kAskSaveSourceEdits))
        return SaveSrcEdit();
    frame->SetSrcEditPath(std::string());
    frame->SetSourceEditMode(false);
    ui.ClearLog();
    return true;
}

} // namespace orv
