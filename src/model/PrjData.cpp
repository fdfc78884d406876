#include "model/PrjData.h"

#include "model/PrjVarList.h"

namespace {

CPrjData* g_current = nullptr;

} // namespace

CPrjData::CPrjData(PrjBundle* owner)
    : m_owner(owner),
      m_vars(std::make_unique<CPrjVarList>(16, 4)),
      m_komVars(std::make_unique<CPrjKomVarList>(4, 1))
{
    g_current = this;
}

CPrjData::~CPrjData()
{
    if (g_current == this)
        g_current = nullptr;
}

CPrjData* CPrjData::GetCurrent()
{
    return g_current;
}

int CPrjData::GetDspWidth() const
{
    return m_devType == 14 || m_devType == 118 ? 20 : 40;
}
