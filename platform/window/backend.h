#pragma once
// The two backends of the window layer and how one is chosen.
//
// - fltk: real windows and controls on the X display named by DISPLAY,
//   drawn with FLTK.
// - headless: the same windows, controls, messages and painting without a
//   display; each paint is recorded (headless.h), so tests can see what was
//   drawn. It also lets the program run on a machine without a display.
//
// Call selectBackend on the UI thread before the first RegisterClassExW, or
// later while no window exists. Without a call, the first RegisterClassExW
// chooses as automatic does: fltk when the X display can be opened, else
// headless.

namespace platform::window {

enum class Backend { automatic, fltk, headless };

// False, and the choice stays, while windows exist or when fltk is asked
// for and no display can be opened.
bool selectBackend(Backend backend);

// The backend in use: fltk or headless once chosen, automatic before.
Backend activeBackend();

}  // namespace platform::window
