// Leaves source-edit mode before a dialog that replaces what the editor
// shows, without losing the user's edits of the project source.
#pragma once

namespace orv {

// The question before edits of the project source are dropped (cp1252).
inline constexpr const char* kAskSaveSourceEdits = "\xC4nderungen am Projektsource speichern?";

// Outside source-edit mode nothing happens. Otherwise the editor's text is
// compared with the file it was loaded from (line ends CR LF or LF alike);
// changed edits are saved on Yes and dropped on No, unchanged ones dropped
// without a question; the mode is then left and the view emptied. False when
// the caller must not go on: the editor could not hand its text over, or the
// save failed (both already told to the user), and mode and text stay.
bool CloseSourceEdit();

} // namespace orv
