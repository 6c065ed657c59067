#include "run/main_loop_seam.h"

std::list<std::uint32_t> coupledCheckQueue;
std::atomic<std::uint64_t> currentWeekSlot{0};
std::atomic<std::uint32_t> lookedUpObjectId{0};
