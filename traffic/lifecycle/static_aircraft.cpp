#include "traffic/lifecycle/static_aircraft.h"

#include <algorithm>
#include <vector>

#include "airports/airports_state.h"
#include "core/format.h"
#include "core/log.h"
#include "core/settings.h"
#include "records/clock.h"
#include "records/week_slot.h"
#include "traffic/aircraft_records.h"
#include "traffic/lifecycle/aircraft_livery.h"
#include "traffic/removal.h"
#include "traffic/stand_lookup.h"
#include "traffic/stands/parked_fit.h"
#include "traffic/stands/stand_search.h"
#include "traffic/stream_geometry.h"
#include "traffic/traffic_state.h"
#include "ui/status/main_window.h"

namespace {

bool lf_isOnStandOrNeighbour(const ParkPosition& stand, std::uint32_t standId) {
    return standId == stand.standId ||
           std::find(stand.neighbourIds.begin(), stand.neighbourIds.end(), standId) != stand.neighbourIds.end();
}

void lf_logRefusal(const ParkPosition& stand, const ParkCandidate& candidate, const std::string& reason) {
    if (LOG.value) {
        gf_writeLogPlain(fmtlib::format("{:8}: no static parking for {}, {}", stand.name, candidate.callsign, reason));
    }
}

// A live aircraft parks on the stand or next to it, or a static aircraft
// stands there: the candidate is refused (logged while LOG is on).
bool lf_isStandOccupied(const ParkPosition& stand, const ParkCandidate& candidate) {
    const auto live = std::find_if(liveAircraft.begin(), liveAircraft.end(), [&](const LiveAc& aircraft) {
        return (aircraft.groundPhase == GroundPhase::Parked || aircraft.groundPhase == GroundPhase::Parking) &&
               lf_isOnStandOrNeighbour(stand, aircraft.standId);
    });
    if (live != liveAircraft.end()) {
        const std::string& callsign = live->identity.strings.callsign;
        lf_logRefusal(stand, candidate,
                      live->standId == stand.standId
                          ? fmtlib::format("live aircraft {} standing here", callsign)
                          : fmtlib::format("live aircraft {} is adjacent at {}, possibly colliding", callsign,
                                           gf_standName(live->standId)));
        return true;
    }
    const auto parked = std::find_if(parkedAircraft.begin(), parkedAircraft.end(), [&](const ParkedAc& aircraft) {
        return lf_isOnStandOrNeighbour(stand, aircraft.standId);
    });
    if (parked != parkedAircraft.end()) {
        lf_logRefusal(stand, candidate,
                      fmtlib::format("static aircraft {} is adjacent at {}, possibly colliding",
                                     parked->identity.strings.callsign, gf_standName(parked->standId)));
        return true;
    }
    return false;
}

// The next static id: 1 to 9999 and round again, never 0 (which the
// simulator link takes for no aircraft, so that its object would never be
// recognised) and never the id of a static aircraft that still exists.
std::uint32_t lf_nextStaticId() {
    for (std::uint32_t attempt = 0; attempt < kMaxStaticAircraftId; ++attempt) {
        staticAcCounter = staticAcCounter % (kMaxStaticAircraftId - 1) + 1;
        if (std::none_of(parkedAircraft.begin(), parkedAircraft.end(), [](const ParkedAc& aircraft) {
                return aircraft.identity.aircraftId == staticAcCounter;
            })) {
            break;
        }
    }
    return staticAcCounter;
}

AcIdentity lf_staticIdentity(const ParkCandidate& candidate, std::uint32_t aircraftId) {
    LiveAcStrings strings;
    strings.airline = candidate.airline;
    strings.type = candidate.type;
    strings.callsign = candidate.callsign.empty() ? fmtlib::format("{}{}{}", candidate.airline, aircraftId, "*")
                                                  : lf_detcs(candidate);
    strings.firstCallsign = candidate.callsign;
    strings.coupledCallsign = candidate.callsignSuffix;
    strings.registration = candidate.registration;
    AcIdentity identity = buildAcIdentity(strings);
    identity.aircraftId = aircraftId;
    identity.turnRateRad = identity.taxiTurnRateRad;
    identity.maxAltStepFt = gf_maxAltStepFt(identity.category);
    identity.standTaxiSpeedKt = gf_standTaxiSpeedKt(identity.category);
    return identity;
}

void lf_queueCreation(ParkedAc& aircraft) {
    CreateRequest request;
    request.initPos.latitudeDeg = aircraft.standLatDeg;
    request.initPos.longitudeDeg = aircraft.standLonDeg;
    request.initPos.headingDeg = aircraft.standHeadingRad * kDegreesPerRadian;
    request.initPos.onGround = 1;
    request.tailNumber = aircraft.identity.strings.callsign;
    request.liveryTitle = aircraft.identity.liveryTitle;
    request.aircraftId = aircraft.identity.aircraftId;
    staticCreateQueue.push_back(std::move(request));
}

}  // namespace

