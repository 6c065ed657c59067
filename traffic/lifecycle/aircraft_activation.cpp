#include "traffic/lifecycle/aircraft_activation.h"

#include <algorithm>
#include <mutex>
#include <optional>
#include <string>

#include "airports/park_stands.h"
#include "core/format.h"
#include "core/log.h"
#include "core/settings.h"
#include "platform/os/peer_path.h"
#include "records/clock.h"
#include "simlink/flight_plans.h"
#include "simlink/sim_client.h"
#include "simlink/sim_commands.h"
#include "simlink/simlink_state.h"
#include "traffic/active_live_count.h"
#include "traffic/aircraft_commands.h"
#include "traffic/aircraft_labels.h"
#include "traffic/removal.h"
#include "traffic/stands/static_parking.h"
#include "traffic/traffic_state.h"

namespace sc = platform::simconnect;

namespace {

// Object ids below this are never AI objects of ours.
constexpr std::uint32_t kLowestCreatedObjectId = 3;
// A created object is activated after this many ticks; a live one has its
// lights toggled at the two ticks before, so that they show.
constexpr std::int32_t kActivationTicks = 200;
constexpr std::int32_t kFirstLightsToggleTicks = 50;
constexpr std::int32_t kSecondLightsToggleTicks = 100;
// The entry is done (activated, or its record is gone) and leaves the list.
constexpr std::int32_t kFinished = -1;
// Landing and logo lights below this altitude; the cabin lit from this
// height above the ground up.
constexpr double kLandingLightsCeilingFt = 10000.0;
constexpr double kCabinLightsFloorFt = 2000.0;

bool lf_isRotorcraft(const LiveAc& aircraft) { return aircraft.identity.category == AircraftCategory::Rotorcraft; }

// Under simQueueMutex: asks once for the object's static centre of gravity
// and pitch.
void lf_requestStaticCg(std::uint32_t objectId) {
    const std::lock_guard lock(simQueueMutex);
    if (hSimConnect == nullptr) {
        return;
    }
    if (sc::SimConnect_RequestDataOnSimObject(hSimConnect, gf_simId(SimRequestId::StaticAttitude),
                                              gf_simId(SimDefinitionId::StaticAttitude), objectId,
                                              sc::Period::Once) < 0) {
        gf_writeLog("SimConnect request StaticCG fails");
        gf_reportSimConnectError();
    }
}

// Under simQueueMutex; true when the call took the flight plan. The path
// goes as the simulator, a program on this PC, opens a narrow path. A path
// without such a text is logged and not sent: the aircraft goes on as when
// the simulator refuses its plan, its file kept until it is removed.
bool lf_sendFlightPlan(const LiveAc& aircraft, const std::filesystem::path& path) {
    const std::optional<std::string> simPath = platform::narrowPathForPeer(path, sc::kPathFieldBytes);
    if (!simPath) {
        gf_writeLog(fmtlib::format("{} flight plan not sent: the simulator cannot open its path {}",
                                   gf_describeAcWithId(aircraft.identity), path.string()));
        return true;
    }
    const std::lock_guard lock(simQueueMutex);
    return hSimConnect != nullptr &&
           sc::SimConnect_AISetAircraftFlightPlan(hSimConnect, aircraft.objectId, simPath->c_str(),
                                                  gf_simId(SimRequestId::FlightPlan)) >= 0;
}

void lf_toggleAllLights(std::uint32_t objectId) {
    const std::lock_guard lock(simQueueMutex);
    if (hSimConnect == nullptr) {
        return;
    }
    if (sc::SimConnect_TransmitClientEvent(hSimConnect, objectId, gf_simId(SimEventId::AllLightsToggle), 0,
                                           kSimNotificationGroup, 0) < 0) {
        gf_writeLog("SimConnect gf_allLightsToggle fails");
        gf_reportSimConnectError();
    }
}

void lf_queueEvent(const LiveAc& aircraft, SimEventId event, std::uint32_t data) {
    gf_queueEvent({aircraft.objectId, event, data});
}

template <class Record>
Record* lf_findByAircraftId(std::vector<Record>& records, std::uint32_t aircraftId) {
    const auto found = std::find_if(records.begin(), records.end(), [&](const Record& record) {
        return record.identity.aircraftId == aircraftId;
    });
    return found == records.end() ? nullptr : &*found;
}

// The aircraft was marked while its creation was on its way: it leaves now
// that it exists. The mark is cleared first, as it would hold the removal
// back.
template <class Record>
void lf_removeIfMarked(Record& aircraft) {
    if (aircraft.removeWhenCreated) {
        aircraft.removeWhenCreated = false;
        removeAircraftFromSim(aircraft);
    }
}

void lf_activateStatic(CreatedEntry& entry) {
    ParkedAc* parked = lf_findByAircraftId(parkedAircraft, entry.aircraftId);
    if (parked == nullptr) {
        entry.counter = kFinished;  // its record is gone
        return;
    }
    parked->simState = SimState::Active;
    parked->objectId = entry.objectId;
    gf_setParkedState(*parked);
    entry.counter = kFinished;
    if (LOG.value) {
        gf_writeLogPlain(
            fmtlib::format("{:8}: {:8} parked", gf_standName(parked->standId), parked->identity.strings.callsign));
    }
    lf_removeIfMarked(*parked);
}

void lf_activateLive(CreatedEntry& entry) {
    LiveAc* aircraft = lf_findByAircraftId(liveAircraft, entry.aircraftId);
    if (aircraft == nullptr) {
        entry.counter = kFinished;  // its record is gone
        return;
    }
    activateLiveAc(*aircraft);
    entry.counter = kFinished;
    lf_removeIfMarked(*aircraft);
}

void lf_activateAirborne(LiveAc& aircraft) {
    lf_queueEvent(aircraft, SimEventId::EngineAutoStart, 0);
    if (!lf_isRotorcraft(aircraft)) {
        lf_queueEvent(aircraft, SimEventId::SpoilersSet, 0);
    }
    const std::uint32_t low = aircraft.position.altitudeFt <= kLandingLightsCeilingFt ? 1 : 0;
    const std::uint32_t cabin = aircraft.heightAboveGroundFt >= kCabinLightsFloorFt ? 1 : 0;
    gf_queueLightEvents(aircraft.objectId, {1, 1, low, 0, 1, low, cabin});
}

void lf_activateOnGround(LiveAc& aircraft) {
    const bool parked = aircraft.groundPhase == GroundPhase::Parked;
    const bool taxiing = aircraft.groundPhase == GroundPhase::Taxi;
    if (!lf_isRotorcraft(aircraft)) {
        lf_queueEvent(aircraft, SimEventId::SpoilersSet, 0);
    }
    lf_queueEvent(aircraft, parked ? SimEventId::EngineAutoShutdown : SimEventId::EngineAutoStart, 0);
    const std::uint32_t nav = !parked || NAV_LIGHTS_WHILE_PARKED.value ? 1 : 0;
    gf_queueLightEvents(aircraft.objectId, {nav, parked ? 0U : 1U, 0, taxiing ? 1U : 0U, 0, 1, 1});
    gf_setThrottle(aircraft, lf_isRotorcraft(aircraft) ? 4 : 0);
    gf_setFlaps(aircraft, taxiing ? 1 : 0);
}

}  // namespace

