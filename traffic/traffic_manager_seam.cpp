#include "traffic/traffic_manager_seam.h"

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <optional>

#include "airports/park_airports_seam.h"
#include "core/data_paths.h"
#include "platform/window/user32.h"
#include "run/adding_stack.h"
#include "run/main_loop.h"
#include "run/qnh_reader.h"
#include "run/realtraffic_link.h"
#include "run/run_traffic.h"
#include "run/traffic_reader.h"
#include "simlink/parking_controls.h"
#include "simlink/sim_results.h"
#include "simlink/user_aircraft.h"
#include "traffic/tick_driver_seam.h"
#include "ui/main_window.h"

std::vector<LiveAc> liveAircraft;
std::vector<ParkedAc> parkedAircraft;
std::deque<CreateRequest> liveCreateQueue;
std::unordered_map<std::uint32_t, std::string_view> keptLiveries;
std::vector<std::string> ghostCallsigns;

namespace {

constexpr std::size_t kLiveAircraftRoom = 512;
constexpr std::size_t kParkedAircraftRoom = 256;
constexpr int kReportsPerTick = 2;
constexpr std::int32_t kUserStateTicks = 100;  // one second

void lf_removeCallsignObjectIdFile() {
    std::filesystem::remove(dataPaths.callsignObjectIdFile);  // throws the error of "remove"
}

template <class Aircraft>
void lf_markRemoved(Aircraft& aircraft) {
    aircraft.simState = SimState::RemovingFromSim;
    aircraft.eraseRemoved = 1;
}

}  // namespace

void gf_reserveTrafficContainers() {
    static bool reserved = false;
    if (!reserved) {
        liveAircraft.reserve(kLiveAircraftRoom);
        parkedAircraft.reserve(kParkedAircraftRoom);
        reserved = true;
    }
    lf_removeCallsignObjectIdFile();
}

void gf_clearAllAircraft() {
    parkAirport = AirportRecord{};
    TrafficReader::parkAirportElevation = std::nullopt;
    MainWindow::liveCount = 0;
    MainWindow::parkedLiveCount = 0;
    MainWindow::parkedStaticCount = 0;
    InvalidateRect(MainWindow::hwnd, &MainWindow::statusBlockRect, TRUE);
    InvalidateRect(MainWindow::hwnd, &MainWindow::statisticsRect, TRUE);
    {
        const std::lock_guard lock(simResultMutex);
        simResults.clear();
    }
    ghostCallsigns.clear();
    keptLiveries.clear();
    parkAirports.clear();
    liveCreateQueue = {};
    parkedAircraft.clear();
    {
        const std::lock_guard lock(feedMutex);
        addingStack = {};
    }
    lf_removeCallsignObjectIdFile();
    staticParkingBusy = false;
    lookedUpObjectId = 0;
    liveAircraft.clear();
    qnhForSim = kStandardQnhHpa;
    currentWeekSlot = 0;
}

void lf_handleAddingStack() {
    gf_processSimResults();
    {
        const std::lock_guard lock(feedMutex);
        for (int report = 0; report < kReportsPerTick && !addingStack.empty(); ++report) {
            addingStack.pop_front();
        }
    }
    if (tickCounter % kUserStateTicks == 0) {
        gf_sendQs121();
        runUserAcData = gf_requestUserAircraftData();
    }
    ++tickCounter;
}

void gf_processSimResults() {
    const std::lock_guard lock(simResultMutex);
    simResults.clear();
}

void removeAircraftFromSim(LiveAc& aircraft) { lf_markRemoved(aircraft); }

void removeAircraftFromSim(ParkedAc& aircraft) { lf_markRemoved(aircraft); }

void gf_removeAircraftAtStand(const std::string& /*standName*/) {}

void gf_removeAllStaticAircraft() {
    for (ParkedAc& aircraft : parkedAircraft) {
        removeAircraftFromSim(aircraft);
    }
    parkedAircraft.clear();
}

void gf_replaceSameRegOrCallsign(LiveAc& /*aircraft*/, bool /*onGround*/) {}

void lf_searchForCoupledCsAroundThisTime(std::uint64_t /*weekSlot*/, LiveAc& /*aircraft*/) {}

void gf_removeForCollisionAvoidance(LiveAc& aircraft) {
    aircraft.collisionCheckLatitude = aircraft.position.latitudeDeg;
    aircraft.collisionCheckLongitude = aircraft.position.longitudeDeg;
}

std::int64_t gf_countLiveParked(bool /*withStatistics*/) {
    return std::count_if(liveAircraft.begin(), liveAircraft.end(), [](const LiveAc& aircraft) {
        return aircraft.simState == SimState::Active && aircraft.groundPhase == GroundPhase::Parked;
    });
}

std::int64_t gf_countStaticParked(bool /*withStatistics*/) {
    return std::count_if(parkedAircraft.begin(), parkedAircraft.end(),
                         [](const ParkedAc& aircraft) { return aircraft.simState == SimState::Active; });
}

void gf_logUnmatched() {}
