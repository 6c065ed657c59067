#pragma once
// From a creation reported by the simulator to an active aircraft: a
// created live object gets its object id, its flight plan and, on the
// ground, its gear and stand bookkeeping; every created object then waits
// 200 ticks in the created list (a live one has its lights toggled at 50
// and 100) before it is activated with its engines, lights, spoilers,
// throttle and flaps. Worker thread, inside the tick's handling of the
// simulator's results (simResultMutex held).

#include "records/sim_records.h"
#include "traffic/aircraft_records.h"
#include "traffic/traffic_state.h"

// Takes the created object for the aircraft; false when its object id is
// below 3 (no AI object of ours). Sets the object id and the height above
// ground, parks an aircraft created on the ground, writes its flight plan
// and asks once for its static centre of gravity and pitch (a failing
// request is logged and ends the run as a SimConnect error).
bool onAircraftCreated(LiveAc& aircraft, const SimResult& result);

// Only with origin and destination: writes the flight-plan file of the
// object and hands it to MSFS 2020 (MSFS 2024 reads none); hasFlightPlan
// tells whether that worked, and a failure is logged. A file written but not
// handed over (no connection, a refused call) is deleted again. A file whose path the
// simulator cannot open is logged in one line and not handed over; it still
// counts as written, like a plan the simulator refuses.
void createFlightPlan(LiveAc& aircraft);

// An object created on the ground: on the ground with its gear down and,
// when it stands on a stand, the stand taken from static parking (its
// candidates, and a static aircraft that stands there).
void parkNewAircraft(LiveAc& aircraft);

// One tick of every entry of the created list, activating those that
// waited 200 ticks; an aircraft marked to be removed when created leaves
// right after its activation. An entry whose record is gone by then leaves
// the list.
void activateCreatedAircraft();

// Engines, lights, spoilers, throttle and flaps as the aircraft flies or
// stands; SimState active.
void activateLiveAc(LiveAc& aircraft);
