// Window classes, windows and their state: creation, destruction, text,
// enabled state, check boxes, geometry and procedures.

#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/window/impl/backend_interface.h"
#include "platform/window/impl/control_procedures.h"
#include "platform/window/impl/text.h"
#include "platform/window/impl/window_registry.h"
#include "platform/window/user32.h"

namespace {

using platform::window::impl::registry;
using platform::window::impl::WindowKind;
using platform::window::impl::WindowState;

struct WindowClass {
    std::u16string name;
    WNDPROC procedure = nullptr;
    HBRUSH background = nullptr;
};

class ClassTable {
public:
    // The class's atom, or 0 when the name is taken.
    ATOM add(WindowClass windowClass) {
        const std::lock_guard lock(mutex_);
        if (findUnlocked(windowClass.name) != nullptr) {
            return 0;
        }
        classes_.push_back(std::move(windowClass));
        return static_cast<ATOM>(kFirstAtom + classes_.size() - 1);
    }

    std::optional<WindowClass> find(std::u16string_view name) {
        const std::lock_guard lock(mutex_);
        const WindowClass* found = findUnlocked(name);
        return found == nullptr ? std::nullopt : std::optional(*found);
    }

private:
    static constexpr ATOM kFirstAtom = 0xC000;  // where Windows numbers registered classes

    const WindowClass* findUnlocked(std::u16string_view name) const {
        for (const WindowClass& windowClass : classes_) {
            if (platform::window::impl::equalsIgnoringCase(windowClass.name, name)) {
                return &windowClass;
            }
        }
        return nullptr;
    }

    // Its place in the lock order: docs/locks.md.
    std::mutex mutex_;  // guards classes_; a leaf lock of the layer
    std::vector<WindowClass> classes_;
};

ClassTable& lf_classes() {
    static auto& table = *new ClassTable;
    return table;
}

// The state of a new window of a class registered by the program (a
// top-level window) or of a built-in control (a child); empty when the class
// is unknown or a child's parent does not exist.
std::optional<WindowState> lf_newWindowState(std::u16string_view className, DWORD style, HWND parent,
                                             HMENU menuOrId) {
    WindowState state;
    if ((style & WS_CHILD) != 0) {
        const auto builtIn = platform::window::impl::builtInClass(className, style);
        if (!builtIn || !registry().snapshot(parent)) {
            return std::nullopt;
        }
        state.kind = builtIn->kind;
        state.procedure = builtIn->procedure;
        state.parent = parent;
        state.id = static_cast<int>(reinterpret_cast<UINT_PTR>(menuOrId));
        return state;
    }
    const auto windowClass = lf_classes().find(className);
    if (!windowClass) {
        return std::nullopt;
    }
    state.kind = WindowKind::custom;
    state.procedure = windowClass->procedure;
    state.background = windowClass->background;
    return state;
}

}  // namespace

