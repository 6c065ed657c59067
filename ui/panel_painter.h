#pragma once
// Drawing the main window's panel on the device context of a paint in
// progress (WM_PAINT, UI thread): solid rectangles, one-pixel lines and
// UTF-8 texts in the panel's colours.

#include <string>

#include "platform/window/win32_types.h"

// The panel's colours; COLORREF is 0x00BBGGRR.
namespace panelColour {
inline constexpr COLORREF green = 0x32CD32;  // lime green
inline constexpr COLORREF yellow = 0x00FFFF;
inline constexpr COLORREF red = 0x0000FF;
inline constexpr COLORREF black = 0x000000;
inline constexpr COLORREF white = 0xFFFFFF;
inline constexpr COLORREF grey = 0xA0A0A0;         // labels of disabled controls
inline constexpr COLORREF controlArea = 0xFFCC99;  // light blue
}  // namespace panelColour

class PanelPainter {
public:
    explicit PanelPainter(HDC dc) : dc_(dc) {}

    // colour is one of the panel's colours but grey and white.
    void fill(const RECT& rect, COLORREF colour) const;
    // colour is black or white.
    void line(POINT from, POINT to, COLORREF colour) const;
    // The UTF-8 text with its top-left corner at (x, y); an empty text draws
    // nothing. A text that cannot
    // be converted to UTF-16 is logged ("{} conversion exception {}, error
    // code: {}") and skipped.
    void text(int x, int y, const std::string& text, COLORREF colour) const;
    // A control's label: black while it is enabled, else grey.
    void label(int x, int y, const std::string& text, bool enabled) const;

private:
    HDC dc_;
};
