#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace orv {

namespace fs = std::filesystem;

TempDir::TempDir()
{
    fs::path base = fs::temp_directory_path();
    if (const char* home = std::getenv("ORVTOOL_HOME"); home && *home)
        base = fs::path(home).parent_path() / "scratch";
    fs::create_directories(base);
    std::string templ = (base / "t-XXXXXX").string();
    if (!mkdtemp(templ.data()))
        throw std::runtime_error("mkdtemp failed for " + templ);
    m_path = templ + "/";
}

TempDir::~TempDir()
{
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

void TempDir::Write(const std::string& name, const std::string& bytes) const
{
    fs::path p = fs::path(m_path) / name;
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempDir::Read(const std::string& name) const
{
    std::ifstream in(fs::path(m_path) / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> TempDir::Names() const
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_path))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace orv