ATOM RegisterClassExW(const WNDCLASSEXW* windowClass) {
    if (windowClass == nullptr || windowClass->lpfnWndProc == nullptr ||
        platform::window::impl::terminatedText(windowClass->lpszClassName).empty()) {
        return 0;
    }
    platform::window::impl::currentBackend();
    return lf_classes().add(WindowClass{std::u16string(windowClass->lpszClassName),
                                        windowClass->lpfnWndProc, windowClass->hbrBackground});
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance,
                     LPVOID createParams) {
    const std::u16string_view name = platform::window::impl::terminatedText(className);
    auto state = lf_newWindowState(name, style, parent, menuOrId);
    if (!state) {
        return nullptr;
    }
    state->className = name;
    state->style = style;
    state->rect = RECT{x, y, x + width, y + height};
    state->text = platform::window::impl::terminatedText(windowName);
    state->enabled = (style & WS_DISABLED) == 0;
    state->visible = (style & WS_VISIBLE) != 0;
    // A new window is wholly invalid; it is painted once it is visible.
    if (state->kind == WindowKind::custom) {
        platform::window::impl::invalidate(*state, platform::window::impl::clientRect(*state), true);
    }

    auto& backend = platform::window::impl::currentBackend();
    const HWND hwnd = registry().add(std::move(*state));
    backend.windowCreated(hwnd);
    CREATESTRUCTW create{createParams, instance, menuOrId, parent,     height,    width,
                         y,            x,        static_cast<LONG>(style), windowName, className, exStyle};
    if (SendMessageW(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    return hwnd;
}

BOOL DestroyWindow(HWND hwnd) {
    if (!registry().snapshot(hwnd)) {
        return FALSE;
    }
    SendMessageW(hwnd, WM_DESTROY, 0, 0);
    for (const HWND child : registry().children(hwnd)) {
        DestroyWindow(child);
    }
    platform::window::impl::currentBackend().windowDestroyed(hwnd);
    registry().remove(hwnd);
    return TRUE;
}

BOOL ShowWindow(HWND hwnd, int command) {
    const bool show = command != SW_HIDE;
    bool paintDue = false;
    const auto wasVisible = registry().withWindow(hwnd, [show, &paintDue](WindowState& state) {
        const bool was = state.visible;
        if (was != show) {
            state.visible = show;
            state.changed = true;
            paintDue = show && platform::window::impl::invalidate(
                                   state, platform::window::impl::clientRect(state), true);
        }
        return was;
    });
    if (paintDue) {
        platform::window::impl::currentBackend().wake();
    }
    return wasVisible.value_or(false) ? TRUE : FALSE;
}

HWND GetDlgItem(HWND parent, int id) { return registry().childById(parent, id); }

BOOL SetWindowTextW(HWND hwnd, LPCWSTR text) {
    return SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) > 0 ? TRUE : FALSE;
}

int GetWindowTextW(HWND hwnd, LPWSTR buffer, int maxCount) {
    if (buffer == nullptr || maxCount < 1) {
        return 0;
    }
    buffer[0] = u'\0';
    return static_cast<int>(
        SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthW(HWND hwnd) { return static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0)); }

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    const bool enabled = enable != FALSE;
    const auto wasDisabled = registry().withWindow(hwnd, [enabled](WindowState& state) {
        const bool was = !state.enabled;
        if (state.enabled != enabled) {
            state.enabled = enabled;
            state.changed = true;
        }
        return was;
    });
    return wasDisabled.value_or(false) ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
    return registry().withWindow(hwnd, [](const WindowState& state) { return state.enabled; }).value_or(false)
               ? TRUE
               : FALSE;
}

BOOL CheckDlgButton(HWND parent, int id, UINT check) {
    const HWND button = GetDlgItem(parent, id);
    if (button == nullptr) {
        return FALSE;
    }
    SendMessageW(button, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND parent, int id) {
    const HWND button = GetDlgItem(parent, id);
    return button == nullptr ? BST_UNCHECKED : static_cast<UINT>(SendMessageW(button, BM_GETCHECK, 0, 0));
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
    const auto screen = registry().screenRect(hwnd);
    if (rect == nullptr || !screen) {
        return FALSE;
    }
    *rect = *screen;
    return TRUE;
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    bool paintDue = false;
    const auto found = registry().withWindow(hwnd, [&](WindowState& state) {
        RECT rect = state.rect;
        if ((flags & SWP_NOMOVE) == 0) {
            rect = RECT{x, y, x + rect.right - rect.left, y + rect.bottom - rect.top};
        }
        if ((flags & SWP_NOSIZE) == 0) {
            rect.right = rect.left + width;
            rect.bottom = rect.top + height;
        }
        const bool resized = rect.right - rect.left != state.rect.right - state.rect.left ||
                             rect.bottom - rect.top != state.rect.bottom - state.rect.top;
        bool topmost = state.topmost;
        if ((flags & SWP_NOZORDER) == 0 && (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST)) {
            topmost = insertAfter == HWND_TOPMOST;
        }
        if (rect.left != state.rect.left || rect.top != state.rect.top || resized || topmost != state.topmost) {
            state.rect = rect;
            state.topmost = topmost;
            state.changed = true;
        }
        // A resized window is repainted whole.
        paintDue = resized && platform::window::impl::invalidate(
                                  state, platform::window::impl::clientRect(state), true);
        return true;
    });
    if (paintDue) {
        platform::window::impl::currentBackend().wake();
    }
    return found ? TRUE : FALSE;
}

LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value) {
    const auto procedure = reinterpret_cast<WNDPROC>(value);
    if (index != GWLP_WNDPROC || procedure == nullptr) {
        return 0;
    }
    const auto previous = registry().withWindow(
        hwnd, [procedure](WindowState& state) { return std::exchange(state.procedure, procedure); });
    return reinterpret_cast<LONG_PTR>(previous.value_or(nullptr));
}

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index) {
    if (index != GWLP_WNDPROC) {
        return 0;
    }
    const auto procedure = registry().withWindow(hwnd, [](const WindowState& state) { return state.procedure; });
    return reinterpret_cast<LONG_PTR>(procedure.value_or(nullptr));
}
