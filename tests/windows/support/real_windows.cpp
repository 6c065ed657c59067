#include "windows/support/real_windows.h"

#include <windows.h>

namespace vantrel::test {

namespace {

std::wstring lf_wide(std::u16string_view text) { return {text.begin(), text.end()}; }
std::u16string lf_u16(std::wstring_view text) { return {text.begin(), text.end()}; }

HWND lf_find(std::u16string_view className, std::u16string_view title) {
    return FindWindowW(lf_wide(className).c_str(), lf_wide(title).c_str());
}

std::u16string lf_text(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return lf_u16(text);
}

std::vector<std::u16string> lf_comboItems(HWND combo) {
    std::vector<std::u16string> items;
    const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring item(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        item.resize(static_cast<std::size_t>(
            SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
        items.push_back(lf_u16(item));
    }
    return items;
}

RealControl lf_control(HWND hwnd) {
    RealControl control;
    wchar_t className[64]{};
    GetClassNameW(hwnd, className, 64);
    control.className = lf_u16(className);
    control.id = GetDlgCtrlID(hwnd);
    control.text = lf_text(hwnd);
    control.enabled = IsWindowEnabled(hwnd) != FALSE;
    control.visible = IsWindowVisible(hwnd) != FALSE;
    control.checked = SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED && control.className == u"Button";
    if (control.className == u"ComboBox") {
        control.items = lf_comboItems(hwnd);
        control.selection = static_cast<int>(SendMessageW(hwnd, CB_GETCURSEL, 0, 0));
    }
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
    control.left = rect.left;
    control.top = rect.top;
    control.right = rect.right;
    control.bottom = rect.bottom;
    return control;
}

BOOL CALLBACK lf_collect(HWND hwnd, LPARAM controls) {
    reinterpret_cast<std::vector<RealControl>*>(controls)->push_back(lf_control(hwnd));
    return TRUE;
}

}  // namespace

std::optional<RealWindow> findRealWindow(std::u16string_view className, std::u16string_view title) {
    const HWND hwnd = lf_find(className, title);
    if (hwnd == nullptr) {
        return std::nullopt;
    }
    RealWindow window;
    RECT frame{};
    GetWindowRect(hwnd, &frame);
    RECT client{};
    GetClientRect(hwnd, &client);
    window.left = frame.left;
    window.top = frame.top;
    window.clientWidth = client.right;
    window.clientHeight = client.bottom;
    window.visible = IsWindowVisible(hwnd) != FALSE;
    window.topmost = (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    EnumChildWindows(hwnd, lf_collect, reinterpret_cast<LPARAM>(&window.controls));
    return window;
}

const RealControl* RealWindow::control(int id) const {
    for (const RealControl& candidate : controls) {
        if (candidate.id == id) {
            return &candidate;
        }
    }
    return nullptr;
}

std::uint32_t Screenshot::pixel(int x, int y) const {
    const auto offset = static_cast<std::size_t>((y * width + x) * 3);
    return (std::uint32_t{rgb[offset]} << 16U) | (std::uint32_t{rgb[offset + 1]} << 8U) | rgb[offset + 2];
}

std::optional<Screenshot> screenshotOf(std::u16string_view className, std::u16string_view title) {
    const HWND hwnd = lf_find(className, title);
    if (hwnd == nullptr) {
        return std::nullopt;
    }
    // What is waiting to be drawn is drawn first, the controls included.
    RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT client{};
    GetClientRect(hwnd, &client);
    Screenshot shot;
    shot.width = client.right;
    shot.height = client.bottom;
    // The window's own pixels, so the picture does not depend on where it
    // is on the screen; the controls are drawn into the same surface.
    const HDC windowDc = GetDC(hwnd);
    const HDC memory = CreateCompatibleDC(windowDc);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    const bool copied =
        bits != nullptr && BitBlt(memory, 0, 0, shot.width, shot.height, windowDc, 0, 0, SRCCOPY) != FALSE;
    GdiFlush();
    if (copied) {
        const auto* bgrx = static_cast<const std::uint8_t*>(bits);
        const auto count = static_cast<std::size_t>(shot.width) * static_cast<std::size_t>(shot.height);
        shot.rgb.reserve(count * 3);
        for (std::size_t i = 0; i < count; ++i) {
            shot.rgb.insert(shot.rgb.end(), {bgrx[i * 4 + 2], bgrx[i * 4 + 1], bgrx[i * 4]});
        }
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(hwnd, windowDc);
    return copied ? std::optional(shot) : std::nullopt;
}

namespace {

HWND lf_child(const RealInput& input, int id) {
    const HWND window = lf_find(input.className, input.title);
    return window == nullptr ? nullptr : GetDlgItem(window, id);
}

}  // namespace

bool RealInput::click(int id) const {
    const HWND button = lf_child(*this, id);
    return button != nullptr && (SendMessageW(button, BM_CLICK, 0, 0), true);
}

bool RealInput::pressDown(int id) const {
    const HWND control = lf_child(*this, id);
    return control != nullptr && (SendMessageW(control, WM_KEYDOWN, VK_DOWN, 1), true);
}

bool RealInput::type(int id, std::u16string_view text) const {
    const HWND edit = lf_child(*this, id);
    if (edit == nullptr) {
        return false;
    }
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    for (const char16_t character : text) {
        SendMessageW(edit, WM_CHAR, character, 1);
    }
    return true;
}

bool RealInput::pressEnter(int id) const {
    const HWND edit = lf_child(*this, id);
    return edit != nullptr && (SendMessageW(edit, WM_CHAR, VK_RETURN, 1), true);
}

bool RealInput::closeBox() const {
    const HWND window = lf_find(className, title);
    return window != nullptr && (SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0), true);
}

bool RealInput::moveTo(int x, int y) const {
    const HWND window = lf_find(className, title);
    return window != nullptr && SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER) != FALSE;
}

}  // namespace vantrel::test
