#pragma once
// The start of the user interface, on the program's main thread, which
// becomes the UI thread.

#include "platform/window/win32_types.h"

// Registers the window class (named by the title, string resource 101),
// creates the main window, makes sure the program's data folder exists,
// posts WM_APP+1 (start the worker) and runs the message loop. Returns the
// exit code of WM_QUIT, or 0 after a failure, which is logged: "Failed to
// load application title", "Failed to register window class",
// "initInstance failed".
int gf_runGui(HINSTANCE instance);

// Registers the main window's class under the title: gf_wndProc, the black
// background. False when the name is taken.
bool gf_registerWindowClass(HINSTANCE instance, LPCWSTR title);

// Waits (at most 18 x 50 ms) until the main window's state is built, reads
// the window's position from parameters.xml, creates the 880 x 516 window
// with its controls at that position and shows it. False when the state is
// not built in time or the window cannot be created.
bool initInstance(HINSTANCE instance, LPCWSTR title);
