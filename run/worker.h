#pragma once
// The worker thread: all start-up work away from the UI thread, then one
// run; it always ends with lf_closingDown, which posts the main window
// WM_APP+1 (a new worker for a restart) or WM_APP+2 (the end of the
// program). The window starts a worker on each WM_APP+1, after asking the
// previous one to stop and joining it; that one has returned already, for
// posting is its last act.

#include <stop_token>

// The worker's body. Every failure of the start-up or the run is caught
// here, shown in the message line and ends the run with SYSTEM ERROR (the
// first reason set stays); the error then stays shown until the user closes
// the window.
void gf_runWorkerThread(std::stop_token stop);

// A new worker in place of the one before, which is asked to stop and
// joined first. The main window's WM_APP+1 calls it (ui/window_procedure.h's
// workerStarter). UI thread only.
void gf_startWorker();
