// Runs the frame's dialogs modally, so that the command logic needs no window
// system; the Qt frame supplies the real one, tests a recording fake.
#pragma once

#include <cstddef>

namespace orv {

class CDrvTabEntry5;

// The dialogs the frame's commands run without handing values. The kept ones
// come first, in the order they are created and deleted.
enum class DlgId : int {
    CharSel,
    CharEdit,
    MemPartition,
    PrjOpt,
    RecordSel,
    PrnPar,
    DrvPar,
    Times,
    Descr,
    AdrRef,
    SpsDef,
    TimeSw,
    PrgOpt,
    Rename,
    Search,
    StartSel,
    Lang,
    Ports,
};
inline constexpr size_t kKeptDlgCount = 14;
inline constexpr size_t kDlgIdCount = 18;

constexpr size_t DlgIndex(DlgId id) { return static_cast<size_t>(id); }

class CDlgRunner {
public:
    // The search dialog's modes.
    static constexpr int kSearchFind = 0;
    static constexpr int kSearchReplace = 1;

    virtual ~CDlgRunner() = default;
    // False while the dialog does not exist; its command is then greyed.
    virtual bool IsAvailable(DlgId id) const = 0;
    // Runs the dialog modally; true when the user confirmed it with OK.
    virtual bool Run(DlgId id) = 0;
    // Runs the search dialog in the given mode.
    virtual bool RunSearch(int mode) = 0;
    // Runs the PLC definitions dialog on the cross-reference entry (may be
    // null); false while the dialog does not exist.
    virtual bool RunSpsDef(const CDrvTabEntry5* entry)
    {
        (void)entry;
        return false;
    }
};

} // namespace orv
