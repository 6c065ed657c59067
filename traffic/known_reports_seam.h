#pragma once
// Seam: how a new report of a known aircraft joins its report stream, until
// that module is built and replaces this file whole. Here the report is
// appended behind the newest block (due at least one tick after it) with
// none of the situation rules; a stream of a newly made aircraft that has
// lost every block takes no more, and one of more than 200 blocks ends the
// aircraft.

#include "run/live_ac_update.h"
#include "traffic/aircraft_records.h"

// Throws gsl::narrowing_error when the playback tick after the newest
// block's is no 32-bit number.
void decodeExisting(LiveAc& aircraft, ReportBlock& report);
