#include "simlink/frame_flush.h"

#include <mutex>

#include "core/calendar.h"
#include "core/format.h"
#include "core/log.h"
#include "simlink/object_identification.h"
#include "simlink/sim_client.h"
#include "simlink/sim_commands.h"
#include "simlink/simlink_state.h"
#include "ui/status/message_line.h"

namespace sc = platform::simconnect;

namespace {

// simQueueMutex held, for each step below.

void lf_discardQueues() {
    positionBuffers.front().clear();
    simEventQueue.clear();
    simCreateQueue.clear();
    simRemoveQueue.clear();
}

void lf_sendPositions() {
    const std::uint32_t userId = userObjectId;
    for (const PositionCmd& command : positionBuffers.front()) {
        if (command.objectId > userId) {
            sc::SimConnect_SetDataOnSimObject(hSimConnect, gf_simId(SimDefinitionId::AiPosition), command.objectId, 0,
                                              0, sizeof command.position, &command.position);
        }
    }
    positionBuffers.front().clear();
}

void lf_releaseControl(std::uint32_t objectId) {
    sc::SimConnect_AIReleaseControl(hSimConnect, objectId, gf_simId(SimRequestId::ReleaseControl));
}

// Flaps move only on an aircraft out of the simulator's AI control, so
// FLAPS_SET is wrapped in releases of control.
void lf_sendEvents() {
    for (const EventCmd& event : simEventQueue) {
        const bool flaps = event.eventId == SimEventId::FlapsSet;
        if (flaps) {
            lf_releaseControl(event.objectId);
        }
        if (sc::SimConnect_TransmitClientEvent(hSimConnect, event.objectId, gf_simId(event.eventId), event.data,
                                               kSimNotificationGroup, 0) < 0) {
            gf_showMessage(fmtlib::format("SimConnect TransmitClientEvent: {} fails", gf_simId(event.eventId)), true);
        } else if (flaps) {
            lf_releaseControl(event.objectId);
        }
    }
    simEventQueue.clear();
}

void lf_sendCreations() {
    for (const CreateRequest& request : simCreateQueue) {
        createAiAircraft(request);
    }
    simCreateQueue.clear();
}

void lf_sendRemovals() {
    const std::uint32_t userId = userObjectId;
    for (const std::uint32_t objectId : simRemoveQueue) {
        if (objectId <= userId) {
            gf_writeLog(fmtlib::format("SimConnect call to remove ac with objectid {}", objectId));
        } else if (sc::SimConnect_AIRemoveObject(hSimConnect, objectId, gf_simId(SimRequestId::RemoveObject)) < 0) {
            gf_writeLog(fmtlib::format("{} !SimConnect call to remove AI ac from sim failed, id {}?",
                                       gf_currentTimeOfDay(), objectId));
            gf_reportSimConnectError();
        }
    }
    simRemoveQueue.clear();
}

}  // namespace

void flushSimCommands() {
    const std::unique_lock lock(simQueueMutex, std::try_to_lock);
    if (!lock.owns_lock()) {
        return;
    }
    if (simRequestError) {
        lf_discardQueues();
        return;
    }
    lf_sendPositions();
    lf_sendEvents();
    lf_sendCreations();
    lf_sendRemovals();
}
