#pragma once
// Seam: the run's stop flags, until run control is built. Run control owns
// them (with the closing reason and the rest of the run flags) and replaces
// this file; the log and the worker slots only read them.

#include <atomic>

// The run must end; set by whoever first finds a reason to end it.
extern std::atomic<bool> runStopRequested;
// The user closed the main window.
extern std::atomic<bool> userCloseRequested;
