#pragma once
// How often a live aircraft may record a stand option (whether a stand
// suits an aircraft's span: airports/stand_size.h).

#include <cstdint>

#include "airports/park_stands.h"
#include "airports/stand_size.h"
#include "records/week_slot.h"
#include "traffic/traffic_state.h"

// Records the half hour of the time of week (weekday in the low, half hour
// in the high 32 bits) for the aircraft; unless forced, refused (false) while
// fewer than 3 half hours have passed since its last entry, counted round
// the day.
bool gf_takeStandOptionSlot(std::uint64_t timeOfWeek, std::uint32_t aircraftId, bool force);
// Sets the aircraft's entry to the half hour, appending one when absent.
void gf_setStandOptionSlot(std::uint32_t aircraftId, std::uint32_t halfHour);
// Drops the aircraft's entry.
void gf_forgetStandOptionSlot(std::uint32_t aircraftId);
