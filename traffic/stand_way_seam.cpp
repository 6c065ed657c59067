#include "traffic/stand_way_seam.h"

bool isStandFreeFor(std::uint32_t /*standId*/, const std::string& /*callsign*/) { return true; }

void try2Park(LiveAc& /*aircraft*/, bool /*wide*/) {}
