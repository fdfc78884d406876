// The chooser registration and the headless fallback.
#include "link/RecordChooser.h"

#include "model/core/Log.h"

namespace orv {

namespace {

class HeadlessRecordChooser final : public IRecordChooser {
public:
    CRecordSelForm& Form() override { return m_form; }
    bool Run() override
    {
        m_form.Open();
        LogLine(kLogErrors, "no record could be chosen: no window to choose in");
        return false;
    }

private:
    CRecordSelForm m_form;
};

IRecordChooser* g_recordChooser = nullptr;

} // namespace

IRecordChooser& GetRecordChooser()
{
    static HeadlessRecordChooser headless;
    return g_recordChooser ? *g_recordChooser : headless;
}

ScopedRecordChooser::ScopedRecordChooser(IRecordChooser& chooser) : m_previous(g_recordChooser)
{
    g_recordChooser = &chooser;
}

ScopedRecordChooser::~ScopedRecordChooser() { g_recordChooser = m_previous; }

} // namespace orv
