// Case-blind path lookup that never leaves its base directory; exact names win
// over case-blind matches.
#include "platform/FileLookup.h"

#include <dirent.h>
#include <sys/stat.h>

namespace orv {

namespace {

bool Exists(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

// The first entry of dir (in byte order) whose name equals name without
// regard to ASCII case.
std::optional<std::string> FindEntryNoCase(const std::string& dir, std::string_view name)
{
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d)
        return std::nullopt;
    std::optional<std::string> best;
    while (const dirent* e = ::readdir(d)) {
        const std::string_view entry(e->d_name);
        if (EqualNoCase(entry, name) && (!best || entry < *best))
            best = std::string(entry);
    }
    ::closedir(d);
    return best;
}

}  // namespace

std::optional<std::string> FindPathNoCase(const std::string& baseDir,
                                          const std::string& relativePath)
{
    std::string path = baseDir;
    if (!path.empty() && path.back() != '/')
        path += '/';
    if (Exists(path + relativePath))
        return path + relativePath;

    size_t begin = 0;
    while (begin < relativePath.size()) {
        size_t end = relativePath.find('/', begin);
        if (end == std::string::npos)
            end = relativePath.size();
        const std::string_view name = std::string_view(relativePath).substr(begin, end - begin);
        if (!name.empty()) {
            std::string candidate = path + std::string(name);
            if (!Exists(candidate)) {
                const auto found = FindEntryNoCase(path, name);
                if (!found)
                    return std::nullopt;
                candidate = path + *found;
            }
            path = std::move(candidate);
            if (end < relativePath.size())
                path += '/';
        }
        begin = end + 1;
    }
    if (!Exists(path))  // only when no component was named at all
        return std::nullopt;
    return path;
}

bool IsSafeFileName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

std::string SlashPath(std::string_view pathFromFile)
{
    std::string out(pathFromFile);
    for (char& c : out)
        if (c == '\\')
            c = '/';
    return out;
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

}  // namespace orv
