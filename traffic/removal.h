#pragma once
// Every aircraft leaves the simulator here, whatever the reason: its
// removal is queued (the tick releases one per 10 ticks) and its record is
// erased when the simulator reports the object removed. A livery respawn
// takes the same road, but the record returns to SimState buffer to be
// created again. Worker thread only.

#include <cstdint>

#include "traffic/aircraft_records.h"

// Takes the aircraft out of the simulator, by its state:
// - buffer: erased at the end of the tick;
// - adding2sim: its request, still waiting in the traffic manager's queues
//   or on the creation list (found by aircraft id), is cancelled and the
//   record erased; one already handed to the simulator link is marked, and
//   removed as soon as it is activated;
// - removingfromsim: nothing more (the removal is queued already);
// - liveryrespawn: its removal is queued already, so it only turns into
//   removingfromsim and is not created again;
// - active: removingfromsim and its object queued for removal (an object id
//   of 0 is logged and nothing is queued).
// A live aircraft that leaves its stand clears the stand's live mark; one
// whose object is shown for the "Oid:" box clears the box.
void removeAircraftFromSim(LiveAc& aircraft);
void removeAircraftFromSim(ParkedAc& aircraft);

// The simulator removed the object: a respawning live aircraft returns to
// SimState buffer without an object; any other record of the object is
// erased (a live one's flight-plan file deleted first; a file that cannot
// be deleted is logged "===> onObjectRemoved: {error}" and the record is
// erased all the same). An unknown object changes nothing.
void onObjectRemoved(std::uint32_t objectId);

// Another livery is wanted: the object is removed and the record waits in
// SimState buffer to be created again where the aircraft is now, with its
// heading. A failure on the way is logged; the record keeps the state it
// had reached.
void liveryRespawn(LiveAc& aircraft);
