#include "DecoFixture.h"

#include "model/project/PrjVarList.h"

namespace orv {

DecoFixture::DecoFixture(uint16_t devType)
{
    SpsParBuilder b;
    for (uint16_t w = 0; w < 64; ++w)
        b.Var(w);
    b.Sys(100);
    sps = b.Build(&bundle);
    bundle.charSet = &charSet;
    bundle.prjData = &prj;
    bundle.spsPar = sps.get();
    bundle.drvCfg = &drv;
    bundle.fktCfg = &fkt;
    workspace.SetBundle(&bundle);
    charSet.SetDevType(devType);
    prj.SetDevType(devType);
    prj.Clear();
}

void DecoFixture::ResetForDecompile()
{
    prj.Clear();
    drv.GetParItems3()->DeleteAll();
    workspace.MemInfo().ClearCounts();
    ui.ClearCalls();
}

std::string DecoFixture::WriteImage(const std::string& bytes, const std::string& name) const
{
    dir.Write(name, bytes);
    return dir.File(name);
}

std::vector<int> DecoFixture::BoxIds() const
{
    std::vector<int> ids;
    for (const UiCall& call : ui.CallsOf(UiCall::Kind::Box))
        ids.push_back(call.id);
    return ids;
}

std::vector<std::string> DecoFixture::LogLines() const
{
    return ui.TextsOf(UiCall::Kind::LogAppend);
}

bool DecoFixture::Logged(const std::string& line) const
{
    for (const std::string& text : LogLines())
        if (text.find(line) != std::string::npos)
            return true;
    return false;
}

CPrjVar* DecoFixture::Var(const std::string& name) const
{
    if (CPrjVar* var = prj.GetVarList()->FindByName(std::string_view(name)))
        return var;
    return prj.GetFwVarList()->FindByName(std::string_view(name));
}

} // namespace orv
