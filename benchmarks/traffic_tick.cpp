// One tick of the traffic manager (lf_handleAddingStack) with 100, 500 and
// 1000 live aircraft: nine in ten of them in the simulator, one in ten
// waiting in the buffer for their first report to come due, and two new
// reports of aircraft in the simulator taken in on every tick, as a busy
// feed delivers them. The whole tick must stay well inside its 10 ms.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <mutex>
#include <string>

#include "core/settings.h"
#include "records/clock.h"
#include "simlink/sim_commands.h"
#include "simlink/simlink_state.h"
#include "traffic/aircraft_records.h"
#include "traffic/intake/adding_stack.h"
#include "traffic/manager/tick_driver.h"
#include "traffic/manager/traffic_reset.h"
#include "traffic/traffic_state.h"
#include "traffic_setup.h"

namespace {

// Reports are queued, and the streams they grew trimmed, in batches outside
// the timing, so that every tick finds reports and no stream runs full.
constexpr std::int64_t kBatchTicks = 64;
constexpr double kSecondsBetweenReports = 5.0;

ReportBlock lf_block(std::uint32_t index) {
    ReportBlock block;
    block.latDeg = 47.0 + 0.001 * index;
    block.lonDeg = 8.0;
    block.altFt = 12000.0;
    block.groundSpeedKt = 110.0;  // below the steady-flight filter: every report is taken
    block.trackDeg = 90.0;
    block.airborne = true;
    block.playbackTick = 2'000'000'000;  // the buffered ones wait
    return block;
}

void lf_fillAircraft(std::uint32_t count) {
    gf_clearAllAircraft();
    liveAircraft.reserve(count);
    for (std::uint32_t index = 0; index < count; ++index) {
        LiveAc& aircraft = bench::addKlmAircraft(index, lf_block(index));
        if (index % 10 != 0) {
            aircraft.simState = SimState::Active;
            aircraft.objectId = 100 + index;
        }
    }
}

// Two reports per tick for the next aircraft in the simulator, round the list.
void lf_queueReports(std::uint32_t count, std::uint32_t& next, double& feedTimeS) {
    const std::lock_guard lock(feedMutex);
    for (std::int64_t report = 0; report < 2 * kBatchTicks; ++report) {
        do {
            next = (next + 1) % count;
        } while (next % 10 == 0);
        LiveAcUpdate update;
        update.strings = liveAircraft[next].identity.strings;
        update.block = lf_block(next);
        // Each report a little farther east, so that it joins the stream.
        update.block.lonDeg += 0.001 * (feedTimeS / kSecondsBetweenReports);
        update.aircraftId = bench::kFirstAircraftId + next;
        update.feedTimestampS = feedTimeS;
        addingStack.push(std::move(update));
    }
    feedTimeS += kSecondsBetweenReports;
}

void lf_trimStreams() {
    for (LiveAc& aircraft : liveAircraft) {
        aircraft.reports.resize(1);
    }
    const std::lock_guard lock(simQueueMutex);
    simCreateQueue.clear();
    simRemoveQueue.clear();
}

void BM_TrafficTick(benchmark::State& state) {
    const auto count = static_cast<std::uint32_t>(state.range(0));
    bench::quietTraffic();
    tickCounter = 0;
    lf_fillAircraft(count);
    std::uint32_t next = 0;
    double feedTimeS = 1000.0;
    std::int64_t ticks = 0;
    for (auto _ : state) {
        if (ticks++ % kBatchTicks == 0) {
            state.PauseTiming();
            lf_trimStreams();
            lf_queueReports(count, next, feedTimeS);
            state.ResumeTiming();
        }
        lf_handleAddingStack();
    }
    if (liveAircraft.size() != count) {
        state.SkipWithError("aircraft were lost on the way");
    }
    gf_clearAllAircraft();
}
BENCHMARK(BM_TrafficTick)->Arg(100)->Arg(500)->Arg(1000)->Unit(benchmark::kMicrosecond);

// The worst tick: every aircraft, buffered, comes due at once (as after a
// start, when the first reports of the whole radius play together), and each
// is dressed in its livery and spawned in this one tick, up to MAX_LIVE_SEL
// (500); each one beyond looks for a farther aircraft to replace and goes.
void BM_TrafficTickAllDue(benchmark::State& state) {
    const auto count = static_cast<std::uint32_t>(state.range(0));
    bench::quietTraffic();
    bench::buildOneLiveryCatalog();
    for (auto _ : state) {
        state.PauseTiming();
        lf_fillAircraft(count);
        // Each spawned aircraft joins the coupled-callsign queue, which the
        // work cycle serves and a start empties; left to grow over thousands
        // of ticks it would time the allocator's growing heap, not the tick.
        coupledCheckQueue.clear();
        for (LiveAc& aircraft : liveAircraft) {
            aircraft.simState = SimState::Buffer;
            aircraft.objectId = 0;
            aircraft.reports.front().playbackTick = 100;
            ReportBlock next = aircraft.reports.front();
            next.lonDeg += 0.01;
            next.playbackTick = 200;
            aircraft.reports.push_back(next);
        }
        tickCounter = 1;
        state.ResumeTiming();
        lf_handleAddingStack();
    }
    if (creationList.size() + 1 != std::min<std::size_t>(count, static_cast<std::size_t>(MAX_LIVE_SEL.value))) {
        state.SkipWithError("not every aircraft spawned");
    }
    gf_clearAllAircraft();
}
BENCHMARK(BM_TrafficTickAllDue)->Arg(100)->Arg(500)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
