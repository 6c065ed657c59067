#pragma once
// Seam: leaving a stand, until it is built; that module replaces this file
// whole. No stand is loaded before then, so no live aircraft stands on one
// and its reports never make it leave.

#include "run/live_ac_update.h"
#include "traffic/aircraft_records.h"

// Judges a report of an aircraft on or onto its stand; false drops it. Here
// the aircraft counts as confirmed on its stand and the report is dropped.
bool checkStandDeparture(LiveAc& aircraft, ReportBlock& report);
