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

} // namespace

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
