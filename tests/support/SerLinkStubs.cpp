#include "support/SerLinkStubs.h"

namespace orv {

std::string SerLinkStubFull() { return ORV_SERLINK_STUB_FULL; }
std::string SerLinkStubNoRec() { return ORV_SERLINK_STUB_NOREC; }
std::string SerLinkStubNone() { return ORV_SERLINK_STUB_NONE; }

} // namespace orv
