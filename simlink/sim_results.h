#pragma once
// What the simulator answered, handed from the link's thread to the traffic
// manager, which takes the whole list over once per tick.

#include <vector>

#include "records/sim_records.h"

// Appends one result under simResultMutex.
void gf_pushSimResult(const SimResult& result);
