// The frame's command table: per command id its handler and its enabling and
// check rules, the rules pure functions of one snapshot of the frame.
#pragma once

#include "workspace/DlgRunner.h"

#include <bitset>
#include <cstdint>
#include <optional>
#include <string>

namespace orv {

class CFrameCore;

// What the enabling and check rules read, taken at once.
struct FrameSnapshot {
    bool hasPrjPath = false;
    bool sourceEdit = false;
    // The source editor holds a file that a save writes back.
    bool editorHoldsFile = false;
    bool simDrvBound = false;
    bool simRunning = false;
    int32_t devId = 0;
    // The device type of the selected panel: "mini", "midi", "plus".
    std::string devTyp;
    int32_t spsId = 0;
    bool txtHst = false;
    bool txtRcp = false;
    // Init succeeded: the project bundle exists.
    bool bundleReady = false;
    bool hasListView = false;
    int listStyle = 0;
    // A view that prints its picture is registered.
    bool printableView = false;
    std::bitset<kDlgIdCount> dialogs;
};

using FrameRule = bool (*)(const FrameSnapshot&);
using FrameHandler = void (CFrameCore::*)(int);

struct CommandRow {
    uint32_t id = 0;
    // Null while the command's operation is not built: the command is greyed.
    FrameHandler handler = nullptr;
    // The handler's argument (list type, kind, mode, dialog).
    int arg = 0;
    // Greyed while the project bundle is missing (a failed start).
    bool needsBundle = false;
    // Greyed while this dialog does not exist.
    std::optional<DlgId> dialog;
    // Null: always enabled, or never checked.
    FrameRule enable = nullptr;
    FrameRule check = nullptr;
};

struct CommandState {
    bool enabled = false;
    bool checked = false;
    // The command carries a check mark at all.
    bool checkable = false;

    bool operator==(const CommandState&) const = default;
};

// The row of a command, or null for an id the table does not hold (greyed).
const CommandRow* FindCommandRow(uint32_t id);
// Every row, in the table's order.
const CommandRow* CommandRowsBegin();
const CommandRow* CommandRowsEnd();

CommandState EvalCommand(const CommandRow& row, const FrameSnapshot& s);
// Greyed and unchecked for an id without a row.
CommandState CommandStateOf(uint32_t id, const FrameSnapshot& s);

} // namespace orv
