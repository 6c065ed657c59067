#pragma once
// One run: the simulator link starts, the run waits for a running flight
// and the user aircraft's position, links up with RealTraffic, starts the
// two UDP readers and stays in the main loop until something ends it.
// Worker thread.

#include <chrono>

// One run; returns when the main loop ends or a wait is cut short by a stop
// flag. Throws what its steps throw (the server that cannot open, a thread
// that cannot start).
void runTraffic();

// Waits in 100 ms steps for a running flight, asks for SIM ON GROUND once a
// second (which paces the work cycle), then waits in 500 ms and 200 ms
// steps for the user position. False when a stop flag was set.
bool requestUserOnGround();

// Waits up to 15 s for the first traffic record; "No traffic in this
// region?" when none came. A stop flag ends the wait.
void warnNoTraffic();

// The QNH and traffic readers on threads of their own, which end by their
// stop flags (gf_requestReadersStop).
void gf_startQnhReader();
void gf_startTrafficReader();

// Waits (at most 3 s) until the reader threads have ended: they use the
// program's globals, so they must neither outlive the program nor a run's
// reset.
void gf_waitForReadersToEnd(std::chrono::milliseconds limit = std::chrono::seconds{3});
