// One offscreen application for every dialog test.
#include "support/OffscreenQtApp.h"

namespace orv {

namespace {

[[maybe_unused]] const auto* g_env = ::testing::AddGlobalTestEnvironment(new OffscreenQtApp("test_dialogs"));

} // namespace

} // namespace orv
