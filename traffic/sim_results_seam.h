#pragma once
// Seam: the simulator link's results as the traffic manager takes them over
// each tick, until creation, activation and the handling of results are
// built; that module replaces this file whole. Here the results are taken
// over and dropped: no created object is activated yet.

// Step 1 of every tick: empties the result list under simResultMutex.
void gf_processSimResults();
