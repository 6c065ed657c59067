#pragma once
// Painting the main window's whole client area on WM_PAINT, on the UI
// thread, from the state in MainWindow, the settings and the park airport:
// the header, the status block with its lights, the control area with the
// controls' labels, the park airport's statistics and the message line.
// The paint only reads; every region is repainted whole and clipped to the
// paint's update region.

#include "platform/window/win32_types.h"

void gf_paintWindow(HDC dc);
