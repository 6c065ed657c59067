#include "platform/window/impl/control_colours.h"

#include "platform/window/impl/device_context.h"
#include "platform/window/impl/window_registry.h"
#include "platform/window/user32.h"

namespace platform::window::impl {

std::optional<ControlColours> askControlColours(HWND editBox) {
    struct Asked {
        HWND parent;
        UINT message;
    };
    const auto asked = registry().withWindow(editBox, [](const WindowState& state) {
        return Asked{state.parent, state.enabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC};
    });
    if (!asked) {
        return std::nullopt;
    }
    const HDC dc = openDeviceContext(editBox, nullptr, RECT{});
    const LRESULT brush =
        SendMessageW(asked->parent, asked->message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(editBox));
    const auto text = textColourOf(dc);
    closeDeviceContext(dc);
    const auto background = brushColour(reinterpret_cast<HGDIOBJ>(brush));
    if (!text || !background) {
        return std::nullopt;
    }
    return ControlColours{*text, *background};
}

}  // namespace platform::window::impl
