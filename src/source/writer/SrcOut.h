// The buffered output of the project source writer, reaching the target only
// through a whole-file replacement.
#pragma once

#include "source/writer/ReplaceFile.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace orv {

// The output of a project source file: a buffered stream whose bytes reach
// the target only through a whole-file replacement. Records are pushed to
// the file layer one by one (Flush), so that a failed write is seen at the
// record it hit; the target is replaced only by Commit.
class CSrcOut {
public:
    explicit CSrcOut(std::string target);
    ~CSrcOut();
    CSrcOut(const CSrcOut&) = delete;
    CSrcOut& operator=(const CSrcOut&) = delete;

    // Creates the temporary file beside the target; false when it cannot be
    // created.
    bool Open();
    bool IsOpen() const { return m_file != nullptr; }

    // The stream the character writers take; null while not open.
    std::FILE* File() const { return m_file; }

    bool Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
    bool Put(std::string_view bytes);
    // Hands the buffered bytes to the file layer; false once any write
    // failed.
    bool Flush();
    // Flushes and renames the temporary file over the target.
    bool Commit();

private:
    static ssize_t CookieWrite(void* cookie, const char* buf, size_t size);

    CReplaceFile m_replace;
    std::FILE* m_file = nullptr;
    bool m_failed = false;
};

} // namespace orv
