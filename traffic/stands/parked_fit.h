#pragma once
// How well the parked aircraft fit the time of week, for the main window:
// the average time since their arrival slots, in hours.

#include <atomic>
#include <cstdint>
#include <vector>

// The average over the arrival slots of the half hours from each to
// currentWeekSlot (an arrival later in the week than now counts 0), halved
// into hours, plus half an hour; 0 without arrivals. Stored into the shown
// value, and the statistics region repainted, when it changed.
void gf_showAverageFit(std::atomic<float>& shown, const std::vector<std::uint64_t>& arrivalSlots);
