#pragma once
// The main window's own state, beside what it shows (ui/status/main_window.h,
// the status fields the subsystems write). gf_resetUiState puts back what a
// run's reset puts back: the traffic radius of the RANGE setting.
//
// Where the rest of it lives: the hook that starts the worker, workerStarter
// (ui/window_procedure.h, filled once by the run before the window is made,
// read by the window thread only); the destination the window leaves for the
// worker, waitingDestination under destinationMutex (private to
// ui/destination.cpp, taken by the worker, never reset); the controls and
// their handles are the window's (ui/controls.h), made once with it.

// The radius back to the RANGE setting, its combo box showing it
// (gf_setRadiusNm). Worker thread, at a run's reset.
void gf_resetUiState();
