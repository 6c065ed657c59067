#include "traffic/removal.h"

#include <algorithm>
#include <exception>
#include <filesystem>

#include "airports/park_stands.h"
#include "core/format.h"
#include "core/log.h"
#include "core/settings.h"
#include "records/clock.h"
#include "simlink/flight_plans.h"
#include "simlink/sim_commands.h"
#include "simlink/simlink_state.h"
#include "traffic/active_live_count.h"
#include "traffic/aircraft_labels.h"
#include "traffic/stand_lookup.h"
#include "traffic/stream_geometry.h"
#include "traffic/traffic_state.h"
#include "ui/status/control_texts.h"
#include "ui/status/main_window.h"
#include "ui/status/window_updates.h"

namespace {

// A live aircraft whose create request is not built yet waits on the
// creation list: take it off.
bool lf_takeOffCreationList(std::uint32_t aircraftId) { return std::erase(creationList, aircraftId) > 0; }

void lf_clearStandMark(std::uint32_t standId) {
    if (ParkPosition* stand = gf_findStandById(standId)) {
        stand->liveOccupied = false;
    }
}

// The object answered for the "Oid:" box is leaving: the answer goes. True
// when it was this object.
bool lf_forgetLookedUpObject(std::uint32_t objectId) {
    if (objectId == 0 || lookedUpObjectId != objectId) {
        return false;
    }
    lookedUpObjectId = 0;
    MainWindow::oidAnswerText = "";
    gf_repaint(WindowRegion::ControlPanel);
    return true;
}

void lf_queueObjectRemoval(std::uint32_t objectId, const char* caller, const char* separator,
                           const AcIdentity& identity) {
    if (objectId != 0) {
        removalQueue.push_back(objectId);
    } else {
        gf_writeLog(fmtlib::format("{} removing act {}{} with objectid=0 ?", caller, gf_describeAc(identity), separator));
    }
}

template <class Record>
void lf_remove(Record& aircraft) {
    const std::uint32_t aircraftId = aircraft.identity.aircraftId;
    switch (aircraft.simState) {
        case SimState::Buffer: aircraft.eraseBuffered = true; return;
        case SimState::RemovingFromSim: return;
        default: break;
    }
    if (aircraft.removeWhenCreated) {
        return;
    }
    if (aircraft.simState == SimState::Adding2Sim) {
        const bool cancelled = lf_takeOffCreationList(aircraftId) ||
                               gf_cancelQueuedCreate(liveCreateQueue, aircraftId) ||
                               gf_cancelQueuedCreate(staticCreateQueue, aircraftId);
        (cancelled ? aircraft.eraseRemoved : aircraft.removeWhenCreated) = true;
        return;
    }
    const bool live = gf_isLiveAircraftId(aircraftId);
    if (live) {
        lf_clearStandMark(aircraft.standId);
    }
    const bool removalQueued = aircraft.simState == SimState::LiveryRespawn;
    gf_setSimState(aircraft, SimState::RemovingFromSim);
    if (live && lf_forgetLookedUpObject(aircraft.objectId) && !CALLSIGN_2_OBJECTID.value.empty()) {
        CALLSIGN_2_OBJECTID.value = "";
        gf_setTbText(CALLSIGN_2_OBJECTID);
    }
    if (!removalQueued) {
        lf_queueObjectRemoval(aircraft.objectId, "removeAircraftFromSim", ",", aircraft.identity);
    }
}

// A flight-plan file that cannot be deleted is left behind (the folder goes
// when the run closes down); the run goes on.
void lf_deleteFlightPlan(std::uint32_t objectId) {
    try {
        std::filesystem::remove(flightPlanFolder / gf_flightPlanFileName(objectId));
    } catch (const std::filesystem::filesystem_error& error) {
        gf_writeLog(fmtlib::format("{}: {}", "onObjectRemoved", error.what()));
    }
}

// The block the respawned aircraft is created from, due at once: parked, on
// its stand with its heading; else where it is now. That block takes the
// front block's place when blocks follow it. Appended behind them, as a
// block after the newest, it would send the new aircraft back to where its
// leg began and, past the newest block, back again to where it had been.
void lf_placeRespawnBlock(LiveAc& aircraft) {
    std::deque<ReportBlock>& reports = aircraft.reports;
    ReportBlock block = reports.at(0);
    block.playbackTick = tickCounter.load() + 1;
    const PositionBlock& position = aircraft.position;
    if (aircraft.groundPhase == GroundPhase::Parked) {
        reports.resize(1);
        reports.front().unmoved = true;
        reports.front().trackDeg = position.headingRad * kDegreesPerRadian;
        block.unmoved = true;
        reports.push_back(block);
        return;
    }
    const bool atFrontBlock =
        gf_isWithinDeg(gf_blockPosition(reports.front()), gf_aircraftPosition(aircraft), kSamePositionDeg);
    block.latDeg = position.latitudeDeg;
    block.lonDeg = position.longitudeDeg;
    block.bankRad = position.bankRad;
    block.altFt = position.altitudeFt;
    block.unmoved = atFrontBlock;
    if (reports.size() > 1) {
        reports.front() = block;
    } else {
        reports.front().unmoved = atFrontBlock;
        reports.push_back(block);
    }
}

}  // namespace

void removeAircraftFromSim(LiveAc& aircraft) { lf_remove(aircraft); }

void removeAircraftFromSim(ParkedAc& aircraft) { lf_remove(aircraft); }

void onObjectRemoved(std::uint32_t objectId) {
    if (objectId == 0) {
        return;
    }
    const auto live = std::find_if(liveAircraft.begin(), liveAircraft.end(),
                                   [&](const LiveAc& aircraft) { return aircraft.objectId == objectId; });
    if (live != liveAircraft.end()) {
        if (live->hasFlightPlan) {
            // The plan belongs to the object that is gone: a respawned
            // aircraft gets a new object and writes a plan of its own.
            lf_deleteFlightPlan(objectId);
            live->hasFlightPlan = false;
        }
        if (live->simState == SimState::LiveryRespawn) {
            gf_setSimState(*live, SimState::Buffer);
            live->throttleIndex = 5;
            live->flapsIndex = 4;
            live->objectId = 0;
            return;
        }
        liveAircraft.erase(live);
        return;
    }
    const auto parked = std::find_if(parkedAircraft.begin(), parkedAircraft.end(),
                                     [&](const ParkedAc& aircraft) { return aircraft.objectId == objectId; });
    if (parked != parkedAircraft.end()) {
        // The last record takes its place.
        if (parked != std::prev(parkedAircraft.end())) {
            *parked = std::move(parkedAircraft.back());
        }
        parkedAircraft.pop_back();
    }
}

void liveryRespawn(LiveAc& aircraft) {
    try {
        lf_placeRespawnBlock(aircraft);
        gf_setSimState(aircraft, SimState::LiveryRespawn);
        aircraft.respawnHeadingRad = aircraft.position.headingRad;
        if (lf_forgetLookedUpObject(aircraft.objectId)) {
            // The new object is looked up again by its callsign.
            CALLSIGN_2_OBJECTID.value = aircraft.identity.strings.callsign;
            gf_setTbText(CALLSIGN_2_OBJECTID);
        }
        lf_queueObjectRemoval(aircraft.objectId, "liveryRespawn", "", aircraft.identity);
    } catch (const std::exception& error) {
        gf_writeLog(fmtlib::format("{}: {}", "liveryRespawn", error.what()));
    }
}
