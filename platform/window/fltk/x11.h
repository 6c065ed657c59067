#pragma once
// What FLTK does not offer and Xlib does: probing the display, and keeping a
// window above all others.

#include <FL/Fl_Window.H>

namespace platform::window::fltk {

// Whether the X display of DISPLAY can be opened.
bool canOpenDisplay();

// Asks the window manager (through _NET_WM_STATE_ABOVE) to keep the shown
// window above all others, or to end that. Without a window manager nothing
// changes.
void keepAbove(Fl_Window& window, bool above);

}  // namespace platform::window::fltk
