#pragma once
// A top-level window's client area as the program painted it, kept in a
// memory bitmap between paints, as a window's surface keeps it on Windows;
// the window's WM_PAINT copies it to the screen. UI thread.

#include <windows.h>

#include "platform/window/win32/native_windows.h"

namespace platform::window::win32 {

class GdiSurface final : public NativePainter {
public:
    // Filled with background until the program paints.
    GdiSurface(int width, int height, Colour background);
    ~GdiSurface() override;
    GdiSurface(const GdiSurface&) = delete;
    GdiSurface& operator=(const GdiSurface&) = delete;

    // A new size starts again from the background.
    void resize(int width, int height);

    // Drawing goes to the surface, clipped to clip, until endPaint.
    void beginPaint(const Box& clip);
    void endPaint();

    // Copies the part rect of the surface to the same place on target.
    void copyTo(HDC target, const RECT& rect) const;

    void fillRect(const Box& rect, Colour colour) override;
    void line(int fromX, int fromY, int toX, int toY, Colour colour, int widthPx) override;
    void text(int x, int y, std::u16string_view text, Colour colour, std::optional<Colour> background) override;

private:
    void makeBitmap(int width, int height);
    void dropBitmap();

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ initialBitmap_ = nullptr;
    Colour background_;
    int savedState_ = 0;  // SaveDC's level while a paint is in progress
};

}  // namespace platform::window::win32
