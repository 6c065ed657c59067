#include "platform/window/inspect.h"

#include "platform/window/impl/control_procedures.h"
#include "platform/window/impl/window_registry.h"

namespace platform::window {

std::optional<WindowSnapshot> inspectWindow(HWND hwnd) {
    const auto state = impl::registry().snapshot(hwnd);
    if (!state) {
        return std::nullopt;
    }
    return WindowSnapshot{state->parent,
                          state->className,
                          state->id,
                          state->style,
                          state->rect,
                          std::u16string(impl::shownText(*state)),
                          state->check,
                          state->items,
                          state->selection,
                          state->enabled,
                          state->visible,
                          state->topmost};
}

std::vector<HWND> childWindows(HWND parent) { return impl::registry().children(parent); }

}  // namespace platform::window
