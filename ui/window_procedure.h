#pragma once
// The main window's procedure, on the UI thread. Besides the system's
// messages it takes two of the program's own, posted by the worker:
// WM_APP+1 starts a (new) worker, WM_APP+2 saves the window's position and
// ends the message loop. Closing the window only asks the worker to stop;
// the worker answers with WM_APP+2 once its run has ended.

#include "platform/window/win32.h"

inline constexpr UINT kStartWorkerMessage = WM_APP + 1;
inline constexpr UINT kEndProgramMessage = WM_APP + 2;

LRESULT gf_wndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
