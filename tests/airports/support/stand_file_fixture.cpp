#include "airports/support/stand_file_fixture.h"

#include "airports/airport_list.h"
#include "airports/learned_airport_file.h"
#include "airports/park_airport_file.h"
#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "airports/park_stands.h"
#include "core/core_state.h"
#include "core/data_paths.h"
#include "core/format.h"
#include "core/meta_block.h"
#include "core/settings.h"
#include "liveries/aircraft_database.h"
#include "liveries/liveries_state.h"
#include "records/clock.h"
#include "run/traffic_reader.h"
#include "simlink/parking_controls.h"
#include "simlink/simlink_state.h"
#include "simlink/user_aircraft.h"
#include "traffic/aircraft_records.h"
#include "traffic/lifecycle/park_airport_choice.h"
#include "traffic/manager/tick_driver.h"
#include "traffic/stands/live_parking.h"
#include "traffic/stands/parking_renewal.h"
#include "traffic/stands/static_parking.h"
#include "traffic/traffic_state.h"
#include "ui/radius.h"
#include "ui/status/main_window.h"

namespace test {

const std::string kStandFileMeta = R"(<meta><info name="author" value="Vantrel"/>)"
                                   R"(<info name="date" value="2024-05-01"/>)"
                                   R"(<info name="version" value="11.0.3"/></meta>)";

namespace {

void lf_resetAirportState() {
    airportList.clear();
    airportsRead = false;
    reservedStandText = "";
    parkCandidates.clear();
    keptParked.clear();
    staticRemovals.clear();
    liveParkedList.clear();
    liveAircraft.clear();
    parkedAircraft.clear();
    calculationPending = false;
    userMaxLiveSel = 500;
    userLearnSoft = true;
    removalQueue.clear();
    learnSoftAllowed = false;
    parkQualityFactors = QualityFactors{};
    runUserAcData = UserAcData{};
    userOnGround = false;
    userOnGroundKnown = false;
    staticParkingBusy = false;
    currentWeekSlot = 0;
    MainWindow::parkAirportLoaded = false;
    MainWindow::parkInfoText = "";
    MainWindow::reservedStandOk = false;
    MainWindow::maxParkCount = 0;
    MainWindow::maxParkPercent = 0;
    MainWindow::softStandsUsed = false;
    MainWindow::userStandText = "";
    gf_resetAirportsState();
    learnedFileHandmade = false;
    parkAirportFile = AirportFileInfo{};
    parkingParamsChanged = false;
    parkingActive = false;
    rtTrafficWeek = 0;
    TrafficReader::parkAirportElevation = std::nullopt;
    MainWindow::standCount = 0;
    MainWindow::qfText = "";
    MainWindow::parkDetailText = "";
    MainWindow::handmadeFile = false;
    MAX_FIT_FL.value = MAX_FIT_FL.defaultValue;
    parking_percentage.value = parking_percentage.defaultValue;  // not in parameters.xml
    manualRadiusNm = RANGE.defaultValue;
    simulatorKind = "MSFS";
    dbase = DbaseTables{};
}

}  // namespace

std::string standFileParameters(const std::vector<std::pair<std::string, std::string>>& entries) {
    std::string xml = "<parameters>";
    for (const auto& [name, value] : entries) {
        xml += fmtlib::format(R"(<parameter name="{}" value="{}"/>)", name, value);
    }
    return xml + "</parameters>";
}

std::string parkposXml(const std::string& id, double latDeg, double lonDeg, double radiusMetres,
                       const std::string& extraAttributes, const std::string& options) {
    return fmtlib::format(
        R"(<parkpos id="{}" latitude="{:.6f}" longitude="{:.6f}" heading="90.0" radius="{:.1f}" {}>{}</parkpos>)", id,
        latDeg, lonDeg, radiusMetres, extraAttributes, options);
}

ParkPosition makeStand(const std::string& name, double latDeg, double lonDeg, double radiusMetres) {
    return ParkPosition(name, {}, latDeg, lonDeg, 0.0, radiusMetres, false, false, false);
}

ParkOption makeOption(const std::string& registration, const std::string& airline, const std::string& type,
                      std::int32_t day, std::initializer_list<std::size_t> halfHours) {
    ParkOption option;
    option.registration = registration;
    option.airline = airline;
    option.type = type;
    option.day = day;
    for (const std::size_t halfHour : halfHours) {
        option.timeSlots.set(halfHour);
    }
    option.sequence = 1;
    return option;
}

StandFileTest::StandFileTest() {
    lf_resetAirportState();
    for (const std::filesystem::path* airportsFolder :
         {&dataPaths.myThirdpartyFolder, &dataPaths.mySimaddonFolder, &dataPaths.learnedStockFolder,
          &dataPaths.learnedSimaddonFolder, &dataPaths.learnedThirdpartyFolder}) {
        std::filesystem::create_directories(*airportsFolder);
    }
}

StandFileTest::~StandFileTest() { lf_resetAirportState(); }

void StandFileTest::writeStandFile(const std::filesystem::path& path, const std::string& parameters,
                                   const std::string& parkposElements, const std::string& meta) {
    writeBytes(path, meta + parameters + "<parkpositions>" + parkposElements + "</parkpositions>");
}

void StandFileTest::setParkAirport(const std::string& code, double latDeg, double lonDeg) {
    parkAirport = AirportRecord{code, "", latDeg, lonDeg, 0.0};
}

}  // namespace test
