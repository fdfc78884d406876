// Whole-file replacement for the source layer's writers: a file is either
// replaced complete or left as it was.
#pragma once

#include <string>
#include <string_view>

namespace orv {

// Writes a file as a whole without ever leaving it half written: the bytes
// go to a temporary file beside the target, which is synced and renamed over
// the target only when every write succeeded. A replacement that is not
// committed removes its temporary file and leaves the target as it was.
class CReplaceFile {
public:
    explicit CReplaceFile(std::string target);
    ~CReplaceFile();
    CReplaceFile(const CReplaceFile&) = delete;
    CReplaceFile& operator=(const CReplaceFile&) = delete;

    // The first write creates the temporary file. False once any write
    // failed.
    bool Write(std::string_view bytes);
    // Syncs and renames; the mode of a target that existed is kept.
    bool Commit();

private:
    void Abandon();

    std::string m_target;
    std::string m_temp;
    int m_fd = -1;
    bool m_failed = false;
};

// While one lives, the n-th write (counted from 1) through any CReplaceFile
// fails as on a full medium: the file layer's seam for tests of the
// writers' failure paths.
class ScopedWriteFault {
public:
    explicit ScopedWriteFault(int failingWrite);
    ~ScopedWriteFault();
    ScopedWriteFault(const ScopedWriteFault&) = delete;
    ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;
};

} // namespace orv
