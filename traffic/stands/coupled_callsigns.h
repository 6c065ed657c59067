#pragma once
// The coupled callsigns of a live aircraft: a stand option may pair two
// flights of one aircraft (an arrival and the departure that follows). When
// an option of the aircraft's airline around the time of week names its
// callsign, the aircraft takes the option's pair as its first and coupled
// callsign. Worker thread only.

#include <cstdint>

#include "traffic/aircraft_records.h"

// Looks through the options of the park airport's stands in order for the
// first that counts on the weekday of the time of week, holds a half hour
// within 10 (a Heavy: 14) of it, is of the aircraft's airline, has a second
// callsign, and names the aircraft's callsign (without one trailing
// underscore) as either; without one nothing changes.
void lf_searchForCoupledCsAroundThisTime(std::uint64_t timeOfWeek, LiveAc& aircraft);
