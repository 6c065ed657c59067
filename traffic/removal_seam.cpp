#include "traffic/removal_seam.h"

#include <algorithm>

#include "airports/park_airports_seam.h"
#include "core/format.h"
#include "core/log.h"
#include "simlink/sim_commands.h"
#include "traffic/aircraft_labels.h"
#include "traffic/traffic_queues.h"

namespace {

// A live aircraft whose create request is not built yet waits on the
// creation list: take it off.
bool lf_takeOffCreationList(std::uint32_t aircraftId) {
    return std::erase(creationList, aircraftId) > 0;
}

void lf_clearStandMark(std::uint32_t standId) {
    if (standId == 0) {
        return;
    }
    const auto stand = std::find_if(parkPositions.begin(), parkPositions.end(),
                                    [&](const ParkPosition& position) { return position.standId == standId; });
    if (stand != parkPositions.end()) {
        stand->liveOccupied = false;
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
    if (gf_isLiveAircraftId(aircraftId)) {
        lf_clearStandMark(aircraft.standId);
    }
    const bool removalQueued = aircraft.simState == SimState::LiveryRespawn;
    aircraft.simState = SimState::RemovingFromSim;
    if (removalQueued) {
        return;
    }
    if (aircraft.objectId != 0) {
        removalQueue.push_back(aircraft.objectId);
    } else {
        gf_writeLog(fmtlib::format("{} removing act {}, with objectid=0 ?", "removeAircraftFromSim",
                                   gf_describeAc(aircraft.identity)));
    }
}

}  // namespace

void removeAircraftFromSim(LiveAc& aircraft) { lf_remove(aircraft); }

void removeAircraftFromSim(ParkedAc& aircraft) { lf_remove(aircraft); }

void liveryRespawn(LiveAc& /*aircraft*/) {}
