#pragma once
// The main window's procedure, on the UI thread. Besides the system's
// messages it takes two of the program's own, posted by the worker:
// WM_APP+1 starts a (new) worker, WM_APP+2 saves the window's position and
// ends the message loop. Closing the window only asks the worker to stop;
// the worker answers with WM_APP+2 once its run has ended.

#include "platform/window/win32.h"

inline constexpr UINT kStartWorkerMessage = WM_APP + 1;
inline constexpr UINT kEndProgramMessage = WM_APP + 2;

// Starts a new worker in place of the one before, which it asks to stop and
// joins first; called on WM_APP+1. The run fills it at start, before the
// main window is made (run/program_start.cpp); while empty, WM_APP+1
// starts nothing. UI thread only.
extern void (*workerStarter)();

LRESULT gf_wndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The worker's last act: asks the main window for a new worker (WM_APP+1)
// when restart, else to end the program (WM_APP+2). Nothing while there is
// no main window. Any thread.
void gf_postWorkerEnd(bool restart);
