// Sending, posting and the message loop, and the default window procedure.

#include <chrono>
#include <optional>

#include "platform/window/gdi32.h"
#include "platform/window/impl/backend_interface.h"
#include "platform/window/impl/device_context.h"
#include "platform/window/impl/message_queue.h"
#include "platform/window/impl/text.h"
#include "platform/window/impl/window_registry.h"
#include "platform/window/user32.h"

namespace {

using platform::window::impl::messageQueue;
using platform::window::impl::registry;
using platform::window::impl::WindowState;

DWORD lf_nowMs() {
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count());
}

// The next message by Windows' priorities: posted messages in order, then
// WM_QUIT, then WM_PAINT while a window has something to repaint (its
// update region stays until BeginPaint validates it).
std::optional<MSG> lf_nextMessage(bool remove) {
    if (auto posted = messageQueue().takePosted(remove)) {
        return posted;
    }
    if (const auto exitCode = messageQueue().takeQuit(remove)) {
        return MSG{nullptr, WM_QUIT, static_cast<WPARAM>(*exitCode), 0, lf_nowMs(), {}};
    }
    if (const HWND hwnd = registry().windowToPaint()) {
        return MSG{hwnd, WM_PAINT, 0, 0, lf_nowMs(), {}};
    }
    return std::nullopt;
}

bool lf_isWholeQueue(HWND filter, UINT filterMin, UINT filterMax) {
    return filter == nullptr && filterMin == 0 && filterMax == 0;
}

// The class brush fills the region being painted.
LRESULT lf_eraseBackground(HWND hwnd, HDC dc) {
    const auto brush = registry().withWindow(hwnd, [](const WindowState& state) { return state.background; });
    const auto paintRect = platform::window::impl::paintRectOf(dc);
    if (!brush || *brush == nullptr || !paintRect) {
        return 0;
    }
    FillRect(dc, &*paintRect, *brush);
    return 1;
}

LRESULT lf_setText(HWND hwnd, LPCWSTR text) {
    return registry()
        .withWindow(hwnd,
                    [text](WindowState& state) -> LRESULT {
                        const std::u16string_view newText = platform::window::impl::terminatedText(text);
                        if (state.text != newText) {
                            state.text = newText;
                            state.changed = true;
                        }
                        return TRUE;
                    })
        .value_or(FALSE);
}

}  // namespace

LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto procedure = registry().withWindow(hwnd, [](const WindowState& state) { return state.procedure; });
    return procedure ? (*procedure)(hwnd, message, wParam, lParam) : 0;
}

LRESULT CallWindowProcW(WNDPROC procedure, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return procedure == nullptr ? 0 : procedure(hwnd, message, wParam, lParam);
}

LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETTEXT:
            return lf_setText(hwnd, reinterpret_cast<LPCWSTR>(lParam));
        case WM_GETTEXT:
            return registry()
                .withWindow(hwnd,
                            [wParam, lParam](const WindowState& state) -> LRESULT {
                                return platform::window::impl::copyToBuffer(
                                    state.text, reinterpret_cast<LPWSTR>(lParam), static_cast<int>(wParam));
                            })
                .value_or(0);
        case WM_GETTEXTLENGTH:
            return registry()
                .withWindow(hwnd, [](const WindowState& state) { return static_cast<LRESULT>(state.text.size()); })
                .value_or(0);
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_ERASEBKGND:
            return lf_eraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            if (BeginPaint(hwnd, &paint) != nullptr) {
                EndPaint(hwnd, &paint);
            }
            return 0;
        }
        default:
            return 0;
    }
}

BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!registry().withWindow(hwnd, [](const WindowState&) { return true; })) {
        return FALSE;
    }
    messageQueue().post(MSG{hwnd, message, wParam, lParam, lf_nowMs(), {}});
    platform::window::impl::currentBackend().wake();
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    messageQueue().postQuit(exitCode);
    platform::window::impl::currentBackend().wake();
}

BOOL GetMessageW(MSG* message, HWND filter, UINT filterMin, UINT filterMax) {
    if (message == nullptr || !lf_isWholeQueue(filter, filterMin, filterMax)) {
        return -1;
    }
    auto& backend = platform::window::impl::currentBackend();
    for (;;) {
        backend.processPendingEvents();
        if (const auto next = lf_nextMessage(true)) {
            *message = *next;
            return next->message == WM_QUIT ? FALSE : TRUE;
        }
        backend.waitForEvents();
    }
}

BOOL PeekMessageW(MSG* message, HWND filter, UINT filterMin, UINT filterMax, UINT removeFlag) {
    if (message == nullptr || !lf_isWholeQueue(filter, filterMin, filterMax)) {
        return FALSE;
    }
    platform::window::impl::currentBackend().processPendingEvents();
    const auto next = lf_nextMessage((removeFlag & PM_REMOVE) != 0);
    if (!next) {
        return FALSE;
    }
    *message = *next;
    return TRUE;
}

BOOL TranslateMessage(const MSG* /*message*/) { return FALSE; }

LRESULT DispatchMessageW(const MSG* message) {
    return message == nullptr ? 0 : SendMessageW(message->hwnd, message->message, message->wParam, message->lParam);
}
