#pragma once
// Painting the main window's client area on WM_PAINT, on the UI thread,
// from the state in MainWindow: the message line, on green or, while an
// error is shown, on red, its text in yellow at (3,455).

#include "platform/window/win32_types.h"

void gf_paintWindow(HDC dc);
