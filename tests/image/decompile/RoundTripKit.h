#pragma once

#include "DecoWorld.h"

#include <cstdint>
#include <functional>
#include <string>

namespace orv {

// The golden project sources of tests/data/roundtrip and the trip each
// makes: loaded and written (S1), compiled, decompiled into the cleared
// project and written again (S2).

// The golden's bytes; empty when there is no such file.
std::string Golden(const std::string& name);
// The panel a source names before its parameter section; 0 without one.
uint16_t PanelOf(const std::string& bytes);
// What S2 of the golden must be: its ".s2" file where the image loses what
// it cannot carry, else S1.
std::string ExpectedS2(const std::string& golden, const std::string& s1);

struct RoundTripOutcome {
    std::string s1;
    std::string s2;
};
// Loads source as the project load does and writes S1; compile makes the
// image from the project; decompile reads it back into the project, which
// is cleared before; then S2 is written.
RoundTripOutcome GoldenRoundTrip(DecoWorld& f, const std::string& source, const std::function<void()>& compile,
                                 const std::function<void()>& decompile);

} // namespace orv
