#include "simlink/sim_results.h"

#include "simlink/simlink_state.h"

void gf_pushSimResult(const SimResult& result) {
    const std::lock_guard lock(simResultMutex);
    simResults.push_back(result);
}
