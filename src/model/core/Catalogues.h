// The German text catalogues by number, the one way model and dialogs reach a
// message or error text; generated tables stay behind it.
#pragma once

#include <cstdint>

namespace orv {

// The fixed German catalogues: a number gives a constant zero-terminated text
// in code page 1252 that lives for the whole run. Number 0, a number above
// the catalogue's last one and a number without a text of its own give the
// catalogue's out-of-range text. Equal texts share their storage. Lookups
// never fail and never allocate.
const char* ResourceTXT(std::uint16_t number);
const char* resErrorText(std::uint16_t number);
const char* resError2(std::uint16_t number);

// The constant words: driver keys and file names, PLC vendor keys, rulers,
// source keywords, printout lines (box characters in code page 437) and
// internal variable names.
const char* ResKonstText(std::uint16_t number);

} // namespace orv
