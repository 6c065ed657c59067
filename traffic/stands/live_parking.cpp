#include "traffic/stands/live_parking.h"

#include <algorithm>
#include <gsl/gsl>

#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "airports/park_stands.h"
#include "core/format.h"
#include "core/log.h"
#include "core/settings.h"
#include "records/clock.h"
#include "records/week_slot.h"
#include "traffic/aircraft_commands.h"
#include "traffic/aircraft_labels.h"
#include "traffic/removal.h"
#include "traffic/stand_lookup.h"
#include "traffic/stands/learned_updates.h"
#include "traffic/stands/parked_fit.h"
#include "traffic/stands/parked_time.h"
#include "traffic/stands/stand_fit.h"
#include "traffic/stands/stand_options.h"
#include "traffic/stream_geometry.h"
#include "traffic/traffic_state.h"
#include "ui/status/main_window.h"

namespace {

constexpr double kOnStandWithinNm = 0.0010799136069114472;  // 2 m
// Unconfirmed by reports, a parked aircraft stands no longer than this.
constexpr std::uint64_t kLongestParkedMinutes = 90;
constexpr std::uint64_t kLongestParkedHeavyMinutes = 180;
constexpr std::uint64_t kSecondsPerMinute = 60;

bool lf_isParkedActive(const LiveAc& aircraft) {
    return aircraft.simState == SimState::Active && aircraft.groundPhase == GroundPhase::Parked;
}

std::int64_t lf_countParkedActive() {
    return std::count_if(liveAircraft.begin(), liveAircraft.end(), lf_isParkedActive);
}

// The ids of the parked live aircraft, parked longest first.
std::vector<std::uint32_t> lf_longestParkedFirst() {
    struct Age {
        std::uint32_t aircraftId = 0;
        std::uint64_t secondsParked = 0;
    };
    std::vector<Age> ages;
    ages.reserve(liveAircraft.size());
    for (const LiveAc& aircraft : liveAircraft) {
        if (lf_isParkedActive(aircraft)) {
            ages.push_back({aircraft.identity.aircraftId, gf_secondsSince(aircraft.parkedSince)});
        }
    }
    std::stable_sort(ages.begin(), ages.end(),
                     [](const Age& a, const Age& b) { return a.secondsParked > b.secondsParked; });
    std::vector<std::uint32_t> ids;
    ids.reserve(ages.size());
    for (const Age& age : ages) {
        ids.push_back(age.aircraftId);
    }
    return ids;
}

template <class Record>
void lf_removeForMaxPark(Record& aircraft, const char* kind) {
    if (aircraft.simState != SimState::Active) {
        return;
    }
    if (LOG.value) {
        gf_writeLogPlain(fmtlib::format("{:8}: {} {} max park exceeded, removed", gf_standName(aircraft.standId),
                                        aircraft.identity.strings.callsign, kind));
    }
    removeAircraftFromSim(aircraft);
}

void lf_removeEarliestStatic() {
    const auto earliest = std::min_element(parkedAircraft.begin(), parkedAircraft.end(),
                                           [](const ParkedAc& a, const ParkedAc& b) {
                                               return gf_weekPlace(a.arrivalSlot) < gf_weekPlace(b.arrivalSlot);
                                           });
    if (earliest != parkedAircraft.end()) {
        lf_removeForMaxPark(*earliest, "static");
    }
}

}  // namespace

void lf_arriveAtStand(LiveAc& aircraft) {
    const GeoPosition stand{aircraft.standLatDeg, aircraft.standLonDeg};
    if (gf_greatCircleDistanceNm(gf_aircraftPosition(aircraft), stand) > kOnStandWithinNm) {
        gf_setGroundPhase(aircraft, GroundPhase::Taxi);
        return;
    }
    gf_setGroundPhase(aircraft, GroundPhase::Parked);
    aircraft.arrivalSlot = currentWeekSlot.load();
    if (aircraft.towed && LOG.value) {
        gf_writeLogPlain(fmtlib::format("          towed aircraft {} parks", gf_describeAc(aircraft.identity)));
    }
    if (!aircraft.reports.empty()) {
        aircraft.reports.back().unmoved = true;
    }
    aircraft.parkedSince = gf_systemTicksNow();
    aircraft.lastStandDistanceNm = 0.0;
    aircraft.standMoveCount = 0;
    lf_learnCargoAttribute(aircraft);
    gf_setParkedState(aircraft);
    if (LOG.value) {
        gf_writeLogPlain(fmtlib::format("{:8}: {:8} arrived at stand", gf_standName(aircraft.standId),
                                        aircraft.identity.strings.callsign));
    }
    coupledCheckQueue.push_back(aircraft.identity.aircraftId);
    if (!aircraft.identity.strings.airline.empty() && aircraft.identity.cargo == aircraft.cargoStand &&
        lt_addStandOption(aircraft.standId, aircraft, aircraft.arrivalSlot, false)) {
        gf_setStandOptionSlot(aircraft.identity.aircraftId, gf_halfHourOf(aircraft.arrivalSlot));
    }
    checkMaxPark(0);
}

