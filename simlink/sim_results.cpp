#include "simlink/sim_results.h"

std::mutex simResultMutex;
std::vector<SimResult> simResults;

void gf_pushSimResult(const SimResult& result) {
    const std::lock_guard lock(simResultMutex);
    simResults.push_back(result);
}
