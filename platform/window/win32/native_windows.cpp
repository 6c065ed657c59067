// The real windows: one USER32 window for each window of the layer, brought
// up to the layer's state on the UI thread, and the user's input on them
// handed back to the layer.

// The wide-character forms of the names that have both (IDC_ARROW).
#ifndef UNICODE
#define UNICODE
#endif

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "platform/window/win32/gdi_surface.h"
#include "platform/window/win32/native_windows.h"

namespace {

using platform::window::win32::Box;
using platform::window::win32::Colour;
using platform::window::win32::GdiSurface;
using platform::window::win32::LayerHandle;
using platform::window::win32::NativeKind;
using platform::window::win32::NativePainter;
using platform::window::win32::ShownWindow;
using platform::window::win32::UserActions;

constexpr UINT_PTR kEditSubclassId = 1;
// The program's own window styles are shown; visibility and enabled state
// follow the layer's state instead.
constexpr DWORD kTopLevelStyleMask = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME;
constexpr DWORD kEditStyleMask = WS_BORDER | WS_TABSTOP | 0xFFFFU;

std::wstring lf_wide(std::u16string_view text) { return {text.begin(), text.end()}; }

std::u16string lf_windowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return {text.begin(), text.end()};
}

// Draws nothing: the paint of a window that has no real one.
class NoPainter final : public NativePainter {
public:
    void fillRect(const Box& /*rect*/, Colour /*colour*/) override {}
    void line(int /*fromX*/, int /*fromY*/, int /*toX*/, int /*toY*/, Colour /*colour*/, int /*widthPx*/) override {}
    void text(int /*x*/, int /*y*/, std::u16string_view /*text*/, Colour /*colour*/,
              std::optional<Colour> /*background*/) override {}
};

struct RealWindow {
    HWND hwnd = nullptr;
    NativeKind kind = NativeKind::topLevel;
    std::unique_ptr<GdiSurface> surface;  // top-level windows
    Box paintClip;                        // of the paint in progress
    std::vector<std::u16string> items;    // combo boxes: the list shown
    bool topmost = false;
};

class RealWindows final : public platform::window::win32::NativeWindows {
public:
    explicit RealWindows(UserActions& actions)
        : actions_(actions), wakeEvent_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

    ~RealWindows() override { CloseHandle(wakeEvent_); }
    RealWindows(const RealWindows&) = delete;
    RealWindows& operator=(const RealWindows&) = delete;

    void create(const ShownWindow& window) override {
        const HWND hwnd = window.kind == NativeKind::topLevel ? createTopLevel(window) : createControl(window);
        if (hwnd == nullptr) {
            return;
        }
        RealWindow& real = windows_[window.handle];
        real.hwnd = hwnd;
        real.kind = window.kind;
        if (window.kind == NativeKind::topLevel) {
            real.surface = std::make_unique<GdiSurface>(window.clientWidth, window.clientHeight,
                                                        window.background.value_or(RGB(0, 0, 0)));
        }
        layerOf_[hwnd] = window.handle;
        mirror(window);
    }

    void destroy(LayerHandle handle) override {
        const auto found = windows_.find(handle);
        if (found == windows_.end()) {
            return;
        }
        const HWND hwnd = found->second.hwnd;
        layerOf_.erase(hwnd);
        windows_.erase(found);
        DestroyWindow(hwnd);
    }

