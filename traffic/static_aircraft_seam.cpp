#include "traffic/static_aircraft_seam.h"

void createNextStaticAc() {}
