// The seam through which the workspace hands the project root the firmware's
// built-in variables, since the firmware readers sit above the model.
#pragma once

namespace orv {

class CPrjData;

// Where the built-in variables of a panel's firmware image come from. The
// firmware readers live above the data model, so the workspace hands the
// project root one of these; the root only borrows it.
class CFwVarSource {
public:
    virtual ~CFwVarSource() = default;

    // Reads the built-in variables of the root's current panel type into its
    // variable and firmware-variable lists. Shows its own message when the
    // firmware cannot be read; variables read before a failure stay.
    virtual bool ReadSysVars(CPrjData& prj) = 0;
};

} // namespace orv
