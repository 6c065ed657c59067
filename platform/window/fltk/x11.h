#pragma once
// What FLTK does not offer and Xlib does: opening the display without
// FLTK's exit on failure, and keeping a window above all others.

#include <FL/Fl_Window.H>

namespace platform::window::fltk {

// Opens the X display of DISPLAY for FLTK, once; false when it cannot be
// opened. The connection is kept: an X server without other clients resets
// when the last one closes, and would refuse FLTK's connection meanwhile.
bool openDisplay();

// Asks the window manager (through _NET_WM_STATE_ABOVE) to keep the shown
// window above all others, or to end that. Without a window manager nothing
// changes.
void keepAbove(Fl_Window& window, bool above);

}  // namespace platform::window::fltk