std::int64_t gf_countLiveParked(bool withStatistics) {
    std::vector<std::uint64_t> arrivals;
    for (const LiveAc& aircraft : liveAircraft) {
        if (lf_isParkedActive(aircraft)) {
            arrivals.push_back(aircraft.arrivalSlot);
        }
    }
    if (withStatistics) {
        gf_showAverageFit(MainWindow::averageFitLive, arrivals);
    }
    return static_cast<std::int64_t>(arrivals.size());
}

void gf_collectLiveParked() {
    liveParkedList.clear();
    for (LiveAc& aircraft : liveAircraft) {
        if (!lf_isParkedActive(aircraft)) {
            continue;
        }
        if (aircraft.standConfirmed) {
            liveParkedList.push_back({aircraft.identity.strings.callsign, aircraft.standId, 0});
            continue;
        }
        const std::uint64_t minutes = gf_secondsSince(aircraft.parkedSince) / kSecondsPerMinute;
        const std::uint64_t longest =
            aircraft.identity.category == AircraftCategory::Heavy ? kLongestParkedHeavyMinutes : kLongestParkedMinutes;
        if (!INITIAL_LOAD_ONLY.value && minutes > longest) {
            removeAircraftFromSim(aircraft);
            continue;
        }
        liveParkedList.push_back({aircraft.identity.strings.callsign, aircraft.standId, gsl::narrow<std::int32_t>(minutes)});
    }
    std::stable_sort(liveParkedList.begin(), liveParkedList.end(),
                     [](const LiveParkedEntry& a, const LiveParkedEntry& b) { return a.minutesParked < b.minutesParked; });
}

void checkMaxPark(std::uint8_t extra) {
    const std::int64_t live = lf_countParkedActive() + extra;
    const std::int32_t wanted = MainWindow::maxParkCount;
    if (wanted < 1) {
        return;
    }
    if (!INITIAL_LOAD_ONLY.value && live > wanted) {
        const std::vector<std::uint32_t> longestFirst = lf_longestParkedFirst();
        if (!longestFirst.empty()) {
            lf_removeForMaxPark(*gf_findLiveAircraft(longestFirst.front()), "live");
        }
    }
    const auto staticParked = std::count_if(parkedAircraft.begin(), parkedAircraft.end(), [](const ParkedAc& parked) {
        return parked.simState == SimState::Active || parked.simState == SimState::RemovingFromSim;
    });
    if (staticParked + live > wanted) {
        lf_removeEarliestStatic();
    }
}

void gf_removeLiveParked(std::size_t count) {
    std::vector<std::uint32_t> longestFirst = lf_longestParkedFirst();
    longestFirst.resize(std::min(count, longestFirst.size()));
    for (const std::uint32_t aircraftId : longestFirst) {
        LiveAc& aircraft = *gf_findLiveAircraft(aircraftId);
        if (LOG.value) {
            gf_writeLogPlain(fmtlib::format("live parked {} at {} removed", gf_describeAc(aircraft.identity),
                                            gf_standName(aircraft.standId)));
        }
        removeAircraftFromSim(aircraft);
    }
}

void lf_learnCargoAttribute(LiveAc& aircraft) {
    ParkPosition* stand = gf_findStandById(aircraft.standId);
    const AircraftCategory category = aircraft.identity.category;
    if (stand == nullptr || !stand->cargo || !aircraft.cargoStand || aircraft.identity.cargo ||
        (category != AircraftCategory::Large && category != AircraftCategory::Heavy)) {
        return;
    }
    stand->cargo = false;
    stand->cargoChanged = true;
    gf_countLearnedUpdate();
    gf_writeLog(fmtlib::format("{} stand: {}, cargo attribute set to false, {} parked here", parkAirport.load().code,
                               stand->name, gf_describeAc(aircraft.identity)));
}
