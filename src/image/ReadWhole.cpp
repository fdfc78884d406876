#include "image/ReadWhole.h"

#include "model/Log.h"
#include "platform/FileReplace.h"

#include <new>
#include <sys/stat.h>

bool ReadWholeInput(const std::string& path, std::string& bytes, const char* module)
{
    bytes.clear();
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || static_cast<uint64_t>(st.st_size) > kMaxInputFileSize)
        return false;
    try {
        if (orv::ReadWholeFile(path, bytes) && bytes.size() <= kMaxInputFileSize) {
            LogLine(kLogDebug, "Open %s %s OK", module, path.c_str());
            return true;
        }
    } catch (const std::bad_alloc&) {
    }
    bytes.clear();
    return false;
}
