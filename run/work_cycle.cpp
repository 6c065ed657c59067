#include "run/work_cycle.h"

#include <cmath>
#include <mutex>
#include <string>

#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "airports/park_stands.h"
#include "core/calendar.h"
#include "core/core_state.h"
#include "core/format.h"
#include "core/great_circle.h"
#include "core/log.h"
#include "core/run_flags.h"
#include "core/settings.h"
#include "core/units.h"
#include "liveries/livery_matching.h"
#include "records/clock.h"
#include "run/feed_readers.h"
#include "run/main_loop.h"
#include "run/run_state.h"
#include "run/run_traffic.h"
#include "run/traffic_reader.h"
#include "run/work_schedule.h"
#include "simlink/parking_controls.h"
#include "simlink/sim_commands.h"
#include "simlink/simlink_state.h"
#include "simlink/user_aircraft.h"
#include "traffic/aircraft_records.h"
#include "traffic/intake/adding_stack.h"
#include "traffic/lifecycle/collision_avoidance.h"
#include "traffic/lifecycle/live_aircraft_limit.h"
#include "traffic/lifecycle/livery_bookkeeping.h"
#include "traffic/lifecycle/matching_summary.h"
#include "traffic/lifecycle/replacement.h"
#include "traffic/lifecycle/static_aircraft.h"
#include "traffic/manager/tick_driver.h"
#include "traffic/removal.h"
#include "traffic/stands/coupled_callsigns.h"
#include "traffic/stands/parking_renewal.h"
#include "traffic/traffic_state.h"
#include "ui/destination.h"
#include "ui/radius.h"
#include "ui/status/main_window.h"
#include "ui/status/message_line.h"
#include "ui/status/parameter_controls.h"
#include "ui/status/window_updates.h"

