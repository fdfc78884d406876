#include "support/FakeFwVarSource.h"

#include "model/project/PrjData.h"
#include "model/project/PrjVar.h"
#include "model/project/PrjVarList.h"

namespace orv {

bool FakeFwVarSource::ReadSysVars(CPrjData& prj)
{
    m_calls.push_back({&prj, prj.GetVarList()->GetCount(), prj.GetFwVarList()->GetCount()});
    for (auto& var : m_vars) {
        const int index = prj.InsVar(var.get());
        if (index >= 0 && prj.GetVarList()->At(index) == var.get())
            var.release();
    }
    m_vars.clear();
    return m_result;
}

} // namespace orv
