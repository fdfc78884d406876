#include "BenchProject.h"

#include "model/project/PrjVarKinds.h"
#include "support/SpsParBuilder.h"

#include <cstdio>
#include <vector>

namespace orv {

BenchDir::BenchDir(const std::string& name) : m_path(std::filesystem::temp_directory_path() / name)
{
    std::filesystem::create_directories(m_path);
}

BenchDir::~BenchDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

BenchBundle::BenchBundle(CWorkspaceState& workspace, uint16_t panel) : drv(&workspace, &bundle)
{
    SpsParBuilder b;
    for (uint16_t w = 0; w < 256; ++w)
        b.Var(w);
    sps = b.Build(&bundle);
    bundle.prjData = &prj;
    bundle.spsPar = sps.get();
    bundle.drvCfg = &drv;
    bundle.charSet = &charSet;
    charSet.SetDevType(panel);
    prj.SetDevType(panel);
    prj.Clear();
}

std::vector<CPrjVar*> AddScaledVars(CPrjData& prj, int count, const std::string& prefix)
{
    std::vector<CPrjVar*> vars;
    for (int i = 0; i < count; ++i) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%04d", i % 10000);
        auto* var = new CPrjVarBin(prefix + digits, static_cast<int16_t>(i % 250), 1, 2 + i % 4, 4, 1, 0, 9999, 0, 4000);
        var->SetWidth(5);
        prj.InsVar(var);
        vars.push_back(var);
    }
    return vars;
}

namespace {

bool PlainWriteRead(const std::string& path, std::vector<char>& bytes)
{
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (std::fclose(out) != 0 || !written)
        return false;
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (in == nullptr)
        return false;
    const bool read = std::fread(bytes.data(), 1, bytes.size(), in) == bytes.size();
    std::fclose(in);
    return read;
}

} // namespace

double PlainIoRatio::Ratio(int64_t iterations, const std::string& path, uint64_t bytes) const
{
    using Seconds = std::chrono::duration<double>;
    const Seconds loop = std::chrono::steady_clock::now() - m_start;
    if (iterations <= 0 || bytes == 0)
        return 0;
    std::vector<char> data(static_cast<size_t>(bytes), '\x5A');
    constexpr int kRounds = 200;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRounds; ++i)
        if (!PlainWriteRead(path, data))
            return 0;
    const Seconds plain = std::chrono::steady_clock::now() - start;
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    return (loop.count() / static_cast<double>(iterations)) / (plain.count() / kRounds);
}

} // namespace orv
