#pragma once
// Seam: the per-tick update of a live aircraft and the ghost check, until
// the position update is built; that module replaces this file whole. Here
// a buffered aircraft is handed to spawning and no other aircraft moves; no
// ghost is ever found.

#include <string>

#include "traffic/aircraft_records.h"

// One tick of one aircraft; true when the record is to be erased (either
// erase flag set).
bool updateLiveAc(LiveAc& aircraft);

// A live aircraft whose callsign is this one followed by "_" is a ghost and
// leaves; here none is looked for.
void checkGhost(const std::string& callsign);
