// The scripted record chooser: opens the form as the window would and
// answers from the script.
#include "support/ScriptedRecordChooser.h"

#include <gtest/gtest.h>

namespace orv {

ScriptedRecordChooser::ScriptedRecordChooser() : m_registration(*this) {}

ScriptedRecordChooser::~ScriptedRecordChooser()
{
    if (!m_script.empty())
        ADD_FAILURE() << m_script.size() << " scripted record choice(s) never used";
}

void ScriptedRecordChooser::Choose(int record, bool tickBox) { m_script.push_back({record, tickBox}); }

void ScriptedRecordChooser::Cancel() { m_script.push_back({0, false}); }

bool ScriptedRecordChooser::Run()
{
    m_form.Open();
    Shown shown{m_form.GetMode(), m_form.GetCount(), m_form.IsRecipeBoxVisible(), {}};
    for (int i = 0; i < CRecordSelForm::kMaxRecords; ++i)
        shown.items.push_back(m_form.GetItem(i));
    m_runs.push_back(shown);
    if (m_script.empty()) {
        ADD_FAILURE() << "unexpected record choice";
        return false;
    }
    const Answer answer = m_script.front();
    m_script.pop_front();
    if (answer.record == 0)
        return false;
    EXPECT_TRUE(m_form.Choose(answer.record)) << "record " << answer.record << " is not offered";
    if (answer.tick)
        m_form.SetRecipeOption(true);
    return true;
}

} // namespace orv
