#pragma once
// The renewal of the static parked aircraft every 20 minutes: a new search
// proposes the stands and options that fit the time of week now; a static
// aircraft already standing stays when it is the proposed one, still fits
// the time window, or arrived before the option that would replace it was
// seen; otherwise it goes and its stand may get the new candidate. Live
// parked aircraft count towards the wanted count. Only the difference is
// applied. Worker thread only.

#include <cstdint>
#include <string>
#include <vector>

#include "traffic/aircraft_records.h"
#include "traffic/stands/static_parking.h"
#include "traffic/traffic_state.h"

// Renews the static aircraft for the time of week now.
void gf_applyParkingAdjustments();
// Sorts the static aircraft into keptParked and staticRemovals and drops the
// candidates that a kept aircraft makes unnecessary.
void reviewParkedAircraft(std::uint64_t timeOfWeek);
// The candidate wins the stand when its option was seen after the aircraft
// arrived; otherwise the aircraft stays and the candidate is dropped.
void keepOrRemoveParked(const ParkedAc& aircraft, std::vector<ParkCandidate>::iterator candidate,
                        std::uint64_t timeOfWeek);
// Takes away candidates, then kept static, then live parked aircraft until
// no more than wanted remain.
void trimParkingSelection(std::int64_t wanted);
