#pragma once
// The Win32 types, records and macros that the main window's code uses, in
// their Windows names and meanings, for the window layer that stands in for
// USER32 and GDI32 on Linux. Written from their documented behaviour; this
// is no copy of a Windows header and is not binary compatible with one.
//
// Text at these calls is UTF-16 in char16_t (wchar_t is 32 bits on Linux).

#include <cstdint>

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = unsigned int;
using ATOM = WORD;
using LONG_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;
using WCHAR = char16_t;
using LPWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;
using LPVOID = void*;

// 0x00BBGGRR: red in the low byte, blue in the third.
using COLORREF = DWORD;

inline constexpr BOOL FALSE = 0;
inline constexpr BOOL TRUE = 1;

// Handles are opaque: distinct pointer types that are never dereferenced.
// A handle of a window or GDI object that does not exist (null, destroyed)
// makes every call a no-op that reports failure.
struct HWND__;
struct HINSTANCE__;
struct HMENU__;
struct HDC__;
struct HBRUSH__;
struct HPEN__;
struct HICON__;
using HWND = HWND__*;
using HINSTANCE = HINSTANCE__*;
using HMENU = HMENU__*;
using HDC = HDC__*;
using HBRUSH = HBRUSH__*;
using HPEN = HPEN__*;
using HICON = HICON__*;
using HCURSOR = HICON;
using HGDIOBJ = void*;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct POINT {
    LONG x;
    LONG y;
    bool operator==(const POINT&) const = default;
};

// Right and bottom are exclusive.
struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
    bool operator==(const RECT&) const = default;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;  // milliseconds of a monotonic clock when the message was queued
    POINT pt;
};

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;  // TRUE when WM_ERASEBKGND left the background to the painter
    RECT rcPaint;
};

struct WNDCLASSEXW {
    UINT cbSize;
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;  // fills the update region on WM_ERASEBKGND; may be null
    LPCWSTR lpszMenuName;
    LPCWSTR lpszClassName;
    HICON hIconSm;
};

// What WM_CREATE carries in its lParam: the arguments of CreateWindowExW.
struct CREATESTRUCTW {
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCWSTR lpszName;
    LPCWSTR lpszClass;
    DWORD dwExStyle;
};

constexpr WORD LOWORD(UINT_PTR value) { return static_cast<WORD>(value & 0xFFFFU); }
constexpr WORD HIWORD(UINT_PTR value) { return static_cast<WORD>((value >> 16U) & 0xFFFFU); }
constexpr WPARAM MAKEWPARAM(WORD low, WORD high) {
    return static_cast<WPARAM>(low) | (static_cast<WPARAM>(high) << 16U);
}

constexpr COLORREF RGB(BYTE red, BYTE green, BYTE blue) {
    return static_cast<COLORREF>(red) | (static_cast<COLORREF>(green) << 8U) |
           (static_cast<COLORREF>(blue) << 16U);
}
constexpr BYTE GetRValue(COLORREF colour) { return static_cast<BYTE>(colour & 0xFFU); }
constexpr BYTE GetGValue(COLORREF colour) { return static_cast<BYTE>((colour >> 8U) & 0xFFU); }
constexpr BYTE GetBValue(COLORREF colour) { return static_cast<BYTE>((colour >> 16U) & 0xFFU); }

// A resource id in place of a resource name, as LoadIconW and LoadCursorW
// take it.
inline LPCWSTR MAKEINTRESOURCEW(WORD id) {
    return reinterpret_cast<LPCWSTR>(static_cast<UINT_PTR>(id));
}
