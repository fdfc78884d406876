// Formats box texts through the checked formatter and hands them to the UI
// services; a bad format shows a marker, not garbage.
#include "model/core/MessageBoxes.h"

#include <cstdarg>

namespace orv {

namespace {

std::string_view CaptionOf(MsgKind kind)
{
    switch (kind) {
    case MsgKind::InternalError: return kCaptionInternalError;
    case MsgKind::PlainOk: return kCaptionPlain;
    case MsgKind::Warning: break;
    }
    return kCaptionProgram;
}

}  // namespace

int ShowBox(MsgKind kind, std::string_view text, int id)
{
    return GetUiServices().MessageBox(kind, CaptionOf(kind), text, id);
}

bool AskQuestion(std::string_view text, int id)
{
    return GetUiServices().AskYesNo(text, id);
}

int ShowMessageText(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatTextV(format, args);
    va_end(args);
    return ShowBox(MsgKind::Warning, text, 0);
}

int ShowInternalErrorText(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatTextV(format, args);
    va_end(args);
    return ShowBox(MsgKind::InternalError, text, 0);
}

bool AskYesNoText(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatTextV(format, args);
    va_end(args);
    return AskQuestion(text, 0);
}

int MsgBoxOk(std::string_view text)
{
    ShowBox(MsgKind::PlainOk, text, 0);
    return 1;
}

} // namespace orv
