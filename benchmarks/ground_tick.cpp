// The worst tick of the ground traffic at a large airport: 100, 500 and 1000
// live aircraft at one airport with a stand for each, all due in one tick.
// One in five of each kind, each at its own stand:
//   - buffered, standing on its stand: spawned there after the stand and its
//     neighbours are checked (every other one under a ghost's callsign,
//     which asks for the live aircraft of the callsign without the mark),
//   - taxiing with its stream run out: it holds unless another taxiing
//     aircraft is close by,
//   - taxiing and stopping at its stand: it looks for the stand and parks,
//     after the holders of the stand and its neighbours are checked,
//   - parked, and pushing back: the holders of the stands around.
// The live limit is raised above the count so that every buffered aircraft
// reaches its stand; the whole tick must stay well inside its 10 ms.

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "airports/airport_list.h"
#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "airports/park_stands.h"
#include "core/settings.h"
#include "core/units.h"
#include "records/clock.h"
#include "simlink/simlink_state.h"
#include "traffic/aircraft_records.h"
#include "traffic/manager/tick_driver.h"
#include "traffic/manager/traffic_reset.h"
#include "traffic/traffic_state.h"
#include "traffic_setup.h"

namespace {

constexpr double kAirportLatDeg = 47.0;
constexpr double kAirportLonDeg = 8.0;
constexpr double kMetresPerDegLat = kMetresPerNm * 60.0;
// Stands in rows of 25, 60 m apart (two 737s side by side do not touch),
// the rows 150 m apart; the taxiing aircraft wait 75 m south of the row.
constexpr std::uint32_t kStandsPerRow = 25;
constexpr double kStandSpacingM = 60.0;
constexpr double kRowSpacingM = 150.0;
constexpr double kTaxiLineM = -75.0;
constexpr double kStandRadiusM = 30.0;
constexpr std::int32_t kNow = 1000;
constexpr std::int32_t kLater = 100000;

enum class Kind : std::uint32_t { Arriving, Taxiing, Parking, Parked, PushingBack };
constexpr std::uint32_t kKinds = 5;

GeoPosition lf_standSpot(std::uint32_t index, double metresNorth = 0.0) {
    const double northM = static_cast<double>(index / kStandsPerRow) * kRowSpacingM + metresNorth;
    const double eastM = static_cast<double>(index % kStandsPerRow) * kStandSpacingM;
    return {kAirportLatDeg + northM / kMetresPerDegLat,
            kAirportLonDeg + eastM / (kMetresPerDegLat * std::cos(kAirportLatDeg * kRadiansPerDegree))};
}

ReportBlock lf_groundBlock(const GeoPosition& at, std::int32_t tick, double speedKt) {
    ReportBlock block;
    block.latDeg = at.latDeg;
    block.lonDeg = at.lonDeg;
    block.altFt = 0.0;
    block.airborne = false;
    block.groundSpeedKt = speedKt;
    block.trueAirspeedKt = speedKt;
    block.unmoved = speedKt == 0.0;
    block.trackDeg = 90.0;
    block.playbackTick = tick;
    return block;
}

// A stand for each aircraft, ids 1, 2, ... as the stand-file reader numbers
// them and named by their id, each the neighbour of the stands beside it in its row.
void lf_loadStands(std::uint32_t count) {
    parkPositions.clear();
    parkPositions.reserve(count);
    for (std::uint32_t index = 0; index < count; ++index) {
        const GeoPosition spot = lf_standSpot(index);
        ParkPosition& stand = parkPositions.emplace_back(std::to_string(index + 1), std::vector<ParkOption>{},
                                                         spot.latDeg, spot.lonDeg, std::numbers::pi / 2,
                                                         kStandRadiusM, false, false, false);
        stand.standId = index + 1;
        if (index % kStandsPerRow != 0) {
            stand.neighbourIds.push_back(index);
        }
        if (index % kStandsPerRow != kStandsPerRow - 1 && index + 1 < count) {
            stand.neighbourIds.push_back(index + 2);
        }
    }
}

// The values the report intake gives a new aircraft on top of its identity.
LiveAc& lf_addAircraft(std::uint32_t index, const ReportBlock& block, const std::string& callsignSuffix = "") {
    LiveAc& aircraft = bench::addKlmAircraft(index, block, callsignSuffix);
    AcIdentity& identity = aircraft.identity;
    identity.turnRateRad = identity.taxiTurnRateRad;
    identity.maxAltStepFt = gf_maxAltStepFt(identity.category);
    identity.standTaxiSpeedKt = gf_standTaxiSpeedKt(identity.category);
    return aircraft;
}

void lf_makeActive(LiveAc& aircraft, std::uint32_t index, GroundPhase phase) {
    const ReportBlock& front = aircraft.reports.front();
    aircraft.simState = SimState::Active;
    aircraft.objectId = 100 + index;
    aircraft.onGround = true;
    aircraft.groundPhase = phase;
    aircraft.position.latitudeDeg = front.latDeg;
    aircraft.position.longitudeDeg = front.lonDeg;
    aircraft.position.headingRad = std::numbers::pi / 2;
}

void lf_fillAircraft(std::uint32_t count) {
    gf_clearAllAircraft();
    parkAirport.store(AirportRecord{"EZZZ", "", kAirportLatDeg, kAirportLonDeg, 0.0});
    parkingActive = true;
    lf_loadStands(count);
    liveAircraft.reserve(count);
    for (std::uint32_t index = 0; index < count; ++index) {
        const GeoPosition stand = lf_standSpot(index);
        switch (static_cast<Kind>(index % kKinds)) {
            case Kind::Arriving: {
                LiveAc& aircraft = lf_addAircraft(index, lf_groundBlock(stand, kNow, 0.0),
                                                         index % (2 * kKinds) == 0 ? "_" : "");
                aircraft.reports.push_back(lf_groundBlock(stand, kLater, 0.0));
                break;
            }
            case Kind::Taxiing: {
                LiveAc& aircraft = lf_addAircraft(index, lf_groundBlock(lf_standSpot(index, kTaxiLineM), kNow, 10.0));
                lf_makeActive(aircraft, index, GroundPhase::Taxi);
                break;
            }
            case Kind::Parking: {
                LiveAc& aircraft = lf_addAircraft(index, lf_groundBlock(lf_standSpot(index, -20.0), kNow, 5.0));
                aircraft.reports.push_back(lf_groundBlock(stand, kNow + 400, 0.0));
                lf_makeActive(aircraft, index, GroundPhase::Taxi);
                break;
            }
            case Kind::Parked:
            case Kind::PushingBack: {
                LiveAc& aircraft = lf_addAircraft(index, lf_groundBlock(stand, kLater, 0.0));
                lf_makeActive(aircraft, index,
                              index % kKinds == static_cast<std::uint32_t>(Kind::Parked) ? GroundPhase::Parked
                                                                                         : GroundPhase::PushingBack);
                aircraft.standId = index + 1;
                aircraft.standLatDeg = stand.latDeg;
                aircraft.standLonDeg = stand.lonDeg;
                break;
            }
        }
    }
}

std::size_t lf_countPhase(GroundPhase phase) {
    std::size_t count = 0;
    for (const LiveAc& aircraft : liveAircraft) {
        count += aircraft.groundPhase == phase ? 1 : 0;
    }
    return count;
}

void BM_GroundTickAllDue(benchmark::State& state) {
    const auto count = static_cast<std::uint32_t>(state.range(0));
    bench::quietTraffic();
    bench::buildOneLiveryCatalog();
    const std::int32_t liveLimit = MAX_LIVE_SEL.value;
    MAX_LIVE_SEL.value = static_cast<std::int32_t>(2 * count);
    for (auto _ : state) {
        state.PauseTiming();
        lf_fillAircraft(count);
        creationList.clear();
        liveCreateQueue.clear();
        coupledCheckQueue.clear();
        tickCounter = kNow;
        state.ResumeTiming();
        lf_handleAddingStack();
    }
    // Every arriving aircraft went onto its stand, every stopping one is on
    // its way onto its own.
    const std::size_t perKind = count / kKinds;
    if (creationList.size() + 1 != perKind || lf_countPhase(GroundPhase::Parking) != perKind ||
        lf_countPhase(GroundPhase::Parked) != 2 * perKind) {
        state.SkipWithError("the aircraft did not reach their stands");
    }
    MAX_LIVE_SEL.value = liveLimit;
    gf_clearAllAircraft();
}
BENCHMARK(BM_GroundTickAllDue)->Arg(100)->Arg(500)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
