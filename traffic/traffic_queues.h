#pragma once
// The traffic manager's own queues of commands for the simulator link,
// which the tick driver releases at its pace (removals one per 10 ticks,
// creations one per 50). Worker thread only.

#include <cstdint>
#include <deque>
#include <vector>

#include "records/sim_records.h"

// Aircraft ids of spawned live aircraft waiting for their create request;
// spawning appends, the tick takes the last one.
extern std::vector<std::uint32_t> creationList;
// Create requests not yet handed to the simulator link.
extern std::deque<CreateRequest> liveCreateQueue;
extern std::deque<CreateRequest> staticCreateQueue;
// Object ids to remove from the simulator.
extern std::deque<std::uint32_t> removalQueue;