namespace {

// Make-way margins on the ground: the two half spans, widened.
constexpr double kLiveGroundMargin = 1.15;
constexpr double kStaticGroundMargin = 1.1;
// A position counts as moved from 1e-8 degrees on.
constexpr double kMovedDeg = 1e-8;
// In the air: a live aircraft on the runway ahead of a user below 500 ft
// above ground, within 1 nm and 50 ft of the user's heading line ...
constexpr double kLowUserAglFt = 500.0;
constexpr double kRunwayReachNm = 1.0;
constexpr double kRunwayLineFt = 50.0;
// ... or an aircraft within 4 nm and 1000 ft of the user whose heading line
// passes within 700 ft of the user.
constexpr double kAirReachNm = 4.0;
constexpr double kAirLevelFt = 1000.0;
constexpr double kAirLineFt = 700.0;

// The first phase of a static renewal has been done; the 16-cycle static
// parking waits for the second.
bool renewalPrepared = false;
// The user position (degrees) when the ground test against static aircraft
// last ran.
GeoPosition lastCollisionCheckPosition;

bool lf_active(const auto& aircraft) { return aircraft.simState == SimState::Active; }

GeoPosition lf_position(const LiveAc& aircraft) {
    return {aircraft.position.latitudeDeg, aircraft.position.longitudeDeg};
}

bool lf_moved(const GeoPosition& from, const GeoPosition& to) {
    return std::abs(from.latDeg - to.latDeg) >= kMovedDeg || std::abs(from.lonDeg - to.lonDeg) >= kMovedDeg;
}

// Feet from the position at distanceNm and bearing difference angleRad to
// the line through the other end. |sin| does not change with whole turns,
// so the difference needs no wrapping.
double lf_lineDistanceFt(double distanceNm, double angleRad) {
    return distanceNm * std::abs(std::sin(angleRad)) * kFeetPerNm;
}

LiveAc* lf_findLive(auto matches) {
    for (LiveAc& aircraft : liveAircraft) {
        if (matches(aircraft)) {
            return &aircraft;
        }
    }
    return nullptr;
}

// One id of the coupled-check queue: the coupled callsign is looked for once
// per aircraft, then older namesakes make way.
void lf_serveCoupledCheck() {
    if (coupledCheckQueue.empty()) {
        return;
    }
    const std::uint32_t id = coupledCheckQueue.front();
    coupledCheckQueue.pop_front();
    LiveAc* aircraft = lf_findLive([id](const LiveAc& live) { return live.identity.aircraftId == id; });
    if (aircraft == nullptr) {
        return;
    }
    if (aircraft->identity.strings.firstCycleDone == 0) {
        lf_searchForCoupledCsAroundThisTime(currentWeekSlot, *aircraft);
        aircraft->identity.strings.firstCycleDone = 1;
    }
    gf_replaceSameRegOrCallsign(*aircraft, aircraft->onGround);
}

LiveAc* lf_findActiveCallsign(const std::string& callsign) {
    return lf_findLive(
        [&callsign](const LiveAc& live) { return lf_active(live) && live.identity.strings.callsign == callsign; });
}

void lf_serveObjectIdLookup() {
    if (!objectIdLookupRequested) {
        return;
    }
    // An emptied box or an unknown callsign clears the answer.
    const std::string callsign = CALLSIGN_2_OBJECTID.value;
    const LiveAc* aircraft = callsign.empty() ? nullptr : lf_findActiveCallsign(callsign);
    if (aircraft != nullptr) {
        lookedUpObjectId = aircraft->objectId;
    }
    MainWindow::oidAnswerText = aircraft != nullptr ? fmtlib::format("= {}", aircraft->objectId) : std::string{};
    gf_repaint(WindowRegion::ControlPanel);
    if (!callsign.empty() && aircraft == nullptr) {
        gf_showMessage(fmtlib::format("callsign '{}' is unknown", callsign), true);
    }
    objectIdLookupRequested = false;
}

void lf_serveFlushStatic() {
    if (!flushStaticRequested) {
        return;
    }
    gf_removeAllStaticAircraft();
    flushStaticRequested = false;
    if (!INITIAL_LOAD_ONLY.value) {
        INITIAL_LOAD_ONLY.value = true;  // not saved: for this run only
        gf_setCheckBox(INITIAL_LOAD_ONLY);
    }
}

// "Nav lights" switched: every parked aircraft, static or live, shows the
// new setting at once.
void lf_serveParkedLights() {
    if (!parkedLightsRequested.exchange(false)) {
        return;
    }
    const std::uint32_t on = NAV_LIGHTS_WHILE_PARKED.value ? 1 : 0;
    const std::lock_guard lock(simQueueMutex);
    for (const ParkedAc& aircraft : parkedAircraft) {
        if (lf_active(aircraft)) {
            gf_appendEventCmd({aircraft.objectId, SimEventId::NavLightsSet, on});
        }
    }
    for (const LiveAc& aircraft : liveAircraft) {
        if (lf_active(aircraft) && aircraft.groundPhase == GroundPhase::Parked) {
            gf_appendEventCmd({aircraft.objectId, SimEventId::NavLightsSet, on});
        }
    }
}

void lf_serveLiveTrim() {
    if (liveTrimRequested.exchange(false)) {
        gf_trimToMaxLiveAircraft();
    }
}

// The user aircraft on the ground: the first live aircraft on the ground
// too close makes way; when none did and the user moved, the first static
// one too close.
void lf_makeWayOnTheGround(const GeoPosition& user) {
    const double userHalfSpanNmNow = userHalfSpanNm;
    for (LiveAc& aircraft : liveAircraft) {
        if (!aircraft.onGround) {
            continue;
        }
        const double distanceNm = gf_greatCircleDistanceNm(user, lf_position(aircraft));
        if (lf_active(aircraft) && (userHalfSpanNmNow + aircraft.identity.halfSpanNm) * kLiveGroundMargin >= distanceNm) {
            removeAircraftFromSim(aircraft);
            return;
        }
    }
    if (!lf_moved(lastCollisionCheckPosition, user)) {
        return;
    }
    lastCollisionCheckPosition = user;
    for (ParkedAc& aircraft : parkedAircraft) {
        const double distanceNm = gf_greatCircleDistanceNm(user, {aircraft.standLatDeg, aircraft.standLonDeg});
        if ((userHalfSpanNmNow + aircraft.identity.halfSpanNm) * kStaticGroundMargin >= distanceNm &&
            lf_active(aircraft)) {
            removeAircraftFromSim(aircraft);
            return;
        }
    }
}

// The user aircraft in the air: a live aircraft on the runway ahead of a low
// user, or one whose path passes close to the user, makes way.
void lf_makeWayInTheAir(const GeoPosition& user) {
    const UserAcData& data = runUserAcData;
    for (LiveAc& aircraft : liveAircraft) {
        if (!lf_active(aircraft)) {
            continue;
        }
        const GeoPosition other = lf_position(aircraft);
        const double distanceNm = gf_greatCircleDistanceNm(user, other);
        const double bearingRad = gf_initialBearingRad(user, other);
        if (aircraft.onGround && data.altAboveGroundFt < kLowUserAglFt && distanceNm <= kRunwayReachNm &&
            lf_lineDistanceFt(distanceNm, bearingRad - data.headingRad) <= kRunwayLineFt) {
            removeAircraftFromSim(aircraft);
            return;
        }
        if (distanceNm <= kAirReachNm && std::abs(aircraft.position.altitudeFt - data.altitudeFt) < kAirLevelFt &&
            lf_lineDistanceFt(distanceNm, aircraft.position.headingRad - bearingRad) <= kAirLineFt) {
            removeAircraftFromSim(aircraft);
            return;
        }
    }
}

void lf_avoidUserCollisions() {
    const GeoPosition user = gf_userPosition(runUserAcData);
    if (userOnGround) {
        if (COLLISION_USER_GND.value) {
            lf_makeWayOnTheGround(user);
        }
    } else if (COLLISION_USER_AIR.value) {
        lf_makeWayInTheAir(user);
    }
}

void lf_avoidParkedCollisions() {
    if (!COLLISION_LIVE_PARKED_GND.value || parkedAircraft.empty()) {
        return;
    }
    for (LiveAc& aircraft : liveAircraft) {
        const bool taxiing = aircraft.groundPhase == GroundPhase::Taxi || aircraft.groundPhase == GroundPhase::Parking;
        if (aircraft.onGround && taxiing &&
            lf_moved({aircraft.collisionCheckLatDeg, aircraft.collisionCheckLonDeg}, lf_position(aircraft)) &&
            lf_active(aircraft)) {
            gf_removeForCollisionAvoidance(aircraft);
        }
    }
}

void lf_serveBlockCallsign() {
    if (!blockCallsignRequested) {
        return;
    }
    const std::string callsign = BLOCK_CALLSIGN.value;
    if (!callsign.empty()) {
        if (LiveAc* aircraft = lf_findActiveCallsign(callsign)) {
            removeAircraftFromSim(*aircraft);
        }
    }
    blockCallsignRequested = false;
}

// The static renewal in two phases 15 cycles apart: first the parking
// controls are locked and the callsigns of the next 15 cycles collected,
// then the calculation is applied.
void lf_serveRenewal() {
    if (!parkingRenewalRequested) {
        return;
    }
    if (!renewalPrepared) {
        renewalPrepared = true;
        gf_lockParkingControls();
        TrafficReader::callsignSet.clear();
        TrafficReader::collectCallsigns = true;
        return;
    }
    renewalPrepared = false;
    gf_clearError();
    gf_clearMessage();
    if (!parkAirport.load().code.empty() && !parkPositions.empty()) {
        gf_applyParkingAdjustments();
    }
    parkingRenewalRequested = false;
}

}  // namespace

