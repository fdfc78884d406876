// Loads the project source into the editor and saves it back in CR LF lines by
// whole-file replacement, so a failed save keeps the old file.
#include "model/core/SourceEdit.h"

#include "model/core/CatalogueIds.h"
#include "model/core/FrameState.h"
#include "model/core/MessageBoxes.h"
#include "model/core/UiServices.h"
#include "platform/FileReplace.h"

#include <string>
#include <string_view>
#include <unistd.h>

namespace orv {

namespace {

// File bytes with CR LF or LF line ends to editor text with '\n' ends.
std::string ToEditorText(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        text += bytes[i];
    }
    return text;
}

// Editor text to file bytes: every line, the last one too, ends in CR LF.
std::string ToFileBytes(std::string_view text)
{
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16 + 2);
    while (!text.empty()) {
        std::size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        bytes.append(line);
        bytes += "\r\n";
        text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
    }
    return bytes;
}

bool CanCreateIn(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    return ::access(dir.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

bool LoadSrcEdit(int line, int column)
{
    CFrameState* frame = GetMainFrame();
    if (!frame) return false;
    const std::string path = frame->GetPrjPath();
    std::string bytes;
    if (!orv::ReadWholeFile(path, bytes)) {
        ShowMessage(msg::kDateiKannNichtGeoeffnetWerden, path);
        return false;
    }
    UiServices& ui = GetUiServices();
    ui.ClearLog();
    ui.LoadSourceEditor(ToEditorText(bytes), line, column);
    frame->SetSrcEditPath(path);
    frame->SetSourceEditMode(true);
    return true;
}

bool SaveSrcEdit()
{
    CFrameState* frame = GetMainFrame();
    // Outside source-edit mode the view holds the log, which must never
    // replace the project file.
    if (!frame || !frame->IsSourceEditMode()) return false;
    // The path loaded, not the frame's current one: a failed open may have
    // put another project's path back since.
    const std::string path = frame->GetSrcEditPath().empty() ? frame->GetPrjPath() : frame->GetSrcEditPath();
    UiServices& ui = GetUiServices();
    // The editor refuses a text that the file cannot hold, and has said why.
    std::string text;
    if (!ui.GetSourceEditorText(text))
        return false;
    if (!orv::WriteFileReplacing(path, ToFileBytes(text))) {
        if (CanCreateIn(path))
            ShowMessage(msg::kDatenKonntenNichtVollstaendigGeschrieben);
        else
            ShowMessage(msg::kDateiKannNichtGeoeffnetWerden, path);
        return false;
    }
    ui.ClearLog();
    frame->SetSrcEditPath(std::string());
    frame->SetSourceEditMode(false);
    return true;
}

} // namespace orv
