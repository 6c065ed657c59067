// A user's actions on windows and controls, delivered as Windows delivers
// them.

#include <optional>

#include "platform/window/impl/window_registry.h"
#include "platform/window/user32.h"
#include "platform/window/user_input.h"

namespace {

using platform::window::impl::registry;
using platform::window::impl::WindowKind;
using platform::window::impl::WindowState;

bool lf_reachable(const WindowState& state) { return state.enabled && state.visible; }

// Posts WM_COMMAND with the control's id and code to its parent.
bool lf_notifyParent(HWND control, const std::optional<std::optional<WindowState>>& reached, WORD code) {
    if (!reached || !*reached) {
        return false;
    }
    const WindowState& state = **reached;
    return PostMessageW(state.parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(state.id), code),
                        reinterpret_cast<LPARAM>(control)) != FALSE;
}

}  // namespace

namespace platform::window {

bool clickControl(HWND control) {
    const auto reached = registry().withWindow(control, [](const WindowState& state) -> std::optional<WindowState> {
        const bool button = state.kind == WindowKind::pushButton || state.kind == WindowKind::checkBox;
        return button && lf_reachable(state) ? std::optional(state) : std::nullopt;
    });
    return lf_notifyParent(control, reached, BN_CLICKED);
}

bool pickComboItem(HWND comboBox, int index) {
    const auto reached = registry().withWindow(comboBox, [index](WindowState& state) -> std::optional<WindowState> {
        const bool valid = index >= 0 && static_cast<std::size_t>(index) < state.items.size();
        if (state.kind != WindowKind::comboBox || !lf_reachable(state) || !valid) {
            return std::nullopt;
        }
        if (state.selection != index) {
            state.selection = index;
            state.changed = true;
        }
        return state;
    });
    return lf_notifyParent(comboBox, reached, CBN_SELCHANGE);
}

bool editText(HWND editBox, std::u16string_view text) {
    return registry()
        .withWindow(editBox,
                    [text](WindowState& state) {
                        if (state.kind != WindowKind::editBox || !lf_reachable(state)) {
                            return false;
                        }
                        if (state.text != text) {
                            state.text = text;
                            state.changed = true;
                        }
                        return true;
                    })
        .value_or(false);
}

bool pressEnter(HWND editBox) {
    const bool reached =
        registry()
            .withWindow(editBox,
                        [](const WindowState& state) { return state.kind == WindowKind::editBox && lf_reachable(state); })
            .value_or(false);
    return reached && PostMessageW(editBox, WM_CHAR, 13, 1) != FALSE;
}

bool closeWindow(HWND topLevel) {
    const bool isTopLevel =
        registry().withWindow(topLevel, [](const WindowState& state) { return state.parent == nullptr; }).value_or(false);
    return isTopLevel && PostMessageW(topLevel, WM_CLOSE, 0, 0) != FALSE;
}

bool moveWindow(HWND topLevel, int x, int y) {
    return registry()
        .withWindow(topLevel,
                    [x, y](WindowState& state) {
                        if (state.parent != nullptr) {
                            return false;
                        }
                        if (state.rect.left != x || state.rect.top != y) {
                            state.rect = RECT{x, y, x + state.rect.right - state.rect.left,
                                              y + state.rect.bottom - state.rect.top};
                            state.changed = true;
                        }
                        return true;
                    })
        .value_or(false);
}

}  // namespace platform::window
