#pragma once
// Whether a stand suits an aircraft's span, and how often a live aircraft
// may record a stand option.

#include <cstdint>
#include <vector>

#include "airports/park_stands.h"
#include "traffic/week_slot.h"

// The aircraft is at most 1.8 m too big for the stand.
bool gf_standBigEnough(const ParkPosition& stand, double halfSpanNm);
// The size step between stands: 14 m for half spans up to 17.8 m, 21 m
// above.
double gf_standSizeStepNm(double halfSpanNm);

// The stand suits the half span: the aircraft is at most 1.8 m too big for
// it, and the stand is at most half a size step (14 m for half spans up to
// 17.8 m, 21 m above) larger than it needs. Throws gsl::narrowing_error when
// the step count is no 32-bit number (NaN, infinite, huge).
bool gf_standFitsSpan(const ParkPosition& stand, double halfSpanNm);

// The half hour of the day (0 to 47) at which a live aircraft last recorded
// a stand option.
struct OptionSlot {
    std::uint32_t aircraftId = 0;
    std::uint32_t halfHour = 0;
};
// At most one entry per aircraft id (worker thread only).
extern std::vector<OptionSlot> lastOptionSlots;

// Records the half hour of the time of week (weekday in the low, half hour
// in the high 32 bits) for the aircraft; unless forced, refused (false) while
// fewer than 3 half hours have passed since its last entry, counted round
// the day.
bool gf_takeStandOptionSlot(std::uint64_t timeOfWeek, std::uint32_t aircraftId, bool force);
// Sets the aircraft's entry to the half hour, appending one when absent.
void gf_setStandOptionSlot(std::uint32_t aircraftId, std::uint32_t halfHour);
// Drops the aircraft's entry.
void gf_forgetStandOptionSlot(std::uint32_t aircraftId);
