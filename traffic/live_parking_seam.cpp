#include "traffic/live_parking_seam.h"

void lf_learnCargoAttribute(LiveAc& /*aircraft*/) {}

void checkMaxPark(std::uint8_t /*extra*/) {}
