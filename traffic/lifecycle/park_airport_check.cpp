#include "traffic/lifecycle/park_airport_check.h"

#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "airports/park_stands.h"
#include "core/format.h"
#include "simlink/parking_controls.h"
#include "simlink/simlink_state.h"
#include "simlink/user_aircraft.h"
#include "traffic/lifecycle/static_aircraft.h"
#include "traffic/stands/stand_search.h"
#include "ui/status/main_window.h"
#include "ui/status/window_updates.h"

namespace {

void lf_setReservedMark(const std::string& standName, bool reserved) {
    if (const auto stand = gf_findStandByName(standName); stand != parkPositions.end()) {
        stand->reserved = reserved;
    }
}

}  // namespace

bool gf_checkParkAirports(bool checkReservedStand, std::string& text) {
    if (!lf_readMyParkAirports()) {
        return false;
    }
    const std::string current = reservedStandText;
    if (checkReservedStand && userOnGroundKnown && !staticParkingBusy && !parkAirports.empty() &&
        parkAirports.front().icao == parkAirport.load().code && MainWindow::userStandText.empty()) {
        const std::string wanted = parkAirports.front().reservedStand;
        if (!wanted.empty() && wanted != current) {
            text = fmtlib::format("reserved stand changed from '{}' to '{}'", current, wanted);
            if (!current.empty()) {
                lf_setReservedMark(current, false);
            }
            reservedStandText = wanted;
            gf_removeAircraftAtStand(wanted);
            lf_setReservedMark(wanted, true);
            MainWindow::reservedStandOk = gf_findStandByName(wanted) != parkPositions.end();
            gf_repaint(WindowRegion::Statistics);
        }
    }
    if (text.empty()) {
        text = "park airports and stands are okay";
    }
    return true;
}
