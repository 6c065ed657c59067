#pragma once
// The number of live aircraft in SimState active. While the tick moves every
// live aircraft, each buffered one that comes due weighs this number against
// the live limit; counting the whole list for each of them would make the
// tick grow with the square of the aircraft, so during that pass the count
// is taken once and kept up to date by gf_setSimState. Worker thread only.

#include <cstddef>

#include "traffic/aircraft_records.h"

// Counts the active live aircraft once and keeps the count for as long as
// it lives; the live list must neither grow nor shrink meanwhile.
class ActiveLiveCountKeeper {
public:
    ActiveLiveCountKeeper();
    ~ActiveLiveCountKeeper();
    ActiveLiveCountKeeper(const ActiveLiveCountKeeper&) = delete;
    ActiveLiveCountKeeper& operator=(const ActiveLiveCountKeeper&) = delete;
};

// The live aircraft in SimState active: the kept count while a keeper
// lives, else counted.
std::size_t gf_countActiveLiveAircraft();

// Sets the aircraft's SimState; the kept count follows.
void gf_setSimState(LiveAc& aircraft, SimState state);
void gf_setSimState(ParkedAc& aircraft, SimState state);
