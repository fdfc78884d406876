// Message boxes and questions for model code, routed through the UI services
// so the model never needs a window.
#pragma once

#include "model/core/CheckedFormat.h"
#include "model/core/LangStrings.h"
#include "model/core/UiServices.h"

#include <string>
#include <string_view>

namespace orv {

// Message boxes and questions. They need no frame: they go to the registered
// UI services. Formatted texts hold at most 511 characters.

inline constexpr std::string_view kCaptionProgram = "ORVtool";
inline constexpr std::string_view kCaptionInternalError = "ORVtool Intern Error";
inline constexpr std::string_view kCaptionPlain = " ";

// Shows a formatted text in a box of the given kind; the id is recorded as
// the text's source (0 for a literal format).
int ShowBox(MsgKind kind, std::string_view text, int id);
bool AskQuestion(std::string_view text, int id);

// Warning box captioned "ORVtool"; returns the box's result.
template <class... Args>
int ShowMessage(int id, const Args&... args)
{
    return ShowBox(MsgKind::Warning, CheckedFormat(LoadLangString(id), args...), id);
}
int ShowMessageText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Error box captioned "ORVtool Intern Error".
template <class... Args>
int ShowInternalError(int id, const Args&... args)
{
    return ShowBox(MsgKind::InternalError, CheckedFormat(LoadLangString(id), args...), id);
}
int ShowInternalErrorText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Yes/No question captioned "ORVtool"; true on Yes.
template <class... Args>
bool AskYesNo(int id, const Args&... args)
{
    return AskQuestion(CheckedFormat(LoadLangString(id), args...), id);
}
bool AskYesNoText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Box with an OK button and the caption " "; returns 1.
int MsgBoxOk(std::string_view text);

} // namespace orv
