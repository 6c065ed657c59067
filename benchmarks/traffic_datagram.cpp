// Parsing one traffic datagram into a live-traffic report and queuing it on
// the adding stack, as the traffic reader does for every datagram, side by
// side with its floor: the bare split of the same line at its commas plus
// the conversion of its ten numbers. The ratio of the two is what counts.

#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings.h"
#include "run/run_state.h"
#include "run/traffic_reader.h"
#include "traffic/intake/adding_stack.h"
#include "traffic/traffic_state.h"

namespace {

// A full record of an airborne A320 near the reference position, with all
// 42 fields the feed sends.
const std::string kFullRecord =
    "RTTFC,7867035,47.4600,8.5500,3025,-768,1,165.2,142.5,SWR12,A320,HB-JLT,LHR,ZRH,1700000000.5,x,x,adsb_icao,,,"
    "150,,,-1.4,,163.9,,,A3,1013.2,3000,165.0,0,,,1,0,0,,SWR,1700000000.4,47";

// The shortest record that is still traffic: the 29 fields the reader reads.
const std::string kShortRecord =
    "RTTFC,7867035,47.4600,8.5500,3025,-768,1,165.2,142.5,SWR12,A320,HB-JLT,LHR,ZRH,1700000000.5,x,x,adsb_icao,,,"
    "150,,,-1.4,,163.9,,,A3";

// The fields the floor converts: the ten numbers of the report.
constexpr std::array<std::size_t, 10> kNumberFields{2, 3, 4, 5, 7, 8, 14, 20, 23, 25};

// The traffic manager takes reports off the stack; here they are dropped in
// small batches, so the stack stays as short as a running manager keeps it.
constexpr std::int64_t kBatch = 64;

void lf_readerOn(benchmark::State& state, const std::string& record) {
    TrafficReader::referencePosition = GeoPosition{47.45, 8.56};
    trafficRadiusNm = 40.0;
    gf_setAcceptingFeed(true);
    trafficReader.processDatagram(record);
    if (const std::lock_guard lock(feedMutex); addingStack.size() != 1) {
        state.SkipWithError("the record was not queued");
        return;
    }
    std::int64_t processed = 0;
    for (auto _ : state) {
        trafficReader.processDatagram(record);
        if (++processed % kBatch == 0) {
            const std::lock_guard lock(feedMutex);
            addingStack.clear();
        }
    }
    state.SetItemsProcessed(state.iterations());
    const std::lock_guard lock(feedMutex);
    addingStack.clear();
}

void lf_bareSplitOn(benchmark::State& state, std::string_view record) {
    std::vector<std::string_view> fields;
    fields.reserve(64);
    for (auto _ : state) {
        fields.clear();
        for (std::size_t start = 0;;) {
            const std::size_t comma = record.find(',', start);
            fields.push_back(record.substr(start, comma - start));
            if (comma == std::string_view::npos) {
                break;
            }
            start = comma + 1;
        }
        double sum = 0.0;
        for (const std::size_t index : kNumberFields) {
            double value = 0.0;
            std::from_chars(fields[index].data(), fields[index].data() + fields[index].size(), value);
            sum += value;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_DatagramFullRecord_Reader(benchmark::State& state) { lf_readerOn(state, kFullRecord); }
void BM_DatagramFullRecord_BareSplit(benchmark::State& state) { lf_bareSplitOn(state, kFullRecord); }
void BM_DatagramShortRecord_Reader(benchmark::State& state) { lf_readerOn(state, kShortRecord); }
void BM_DatagramShortRecord_BareSplit(benchmark::State& state) { lf_bareSplitOn(state, kShortRecord); }
BENCHMARK(BM_DatagramFullRecord_Reader);
BENCHMARK(BM_DatagramFullRecord_BareSplit);
BENCHMARK(BM_DatagramShortRecord_Reader);
BENCHMARK(BM_DatagramShortRecord_BareSplit);

}  // namespace
