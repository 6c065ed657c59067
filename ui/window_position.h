#pragma once
// Where the main window opens: MainWindow::MAIN_WINDOW_X and _Y, read from
// parameters.xml when the window is created and saved when it closes.

#include "platform/window/win32_types.h"

// For X and then Y separately: a value at its limit (-30000 or 30000) is
// replaced by the given coordinate, clamped, and saved at once; a value
// inside the limits stays.
void gf_keepWindowPosition(int x, int y);

// Reads MAIN_WINDOW_X and _Y from parameters.xml (clamped; the default when
// absent), then replaces a position at the limits by the defaults 400, 20.
// Without a readable file both keep their values.
void gf_readWindowPosition();

// Keeps the main window above every other window (ALWAYS_ON_TOP), or lets
// others cover it again; its place and size stay. Any thread.
void gf_keepWindowOnTop(bool onTop);

// When the window closes: saves its top-left corner, clamped to the limits;
// a coordinate that lands on a limit (as a minimised window reports) falls
// back to the value before. Then logs the UTC time as a line of its own.
void gf_saveWindowPosition(HWND hwnd);
