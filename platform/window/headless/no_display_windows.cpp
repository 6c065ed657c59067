// The Windows build draws no window of its own yet: every window of the
// layer is headless there.

#include "platform/window/impl/backend_interface.h"

namespace platform::window::impl {

bool openDisplay() { return false; }

BackendImpl& fltkBackend() { return headlessBackend(); }

}  // namespace platform::window::impl
