#pragma once
// The clock of a run: mainLoop calls doTick every 10 ms. Each tick drives
// the traffic manager while the flight runs; the tick after each SIM ON
// GROUND reply of the simulator (about once a second) runs one work cycle
// and the work that falls due at its count (run/work_schedule.h). While the
// flight does not run, each tick runs onFlightNotRunning instead. The loop
// ends on the first tick that finds a stop flag set. Worker thread.

#include <functional>

#include "records/clock.h"

// currentWeekSlot := the feed's weekday and half hour now.
void gf_setCurrentWeekSlot();

// The run's loop; returns when a stop flag is set.
void mainLoop();

// Calls tick every 10 ms of the run clock until it returns false. A tick
// that overran is caught up by the following ticks, which then do not sleep;
// a SIM ON GROUND reply (simDataArrived) moves the next deadline to now, so
// that the work cycle follows the simulator's second.
void gf_paceTicks(const std::function<bool()>& tick);

// One tick; false when the run must end.
bool doTick();

// One tick while the flight does not run: the intake of reports paused, the
// simulator's results taken, and once a second the re-read request, the
// Qs121 line, the counts and the time of week.
void onFlightNotRunning();

// Serves the "Re-read" button while static parking is not busy.
void handleReReadRequest();

// The counts of live and parked aircraft in the main window, repainted when
// they changed.
void refreshAircraftCounts();

// The loop's state back to its start values, for a new run.
void gf_resetMainLoop();