void runCycle() {
    if (flightPaused) {
        flightPaused = false;
        gf_writeLog(fmtlib::format("{} Flight resumed", gf_currentTimeOfDay()));
        gf_setAcceptingFeed(true);
    }
    gf_countUpdateCycle();
    refreshAircraftCounts();
    gf_setCurrentWeekSlot();
    ++cycleCounter;
    lf_serveCoupledCheck();
    lf_serveObjectIdLookup();
    lf_serveFlushStatic();
    lf_serveParkedLights();
    lf_serveLiveTrim();
    gf_addDestinationParkAirport();
    lf_avoidUserCollisions();
    lf_avoidParkedCollisions();
    lf_serveBlockCallsign();
}

void runPeriodicWork() {
    const std::uint32_t cycle = cycleCounter;
    const PeriodicWork work = gf_periodicWorkAt(cycle);
    lf_serveRenewal();
    if (MainWindow::trafficReaderState == MainWindow::readerStale ||
        MainWindow::weatherReaderState == MainWindow::readerStale) {
        updateReaderLights();
    }
    if (work.autoRange && AUTO_RANGE.value) {
        gf_updateAutoRange();
    }
    if (work.renewalMinutes) {
        MainWindow::minutesToRenewal = gf_minutesToRenewal(cycle);
        gf_repaint(WindowRegion::ControlPanel);
    }
    if (work.renewalRequest) {
        gf_logUnmatched();
        if (parkingActive && !INITIAL_LOAD_ONLY.value && !parkingRenewalRequested) {
            parkingRenewalRequested = true;
        }
    }
    if (work.dayEnd) {
        cycleCounter = 0;
        gf_logLiveryMatchingSummary();
        keptLiveries.clear();
    }
}

void gf_removeStaticDuplicate() {
    if (parkedAircraft.empty() || liveAircraft.empty()) {
        return;
    }
    for (const LiveAc& live : liveAircraft) {
        if (!live.onGround || !lf_active(live)) {
            continue;
        }
        const std::string key = live.identity.strings.callsign + "*";
        const std::string& registration = live.identity.strings.registration;
        for (ParkedAc& parked : parkedAircraft) {
            const bool matches = parked.identity.strings.callsign == key ||
                                 (!registration.empty() && registration == parked.identity.strings.registration);
            if (matches && lf_active(parked)) {
                removeAircraftFromSim(parked);
                return;
            }
        }
    }
}

void gf_resetWorkCycle() {
    renewalPrepared = false;
    lastCollisionCheckPosition = {};
    coupledCheckQueue.clear();
    lookedUpObjectId = 0;
}

bool gf_renewalPrepared() { return renewalPrepared; }
