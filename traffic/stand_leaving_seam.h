#pragma once
// Seam: leaving a stand, until it is built; that module replaces this file
// whole. No stand is loaded before then, so no live aircraft stands on one
// and its reports never make it leave: the ways off a stand below do the
// least they may.

#include "run/live_ac_update.h"
#include "traffic/aircraft_records.h"

// Judges a report of an aircraft on or onto its stand; false drops it. Here
// the aircraft counts as confirmed on its stand and the report is dropped.
bool checkStandDeparture(LiveAc& aircraft, ReportBlock& report);

// Pushes a parked aircraft back off its stand; nothing happens when its
// stand is not among the park airport's stands, which here are none.
void startPushback(LiveAc& aircraft);

// Drives a parked aircraft forward off its stand. Here it only taxis on
// along its reports (no block of its own ahead of the stand).
void pullOutOfStand(LiveAc& aircraft);

// At each block reached while pushing back: the pushback's stage counts
// down, and below 1 the aircraft is pushed back and waits for its reports
// to move away. Here no engines, throttle or flaps are set.
void pushbackStep(LiveAc& aircraft);
