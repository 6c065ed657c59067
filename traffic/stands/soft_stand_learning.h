#pragma once
// Soft stand options: with LEARN_SOFT on, an aircraft that arrives at the
// park airport without being seen on a stand (its stream ends, or it taxis
// out) is given a plausible stand by the stand choice, and that guess is
// recorded as a soft option, which static parking may use where real
// traffic is not known. Worker thread only.

#include "traffic/aircraft_records.h"

// Learns a soft option for the aircraft, when soft learning is allowed at
// the park airport and the aircraft, without a stand of its own, is within
// 5 nm of it and below 2500 ft above the ground (or onGround is set): a
// stand that holds its earlier soft arrival is revisited; otherwise, at
// most once per 3 half hours and never while a real option of its own lies
// within one half hour of now, the stand choice picks a stand for it.
void lf_learnSoftStand(LiveAc& aircraft, bool onGround);
