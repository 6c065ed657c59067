#include "traffic/lifecycle/park_airport_loading.h"

#include <algorithm>
#include <exception>

#include "airports/airports_state.h"
#include "airports/learned_airport_file.h"
#include "airports/park_airport_file.h"
#include "airports/park_airports.h"
#include "airports/park_stands.h"
#include "airports/stand_file_locations.h"
#include "core/format.h"
#include "core/settings.h"
#include "records/traffic_reader_state.h"
#include "simlink/simlink_state.h"
#include "simlink/user_aircraft.h"
#include "traffic/aircraft_records.h"
#include "traffic/lifecycle/live_aircraft_limit.h"
#include "traffic/lifecycle/static_aircraft.h"
#include "traffic/removal.h"
#include "traffic/stands/parking_renewal.h"
#include "traffic/stands/stand_search.h"
#include "traffic/stands/static_parking.h"
#include "traffic/traffic_state.h"
#include "ui/status/main_window.h"
#include "ui/status/parameter_controls.h"
#include "ui/status/window_updates.h"

namespace {

constexpr std::string_view kFunctionName = "lf_readParkedFile";
// A stand file that knows the real traffic this well, at an airport of this
// many stands, needs no soft options learned.
constexpr std::int32_t kWellKnownRealFactor = 45;
constexpr std::size_t kManyStands = 20;
// Shorter paths cannot name a publisher folder.
constexpr std::size_t kShortestPublisherPath = 7;

void lf_judgeSoftLearning() {
    if (parkQualityFactors.real >= kWellKnownRealFactor && parkPositions.size() >= kManyStands) {
        learnSoftAllowed = false;
        if (LEARN_SOFT.value) {
            LEARN_SOFT.value = false;  // for this airport only, not saved
            gf_setCheckBox(LEARN_SOFT);
            gf_enableControl(LEARN_SOFT, false);
            parkingParamsChanged = true;
        }
        return;
    }
    learnSoftAllowed = true;
    gf_enableControl(LEARN_SOFT, true);
}

// The stand the user stands at becomes the park airport's reserved stand.
void lf_reserveUserStand(const AirportRecord& airport) {
    if (!userOnGroundKnown) {
        return;
    }
    const std::string stand = gf_findStandAtPosition(gf_userPosition(runUserAcData));
    if (parkAirports.empty() || parkAirports.front().icao != airport.code) {
        parkAirports.push_front({airport.code, stand, airport.lat, airport.lon, 0.0});
        gf_saveParkAirportEntry();
        return;
    }
    ParkAirportEntry& front = parkAirports.front();
    if (!stand.empty() && stand != front.reservedStand) {
        front.reservedStand = stand;
        gf_saveParkAirportEntry();
    }
}

void lf_showReservedStand(const AirportRecord& airport) {
    if (parkAirports.empty() || parkAirports.front().icao != airport.code ||
        parkAirports.front().reservedStand.empty()) {
        reservedStandText = "";
        return;
    }
    const std::string& reserved = parkAirports.front().reservedStand;
    const bool known = gf_findStandByName(reserved) != parkPositions.end();
    reservedStandText = known ? reserved : std::string();
    MainWindow::reservedStandOk = known;
}

std::string lf_loadStandFile(const AirportRecord& airport) {
    const std::string path = findAirportFile(airport.code);
    if (path.empty()) {
        return fmtlib::format("{} {} not found", kFunctionName, airport.code);
    }
    if (path.size() >= kShortestPublisherPath && path.find("unknown") != std::string::npos) {
        return fmtlib::format("{} {} has publisher:{}, {}", kFunctionName, airport.code, "unknown", path);
    }
    parkAirportFile = AirportFileInfo{};
    std::string error = gf_readApf(path, parkAirportFile, parkQualityFactors);
    if (!error.empty()) {
        return error;
    }
    lf_judgeSoftLearning();
    lf_reserveUserStand(airport);
    parkPositions.shrink_to_fit();
    lf_showReservedStand(airport);
    return {};
}

bool lf_onTheGroundAtStands(const LiveAc& aircraft) {
    switch (aircraft.groundPhase) {
        case GroundPhase::PushingBack:
        case GroundPhase::PushedBack:
        case GroundPhase::Taxi:
        case GroundPhase::TakeOff:
        case GroundPhase::Parked: return true;
        default: return false;
    }
}

}  // namespace

std::string lf_readParkedFile() {
    parkPositions.clear();
    const AirportRecord airport = parkAirport.load();
    std::string error;
    try {
        error = lf_loadStandFile(airport);
    } catch (const std::exception& exception) {
        error = fmtlib::format("{} {}: {}", kFunctionName, airport.code, exception.what());
    }
    MainWindow::parkAirportLoaded = error.empty();
    MainWindow::parkInfoText = parkAirportFile.airportName;
    learnedUpdateCount = 0;
    gf_repaint(WindowRegion::Statistics);
    return error;
}

void clearParkAirport() {
    if (parkingActive && (parkingParamsChanged || learnedUpdateCount >= 1)) {
        saveLearnedAirportFile();
        learnedUpdateCount = 0;
    }
    learnedFileHandmade = false;
    parkingActive = false;
    rtTrafficWeek = 0;
    gf_enableControl(flushStaticButton, false);
    gf_enableControl(parking_percentage, false);
    if (LEARN_SOFT.value != userLearnSoft) {
        LEARN_SOFT.value = userLearnSoft.load();  // after the save: the airport's file keeps its own value
        gf_setCheckBox(LEARN_SOFT);
    }
    parkAirport = AirportRecord{};
    reservedStandText = "";
    staticRemovals.clear();
    parkCandidates.clear();
    parkPositions.clear();
    TrafficReaderState::parkAirportElevation = std::nullopt;
    MainWindow::parkInfoText = "";
    MainWindow::parkDetailText = "";
    MainWindow::parkAirportLoaded = false;
    MainWindow::handmadeFile = false;
    if (MainWindow::updateCount != 0) {
        MainWindow::updateCount = 0;
    }
    gf_repaint(WindowRegion::Statistics);
}

void gf_removeGroundAircraft() {
    parkCandidates.clear();
    gf_removeAllStaticAircraft();
    for (LiveAc& aircraft : liveAircraft) {
        if (!lf_onTheGroundAtStands(aircraft)) {
            continue;
        }
        if (aircraft.simState == SimState::Active || aircraft.simState == SimState::Adding2Sim) {
            removeAircraftFromSim(aircraft);
        }
        gf_clearStand(aircraft);
    }
    std::erase_if(liveAircraft, [](const LiveAc& aircraft) { return aircraft.eraseBuffered || aircraft.eraseRemoved; });
    clearParkAirport();
    if (static_cast<std::uint32_t>(MAX_LIVE_SEL.value.load()) != userMaxLiveSel) {
        MAX_LIVE_SEL.value = static_cast<std::int32_t>(userMaxLiveSel.load());
        gf_selectChoice(MAX_LIVE_SEL);
        gf_trimToMaxLiveAircraft();
    }
}
