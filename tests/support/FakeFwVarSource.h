#pragma once

#include "model/project/FwVarSource.h"

#include <memory>
#include <vector>

namespace orv {

class CPrjVar;

// Stands in for the firmware readers: records each call and hands the
// variables it was given to the root's variable list, as a reader does.
class FakeFwVarSource : public CFwVarSource {
public:
    struct Call {
        CPrjData* prj;
        // The variables and firmware variables the root held when called.
        int varCount;
        int fwVarCount;
    };

    // Inserted on the next call; a variable the list refuses is freed.
    void Give(std::unique_ptr<CPrjVar> var) { m_vars.push_back(std::move(var)); }
    // The answer of every call.
    void SetResult(bool result) { m_result = result; }

    bool ReadSysVars(CPrjData& prj) override;

    const std::vector<Call>& Calls() const { return m_calls; }

private:
    std::vector<std::unique_ptr<CPrjVar>> m_vars;
    std::vector<Call> m_calls;
    bool m_result = true;
};

} // namespace orv
