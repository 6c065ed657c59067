#include "platform/window/win32/gdi_surface.h"

#include <string>

namespace platform::window::win32 {

GdiSurface::GdiSurface(int width, int height, Colour background)
    : dc_(CreateCompatibleDC(nullptr)), background_(background) {
    makeBitmap(width, height);
}

GdiSurface::~GdiSurface() {
    dropBitmap();
    DeleteDC(dc_);
}

void GdiSurface::resize(int width, int height) {
    dropBitmap();
    makeBitmap(width, height);
}

void GdiSurface::makeBitmap(int width, int height) {
    // A bitmap that matches the screen, so copying it out needs no
    // conversion; the memory DC alone would give a monochrome one.
    const HDC screen = GetDC(nullptr);
    bitmap_ = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    initialBitmap_ = SelectObject(dc_, bitmap_);
    fillRect(Box{0, 0, width, height}, background_);
}

void GdiSurface::dropBitmap() {
    if (bitmap_ != nullptr) {
        SelectObject(dc_, initialBitmap_);
        DeleteObject(bitmap_);
        bitmap_ = nullptr;
    }
}

void GdiSurface::beginPaint(const Box& clip) {
    savedState_ = SaveDC(dc_);
    IntersectClipRect(dc_, clip.left, clip.top, clip.right, clip.bottom);
}

void GdiSurface::endPaint() {
    if (savedState_ != 0) {
        RestoreDC(dc_, savedState_);
        savedState_ = 0;
    }
}

void GdiSurface::copyTo(HDC target, const RECT& rect) const {
    BitBlt(target, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, dc_, rect.left, rect.top,
           SRCCOPY);
}

void GdiSurface::fillRect(const Box& rect, Colour colour) {
    const RECT area{rect.left, rect.top, rect.right, rect.bottom};
    SetDCBrushColor(dc_, colour);
    FillRect(dc_, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void GdiSurface::line(int fromX, int fromY, int toX, int toY, Colour colour, int widthPx) {
    const HPEN pen = CreatePen(PS_SOLID, widthPx, colour);
    const HGDIOBJ previous = SelectObject(dc_, pen);
    MoveToEx(dc_, fromX, fromY, nullptr);
    LineTo(dc_, toX, toY);
    SelectObject(dc_, previous);
    DeleteObject(pen);
}

// In the DC's own font, the system font, as the program's TextOutW draws on
// Windows.
void GdiSurface::text(int x, int y, std::u16string_view text, Colour colour, std::optional<Colour> background) {
    const std::wstring wide(text.begin(), text.end());
    SetTextColor(dc_, colour);
    SetBkMode(dc_, background ? OPAQUE : TRANSPARENT);
    if (background) {
        SetBkColor(dc_, *background);
    }
    TextOutW(dc_, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

}  // namespace platform::window::win32
