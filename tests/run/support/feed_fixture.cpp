#include "run/support/feed_fixture.h"

#include <gmock/gmock.h>

#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "core/core_state.h"
#include "core/run_flags.h"
#include "core/settings.h"
#include "records/clock.h"
#include "records/qnh.h"
#include "run/feed_readers.h"
#include "run/program_start.h"
#include "run/run_state.h"
#include "run/traffic_reader.h"
#include "traffic/intake/adding_stack.h"
#include "traffic/traffic_state.h"
#include "ui/status/main_window.h"

namespace test {

std::string trafficRecord(std::initializer_list<std::pair<std::size_t, std::string>> replaced) {
    std::vector<std::string> fields{
        "RTTFC", "7867035", "47.4600", "8.5500", "3025", "-768", "1", "165.2", "142.5", "SWR12",
        "A320",  "HB-JLT",  "LHR",     "ZRH",    "1700000000.5", "x", "x", "adsb_icao", "", "",
        "150",   "",        "",        "-1.4",   "",     "163.9", "", "",  "A3"};
    for (const auto& [index, text] : replaced) {
        fields.at(index) = text;
    }
    std::string record;
    for (const auto& field : fields) {
        record += (record.empty() ? "" : ",") + field;
    }
    return record;
}

void expectLoggedOnly(const LogCapture& log, const std::string& line) {
    if (line.empty()) {
        EXPECT_THAT(log.lines(), testing::IsEmpty());
    } else {
        EXPECT_THAT(log.lines(), testing::ElementsAre(line));
    }
}

FeedTest::FeedTest() { resetFeed(); }

FeedTest::~FeedTest() { resetFeed(); }

void FeedTest::setParkAirport(double elevationFt) {
    parkAirport = AirportRecord{"LSZH", "ZRH", kParkAirportPosition.latDeg, kParkAirportPosition.lonDeg, elevationFt};
    TrafficReader::parkAirportElevation = elevationFt;
}

std::vector<LiveAcUpdate> FeedTest::takeReports() {
    const std::lock_guard lock(feedMutex);
    std::vector<LiveAcUpdate> reports;
    while (std::optional<LiveAcUpdate> report = addingStack.takeFront()) {
        reports.push_back(std::move(*report));
    }
    return reports;
}

void FeedTest::resetFeed() {
    gf_resetFeedState();
    gf_setAcceptingFeed(true);
    takeReports();
    tickCounter = kTestTick;
    trafficRadiusNm = 40.0;
    TrafficReader::referencePosition = kUserPosition;
    TrafficReader::parkAirportElevation = std::nullopt;
    TrafficReader::collectCallsigns = false;
    parkAirport = AirportRecord{};
    qnhForSim = kStandardQnhHpa;
    realTrafficOnThisPc = true;
    runStopRequested = false;
    userCloseRequested = false;
    closingReason = ClosingReason::NotYetSet;
    restartDelaySec = 0;
    MainWindow::rtConnected = false;
    MainWindow::qnh = 0;
    MainWindow::trafficReaderState = MainWindow::readerNotStarted;
    MainWindow::weatherReaderState = MainWindow::readerNotStarted;
    trafficReader.datagramCount = 0;
    trafficReader.lastSeenCount = 0;
}

}  // namespace test