void createNextStaticAc() {
    if (parkCandidates.empty() || parkPositions.empty()) {
        return;
    }
    const ParkCandidate candidate = std::move(parkCandidates.back());
    parkCandidates.pop_back();
    const ParkPosition* stand = gf_findStandById(candidate.standId);
    if (stand == nullptr) {
        gf_writeLog(fmtlib::format("stand with id {} not found", candidate.standId));
        return;
    }
    if (lf_isStandOccupied(*stand, candidate)) {
        return;
    }
    ParkedAc& aircraft = parkedAircraft.emplace_back(lf_staticIdentity(candidate, lf_nextStaticId()),
                                                     gf_standPosition(*stand), stand->headingRad, stand->standId,
                                                     stand->cargo);
    if (!gf_matchStaticLivery(aircraft)) {
        parkedAircraft.pop_back();
        return;
    }
    aircraft.arrivalSlot = gf_weekSlotBack(currentWeekSlot.load(), static_cast<std::uint32_t>(std::max(candidate.fit, 0)));
    aircraft.simState = SimState::Adding2Sim;
    lf_queueCreation(aircraft);
}

std::string lf_detcs(const ParkCandidate& candidate) {
    const std::string& preferred = candidate.continues ? candidate.callsign : candidate.callsignSuffix;
    const std::string& other = candidate.continues ? candidate.callsignSuffix : candidate.callsign;
    std::string callsign = preferred.empty() ? other : preferred;
    if (callsign.empty()) {
        gf_writeLog(fmtlib::format("{} callsign is empty..", "lf_detcs"));
        return {};
    }
    while (callsign.ends_with('_')) {
        callsign.pop_back();
    }
    if (!callsign.ends_with('*')) {
        callsign += '*';
    }
    return callsign;
}

std::int64_t gf_countStaticParked(bool withStatistics) {
    std::vector<std::uint64_t> arrivals;
    for (const ParkedAc& aircraft : parkedAircraft) {
        if (aircraft.simState == SimState::Active || aircraft.simState == SimState::RemovingFromSim) {
            arrivals.push_back(aircraft.arrivalSlot);
        }
    }
    if (withStatistics && !WEEK.value) {
        gf_showAverageFit(MainWindow::averageFitStatic, arrivals);
    }
    return static_cast<std::int64_t>(arrivals.size());
}

void gf_removeAllStaticAircraft() {
    for (ParkedAc& aircraft : parkedAircraft) {
        if (aircraft.simState == SimState::Active || aircraft.simState == SimState::Adding2Sim) {
            removeAircraftFromSim(aircraft);
        }
    }
    std::erase_if(parkedAircraft, [](const ParkedAc& aircraft) { return aircraft.eraseRemoved || aircraft.eraseBuffered; });
}

void gf_removeAircraftAtStand(const std::string& standName) {
    const auto stand = gf_findStandByName(standName);
    if (stand == parkPositions.end()) {
        return;
    }
    const std::uint32_t standId = stand->standId;
    const auto parked = std::find_if(parkedAircraft.begin(), parkedAircraft.end(), [&](const ParkedAc& aircraft) {
        return aircraft.simState == SimState::Active && aircraft.standId == standId;
    });
    if (parked != parkedAircraft.end()) {
        removeAircraftFromSim(*parked);
        return;
    }
    const auto live = std::find_if(liveAircraft.begin(), liveAircraft.end(), [&](const LiveAc& aircraft) {
        return aircraft.simState == SimState::Active && aircraft.groundPhase == GroundPhase::Parked &&
               aircraft.standId == standId;
    });
    if (live != liveAircraft.end()) {
        removeAircraftFromSim(*live);
    }
}
