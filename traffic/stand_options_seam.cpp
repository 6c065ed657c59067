#include "traffic/stand_options_seam.h"

bool lt_addStandOption(std::uint32_t /*standId*/, const LiveAc& /*aircraft*/, std::uint64_t /*timeOfWeek*/,
                       bool /*leaving*/) {
    return false;
}

void lf_learnSoftStand(LiveAc& /*aircraft*/, bool /*onGround*/) {}
