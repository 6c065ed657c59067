#pragma once
// The calls through which every subsystem changes what the main window
// shows, without touching the window layer itself: repaint one region after
// its status fields changed, enable or grey out a control. Safe from any
// thread; no-ops while the window or the control does not exist.

#include "core/parameter.h"

// The regions of the main window's client area (MainWindow's rectangles).
enum class WindowRegion {
    Header,
    StatusBlock,   // simulator, user aircraft, lights, QNH, live count
    ControlPanel,  // controls and their labels
    Statistics,    // the park airport's two lines
    MessageLine,
    Whole,
};

// Invalidates the region (erasing it); the UI thread draws it on WM_PAINT.
void gf_repaint(WindowRegion region);

void gf_enableControl(const ControlBinding& control, bool enable);
