#include "traffic/lifecycle/park_airport_choice.h"

#include <cmath>

#include "airports/airport_list.h"
#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "airports/stand_file_locations.h"
#include "core/calendar.h"
#include "core/format.h"
#include "core/log.h"
#include "core/settings.h"
#include "records/sim_records.h"
#include "simlink/parking_controls.h"
#include "simlink/simlink_state.h"
#include "simlink/user_aircraft.h"
#include "traffic/lifecycle/park_airport_loading.h"
#include "traffic/lifecycle/static_aircraft.h"
#include "traffic/stands/live_parking.h"
#include "traffic/stands/static_parking.h"
#include "traffic/traffic_state.h"
#include "ui/status/main_window.h"
#include "ui/status/message_line.h"
#include "ui/status/window_updates.h"

namespace {

// The user moved when a coordinate changed by this much.
constexpr double kMovedDeg = 1e-8;

// Where the distances of the park airports were last worked out.
GeoPosition lastUserPosition;

bool lf_inSight(double distanceNm) {
    return AIRP_RANGE.value >= distanceNm && AIRP_HEIGHT.value >= runUserAcData.altAboveGroundFt;
}

void lf_refreshDistances(const GeoPosition& user) {
    const bool moved = std::abs(user.latDeg - lastUserPosition.latDeg) >= kMovedDeg ||
                       std::abs(user.lonDeg - lastUserPosition.lonDeg) >= kMovedDeg;
    const auto refresh = [&user](ParkAirportEntry& entry) {
        entry.distanceNm = gf_greatCircleDistanceNm(user, {entry.latDeg, entry.lonDeg});
    };
    if (!moved) {
        refresh(parkAirports.front());
        return;
    }
    lastUserPosition = user;
    for (ParkAirportEntry& entry : parkAirports) {
        refresh(entry);
    }
    // A destination stays the first candidate, however near the others are.
    if (DESTINATION.value.empty()) {
        parkAirports.sort(
            [](const ParkAirportEntry& a, const ParkAirportEntry& b) { return a.distanceNm < b.distanceNm; });
    }
}

void lf_loadChosenAirport() {
    gf_clearMessage();
    calculationPending = false;
    if (const std::string error = lf_readParkedFile(); !error.empty()) {
        gf_showMessage(error, true);
        clearParkAirport();
    } else {
        calculateStaticParking();
    }
    gf_enableControl(DESTINATION, true);
}

void lf_chooseOnTheGround(const GeoPosition& user, bool showMessage) {
    const AirportRecord* airport = findClosestAirport(user);
    if (airport == nullptr) {
        gf_showMessage("User aircraft on the ground, no airport in sight", true);
        return;
    }
    const std::string atAirport = fmtlib::format("User aircraft on the ground at {}", airport->code);
    if (!ensureAirportFile(airport->code)) {
        gf_showMessage(atAirport + ", no airport file found", true);
        return;
    }
    gf_writeLogPlain(atAirport);
    setParkAirport(airport->code);
    calculationPending = true;
    prepareStaticParking(showMessage);
}

void lf_chooseInTheAir() {
    gf_enableControl(DESTINATION, true);
    if (parkAirports.empty()) {
        return;
    }
    const ParkAirportEntry& front = parkAirports.front();
    if (lf_inSight(front.distanceNm) && setParkAirport(front.icao)) {
        gf_showMessage(fmtlib::format("{} in sight at {:.1F} nm", front.icao, front.distanceNm), true);
        calculationPending = true;
        prepareStaticParking(false);
    }
}

void lf_handleStaticParking(bool showMessage) {
    if (staticParkingBusy && parkCandidates.empty()) {
        gf_unlockParkingControls();
        gf_clearMessage();
        MainWindow::parkedStaticCount = gf_countStaticParked(true);
        MainWindow::parkedLiveCount = gf_countLiveParked(true);
        gf_repaint(WindowRegion::Statistics);
    }
    if (calculationPending) {
        lf_loadChosenAirport();
        return;
    }
    const GeoPosition user = gf_userPosition(runUserAcData);
    if (!gf_isPositionKnown(user)) {
        return;
    }
    if (!parkAirports.empty()) {
        lf_refreshDistances(user);
    }
    if (!parkAirport.load().code.empty()) {
        checkParkAirportInSight(user);
    } else {
        checkUserOnGround(user, showMessage);
    }
}

}  // namespace

void gf_handleStaticParking(bool showMessage) {
    try {
        lf_handleStaticParking(showMessage);
    } catch (const std::exception& error) {
        // A stand file that cannot be tested or a share of stands that does
        // not fit: this cycle's work is lost, the run goes on.
        gf_writeLog(fmtlib::format("{} exception: {}", "gf_handleStaticParking", error.what()));
    }
}

void checkUserOnGround(const GeoPosition& user, bool showMessage) {
    if (userOnGround) {
        lf_chooseOnTheGround(user, showMessage);
    } else {
        lf_chooseInTheAir();
    }
}

void checkParkAirportInSight(const GeoPosition& user) {
    if (userOnGround) {
        return;
    }
    const AirportRecord airport = parkAirport.load();
    const double distanceNm = gf_greatCircleDistanceNm(user, {airport.lat, airport.lon});
    if (!lf_inSight(distanceNm)) {
        gf_writeLogPlain(fmtlib::format("\n{} {} is out of sight ({:.1F} nm), parked aircraft will be removed",
                                        gf_feedTimeOfDay(), gf_iataSuffix(airport), distanceNm));
        gf_removeGroundAircraft();
        return;
    }
    if (parkAirports.empty() || parkAirports.front().icao == airport.code) {
        return;
    }
    const ParkAirportEntry& front = parkAirports.front();
    if (lf_inSight(front.distanceNm) && front.distanceNm <= distanceNm) {
        gf_writeLogPlain(fmtlib::format("\n{} {} is in sight ({:.1F} nm), parked aircraft at {} will be removed first",
                                        gf_feedTimeOfDay(), front.icao, front.distanceNm, gf_iataSuffix(airport)));
        gf_removeGroundAircraft();
    }
}

bool setParkAirport(const std::string& icao) {
    const AirportRecord* airport = gf_findAirportByCode(icao);
    if (airport == nullptr) {
        return false;
    }
    parkAirport = *airport;
    gf_writeLogPlain(fmtlib::format("\nThe park airport is {}", gf_iataSuffix(*airport)));
    return true;
}

void prepareStaticParking(bool showMessage) {
    gf_lockParkingControls();
    if (showMessage) {
        gf_showMessage("Calculating static parked aircraft ...", false);
    }
}
