#pragma once

#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "model/project/SpsPar.h"
#include "model/project/TextPool.h"
#include "support/SpsParBuilder.h"

#include <cstdint>
#include <memory>

namespace orv {

// A project bundle with a root of one panel type and PLC parameters with
// driver items. The pool stands in for the root's text pool; it is built
// first, so that it outlives every variable of the root's lists.
struct TestBundle {
    TestBundle() = default;
    TestBundle(const TestBundle&) = delete;
    TestBundle& operator=(const TestBundle&) = delete;

    CTextPool pool{16, 8};
    PrjBundle bundle;
    std::unique_ptr<CPrjData> prj;
    std::unique_ptr<CSpsPar> sps;
};

// BundleBuilder().DevType(706).Sps(SpsParBuilder().Var(20)).Build()
class BundleBuilder {
public:
    BundleBuilder& DevType(uint16_t type);
    BundleBuilder& Sps(SpsParBuilder sps);
    // Without PLC parameters in the bundle.
    BundleBuilder& NoSps();

    std::unique_ptr<TestBundle> Build() const;

private:
    uint16_t m_devType = 14;
    SpsParBuilder m_sps;
    bool m_withSps = true;
};

} // namespace orv
