#include "traffic/stand_search_seam.h"

std::string gf_findStandAtPosition(const GeoPosition& /*position*/) { return {}; }
