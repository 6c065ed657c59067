// Parsing one traffic datagram into a live-traffic report and queuing it on
// the adding stack, as the traffic reader does for every datagram.

#include <benchmark/benchmark.h>

#include <string>

#include "core/settings.h"
#include "run/adding_stack.h"
#include "run/traffic_reader.h"

namespace {

// A full record of an airborne A320 near the reference position.
const std::string kRecord =
    "RTTFC,7867035,47.4600,8.5500,3025,-768,1,165.2,142.5,SWR12,A320,HB-JLT,LHR,ZRH,1700000000.5,x,x,adsb_icao,,,"
    "150,,,-1.4,,163.9,,,A3";

// The traffic manager takes reports off the stack; here they are dropped in
// batches so the stack stays small.
constexpr std::int64_t kBatch = 4096;

void BM_TrafficDatagramToReport(benchmark::State& state) {
    TrafficReader::referencePosition = GeoPosition{47.45, 8.56};
    trafficRadiusNm = 40.0;
    gf_setAcceptingFeed(true);
    trafficReader.processDatagram(kRecord);
    if (const std::lock_guard lock(feedMutex); addingStack.size() != 1) {
        state.SkipWithError("the record was not queued");
        return;
    }
    std::int64_t processed = 0;
    for (auto _ : state) {
        trafficReader.processDatagram(kRecord);
        if (++processed % kBatch == 0) {
            const std::lock_guard lock(feedMutex);
            addingStack.clear();
        }
    }
    state.SetItemsProcessed(state.iterations());
    const std::lock_guard lock(feedMutex);
    addingStack.clear();
}
BENCHMARK(BM_TrafficDatagramToReport);

}  // namespace
