#pragma once
// The farthest live aircraft in SimState active from the user aircraft, as
// the live limit looks for it: the list is walked in order and an aircraft
// is taken only when it lies more than a margin beyond the one taken before
// (or beyond the given distance), so the answer depends on the order of the
// list as well as on the distances.
//
// While the tick moves every live aircraft, each buffered one that comes due
// at the limit asks for it; walking the whole list for each would make the
// tick grow with the square of the aircraft. So during that pass the
// distances are kept, from the first question on, as maxima over ranges of
// the list, and the search jumps from one taken aircraft to the next. The
// kept distances follow every change made meanwhile: each SimState set
// (gf_setSimState) and each aircraft's own update, the only step that moves
// it (updateLiveAc). Worker thread only.

#include "core/great_circle.h"
#include "traffic/aircraft_records.h"

// Keeps the distances, once asked for, for as long as it lives; the live
// list must neither grow nor shrink meanwhile.
class FarthestActiveKeeper {
public:
    FarthestActiveKeeper();
    ~FarthestActiveKeeper();
    FarthestActiveKeeper(const FarthestActiveKeeper&) = delete;
    FarthestActiveKeeper& operator=(const FarthestActiveKeeper&) = delete;
};

// The last aircraft the walk takes: in list order, each active live
// aircraft whose distance from the user exceeds the distance taken so far
// (distanceNm to begin with) plus marginNm is taken. nullptr when none is.
LiveAc* gf_findFarthestActive(const GeoPosition& user, double distanceNm, double marginNm);

// The aircraft's state or position changed: its kept distance follows.
void gf_refreshFarthestActive(const LiveAc& aircraft);
