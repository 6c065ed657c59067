#pragma once
// The limit on scan worker threads running at once. Only the worker thread
// waits for a slot and starts scan workers (it counts each one it starts
// into runningWorkers); each scan worker releases its slot when it ends.

// The most scan workers at once; start-up sets it to the processor's
// hardware threads. A limit below 1 counts as 1, so a wait always ends.
extern int maxWorkers;

// Returns true when a worker may start (it does not take the slot), after
// sleeping in 10 microsecond steps while all slots are busy. Returns false,
// and the caller starts no more workers, as soon as the run must stop or the
// user closed the window, so that a stop never waits for a slot.
bool gf_waitForWorkerSlot();

void gf_releaseWorkerSlot();
