#pragma once
// Seam: the stand options that live aircraft teach their stands, until they
// are built; that module replaces this file whole. No stand is loaded
// before then, so nothing is learned.

#include <cstdint>

#include "traffic/aircraft_records.h"

// Records a real option for the aircraft on the stand at the time of week;
// true when the stand's options were changed or confirmed. Here never.
bool lt_addStandOption(std::uint32_t standId, const LiveAc& aircraft, std::uint64_t timeOfWeek, bool leaving);

// Learns a soft stand option for an aircraft whose stream ended or that
// taxis out; here there is no stand to learn.
void lf_learnSoftStand(LiveAc& aircraft, bool onGround);
