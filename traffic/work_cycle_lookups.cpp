#include "traffic/work_cycle_lookups.h"

std::list<std::uint32_t> coupledCheckQueue;
std::atomic<std::uint32_t> lookedUpObjectId{0};
