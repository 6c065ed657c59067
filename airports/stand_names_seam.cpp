#include "airports/stand_names_seam.h"

std::string gf_standName(std::uint32_t standId) { return standId == 0 ? "sid==0?" : "unknown"; }
