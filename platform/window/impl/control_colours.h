#pragma once
// The colours a parent gives its edit box, asked as Windows asks before it
// draws the box.

#include <optional>

#include "platform/window/win32_types.h"

namespace platform::window::impl {

struct ControlColours {
    COLORREF text;
    COLORREF background;  // the brush the parent returned
};

// Sends WM_CTLCOLOREDIT (WM_CTLCOLORSTATIC for a disabled box) to the
// parent with a device context to set colours on; empty when the parent
// returns no brush, which leaves the default colours. UI thread.
std::optional<ControlColours> askControlColours(HWND editBox);

}  // namespace platform::window::impl
