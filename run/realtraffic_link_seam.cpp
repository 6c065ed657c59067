#include "run/realtraffic_link_seam.h"

void gf_sendQs121() {}
