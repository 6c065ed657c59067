#include "platform/support/window_fixture.h"

#include <cstdlib>
#include <utility>

#include "platform/window/headless.h"

namespace vantrel::test {

namespace {

constexpr const char16_t* kTestClassName = u"VantrelTestWindow";

void lf_registerTestClass(WNDPROC procedure) {
    static const ATOM atom = [procedure] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_HREDRAW | CS_VREDRAW;
        windowClass.lpfnWndProc = procedure;
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        windowClass.lpszClassName = kTestClassName;
        return RegisterClassExW(&windowClass);
    }();
    ASSERT_NE(atom, 0);
}

}  // namespace

WindowTest* WindowTest::current_ = nullptr;

void WindowTest::SetUp() {
    if (!platform::window::selectBackend(backend())) {
        const char* display = std::getenv("DISPLAY");
        if (display == nullptr || *display == '\0') {
            GTEST_SKIP() << "no X display: run the tests under xvfb-run, as tools/build-and-test does";
        }
        FAIL() << "the backend cannot be used on the display " << display;
    }
    current_ = this;
    lf_registerTestClass(testWindowProcedure);
    window_ = CreateWindowExW(0, kTestClassName, u"Vantrel test", WS_CAPTION | WS_SYSMENU, 40, 30,
                              kTestWindowWidthPx, kTestWindowHeightPx, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
}

void WindowTest::TearDown() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
    pumpPending();
    MSG quit{};
    PeekMessageW(&quit, nullptr, 0, 0, PM_REMOVE);  // a quit request left by the test
    platform::window::takeHeadlessPaints();
    current_ = nullptr;
}

HWND WindowTest::createControl(const char16_t* className, DWORD style, int id, RECT rect, const char16_t* text) {
    return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, window_,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
}

void WindowTest::pumpPending() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message != WM_QUIT) {
        PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);
        DispatchMessageW(&message);
    }
}

void WindowTest::runLoopUntil(std::function<bool(const MSG&)> done) {
    auto previous = std::exchange(handler_, [this, done = std::move(done), inner = handler_](
                                                HWND hwnd, UINT message, WPARAM wParam,
                                                LPARAM lParam) -> std::optional<LRESULT> {
        if (done(MSG{hwnd, message, wParam, lParam, 0, {}})) {
            PostQuitMessage(0);
        }
        return inner ? inner(hwnd, message, wParam, lParam) : std::nullopt;
    });
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    handler_ = std::move(previous);
}

LRESULT WindowTest::testWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (current_ != nullptr) {
        current_->received_.push_back(MSG{hwnd, message, wParam, lParam, 0, {}});
        if (current_->handler_) {
            if (const auto result = current_->handler_(hwnd, message, wParam, lParam)) {
                return *result;
            }
        }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void EnterSubclass::install(HWND editBox) {
    seen.clear();
    enters = 0;
    previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(editBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EnterSubclass::procedure)));
}

LRESULT EnterSubclass::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    seen.push_back(message);
    if (message == WM_CHAR && wParam == 13) {
        ++enters;
        return 0;
    }
    return CallWindowProcW(previous, hwnd, message, wParam, lParam);
}

}  // namespace vantrel::test
