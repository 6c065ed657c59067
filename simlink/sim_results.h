#pragma once
// What the simulator answered, handed from the link's thread to the traffic
// manager, which takes the whole list over once per tick.

#include <mutex>
#include <vector>

#include "records/sim_records.h"

// Guards simResults. In the lock order before simQueueMutex (the traffic
// manager holds it while it queues commands); the link's thread takes it
// alone, one push at a time.
extern std::mutex simResultMutex;
extern std::vector<SimResult> simResults;

// Appends one result under simResultMutex.
void gf_pushSimResult(const SimResult& result);
