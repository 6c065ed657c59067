#pragma once
// Seam: what the main window needs of run control (the worker thread and its
// body) until run control is built. Each name is the one run control will
// own; its issue replaces this file whole (the stop flags themselves are in
// run/run_flags.h). The worker here does the least the window relies on: it
// waits until a stop flag is set, then ends the program or, for new
// settings, starts again.

#include <stop_token>
#include <thread>

// The worker; the window starts it on WM_APP+1, replacing the one before.
extern std::jthread workerThread;

// The worker's body. Here: waits for a stop flag (or the token), then posts
// WM_APP+2 to the main window, or WM_APP+1 after restartDelaySec when the
// run ended for new settings and the user has not closed the window.
void gf_runWorkerThread(std::stop_token stop);
