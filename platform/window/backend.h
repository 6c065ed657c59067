#pragma once
// The backends of the window layer and how one is chosen.
//
// - fltk (Linux): real windows and controls on the X display named by
//   DISPLAY, drawn with FLTK.
// - win32 (Windows): real windows and controls of USER32, painted with GDI32.
// - headless: the same windows, controls, messages and painting without a
//   display; each paint is recorded (headless.h), so tests can see what was
//   drawn. It also lets the program run on a machine without a display.
//
// Call selectBackend on the UI thread before the first RegisterClassExW, or
// later while no window exists. Without a call, the first RegisterClassExW
// chooses as automatic does: the system's own display backend (fltk when the
// X display can be opened on Linux, win32 on Windows), else headless.

namespace platform::window {

enum class Backend { automatic, fltk, win32, headless };

// False, and the choice stays, while windows exist, when the other system's
// display backend is asked for, or when fltk is asked for and no display can
// be opened.
bool selectBackend(Backend backend);

// The backend in use: fltk, win32 or headless once chosen, automatic before.
Backend activeBackend();

}  // namespace platform::window
