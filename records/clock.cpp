#include "records/clock.h"

std::atomic<std::int32_t> tickCounter{0};
std::atomic<std::uint32_t> cycleCounter{0};
std::atomic<std::uint64_t> currentWeekSlot{0};
