#pragma once

#include <string>
#include <vector>

namespace orv {

// A fresh directory below the build tree's scratch area, removed with its
// contents when the fixture goes. Paths end in '/'.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + name; }

    // Writes bytes exactly as given (no line-end conversion).
    void Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;
    // The names of the entries in the folder, sorted.
    std::vector<std::string> Names() const;

private:
    std::string m_path;
};

} // namespace orv
