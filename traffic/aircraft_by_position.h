#pragma once
// The live aircraft by position, for the "close by" questions of one pass
// over the live aircraft.
//
// While the tick moves every live aircraft, each taxiing one whose stream
// ran out asks whether another taxiing aircraft is close enough to touch;
// measuring the distance to every aircraft for each would make the tick grow
// with the square of the aircraft at a busy airport. So during that pass the
// aircraft are sorted, at the first question, into cells of latitude and
// longitude by their position, and a question looks only at the aircraft of
// the cells around its point. Only an aircraft's own update moves it, or
// changes its size, and the cells follow after each (updateLiveAc). The
// question itself checks everything else of the aircraft. Worker thread
// only.

#include <cstddef>
#include <vector>

#include "core/great_circle.h"
#include "traffic/aircraft_records.h"

// Keeps the cells, once asked for, for as long as it lives; the live list
// must neither grow nor shrink meanwhile.
class AircraftByPositionKeeper {
public:
    AircraftByPositionKeeper();
    ~AircraftByPositionKeeper();
    AircraftByPositionKeeper(const AircraftByPositionKeeper&) = delete;
    AircraftByPositionKeeper& operator=(const AircraftByPositionKeeper&) = delete;
};

// The places in liveAircraft, in no particular order, of the aircraft that
// may lie within reach of the point, the reach of each being fixedNm plus
// perHalfSpan times its half span: every aircraft that does and maybe a few
// beyond. False, and places untouched, when no pass keeps the cells or the
// point lies too near a pole or the date line for them.
bool gf_livePlacesNear(const GeoPosition& point, double fixedNm, double perHalfSpan, std::vector<std::size_t>& places);

// The aircraft moved or changed its size: its kept cell follows.
void gf_refreshAircraftByPosition(const LiveAc& aircraft);
