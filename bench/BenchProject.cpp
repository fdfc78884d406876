#include "BenchProject.h"

#include "image/compile/Comp706.h"
#include "image/decompile/Deco706.h"
#include "model/project/MsgTxt.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/TxtRow.h"
#include "tools/cfggen/DrvBuilders.h"
#include "support/SpsParBuilder.h"

#include <cstdio>
#include <fstream>
#include <memory>
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

namespace {

constexpr int kFullVarCount = 1000;
constexpr int kFullOpCount = 256;
constexpr int kFullMsgCount = 680;

// Two rows, each showing the two variables among words and blank runs.
template <class Entry>
Entry* TwoRows(Entry* entry, CPrjVar* first, CPrjVar* second)
{
    entry->SetRowCount(2);
    for (uint8_t r = 1; r <= 2; ++r) {
        CTxtVarSlots slots;
        slots.SetVar(0, first);
        slots.SetCol(0, 8);
        slots.SetVar(1, second);
        slots.SetCol(1, 30);
        entry->SetRow(std::make_unique<CPrjTxtRow>(r, "Value   #####   of row       #####", &slots));
    }
    return entry;
}

} // namespace

Full706::Full706(const std::string& dirName)
    : m_dir(dirName), m_workspace(m_dir.Prefix(), m_dir.Prefix()), m_project(m_workspace, 706)
{
    std::ofstream(Path("FULL.DRV"), std::ios::binary) << Drv706Entry().Build().bytes;
    m_project.bundle.frmCfg = &m_frm;
    m_frm.SetFrmId("FW706");
    Fill();
}

uint16_t Full706::Compile()
{
    m_workspace.MemInfo().freeData = CMemInfo::kDefaultFreeData;
    CComp706 comp(m_workspace, Path("FULL.BIN"), m_project.bundle);
    return comp.GetError();
}

uint16_t Full706::Decompile()
{
    m_project.prj.Clear();
    CDeco706 deco(&m_workspace, Path("FULL.BIN"), Path("FULL.DRV"), "", &m_project.bundle);
    return deco.GetError();
}

void Full706::Fill()
{
    CPrjData& prj = m_project.prj;
    prj.Clear();
    const std::vector<CPrjVar*> vars = AddScaledVars(prj, kFullVarCount, "Variable_");
    const auto var = [&vars](int n) { return vars[static_cast<size_t>(n) % vars.size()]; };
    for (int t = 0; t < kFullOpCount; ++t)
        prj.InsOpTxt(TwoRows(new CPrjOpTxt(t), var(t), var(t + 500)));
    for (int m = 0; m < kFullMsgCount; ++m)
        prj.InsMsgTxt(TwoRows(new CMsgTxt(m, 3, 2, 0), var(m * 3), var(m * 7)));
    prj.SetDescr("Benchmark project filling the panel memory");
}

} // namespace orv
