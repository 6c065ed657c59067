#pragma once
// The intake of traffic reports from the adding stack (at most two per
// tick, under the feed mutex). A report of a known aircraft is dropped when
// it adds nothing or cannot be real, updates the aircraft's identity and
// joins its report stream; a report of a new aircraft makes a LiveAc in
// SimState buffer and GroundPhase birth, unless it is a duplicate, of a
// switched-off category, of an unknown type or standing at the park airport.
// Drops are silent. Worker thread only.

#include "records/live_ac_update.h"
#include "traffic/aircraft_records.h"

// Judges one report; may change its texts on the way.
void acceptReport(LiveAcUpdate& report);
// Completes the type of an unknown aircraft from its registration, then
// createLiveAc; drops a report whose type stays unknown.
void admitNewReport(LiveAcUpdate& report);
// Applies the category switches and the ground filter and appends the new
// LiveAc.
void createLiveAc(LiveAcUpdate& report);
// False drops the report: a callsign that would make this aircraft a ghost
// of a live one, or an identity change that respawns it with another livery.
bool checkIdentityChange(LiveAc& aircraft, LiveAcUpdate& report);
