// Resolves the program and state directories, creating the state directory when
// needed.
#include "platform/ProgramDirs.h"

#include "platform/FileLookup.h"
#include "platform/FileReplace.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace orv {

namespace {

bool IsSet(const char* value)
{
    return value && *value;
}

std::string WithSlash(std::string dir)
{
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir;
}

std::string ExecutableDir()
{
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    if (n <= 0 || static_cast<size_t>(n) >= sizeof buffer)
        return "./";
    const std::string exe(buffer, static_cast<size_t>(n));
    return exe.substr(0, exe.rfind('/') + 1);
}

bool CanCreateFileIn(const std::string& dir)
{
    const std::string probe = MakeTempPathBeside(dir + "probe");
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

// Creates dir and its missing parents.
bool MakeDirs(const std::string& dir)
{
    for (size_t slash = dir.find('/', 1); slash != std::string::npos;
         slash = dir.find('/', slash + 1)) {
        const std::string part = dir.substr(0, slash);
        if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST)
            return false;
    }
    struct stat st;
    return ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::string PathFromEnv(const char* name, const std::string& fallback)
{
    const char* named = std::getenv(name);
    if (!IsSet(named))
        return fallback;
    std::error_code ec;
    const std::filesystem::path abs = std::filesystem::absolute(named, ec);
    return ec ? std::string(named) : abs.string();
}

std::string ResolveProgramDir(const char* orvtoolHome, const std::string& exeDir)
{
    return WithSlash(IsSet(orvtoolHome) ? std::string(orvtoolHome) : exeDir);
}

std::string ResolveStateDir(const std::string& programDir, bool programDirWritable,
                            const char* xdgConfigHome, const char* home)
{
    if (programDirWritable)
        return WithSlash(programDir);
    if (IsSet(xdgConfigHome))
        return WithSlash(xdgConfigHome) + "orvtool/";
    if (IsSet(home))
        return WithSlash(home) + ".config/orvtool/";
    // Nowhere better to go; writes there fail and are reported by the writer.
    return WithSlash(programDir);
}

std::string GetProgramDir()
{
    const char* home = std::getenv("ORVTOOL_HOME");
    return ResolveProgramDir(home, IsSet(home) ? std::string() : ExecutableDir());
}

std::string GetStateDir()
{
    const std::string programDir = GetProgramDir();
    const std::string stateDir =
        ResolveStateDir(programDir, CanCreateFileIn(programDir), std::getenv("XDG_CONFIG_HOME"),
                        std::getenv("HOME"));
    if (stateDir != programDir)
        MakeDirs(stateDir);
    return stateDir;
}

bool CopyIfMissing(const std::string& fromDir, const std::string& toDir,
                   const std::string& relativePath)
{
    if (FindPathNoCase(toDir, relativePath))
        return true;
    const auto source = FindPathNoCase(fromDir, relativePath);
    std::string bytes;
    if (!source || !ReadWholeFile(*source, bytes))
        return false;
    const std::string target = WithSlash(toDir) + relativePath;
    return MakeDirs(target.substr(0, target.rfind('/') + 1)) && WriteFileReplacing(target, bytes);
}

bool SeedStateFile(const std::string& relativePath)
{
    const std::string programDir = GetProgramDir();
    const std::string stateDir = GetStateDir();
    if (stateDir == programDir)
        return FindPathNoCase(stateDir, relativePath).has_value();
    return CopyIfMissing(programDir, stateDir, relativePath);
}

}  // namespace orv
