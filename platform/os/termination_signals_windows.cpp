#include "platform/os/termination_signals.h"

#include <future>
#include <windows.h>

namespace platform {

namespace {

// The hidden window's message: the object ends.
constexpr UINT kEndWatch = WM_APP + 1;
constexpr wchar_t kWindowClass[] = L"VantrelEndRequests";

// The one living object, for the console handler and the window procedure.
std::atomic<TerminationSignals*> current{nullptr};

}  // namespace

// What the window procedure and the console handler do with the object,
// kept out of the header so that it does not need <windows.h>.
struct TerminationSignalsAccess {
    static void request(TerminationSignals& self) { self.onSignal_(); }
    // Requests the close and holds the caller until the object ends.
    static void requestAndWait(TerminationSignals& self) {
        self.onSignal_();
        ::WaitForSingleObject(static_cast<HANDLE>(self.endedEvent_), INFINITE);
    }
};

namespace {

LRESULT CALLBACK lf_windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TerminationSignals* self = current.load();
    switch (message) {
        case WM_QUERYENDSESSION: return TRUE;
        case WM_ENDSESSION:
            if (wParam != FALSE && self != nullptr) {
                TerminationSignalsAccess::requestAndWait(*self);
            }
            return 0;
        case WM_CLOSE:
            if (self != nullptr) {
                TerminationSignalsAccess::request(*self);
            }
            return 0;
        case kEndWatch: ::DestroyWindow(window); return 0;
        case WM_DESTROY: ::PostQuitMessage(0); return 0;
        default: return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

BOOL WINAPI lf_consoleHandler(DWORD event) {
    TerminationSignals* self = current.load();
    if (self == nullptr) {
        return FALSE;
    }
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) {
        TerminationSignalsAccess::request(*self);
    } else {
        TerminationSignalsAccess::requestAndWait(*self);
    }
    return TRUE;
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
    endedEvent_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    current = this;
    ::SetConsoleCtrlHandler(lf_consoleHandler, TRUE);
    std::promise<HWND> created;
    auto window = created.get_future();
    watcher_ = std::thread([this, &created] {
        const HINSTANCE instance = ::GetModuleHandleW(nullptr);
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = lf_windowProcedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kWindowClass;
        ::RegisterClassExW(&windowClass);
        // Top-level and never shown: message-only windows do not hear the
        // session end.
        const HWND hidden =
            ::CreateWindowExW(0, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
        created.set_value(hidden);
        if (hidden != nullptr) {
            watch();
        }
    });
    window_ = window.get();
}

TerminationSignals::~TerminationSignals() {
    current = nullptr;
    ::SetEvent(static_cast<HANDLE>(endedEvent_));
    ::SetConsoleCtrlHandler(lf_consoleHandler, FALSE);
    if (window_ != nullptr) {
        ::PostMessageW(static_cast<HWND>(window_), kEndWatch, 0, 0);
    }
    watcher_.join();
    ::UnregisterClassW(kWindowClass, ::GetModuleHandleW(nullptr));
    ::CloseHandle(static_cast<HANDLE>(endedEvent_));
}

// The hidden window's messages, until the window is destroyed.
void TerminationSignals::watch() {
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&message);
    }
}

}  // namespace platform
