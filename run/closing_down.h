#pragma once
// The end of a run: the run torn down in a fixed order, then either a
// restart (NEW SETTINGS, SIMCONNECT ERROR, READER ERROR: a countdown, the
// run's state reset, WM_APP+1 for a new worker) or the end of the program
// (WM_APP+2, on which the window saves its position and its loop ends).
// A user who closed the window is never answered with a restart. Worker
// thread.

// Tears the run down and posts WM_APP+1 or WM_APP+2 to the main window. A
// step that throws is shown and logged ("lf_closingDown exception {}") and
// the steps after it are skipped, but the final message is always posted,
// so the window can always close.
void lf_closingDown();

// Shows "Restarting after {} second{}" once a second for restartDelaySec
// seconds (logged once, "Restarting after {} seconds"); nothing for a delay
// below 1. False when the user closed the window meanwhile.
bool restartCountdown();

// Every run global back to its start value, after the simulator link's
// thread and the readers have ended.
void resetRun();
