// Decides whether the program may start with its arguments and copies them
// before the toolkit takes its own options out.
#include "workspace/CommandLine.h"

#include <sys/stat.h>

namespace orv {

namespace {

bool IsExistingFile(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool IsSet(const char* value)
{
    return value != nullptr && *value != '\0';
}

} // namespace

std::string MissingDisplayMessage(const std::vector<std::string>& args, const char* qpaPlatform,
                                  const char* display, const char* waylandDisplay)
{
    for (const std::string& arg : args)
        if (arg == "-platform" || arg == "--platform")
            return {};
    if (IsSet(qpaPlatform) || IsSet(display) || IsSet(waylandDisplay))
        return {};
    return "orvtool: no display to show its window on; run it under xvfb-run (xvfb-run -a orvtool) "
           "or without a window with QT_QPA_PLATFORM=offscreen";
}

bool CommandLineAllowsStart(const std::vector<std::string>& args)
{
    if (args.empty() || args.front().empty() || args.front().front() != '/')
        return true;
    return IsExistingFile(args.front());
}

std::vector<std::string> CopyArguments(int argc, char** argv)
{
    std::vector<std::string> args;
    for (int i = 1; i < argc && argv != nullptr && argv[i] != nullptr; ++i)
        args.emplace_back(argv[i]);
    return args;
}

} // namespace orv
