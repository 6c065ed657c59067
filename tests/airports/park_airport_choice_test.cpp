// Choosing the park airport once per work cycle: on the ground where the
// user stands, in the air the front park airport once in sight; loading its
// stand file on the next cycle, and leaving it when it goes out of sight.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "airports/airport_list.h"
#include "airports/learned_airport_file.h"
#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "airports/support/stand_file_fixture.h"
#include "core/data_paths.h"
#include "core/format.h"
#include "core/great_circle.h"
#include "core/settings.h"
#include "simlink/parking_controls.h"
#include "simlink/simlink_state.h"
#include "simlink/user_aircraft.h"
#include "traffic/aircraft_records.h"
#include "traffic/lifecycle/park_airport_choice.h"
#include "traffic/lifecycle/park_airport_loading.h"
#include "traffic/manager/tick_driver.h"
#include "traffic/stands/static_parking.h"
#include "traffic/traffic_state.h"
#include "ui/status/main_window.h"

namespace {

using testing::Contains;
using testing::HasSubstr;
using testing::Not;

// One nautical mile is one minute of latitude.
constexpr double kDegreesPerNm = 1.0 / 60.0;
constexpr double kEhamLat = 52.31;
constexpr double kEhamLon = 4.76;

class ParkAirportChoice : public test::StandFileTest {
protected:
    ParkAirportChoice() {
        airportList = {{"EHAM", "AMS", kEhamLat, kEhamLon, -11.0}, {"EHRD", "RTM", 51.95, 4.44, -15.0}};
        airportsRead = true;
        parkAirports = {{"EHAM", "", kEhamLat, kEhamLon, 0.0}};
        AIRP_RANGE.value = 10;
        AIRP_HEIGHT.value = 2000;
    }

    // The user aircraft nm north of Schiphol, ft above the ground.
    static void placeUser(double nmNorth, double aboveGroundFt, bool onGround) {
        runUserAcData.latitudeDeg = kEhamLat + nmNorth * kDegreesPerNm;
        runUserAcData.longitudeDeg = kEhamLon;
        runUserAcData.altAboveGroundFt = aboveGroundFt;
        userOnGround = onGround;
    }

