#pragma once
// Drawing with the names and meanings of GDI32: solid brushes and pens,
// rectangles, lines and text on the device context of a paint.
//
// Brushes and pens may be made on any thread, also by static initialisers
// before main; they live as long as the program (there is no DeleteObject).
// A device context exists from BeginPaint to EndPaint and is used on the UI
// thread. Coordinates are the window's client coordinates; drawing is
// clipped to the paint's rcPaint. A device context starts with the black
// pen, the white brush, black text on a white, OPAQUE background and the
// pen at (0, 0). The stock DC_BRUSH paints white.

#include "platform/window/win32_constants.h"
#include "platform/window/win32_types.h"

HBRUSH CreateSolidBrush(COLORREF colour);
// Every style draws solid; a width below 1 draws 1 pixel wide.
HPEN CreatePen(int style, int widthPx, COLORREF colour);
HGDIOBJ GetStockObject(int index);
// Selects a pen or a brush into the device context; returns the one it
// replaces, or null when the device context or the object does not exist.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);

// Fills left..right-1, top..bottom-1 with the brush's colour.
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
// Moves the pen; the previous position goes to previous when not null.
BOOL MoveToEx(HDC dc, int x, int y, POINT* previous);
// Draws with the selected pen from the pen's position to (x, y), which
// becomes the pen's position.
BOOL LineTo(HDC dc, int x, int y);

int SetBkMode(HDC dc, int mode);                     // the previous mode
COLORREF SetBkColor(HDC dc, COLORREF colour);        // the previous colour
COLORREF SetTextColor(HDC dc, COLORREF colour);      // the previous colour
// Draws count characters with their cell's top-left corner at (x, y), in
// the text colour, on the background colour when the mode is OPAQUE.
// FALSE when the text is no valid UTF-16.
BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int count);
