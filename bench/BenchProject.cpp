#include "BenchProject.h"

#include "model/PrjVarKinds.h"
#include "support/SpsParBuilder.h"

#include <cstdio>

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
