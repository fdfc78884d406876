#include "FwFixture.h"

#include "BuiltinContentFixture.h"

#include "model/project/PrjVarList.h"

namespace orv {

CPrjVar* FwFixture::FindVar(const char* name) const
{
    CPrjVar* var = prj.GetVarList()->FindByName(name);
    return var ? var : prj.GetFwVarList()->FindByName(name);
}

int FwFixture::VarCount() const
{
    return prj.GetVarList()->GetCount();
}

int FwFixture::FwVarCount() const
{
    return prj.GetFwVarList()->GetCount();
}

std::vector<std::string> BuiltinContentFixture::Names(const CPrjVarList& list)
{
    std::vector<std::string> names;
    for (int i = 0; i < list.GetCount(); ++i)
        names.push_back(list.VarAt(i)->GetName());
    return names;
}

} // namespace orv
