#pragma once
// The model of every window and control: what the Win32 calls read and
// write, from any thread, under one lock. The backends show it; the FLTK
// backend takes the windows whose shown state is out of date (takeChanged)
// on the UI thread.

#include <cstddef>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/window/win32_types.h"

namespace platform::window::impl {

enum class WindowKind { custom, pushButton, checkBox, editBox, comboBox };

struct WindowState {
    HWND handle = nullptr;
    HWND parent = nullptr;
    WindowKind kind = WindowKind::custom;
    std::u16string className;
    int id = 0;
    DWORD style = 0;
    RECT rect{};  // top-level: screen, caption included; child: parent's client area
    std::u16string text;
    UINT check = 0;
    std::vector<std::u16string> items;
    int selection = -1;
    bool enabled = true;
    bool visible = false;
    bool topmost = false;
    WNDPROC procedure = nullptr;
    HBRUSH background = nullptr;  // the class brush of WM_ERASEBKGND
    // The update region of a custom window, as its bounding rectangle.
    bool updatePending = false;
    bool erasePending = false;
    RECT updateRect{};
    // Set when something the user sees changed and the backend has not
    // shown it yet.
    bool changed = false;
};

// The client area of a window in its own client coordinates.
RECT clientRect(const WindowState& state);

// Adds rect (client coordinates), clipped to the client area, to a custom
// window's update region and returns true when a paint became due; a control
// is only marked to be redrawn.
bool invalidate(WindowState& state, const RECT& rect, bool erase);

class WindowRegistry {
public:
    HWND add(WindowState state);
    void remove(HWND hwnd);

    // Runs fn(WindowState&) under the lock and returns its result, or empty
    // when the window does not exist. fn sets state.changed when it changes
    // what the user sees; the backend is then told, after the lock is
    // released. fn must not call back into the layer.
    template <typename Fn>
    auto withWindow(HWND hwnd, Fn&& fn) -> std::optional<std::invoke_result_t<Fn, WindowState&>> {
        std::optional<std::invoke_result_t<Fn, WindowState&>> result;
        bool becameChanged = false;
        {
            const std::lock_guard lock(mutex_);
            WindowState* state = find(hwnd);
            if (state == nullptr) {
                return result;
            }
            const bool wasChanged = state->changed;
            result.emplace(std::forward<Fn>(fn)(*state));
            becameChanged = !wasChanged && state->changed;
        }
        if (becameChanged) {
            tellBackend();
        }
        return result;
    }

    std::optional<WindowState> snapshot(HWND hwnd);
    std::vector<HWND> children(HWND parent);
    HWND childById(HWND parent, int id);
    std::optional<RECT> screenRect(HWND hwnd);
    // A visible custom window with something to repaint, if any.
    HWND windowToPaint();
    std::size_t count();
    // The states whose change the backend has not shown yet; clears their
    // mark.
    std::vector<WindowState> takeChanged();

private:
    WindowState* find(HWND hwnd);
    static void tellBackend();

    // Its place in the lock order: docs/locks.md.
    std::mutex mutex_;  // guards windows_ and nextHandle_; a leaf lock of the layer
    std::map<UINT_PTR, WindowState> windows_;  // by handle, so in order of creation
    UINT_PTR nextHandle_ = 0x10000;
};

// The one registry; it lives as long as the program, so that threads still
// running at exit may call the layer.
WindowRegistry& registry();

}  // namespace platform::window::impl
