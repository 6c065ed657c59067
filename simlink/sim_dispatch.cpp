// onSimConnectDispatch: routes every record SimConnect delivers to its
// handler, on the link's thread.

#include <cstdint>

#include "core/format.h"
#include "core/log.h"
#include "core/run_flags.h"
#include "simlink/frame_flush.h"
#include "simlink/object_identification.h"
#include "simlink/sim_client.h"
#include "simlink/sim_identification.h"
#include "simlink/simlink_state.h"
#include "simlink/sim_results.h"
#include "simlink/user_aircraft.h"
#include "ui/status/main_window.h"
#include "ui/status/window_updates.h"

namespace sc = platform::simconnect;

namespace {

// Frames counted towards the next publication of the frame rate.
constexpr std::int32_t kFramesPerRateUpdate = 30;
std::int32_t frameCounter = 0;

// A new flight was loaded: the user's stand is kept and the run ends.
void lf_endRunForNewFlight() {
    gf_requestUserStandReservation();
    gf_requestRunStop(ClosingReason::NewFlight, 45);
}

void lf_onEvent(const sc::RecvEvent& event) {
    switch (static_cast<SimSystemEventId>(event.eventId)) {
        case SimSystemEventId::Sim:
            simRunning = event.data == 1;
            MainWindow::simRunningShown = event.data == 1;
            gf_repaint(WindowRegion::StatusBlock);
            return;
        case SimSystemEventId::FlightLoaded:
            gf_writeLogPlain("SimConnect: flight loaded event");
            lf_endRunForNewFlight();
            return;
        default: return;
    }
}

void lf_onObjectAddedOrRemoved(const sc::RecvEventObjectAddRemove& event) {
    if (event.objectType != sc::SimObjectType::Aircraft) {
        return;
    }
    switch (static_cast<SimSystemEventId>(event.eventId)) {
        case SimSystemEventId::ObjectAdded:
            if (event.data > userObjectId) {
                addedObjectIds.push_back(event.data);
            }
            return;
        case SimSystemEventId::ObjectRemoved:
            gf_pushSimResult({event.data, 0, 0, SimResultKind::Removed, 0.0, 0.0});
            return;
        default: return;
    }
}

void lf_onFrame(const sc::RecvEventFrame& frame) {
    flushSimCommands();
    if (++frameCounter == kFramesPerRateUpdate) {
        frameCounter = 0;
        simFrameRate = frame.frameRate;
    }
}

// The simulator quit: the run ends as for a lost connection.
void lf_onQuit() {
    simRunning = false;
    gf_handleSimDisconnected();
}

}  // namespace

void onSimConnectDispatch(const sc::Recv* message, std::uint32_t /*size*/, void* /*context*/) {
    if (message == nullptr) {
        return;
    }
    switch (message->id) {
        case sc::RecvId::Exception: onSimConnectException(*static_cast<const sc::RecvException*>(message)); return;
        case sc::RecvId::Open: onSimConnectOpen(*static_cast<const sc::RecvOpen*>(message)); return;
        case sc::RecvId::Quit: lf_onQuit(); return;
        case sc::RecvId::Event: lf_onEvent(*static_cast<const sc::RecvEvent*>(message)); return;
        case sc::RecvId::EventObjectAddRemove:
            lf_onObjectAddedOrRemoved(*static_cast<const sc::RecvEventObjectAddRemove*>(message));
            return;
        case sc::RecvId::EventFilename:
            gf_writeLog("SimConnect: New file event");
            lf_endRunForNewFlight();
            return;
        case sc::RecvId::EventFrame: lf_onFrame(*static_cast<const sc::RecvEventFrame*>(message)); return;
        case sc::RecvId::SimObjectData: onSimObjectData(*static_cast<const sc::RecvSimObjectData*>(message)); return;
        case sc::RecvId::SimObjectDataByType:
            onAircraftInRange(*static_cast<const sc::RecvSimObjectDataByType*>(message));
            return;
        default: break;
    }
    // Records of ids 12, 16 and 27 carry nothing the link uses.
    const auto id = static_cast<std::uint32_t>(message->id);
    if (id != 12 && id != 16 && id != 27) {
        gf_writeLogPlain(fmtlib::format("! Unknown Dispatch dwID {}", id));
    }
}
