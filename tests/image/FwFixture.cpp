#include "FwFixture.h"

#include "model/PrjVarList.h"

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
