#include "traffic/traffic_queues.h"

std::vector<std::uint32_t> creationList;
std::deque<CreateRequest> liveCreateQueue;
std::deque<CreateRequest> staticCreateQueue;
std::deque<std::uint32_t> removalQueue;
