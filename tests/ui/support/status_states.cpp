#include "ui/support/status_states.h"

#include "airports/airport_list.h"
#include "airports/airports_state.h"
#include "airports/park_airport_file.h"
#include "airports/park_airports.h"
#include "ui/status/main_window.h"

namespace test {

void showFlightRunning() {
    MainWindow::simConnected = true;
    MainWindow::simRunningShown = true;
    MainWindow::simModeText = "MSFS 2020 (11.0.282174.999)";
    MainWindow::userTitleText = "Asobo A320 Neo";
}

void showRealTrafficConnected(std::uint32_t trafficState, std::uint32_t weatherState) {
    MainWindow::rtLightDark = false;
    MainWindow::rtConnected = true;
    MainWindow::trafficReaderState = trafficState;
    MainWindow::weatherReaderState = weatherState;
    MainWindow::qnh = 1013;
    MainWindow::liveCount = 27;
}

void showParkAirportLoaded() {
    parkAirport = AirportRecord{"EDDF", "FRA", 50.0333, 8.5706, 364.0};
    MainWindow::parkAirportLoaded = true;
    MainWindow::parkInfoText = "Frankfurt/Main";
    MainWindow::parkDetailText = "Aerosoft";
    rtTrafficWeek = 35;
    MainWindow::qfText = "85/92";
    MainWindow::updateCount = 12;
    MainWindow::standCount = 312;
    MainWindow::parkedLiveCount = 9;
}

void showStaticParkingDone() {
    MainWindow::softStandsUsed = true;
    reservedStandText = "V155";
    MainWindow::reservedStandOk = true;
    MainWindow::averageFitLive = 2.5F;
    MainWindow::maxParkCount = 150;
    MainWindow::maxParkPercent = 48;
    MainWindow::parkedStaticCount = 120;
    MainWindow::averageFitStatic = 3.0F;
}

}  // namespace test
