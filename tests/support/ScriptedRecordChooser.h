// A record chooser for tests: answers from a script and keeps what each
// opened form showed. An unexpected run or an answer left unused fails the
// test.
#pragma once

#include "link/RecordChooser.h"

#include <deque>
#include <vector>

namespace orv {

class ScriptedRecordChooser : public IRecordChooser {
public:
    // What the form showed when it was opened.
    struct Shown {
        uint8_t mode = 0;
        uint32_t count = 0;
        bool box = false;
        std::vector<CRecordSelForm::Item> items;
    };

    // Registers itself for its lifetime.
    ScriptedRecordChooser();
    ~ScriptedRecordChooser() override;
    ScriptedRecordChooser(const ScriptedRecordChooser&) = delete;
    ScriptedRecordChooser& operator=(const ScriptedRecordChooser&) = delete;

    // The next run picks the record (1..6) and ticks the box or not.
    void Choose(int record, bool tickBox = false);
    // The next run is cancelled.
    void Cancel();

    CRecordSelForm& Form() override { return m_form; }
    bool Run() override;

    const std::vector<Shown>& Runs() const { return m_runs; }
    // Answers not used yet; they no longer fail the test.
    void Forget() { m_script.clear(); }

private:
    struct Answer {
        int record = 0; // 0: cancel
        bool tick = false;
    };

    CRecordSelForm m_form;
    std::deque<Answer> m_script;
    std::vector<Shown> m_runs;
    ScopedRecordChooser m_registration;
};

} // namespace orv
