#pragma once
// Spawning of live aircraft: a LiveAc made by the intake waits in SimState
// buffer until its first report is nearly due; then it waits, loses its
// oldest report, is dropped, or is dressed in a livery, given its first
// ground phase, position and attitude and put on the creation list, from
// which the tick builds its create request. Worker thread only.

#include "traffic/aircraft_records.h"
#include "traffic/traffic_state.h"

// One tick of a buffered aircraft.
void handleBufferedLiveAc(LiveAc& aircraft);
// True when the aircraft is held back this tick because of the user
// aircraft (its oldest report is then dropped).
bool checkSpawnConflicts(LiveAc& aircraft);
// Makes the aircraft ready for creation.
void spawnLiveAc(LiveAc& aircraft);
