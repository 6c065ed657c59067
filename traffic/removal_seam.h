#pragma once
// Seam: removal and respawn of aircraft, until that module is built and
// replaces this file whole. Removal queues the object's removal (or cancels
// a creation not yet handed over) as the aircraft's state demands; the
// record stays until the simulator reports the object removed, which is
// not handled yet. A livery respawn leaves the aircraft as it is.

#include "traffic/aircraft_records.h"

// Takes the aircraft out of the simulator, whatever its state:
// - buffer: erased at the end of the tick;
// - adding2sim: its request, still waiting in the traffic manager's queues
//   (found by aircraft id), is cancelled and the record erased; one already
//   handed to the simulator link is removed as soon as it is created;
// - removingfromsim: nothing more (the removal is queued already);
// - liveryrespawn: its removal is queued already, so it only turns into
//   removingfromsim and is not created again;
// - active: removingfromsim and its object queued for removal.
// A live aircraft that leaves its stand clears the stand's live mark.
void removeAircraftFromSim(LiveAc& aircraft);
void removeAircraftFromSim(ParkedAc& aircraft);

// Another livery is wanted for the aircraft; here nothing happens.
void liveryRespawn(LiveAc& aircraft);
