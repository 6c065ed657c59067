#pragma once
// Which stands of the park airport get a static parked aircraft, and which
// aircraft: a share of the stands (the wanted count) is filled with the
// traffic options that fit the current half hour of the week best, first
// those seen in this very half hour, then, half an hour at a time up to
// MAX_FIT, those seen a little earlier. The traffic manager creates the
// chosen candidates one by one from the back of parkCandidates. Worker
// thread only.

#include <cstdint>
#include <string>
#include <vector>

#include "traffic/traffic_state.h"

// The first calculation for a freshly loaded park airport.
void calculateStaticParking();

// Logs "\n{} (utc) It is day {} ({}), {} hours" and returns the time of
// week (weekday in the low, half hour in the high 32 bits).
std::uint64_t logTimeOfWeek();
// Clears the static-parking state of every stand (taken, reserved,
// neighbourTaken) and of its options (aircraftPresent) before a calculation
// or renewal.
void gf_clearStandStates();
// Sorts parkCandidates by descending fit: the traffic manager, which takes
// them from the back, creates the best fits first.
void gf_sortCandidatesBestLast();
// The reserved stand and the stand at the user position stay free.
void markReservedStands();
// The number of stands to fill (shown as the window's maximum park count
// and its share of the stands). Throws gsl::narrowing_error when the share
// does not fit an int.
std::int64_t updateWantedParkedCount();
// Real options first; soft ones when the real ones fall short and PARK_SOFT
// or PARK_FAKE is on. keptCount aircraft stand already and count towards
// wanted.
void fitParkedAircraft(std::uint64_t timeOfWeek, std::int64_t wanted, std::int64_t keptCount);
void selectParkingCandidates(std::uint64_t timeOfWeek, std::int64_t wanted, std::int64_t keptCount, bool real);
// Widens the fit from the current half hour until wanted stands are taken
// or MAX_FIT is passed; the batch of the last fit stays in batch, earlier
// batches join parkCandidates. True when the wanted count was reached.
bool searchParkingFit(std::uint64_t timeOfWeek, bool real, std::int64_t wanted, std::vector<ParkCandidate>& batch);

// "{} hours" of a number of half hours back from now: fit 0 is the current
// half hour, 0.5 hours.
std::string gf_halfHoursAsHours(std::int32_t halfHours);
