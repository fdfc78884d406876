// The report of a panel-side file reader or writer whose file itself failed;
// shared so that each says its own message the same way.
#pragma once

#include "model/core/ErrorSlot.h"
#include "model/core/MessageBoxes.h"

#include <cstdint>

namespace orv {

// True without an error. A failure of the file itself shows its message and
// is cleared; any other error stays for the caller, and the answer is false.
inline bool ReportFileError(ErrorSlot& error, uint16_t fileCode, uint32_t messageId)
{
    if (!error.Failed())
        return true;
    if (error.Code() == fileCode) {
        ShowMessage(static_cast<int>(messageId));
        error.Clear();
    }
    return false;
}

} // namespace orv