    void writeEhamStandFile(const std::string& realFactor = "-1", std::size_t standCount = 2) {
        std::string stands;
        for (std::size_t index = 0; index < standCount; ++index) {
            stands += test::parkposXml(fmtlib::format("S{}", index), kEhamLat + 0.01 * static_cast<double>(index),
                                       kEhamLon, 20.0);
        }
        writeStandFile(dataPaths.myThirdpartyFolder / "EHAM.xml",
                       test::standFileParameters(
                           {{"airport_name", "Schiphol"}, {"altitude", "-11"}, {"Qf_real", realFactor}}),
                       stands);
    }
};

TEST_F(ParkAirportChoice, OnTheGroundTheAirportIsChosenThenLoadedAndCalculatedOnTheNextCycle) {
    writeEhamStandFile();
    placeUser(0.5, 0.0, true);

    gf_handleStaticParking(true);
    EXPECT_EQ(parkAirport.load().code, "EHAM");
    EXPECT_TRUE(calculationPending);
    EXPECT_TRUE(staticParkingBusy);
    EXPECT_FALSE(parkingActive);
    EXPECT_THAT(log.lines(), Contains("User aircraft on the ground at EHAM"));
    EXPECT_THAT(log.lines(), Contains("The park airport is EHAM (AMS)"));

    gf_handleStaticParking(true);
    EXPECT_FALSE(calculationPending);
    EXPECT_TRUE(parkingActive);
    EXPECT_TRUE(MainWindow::parkAirportLoaded);
    EXPECT_EQ(MainWindow::parkInfoText.load(), "Schiphol");
    EXPECT_EQ(parkPositions.size(), 2U);
    // No option fits: nothing to create, the controls are free again.
    EXPECT_THAT(log.lines(), Contains("no parking positions found"));
    EXPECT_FALSE(staticParkingBusy);
}

TEST_F(ParkAirportChoice, OnTheGroundWithoutAStandFileNothingIsChosen) {
    placeUser(0.5, 0.0, true);
    gf_handleStaticParking(true);
    EXPECT_EQ(MainWindow::messageText, "User aircraft on the ground at EHAM, no airport file found");
    EXPECT_TRUE(parkAirport.load().code.empty());
    EXPECT_FALSE(calculationPending);

    placeUser(30.0, 0.0, true);
    gf_handleStaticParking(true);
    EXPECT_EQ(MainWindow::messageText, "User aircraft on the ground, no airport in sight");
}

TEST_F(ParkAirportChoice, InTheAirTheFrontParkAirportIsChosenOnlyWithinRangeAndHeight) {
    struct Case {
        double nmNorth;
        double aboveGroundFt;
        bool chosen;
    };
    const Case cases[] = {{9.9, 2000.0, true}, {10.1, 500.0, false}, {5.0, 2001.0, false}};
    for (const Case& c : cases) {
        parkAirport = AirportRecord{};
        calculationPending = false;
        placeUser(c.nmNorth, c.aboveGroundFt, false);
        gf_handleStaticParking(true);
        EXPECT_EQ(parkAirport.load().code, c.chosen ? "EHAM" : "") << c.nmNorth << " nm " << c.aboveGroundFt << " ft";
        EXPECT_EQ(calculationPending, c.chosen);
    }
    EXPECT_THAT(log.lines(), Contains("EHAM in sight at 9.9 nm"));
}

TEST_F(ParkAirportChoice, InTheAirTheParkAirportIsLeftOutOfSightOrForANearerOneAtTheSameDistance) {
    struct Case {
        double nmNorth;
        double aboveGroundFt;
        const char* front;  // the front park airport, at the park airport's distance
        bool left;
    };
    const Case cases[] = {
        {5.0, 1000.0, "EHAM", false},  {11.0, 1000.0, "EHAM", true}, {5.0, 2500.0, "EHAM", true},
        {5.0, 1000.0, "EHRD", true},  // another park airport in sight, not farther
    };
    for (const Case& c : cases) {
        ::setParkAirport("EHAM");
        placeUser(c.nmNorth, c.aboveGroundFt, false);
        parkAirports = {{c.front, "", kEhamLat, kEhamLon, 0.0}};
        DESTINATION.value = "EHAM";  // keeps the list's order and distances
        parkAirports.front().distanceNm = c.nmNorth;
        gf_handleStaticParking(false);
        EXPECT_EQ(parkAirport.load().code.empty(), c.left) << c.nmNorth << " nm " << c.front;
    }
    EXPECT_THAT(log.lines(), Contains(HasSubstr("EHAM (AMS) is out of sight (11.0 nm), parked aircraft will be removed")));
    EXPECT_THAT(log.lines(),
                Contains(HasSubstr("EHRD is in sight (5.0 nm), parked aircraft at EHAM (AMS) will be removed first")));
}

TEST_F(ParkAirportChoice, WithoutADestinationTheListIsSortedByDistanceAsTheUserMoves) {
    parkAirports = {{"EHRD", "", 51.95, 4.44, 0.0}, {"EHAM", "", kEhamLat, kEhamLon, 0.0}};
    placeUser(1.0, 30000.0, false);
    gf_handleStaticParking(false);
    EXPECT_EQ(parkAirports.front().icao, "EHAM");
    EXPECT_NEAR(parkAirports.front().distanceNm, 1.0, 1e-3);

    DESTINATION.value = "EHRD";
    gf_addParkAirport("EHRD", {51.95, 4.44});
    placeUser(2.0, 30000.0, false);
    gf_handleStaticParking(false);
    EXPECT_EQ(parkAirports.front().icao, "EHRD");
}

TEST_F(ParkAirportChoice, DistancesToADestinationFollowTheUser) {
    // The user flies at 1000 ft north of Schiphol and types Rotterdam, some
    // 24 nm away, as destination; then flies to 3 nm north of Rotterdam.
    const GeoPosition rotterdam{51.95, 4.44};
    struct Step {
        GeoPosition user;
        std::string parkAirport;  // after the cycle
    };
    const Step steps[] = {
        {{kEhamLat + 12.0 * kDegreesPerNm, kEhamLon}, ""},
        {{kEhamLat + 13.0 * kDegreesPerNm, kEhamLon}, ""},
        {{kEhamLat + 14.0 * kDegreesPerNm, kEhamLon}, ""},
        {{rotterdam.latDeg + 3.0 * kDegreesPerNm, rotterdam.lonDeg}, "EHRD"},
    };
    placeUser(11.0, 1000.0, false);
    gf_handleStaticParking(false);
    DESTINATION.value = "EHRD";
    gf_addParkAirport("EHRD", rotterdam);
    for (const Step& step : steps) {
        runUserAcData.latitudeDeg = step.user.latDeg;
        runUserAcData.longitudeDeg = step.user.lonDeg;
        gf_handleStaticParking(false);
        EXPECT_EQ(parkAirports.front().icao, "EHRD");
        EXPECT_NEAR(parkAirports.front().distanceNm, gf_greatCircleDistanceNm(step.user, rotterdam), 1e-6);
        EXPECT_NEAR(parkAirports.back().distanceNm, gf_greatCircleDistanceNm(step.user, {kEhamLat, kEhamLon}), 1e-6);
        EXPECT_EQ(parkAirport.load().code, step.parkAirport) << step.user.latDeg;
    }
    EXPECT_THAT(log.lines(), Contains("EHRD in sight at 3.0 nm"));
    EXPECT_THAT(log.lines(), Not(Contains(HasSubstr("in sight at 0.0 nm"))));
}

TEST_F(ParkAirportChoice, AWellKnownAirportOfManyStandsSwitchesSoftLearningOff) {
    struct Case {
        int realFactor;
        std::size_t stands;
        bool allowed;
    };
    const Case cases[] = {{45, 19, true}, {45, 20, false}, {44, 20, true}};
    for (const Case& c : cases) {
        LEARN_SOFT.value = true;
        writeEhamStandFile(std::to_string(c.realFactor), c.stands);
        ::setParkAirport("EHAM");
        EXPECT_EQ(lf_readParkedFile(), "");
        EXPECT_EQ(learnSoftAllowed, c.allowed) << c.realFactor << " " << c.stands;
        EXPECT_EQ(LEARN_SOFT.value, c.allowed);
        parkingParamsChanged = false;  // no learned file to carry the switch to the next case
        clearParkAirport();
    }
}

TEST_F(ParkAirportChoice, SoftLearningSwitchedOffAtAWellKnownAirportIsTheUsersChoiceAgainWhenItIsLeft) {
    LEARN_SOFT.value = true;
    userLearnSoft = true;
    writeEhamStandFile("80", 20);
    // The second visit finds the switch in the airport's learned file too.
    for (const int visit : {1, 2}) {
        ::setParkAirport("EHAM");
        ASSERT_EQ(lf_readParkedFile(), "");
        EXPECT_FALSE(LEARN_SOFT.value) << "visit " << visit;
        gf_removeGroundAircraft();
        EXPECT_TRUE(LEARN_SOFT.value) << "visit " << visit;
    }
    userLearnSoft = false;  // the user's own choice stays as it is
    LEARN_SOFT.value = false;
    gf_removeGroundAircraft();
    EXPECT_FALSE(LEARN_SOFT.value);
}

TEST_F(ParkAirportChoice, AStandFileThatCannotBeReadClearsTheParkAirportWithItsError) {
    writeStandFile(dataPaths.myThirdpartyFolder / "EHAM.xml", test::standFileParameters({{"airport_name", "S"}}),
                   test::parkposXml("S1", kEhamLat, kEhamLon, 20.0));  // no altitude
    placeUser(0.5, 0.0, true);

    gf_handleStaticParking(true);
    gf_handleStaticParking(true);

    EXPECT_THAT(MainWindow::messageText, HasSubstr("Parameter altitude not found"));
    EXPECT_TRUE(parkAirport.load().code.empty());
    EXPECT_FALSE(parkingActive);
    EXPECT_FALSE(calculationPending);
    EXPECT_TRUE(parkPositions.empty());
    gf_handleStaticParking(true);  // the controls are freed, and the airport chosen again
    EXPECT_EQ(parkAirport.load().code, "EHAM");
}

TEST_F(ParkAirportChoice, TheUsersStandIsReservedWhenTheAirportIsLoaded) {
    writeEhamStandFile();
    parkAirports = {{"EHAM", "S1", kEhamLat, kEhamLon, 0.0}};
    ::setParkAirport("EHAM");
    EXPECT_EQ(lf_readParkedFile(), "");
    EXPECT_EQ(reservedStandText.load(), "S1");
    EXPECT_TRUE(MainWindow::reservedStandOk);

    clearParkAirport();
    parkAirports.front().reservedStand = "Z9";  // no such stand
    ::setParkAirport("EHAM");
    EXPECT_EQ(lf_readParkedFile(), "");
    EXPECT_EQ(reservedStandText.load(), "");
    EXPECT_FALSE(MainWindow::reservedStandOk);
}

TEST_F(ParkAirportChoice, LeavingTheParkAirportRemovesItsGroundAircraftAndRestoresTheLiveLimit) {
    writeEhamStandFile();
    ::setParkAirport("EHAM");
    ASSERT_EQ(lf_readParkedFile(), "");
    parkCandidates.assign(1, ParkCandidate{});
    const GroundPhase phases[] = {GroundPhase::Parked, GroundPhase::Taxi, GroundPhase::Flying};
    for (const GroundPhase phase : phases) {
        liveAircraft.emplace_back(ReportBlock{}, AcIdentity{}, 0.0);
        liveAircraft.back().identity.aircraftId = 0x400000 + static_cast<std::uint32_t>(liveAircraft.size());
        liveAircraft.back().objectId = 7;
        liveAircraft.back().simState = SimState::Active;
        liveAircraft.back().groundPhase = phase;
        liveAircraft.back().standId = 1;
    }
    userMaxLiveSel = 100;
    MAX_LIVE_SEL.value = 25;  // the airport's learned value

    gf_removeGroundAircraft();

    EXPECT_EQ(liveAircraft.at(0).simState, SimState::RemovingFromSim);
    EXPECT_EQ(liveAircraft.at(1).simState, SimState::RemovingFromSim);
    EXPECT_EQ(liveAircraft.at(0).standId, 0U);
    EXPECT_EQ(liveAircraft.at(2).simState, SimState::Active);
    EXPECT_EQ(MAX_LIVE_SEL.value, 100);
    EXPECT_TRUE(parkCandidates.empty());
    EXPECT_TRUE(parkPositions.empty());
    EXPECT_TRUE(parkAirport.load().code.empty());
    EXPECT_FALSE(parkingActive);
    EXPECT_FALSE(MainWindow::parkAirportLoaded);
}

}  // namespace
