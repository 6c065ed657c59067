// The update region of a window and the paint that validates it.

#include <optional>

#include "platform/window/impl/backend_interface.h"
#include "platform/window/impl/device_context.h"
#include "platform/window/impl/window_registry.h"
#include "platform/window/user32.h"

namespace {

using platform::window::impl::registry;
using platform::window::impl::WindowKind;
using platform::window::impl::WindowState;

struct UpdateRegion {
    RECT rect{};
    bool erase = false;
};

}  // namespace

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    bool paintDue = false;
    const auto found = registry().withWindow(hwnd, [&](WindowState& state) {
        paintDue = platform::window::impl::invalidate(
            state, rect == nullptr ? platform::window::impl::clientRect(state) : *rect, erase != FALSE);
        return true;
    });
    if (paintDue) {
        platform::window::impl::currentBackend().wake();
    }
    return found ? TRUE : FALSE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
    if (ps == nullptr) {
        return nullptr;
    }
    // Only the program's own windows paint; the backend draws the controls.
    const auto region = registry()
                            .withWindow(hwnd,
                                        [](WindowState& state) -> std::optional<UpdateRegion> {
                                            if (state.kind != WindowKind::custom) {
                                                return std::nullopt;
                                            }
                                            const UpdateRegion taken{
                                                state.updatePending ? state.updateRect : RECT{},
                                                state.erasePending};
                                            state.updatePending = false;
                                            state.erasePending = false;
                                            return taken;
                                        })
                            .value_or(std::nullopt);
    if (!region) {
        return nullptr;
    }
    auto& surface = platform::window::impl::currentBackend().beginPaint(hwnd, region->rect);
    const HDC dc = platform::window::impl::openDeviceContext(hwnd, &surface, region->rect);
    // fErase tells the painter that WM_ERASEBKGND left the background to it.
    const bool erased = region->erase && SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) != 0;
    *ps = PAINTSTRUCT{dc, region->erase && !erased ? TRUE : FALSE, region->rect};
    return dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
    if (ps == nullptr) {
        return FALSE;
    }
    platform::window::impl::closeDeviceContext(ps->hdc);
    platform::window::impl::currentBackend().endPaint(hwnd);
    return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
    const auto paintDue = registry().withWindow(
        hwnd, [](const WindowState& state) { return state.updatePending && state.visible; });
    if (!paintDue) {
        return FALSE;
    }
    if (*paintDue) {
        SendMessageW(hwnd, WM_PAINT, 0, 0);
    }
    return TRUE;
}
