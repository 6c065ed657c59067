#include "traffic/tick_driver_seam.h"

std::atomic<std::int32_t> tickCounter{0};
