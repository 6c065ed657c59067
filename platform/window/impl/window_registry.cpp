#include "platform/window/impl/window_registry.h"

#include <algorithm>

#include "platform/window/impl/backend_interface.h"
#include "platform/window/user32.h"

namespace platform::window::impl {

RECT clientRect(const WindowState& state) {
    const bool hasCaption = state.parent == nullptr && (state.style & WS_CAPTION) == WS_CAPTION;
    const LONG captionPx = hasCaption ? kCaptionHeightPx : 0;
    return RECT{0, 0, state.rect.right - state.rect.left,
                std::max<LONG>(0, state.rect.bottom - state.rect.top - captionPx)};
}

bool invalidate(WindowState& state, const RECT& rect, bool erase) {
    if (state.kind != WindowKind::custom) {
        state.changed = true;
        return false;
    }
    const RECT client = clientRect(state);
    const RECT clipped{std::max(rect.left, client.left), std::max(rect.top, client.top),
                       std::min(rect.right, client.right), std::min(rect.bottom, client.bottom)};
    if (clipped.left >= clipped.right || clipped.top >= clipped.bottom) {
        return false;
    }
    state.updateRect = state.updatePending
                           ? RECT{std::min(state.updateRect.left, clipped.left),
                                  std::min(state.updateRect.top, clipped.top),
                                  std::max(state.updateRect.right, clipped.right),
                                  std::max(state.updateRect.bottom, clipped.bottom)}
                           : clipped;
    state.updatePending = true;
    state.erasePending = state.erasePending || erase;
    return true;
}

HWND WindowRegistry::add(WindowState state) {
    const std::lock_guard lock(mutex_);
    const UINT_PTR value = nextHandle_;
    nextHandle_ += 4;
    state.handle = reinterpret_cast<HWND>(value);
    windows_.emplace(value, std::move(state));
    return reinterpret_cast<HWND>(value);
}

void WindowRegistry::remove(HWND hwnd) {
    const std::lock_guard lock(mutex_);
    windows_.erase(reinterpret_cast<UINT_PTR>(hwnd));
}

WindowState* WindowRegistry::find(HWND hwnd) {
    const auto found = windows_.find(reinterpret_cast<UINT_PTR>(hwnd));
    return found == windows_.end() ? nullptr : &found->second;
}

void WindowRegistry::tellBackend() { currentBackend().stateChanged(); }

std::optional<WindowState> WindowRegistry::snapshot(HWND hwnd) {
    return withWindow(hwnd, [](const WindowState& state) { return state; });
}

std::vector<HWND> WindowRegistry::children(HWND parent) {
    const std::lock_guard lock(mutex_);
    std::vector<HWND> result;
    if (parent == nullptr) {
        return result;
    }
    for (const auto& [value, state] : windows_) {
        if (state.parent == parent) {
            result.push_back(state.handle);
        }
    }
    return result;
}

HWND WindowRegistry::childById(HWND parent, int id) {
    const std::lock_guard lock(mutex_);
    if (parent == nullptr) {
        return nullptr;
    }
    for (const auto& [value, state] : windows_) {
        if (state.parent == parent && state.id == id) {
            return state.handle;
        }
    }
    return nullptr;
}

std::optional<RECT> WindowRegistry::screenRect(HWND hwnd) {
    const std::lock_guard lock(mutex_);
    const WindowState* state = find(hwnd);
    if (state == nullptr) {
        return std::nullopt;
    }
    RECT rect = state->rect;
    // A child's rectangle is in its parent's client area, which starts below
    // the parent's caption.
    for (const WindowState* child = state; child->parent != nullptr;) {
        const WindowState* parent = find(child->parent);
        if (parent == nullptr) {
            return std::nullopt;
        }
        const LONG dx = parent->rect.left;
        const LONG dy = parent->rect.top + (parent->rect.bottom - parent->rect.top) -
                        clientRect(*parent).bottom;
        rect = RECT{rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
        child = parent;
    }
    return rect;
}

HWND WindowRegistry::windowToPaint() {
    const std::lock_guard lock(mutex_);
    for (const auto& [value, state] : windows_) {
        if (state.kind == WindowKind::custom && state.updatePending && state.visible) {
            return state.handle;
        }
    }
    return nullptr;
}

std::size_t WindowRegistry::count() {
    const std::lock_guard lock(mutex_);
    return windows_.size();
}

std::vector<WindowState> WindowRegistry::takeChanged() {
    const std::lock_guard lock(mutex_);
    std::vector<WindowState> result;
    for (auto& [value, state] : windows_) {
        if (state.changed) {
            state.changed = false;
            result.push_back(state);
        }
    }
    return result;
}

WindowRegistry& registry() {
    static auto& instance = *new WindowRegistry;
    return instance;
}

}  // namespace platform::window::impl
