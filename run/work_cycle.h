#pragma once
// The work cycle of a run, about once a second on the worker thread: the
// window's requests, the aircraft that must make way for the user aircraft
// and for parked ones, and the periodic work every 15 cycles.

// One work cycle.
void runCycle();

// The work of every 15th cycle (renewal of the static aircraft in two
// phases, lamps, auto range, minutes to the renewal, hourly and daily work).
void runPeriodicWork();

// Every 61st cycle: a static aircraft that duplicates an active live one on
// the ground (same callsign with "*", or same registration) is removed; at
// most one per cycle.
void gf_removeStaticDuplicate();

// The work cycle's state back to its start values, for a new run.
void gf_resetWorkCycle();

// The first phase of a static renewal has been done.
bool gf_renewalPrepared();
