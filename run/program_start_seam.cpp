#include "run/program_start_seam.h"

std::atomic<bool> realTrafficOnThisPc{false};
