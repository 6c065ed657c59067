#pragma once
// Device contexts as the layer's painting opens and closes them.

#include <optional>

#include "platform/window/impl/backend_interface.h"
#include "platform/window/win32_types.h"

namespace platform::window::impl {

// A device context drawing on surface, clipped (by the surface) to
// paintRect; with a null surface it keeps attributes only and draws nothing,
// as for the WM_CTLCOLOR messages.
HDC openDeviceContext(HWND hwnd, DrawSurface* surface, const RECT& paintRect);
void closeDeviceContext(HDC dc);

std::optional<RECT> paintRectOf(HDC dc);
std::optional<COLORREF> textColourOf(HDC dc);
// The colour of a brush; empty for anything else.
std::optional<COLORREF> brushColour(HGDIOBJ brush);

}  // namespace platform::window::impl
