// A stand-in project manager for the start selection: records every call in
// order and answers Startselection from a script.
#pragma once

#include "workspace/StartSelTarget.h"

#include <deque>
#include <string>
#include <vector>

namespace orv {

class RecordingStartSelTarget : public orv::CStartSelTarget {
public:
    // The answers of the next Startselection calls; true once they run out.
    void AnswerStartselection(bool ok) { m_answers.push_back(ok); }

    // Calls as "SetPanelType 47", "Startselection".
    const std::vector<std::string>& Calls() const { return m_calls; }
    void ClearCalls() { m_calls.clear(); }

    void SetPanelType(int32_t v) override { Record("SetPanelType", v); }
    void SetPlcType(int32_t v) override { Record("SetPlcType", v); }
    void SetDrvNum(int32_t v) override { Record("SetDrvNum", v); }
    void SetIntlDisplay(int32_t v) override { Record("SetIntlDisplay", v); }
    void SetSimDrvBound(bool v) override { Record("SetSimDrvBound", v ? 1 : 0); }
    void SetDbNum(int32_t v) override { Record("SetDbNum", v); }
    void SetDwOffset(int32_t v) override { Record("SetDwOffset", v); }
    void SetDwLength(int32_t v) override { Record("SetDwLength", v); }
    bool Startselection() override
    {
        m_calls.emplace_back("Startselection");
        if (m_answers.empty())
            return true;
        const bool ok = m_answers.front();
        m_answers.pop_front();
        return ok;
    }

private:
    void Record(const char* name, int32_t v) { m_calls.push_back(std::string(name) + " " + std::to_string(v)); }

    std::vector<std::string> m_calls;
    std::deque<bool> m_answers;
};

} // namespace orv
