#include "support/BundleBuilder.h"

namespace orv {

BundleBuilder& BundleBuilder::DevType(uint16_t type)
{
    m_devType = type;
    return *this;
}

BundleBuilder& BundleBuilder::Sps(SpsParBuilder sps)
{
    m_sps = std::move(sps);
    return *this;
}

BundleBuilder& BundleBuilder::NoSps()
{
    m_withSps = false;
    return *this;
}

std::unique_ptr<TestBundle> BundleBuilder::Build() const
{
    auto b = std::make_unique<TestBundle>();
    b->prj = std::make_unique<CPrjData>(&b->bundle);
    b->prj->SetDevType(m_devType);
    b->bundle.prjData = b->prj.get();
    if (m_withSps) {
        b->sps = m_sps.Build(&b->bundle);
        b->bundle.spsPar = b->sps.get();
    }
    return b;
}

} // namespace orv
