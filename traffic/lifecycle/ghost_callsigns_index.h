#pragma once
// The live aircraft whose callsign ends in "_", the feed's mark of a second
// aircraft under the same callsign: the ghosts that a newcomer flying the
// callsign without the mark sends away.
//
// While the tick moves every live aircraft, each one that spawns looks for a
// ghost of its callsign; walking the whole list for each would make the tick
// grow with the square of the aircraft. So during that pass the marked
// aircraft are gathered, at the first question, and every callsign set
// meanwhile goes through gf_setLiveCallsign, which adds the aircraft when
// its new callsign carries the mark. Worker thread only.

#include <string>

#include "traffic/aircraft_records.h"

// Keeps the marked aircraft, once asked for, for as long as it lives; the
// live list must neither grow nor shrink meanwhile.
class GhostCallsignsKeeper {
public:
    GhostCallsignsKeeper();
    ~GhostCallsignsKeeper();
    GhostCallsignsKeeper(const GhostCallsignsKeeper&) = delete;
    GhostCallsignsKeeper& operator=(const GhostCallsignsKeeper&) = delete;
};

// The first live aircraft, in list order, flying as this callsign (one
// that ends in "_") and not being removed; nullptr when none does.
LiveAc* gf_findLiveGhost(const std::string& ghostCallsign);

// Sets the callsign of a live aircraft; the kept marked aircraft follow.
void gf_setLiveCallsign(LiveAc& aircraft, const std::string& callsign);
