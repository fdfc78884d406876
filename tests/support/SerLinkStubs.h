#pragma once

#include <string>

namespace orv {

// Paths of the stub serial link libraries that the build puts beside the
// tests: all three exports, no orvlink_rec, and none.
std::string SerLinkStubFull();
std::string SerLinkStubNoRec();
std::string SerLinkStubNone();

} // namespace orv
