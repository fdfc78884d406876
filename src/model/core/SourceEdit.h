#pragma once

namespace orv {

// Source-edit mode: the log view shows the project source file for editing.

// Loads the frame's project source file into the editor with the caret at
// the 1-based line and column, and enters source-edit mode, remembering the
// path it loaded. An unreadable file shows message 15025 with the path and
// changes nothing. False without a frame or on failure.
bool LoadSrcEdit(int line, int column);

// Writes the editor's text, every line ending in CR LF, to the path that
// LoadSrcEdit loaded, by whole-file replacement; then clears the view and
// leaves source-edit mode. On failure shows 15025 with the path (the file
// cannot be created) or 15207 (the write was incomplete), keeps the text and
// the mode, and returns false. Outside source-edit mode it writes nothing
// and returns false.
bool SaveSrcEdit();

} // namespace orv
