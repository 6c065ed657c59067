#include "traffic/sim_results_seam.h"

#include <mutex>

#include "simlink/sim_results.h"

void gf_processSimResults() {
    const std::lock_guard lock(simResultMutex);
    simResults.clear();
}
