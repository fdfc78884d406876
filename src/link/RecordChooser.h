// The program-wide chooser that runs the record choice: the main frame
// registers its window; headless runs keep a chooser that always cancels.
#pragma once

#include "link/RecordSelForm.h"

namespace orv {

class IRecordChooser {
public:
    virtual ~IRecordChooser() = default;
    // The form kept for the program's life; callers fill it before Run.
    virtual CRecordSelForm& Form() = 0;
    // Opens the form and lets the user choose; true for OK.
    virtual bool Run() = 0;
};

// The registered chooser, or one that cancels and logs that no record could
// be chosen.
IRecordChooser& GetRecordChooser();

// Registers a chooser program-wide for its lifetime and restores the
// previous registration when it goes.
class ScopedRecordChooser {
public:
    explicit ScopedRecordChooser(IRecordChooser& chooser);
    ~ScopedRecordChooser();
    ScopedRecordChooser(const ScopedRecordChooser&) = delete;
    ScopedRecordChooser& operator=(const ScopedRecordChooser&) = delete;

private:
    IRecordChooser* m_previous;
};

} // namespace orv