    void mirror(const ShownWindow& window) override {
        const auto found = windows_.find(window.handle);
        if (found == windows_.end()) {
            return;
        }
        RealWindow& real = found->second;
        const bool wasMirroring = std::exchange(mirroring_, true);
        if (real.kind == NativeKind::topLevel) {
            placeTopLevel(real, window);
        } else {
            placeControl(real, window);
        }
        showContent(real, window);
        if ((IsWindowEnabled(real.hwnd) != FALSE) != window.enabled) {
            EnableWindow(real.hwnd, window.enabled ? TRUE : FALSE);
        }
        if (((GetWindowLongPtrW(real.hwnd, GWL_STYLE) & WS_VISIBLE) != 0) != window.visible) {
            ShowWindow(real.hwnd, window.visible ? SW_SHOW : SW_HIDE);
        }
        if (real.kind == NativeKind::topLevel && window.visible && window.topmost != real.topmost) {
            SetWindowPos(real.hwnd, window.topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            real.topmost = window.topmost;
        }
        if (real.kind != NativeKind::topLevel) {
            InvalidateRect(real.hwnd, nullptr, TRUE);
        }
        mirroring_ = wasMirroring;
    }

    // One wake at a time is enough: the UI thread looks at everything that
    // changed once it runs.
    void wake() override {
        if (!wakePending_.exchange(true)) {
            SetEvent(wakeEvent_);
        }
    }

    void takeWakes() override { wakePending_ = false; }

    void handleMessages() override {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    void waitForEvents() override {
        MsgWaitForMultipleObjectsEx(1, &wakeEvent_, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }

    NativePainter& beginPaint(LayerHandle topLevel, const Box& clip) override {
        RealWindow* real = find(topLevel);
        if (real == nullptr || !real->surface) {
            return noPainter_;
        }
        real->paintClip = clip;
        real->surface->beginPaint(clip);
        return *real->surface;
    }

    void endPaint(LayerHandle topLevel) override {
        RealWindow* real = find(topLevel);
        if (real == nullptr || !real->surface) {
            return;
        }
        real->surface->endPaint();
        const RECT shown{real->paintClip.left, real->paintClip.top, real->paintClip.right, real->paintClip.bottom};
        InvalidateRect(real->hwnd, &shown, FALSE);
    }

private:
    RealWindow* find(LayerHandle handle) {
        const auto found = windows_.find(handle);
        return found == windows_.end() ? nullptr : &found->second;
    }

    LayerHandle layerOf(HWND hwnd) const {
        const auto found = layerOf_.find(hwnd);
        return found == layerOf_.end() ? 0 : found->second;
    }

    // The program's window class, registered once under its own name, so
    // the real window carries the class and title the program gave it.
    const wchar_t* registerClass(const std::wstring& name) {
        const auto [known, added] = registeredClasses_.insert(name);
        if (added) {
            WNDCLASSEXW windowClass{};
            windowClass.cbSize = sizeof(windowClass);
            windowClass.lpfnWndProc = &RealWindows::topLevelProcedure;
            windowClass.hInstance = GetModuleHandleW(nullptr);
            windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
            windowClass.lpszClassName = known->c_str();
            RegisterClassExW(&windowClass);
        }
        return known->c_str();
    }

    // The client area keeps the size the program's layout was made for;
    // the frame around it is Windows' own.
    static RECT frameAround(int clientWidth, int clientHeight, DWORD style) {
        RECT frame{0, 0, clientWidth, clientHeight};
        AdjustWindowRectEx(&frame, style, FALSE, 0);
        return frame;
    }

    HWND createTopLevel(const ShownWindow& window) {
        const DWORD style = (window.style & kTopLevelStyleMask) | WS_CLIPCHILDREN;
        const RECT frame = frameAround(window.clientWidth, window.clientHeight, style);
        return CreateWindowExW(0, registerClass(lf_wide(window.className)), lf_wide(window.text).c_str(), style,
                               window.rect.left, window.rect.top, frame.right - frame.left,
                               frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    }

    HWND createControl(const ShownWindow& window) {
        const RealWindow* parent = find(window.parent);
        if (parent == nullptr) {
            return nullptr;
        }
        const wchar_t* className = L"BUTTON";
        DWORD style = WS_CHILD | WS_TABSTOP;
        switch (window.kind) {
            case NativeKind::pushButton:
                style |= (window.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
                break;
            case NativeKind::checkBox:
                style |= BS_CHECKBOX;
                break;
            case NativeKind::editBox:
                className = L"EDIT";
                style |= window.style & kEditStyleMask;
                break;
            case NativeKind::comboBox:
                className = L"COMBOBOX";
                style |= CBS_DROPDOWNLIST | WS_VSCROLL;
                break;
            case NativeKind::topLevel:
                return nullptr;
        }
        const HWND hwnd = CreateWindowExW(
            0, className, lf_wide(window.text).c_str(), style, window.rect.left, window.rect.top,
            window.rect.right - window.rect.left, window.rect.bottom - window.rect.top, parent->hwnd,
            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(window.id)), GetModuleHandleW(nullptr), nullptr);
        if (hwnd == nullptr) {
            return nullptr;
        }
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        if (window.kind == NativeKind::editBox) {
            SetWindowSubclass(hwnd, &RealWindows::editBoxProcedure, kEditSubclassId,
                              reinterpret_cast<DWORD_PTR>(this));
        }
        return hwnd;
    }

    static void placeTopLevel(RealWindow& real, const ShownWindow& window) {
        RECT client{};
        GetClientRect(real.hwnd, &client);
        const bool resized = client.right != window.clientWidth || client.bottom != window.clientHeight;
        RECT frame{};
        GetWindowRect(real.hwnd, &frame);
        const bool moved = frame.left != window.rect.left || frame.top != window.rect.top;
        if (!resized && !moved) {
            return;
        }
        const RECT size = frameAround(window.clientWidth, window.clientHeight,
                                      static_cast<DWORD>(GetWindowLongPtrW(real.hwnd, GWL_STYLE)));
        SetWindowPos(real.hwnd, nullptr, window.rect.left, window.rect.top, size.right - size.left,
                     size.bottom - size.top, SWP_NOZORDER | SWP_NOACTIVATE | (resized ? 0U : SWP_NOSIZE));
        if (resized) {
            real.surface->resize(window.clientWidth, window.clientHeight);
        }
    }

    static void placeControl(RealWindow& real, const ShownWindow& window) {
        RECT now{};
        GetWindowRect(real.hwnd, &now);
        MapWindowPoints(HWND_DESKTOP, GetParent(real.hwnd), reinterpret_cast<POINT*>(&now), 2);
        const Box placed{now.left, now.top, now.right, now.bottom};
        // A drop-down list shows one line; its rectangle keeps the open
        // list's height, which Windows does not report back.
        const bool sameHeight = real.kind == NativeKind::comboBox || placed.bottom == window.rect.bottom;
        if (placed.left != window.rect.left || placed.top != window.rect.top ||
            placed.right != window.rect.right || !sameHeight) {
            SetWindowPos(real.hwnd, nullptr, window.rect.left, window.rect.top, window.rect.right - window.rect.left,
                         window.rect.bottom - window.rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }

    static void showContent(RealWindow& real, const ShownWindow& window) {
        switch (real.kind) {
            case NativeKind::checkBox:
                if ((SendMessageW(real.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED) != window.checked) {
                    SendMessageW(real.hwnd, BM_SETCHECK, window.checked ? BST_CHECKED : BST_UNCHECKED, 0);
                }
                return;
            case NativeKind::comboBox:
                if (real.items != window.items) {
                    SendMessageW(real.hwnd, CB_RESETCONTENT, 0, 0);
                    for (const auto& item : window.items) {
                        const std::wstring wide = lf_wide(item);
                        SendMessageW(real.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
                    }
                    real.items = window.items;
                }
                if (SendMessageW(real.hwnd, CB_GETCURSEL, 0, 0) != window.selection) {
                    SendMessageW(real.hwnd, CB_SETCURSEL, static_cast<WPARAM>(window.selection), 0);
                }
                return;
            case NativeKind::topLevel:
            case NativeKind::pushButton:
            case NativeKind::editBox:
                if (lf_windowText(real.hwnd) != window.text) {
                    SetWindowTextW(real.hwnd, lf_wide(window.text).c_str());
                }
                return;
        }
    }

    // The notifications of the controls: the user's clicks, picks and
    // typing.
    void controlNotified(HWND control, WORD code) {
        const LayerHandle layer = layerOf(control);
        const auto found = windows_.find(layer);
        if (found == windows_.end() || mirroring_) {
            return;
        }
        switch (found->second.kind) {
            case NativeKind::pushButton:
            case NativeKind::checkBox:
                if (code == BN_CLICKED) {
                    actions_.click(layer);
                }
                return;
            case NativeKind::comboBox:
                if (code == CBN_SELCHANGE) {
                    actions_.pick(layer, static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0)));
                }
                return;
            case NativeKind::editBox:
                if (code == EN_CHANGE) {
                    actions_.edit(layer, lf_windowText(control));
                }
                return;
            case NativeKind::topLevel:
                return;
        }
    }

    // The colours the program gives an edit box, asked before each drawing
    // of it; other controls keep Windows' colours.
    std::optional<LRESULT> controlColours(HWND control, HDC dc) {
        const LayerHandle layer = layerOf(control);
        const RealWindow* real = find(layer);
        if (real == nullptr || real->kind != NativeKind::editBox) {
            return std::nullopt;
        }
        const auto colours = actions_.editColours(layer);
        if (!colours) {
            return std::nullopt;
        }
        SetTextColor(dc, colours->text);
        SetBkColor(dc, colours->background);
        SetDCBrushColor(dc, colours->background);
        return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
    }

    LRESULT topLevelMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_COMMAND:
                if (lParam != 0) {
                    controlNotified(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
                    return 0;
                }
                break;
            case WM_CTLCOLOREDIT:
            case WM_CTLCOLORSTATIC:
                if (const auto brush = controlColours(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam))) {
                    return *brush;
                }
                break;
            case WM_ERASEBKGND:
                return 1;  // the surface covers the whole client area
            case WM_PAINT: {
                PAINTSTRUCT paint{};
                const HDC dc = BeginPaint(hwnd, &paint);
                if (const RealWindow* real = find(layerOf(hwnd)); real != nullptr && real->surface) {
                    real->surface->copyTo(dc, paint.rcPaint);
                }
                EndPaint(hwnd, &paint);
                return 0;
            }
            case WM_CLOSE:
                // The program decides: its procedure gets WM_CLOSE.
                if (const LayerHandle layer = layerOf(hwnd)) {
                    actions_.close(layer);
                }
                return 0;
            case WM_WINDOWPOSCHANGED: {
                const auto& position = *reinterpret_cast<const WINDOWPOS*>(lParam);
                const LayerHandle layer = layerOf(hwnd);
                if (layer != 0 && !mirroring_ && (position.flags & SWP_NOMOVE) == 0) {
                    RECT frame{};
                    GetWindowRect(hwnd, &frame);
                    actions_.move(layer, frame.left, frame.top);
                }
                break;
            }
            default:
                break;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

    static LRESULT CALLBACK topLevelProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* windows = reinterpret_cast<RealWindows*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        return windows == nullptr ? DefWindowProcW(hwnd, message, wParam, lParam)
                                  : windows->topLevelMessage(hwnd, message, wParam, lParam);
    }

    // Enter in an edit box goes to the program as WM_CHAR 13 to the box's
    // own procedure, instead of the beep of a one-line edit control.
    static LRESULT CALLBACK editBoxProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR /*subclassId*/, DWORD_PTR data) {
        auto* windows = reinterpret_cast<RealWindows*>(data);
        if (message == WM_CHAR && wParam == VK_RETURN) {
            if (const LayerHandle layer = windows->layerOf(hwnd)) {
                windows->actions_.enter(layer);
            }
            return 0;
        }
        if (message == WM_NCDESTROY) {
            RemoveWindowSubclass(hwnd, &RealWindows::editBoxProcedure, kEditSubclassId);
        }
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }

    UserActions& actions_;
    const HANDLE wakeEvent_;                // auto-reset; set by wake from any thread
    std::atomic<bool> wakePending_{false};  // a wake was sent since the last takeWakes
    // UI thread only.
    std::map<LayerHandle, RealWindow> windows_;
    std::map<HWND, LayerHandle> layerOf_;
    std::set<std::wstring> registeredClasses_;
    bool mirroring_ = false;  // the changes are the layer's own, not the user's
    NoPainter noPainter_;
};

}  // namespace

namespace platform::window::win32 {

std::unique_ptr<NativeWindows> makeNativeWindows(UserActions& actions) {
    return std::make_unique<RealWindows>(actions);
}

}  // namespace platform::window::win32
