#include "traffic/manager/traffic_reset.h"

#include <filesystem>
#include <mutex>

#include "airports/airports_state.h"
#include "airports/learned_airport_file.h"
#include "airports/park_airports.h"
#include "airports/park_stands.h"
#include "records/clock.h"
#include "records/qnh.h"
#include "records/traffic_reader_state.h"
#include "simlink/parking_controls.h"
#include "simlink/sim_results.h"
#include "simlink/simlink_state.h"
#include "traffic/aircraft_records.h"
#include "traffic/intake/adding_stack.h"
#include "traffic/lifecycle/aircraft_activation.h"
#include "traffic/lifecycle/livery_bookkeeping.h"
#include "traffic/lifecycle/park_airport_choice.h"
#include "traffic/lifecycle/spawning.h"
#include "traffic/stands/live_parking.h"
#include "traffic/stands/parking_renewal.h"
#include "traffic/stands/stand_fit.h"
#include "traffic/stands/stand_search.h"
#include "traffic/stands/static_parking.h"
#include "traffic/traffic_state.h"
#include "ui/status/main_window.h"
#include "ui/status/window_updates.h"

namespace {

// The run's lookup of object ids by callsign, written for the user.
constexpr const char* kCallsignObjectIdFile = "Callsign2ObjectId.txt";

// Room that ordinary runs never outgrow.
constexpr std::size_t kLiveAircraftRoom = 512;
constexpr std::size_t kParkedAircraftRoom = 256;
constexpr std::size_t kStandRoom = 512;
constexpr std::size_t kSimResultRoom = 256;
constexpr std::size_t kCreatedListRoom = 128;
constexpr std::size_t kCreationListRoom = 64;
constexpr std::size_t kGhostCallsignRoom = 64;
constexpr std::size_t kLiveParkedRoom = 64;
constexpr std::size_t kParkCandidateRoom = 512;

bool containersReserved = false;

void lf_deleteCallsignObjectIdFile() { std::filesystem::remove(kCallsignObjectIdFile); }

// Sets a count the main window shows to 0, repainting its region only when
// it was not 0 already.
void lf_clearShownCount(std::atomic<std::int64_t>& count, WindowRegion region) {
    if (count.exchange(0) != 0) {
        gf_repaint(region);
    }
}

}  // namespace

void gf_reserveTrafficContainers() {
    if (containersReserved) {
        return;
    }
    containersReserved = true;
    liveAircraft.reserve(kLiveAircraftRoom);
    parkedAircraft.reserve(kParkedAircraftRoom);
    parkPositions.reserve(kStandRoom);
    {
        const std::lock_guard lock(simResultMutex);
        simResults.reserve(kSimResultRoom);
    }
    createdList.reserve(kCreatedListRoom);
    creationList.reserve(kCreationListRoom);
    ghostCallsigns.reserve(kGhostCallsignRoom);
    liveParkedList.reserve(kLiveParkedRoom);
    parkCandidates.reserve(kParkCandidateRoom);
    lf_deleteCallsignObjectIdFile();
}

void gf_clearAllAircraft() {
    gf_resetAirportsState();
    TrafficReaderState::parkAirportElevation = std::nullopt;
    lf_clearShownCount(MainWindow::liveCount, WindowRegion::StatusBlock);
    lf_clearShownCount(MainWindow::parkedStaticCount, WindowRegion::Statistics);
    lf_clearShownCount(MainWindow::parkedLiveCount, WindowRegion::Statistics);
    {
        const std::lock_guard lock(simResultMutex);
        simResults.clear();
    }
    gf_resetTrafficState();
    lf_deleteCallsignObjectIdFile();
    staticParkingBusy = false;
    gf_repaint(WindowRegion::Statistics);
    gf_forgetStandAtPosition();
    qnhForSim = kStandardQnhHpa;
    currentWeekSlot = 0;
}
