#pragma once
// What the program's entry takes of the window layer: the types of
// wWinMain's parameters (run/program_start.h) and how main asks for the
// main window to be shown. run reaches the window layer only through ui/.

#include "platform/window/win32_constants.h"
#include "platform/window/win32_types.h"

// The main window shown as a program's window normally opens.
inline constexpr int kShowMainWindow = SW_SHOW;