bool onAircraftCreated(LiveAc& aircraft, const SimResult& result) {
    if (result.objectId < kLowestCreatedObjectId) {
        return false;
    }
    aircraft.objectId = result.objectId;
    aircraft.heightAboveGroundFt = result.b;
    if (!aircraft.reports.empty() && !aircraft.reports.front().airborne) {
        parkNewAircraft(aircraft);
    }
    createFlightPlan(aircraft);
    lf_requestStaticCg(aircraft.objectId);
    return true;
}

void createFlightPlan(LiveAc& aircraft) {
    const LiveAcStrings& strings = aircraft.identity.strings;
    if (strings.origin.empty() || strings.destination.empty()) {
        return;
    }
    const std::filesystem::path path = flightPlanFolder / gf_flightPlanFileName(aircraft.objectId);
    const FlightPlanRoute route{aircraft.identity.category, strings.origin, strings.destination};
    const bool written = gf_writeFlightPlan(path, route);
    aircraft.hasFlightPlan = written && (!msfs2020Selected.load() || lf_sendFlightPlan(aircraft, path));
    if (!aircraft.hasFlightPlan) {
        if (written) {  // a plan the simulator was not given is not left behind
            gf_discardFlightPlan(path);
        }
        gf_writeLog(fmtlib::format("{} creating a flight plan failed", gf_describeAcWithId(aircraft.identity)));
    }
}

void parkNewAircraft(LiveAc& aircraft) {
    aircraft.onGround = true;
    if (!lf_isRotorcraft(aircraft)) {
        lf_queueEvent(aircraft, SimEventId::GearSet, 1);
    }
    aircraft.altStepFt = 0.0;
    aircraft.groundTicks = 1;
    if (aircraft.groundPhase != GroundPhase::Parked) {
        return;
    }
    const std::uint32_t standId = aircraft.standId;
    const std::string& callsign = aircraft.identity.strings.callsign;
    aircraft.arrivalSlot = currentWeekSlot.load();
    if (LOG.value) {
        gf_writeLogPlain(fmtlib::format("{:8}: {:8} parks", gf_standName(standId), callsign));
    }
    std::erase_if(parkCandidates, [&](const ParkCandidate& candidate) { return candidate.standId == standId; });
    const auto parked = std::find_if(parkedAircraft.begin(), parkedAircraft.end(), [&](const ParkedAc& record) {
        return record.simState == SimState::Active && record.standId == standId;
    });
    if (parked != parkedAircraft.end()) {
        gf_writeLogPlain(fmtlib::format("{:8}: {:8} parks over static {} \u2014 static will be removed",
                                   gf_standName(standId), callsign, parked->identity.strings.callsign));
        removeAircraftFromSim(*parked);
    }
}

void activateCreatedAircraft() {
    bool anyFinished = false;
    for (CreatedEntry& entry : createdList) {
        const bool live = entry.kind == SimResultKind::LiveCreated;
        if (entry.counter < kActivationTicks) {
            if (live && (entry.counter == kFirstLightsToggleTicks || entry.counter == kSecondLightsToggleTicks)) {
                lf_toggleAllLights(entry.objectId);
            }
            ++entry.counter;
            continue;
        }
        if (live) {
            lf_activateLive(entry);
        } else {
            lf_activateStatic(entry);
        }
        anyFinished = anyFinished || entry.counter == kFinished;
    }
    if (anyFinished) {
        std::erase_if(createdList, [](const CreatedEntry& entry) { return entry.counter == kFinished; });
    }
}

void activateLiveAc(LiveAc& aircraft) {
    const bool airborne = aircraft.reports.empty() ? !aircraft.onGround : aircraft.reports.front().airborne;
    if (airborne) {
        lf_activateAirborne(aircraft);
    } else {
        lf_activateOnGround(aircraft);
    }
    gf_setSimState(aircraft, SimState::Active);
}
