// A live aircraft leaving its stand: which reports start the departure, the
// departure recorded (towed, its stand option, the stand freed), the
// pushback with its turn, and the pull-out.

#include <gtest/gtest.h>

#include <numbers>

#include "airports/airports_state.h"
#include "airports/park_stands.h"
#include "core/great_circle.h"
#include "records/clock.h"
#include "records/week_slot.h"
#include "traffic/stands/stand_leaving.h"
#include "traffic/stream_geometry.h"
#include "traffic/support/stands.h"
#include "traffic/support/traffic_fixture.h"
#include "traffic/traffic_state.h"

namespace {

using test::latMetresNorth;
using test::loadStands;
using test::TrafficTest;

constexpr double kMetresPerNm = 1852.0;
constexpr double kFeetPerMetre = 3.280839895013123;

class StandLeaving : public TrafficTest {
protected:
    StandLeaving() { loadStands({{.name = "A1"}}); }

    // A B738 (half span 17.9 m) parked on the first stand, facing east
    // along it.
    static LiveAc& parkedAircraft(GroundPhase previous = GroundPhase::Taxi) {
        return parkedAircraftWithLaterReport({.tick = 3500, .altFt = 0.0, .groundSpeedKt = 0.0, .unmoved = true},
                                             previous);
    }

    // The same aircraft with its second report given.
    static LiveAc& parkedAircraftWithLaterReport(const test::BlockSpec& laterReport, GroundPhase previous) {
        LiveAc& aircraft = makeActiveAircraft({.registration = "PH-BXA", .altFt = 0.0},
                                              {{.altFt = 0.0, .groundSpeedKt = 0.0, .unmoved = true}, laterReport});
        aircraft.groundPhase = GroundPhase::Parked;
        aircraft.previousGroundPhase = previous;
        aircraft.standId = 1;
        aircraft.standLatDeg = 47.0;
        aircraft.standLonDeg = 8.0;
        aircraft.standHeadingRad = std::numbers::pi / 2.0;
        aircraft.position.headingRad = std::numbers::pi / 2.0;
        return aircraft;
    }
    static bool reportAt(LiveAc& aircraft, double metresNorth) {
        ReportBlock report = test::makeBlock({.latDeg = latMetresNorth(metresNorth), .altFt = 0.0});
        return checkStandDeparture(aircraft, report);
    }
    static double metresNorthOfLatitude(double latDeg) { return (latDeg - 47.0) * 60.0 * kMetresPerNm; }
    static double metresNorthOf(const ReportBlock& block) { return metresNorthOfLatitude(block.latDeg); }
};

TEST_F(StandLeaving, OnlyReportsThatMoveSteadilyAwayStartTheDeparture) {
    struct Case {
        const char* name;
        std::vector<double> metresNorth;
        bool leaves;  // with the last report
    };
    const std::vector<Case> cases = {
        {"jitter", {2.0, 4.0, 3.0, 5.0, 4.0, 6.0}, false},
        {"small steady steps", {2.0, 5.5, 9.0, 12.5}, true},  // three moves, 10.5 m beyond the first
        {"steps but not far", {2.0, 5.1, 8.2}, false},
        {"one jump beyond a half span", {2.0, 21.0}, true},
        {"between 85 m and 200 m", {120.0}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        liveAircraft.clear();
        LiveAc& aircraft = parkedAircraft();
        bool accepted = false;
        for (const double metres : c.metresNorth) {
            accepted = reportAt(aircraft, metres);
        }
        EXPECT_EQ(accepted, c.leaves);
        EXPECT_EQ(aircraft.leavingStand, c.leaves);
        EXPECT_TRUE(aircraft.standConfirmed);
        EXPECT_EQ(aircraft.simState, SimState::Active);
    }
}

TEST_F(StandLeaving, FarFromItsStandAParkedAircraftIsRemovedAndAParkingOneTaxisAgain) {
    LiveAc& parked = parkedAircraft();
    EXPECT_FALSE(reportAt(parked, 210.0));
    EXPECT_EQ(parked.simState, SimState::RemovingFromSim);

    liveAircraft.clear();
    LiveAc& parking = parkedAircraft();
    parking.groundPhase = GroundPhase::Parking;
    EXPECT_TRUE(reportAt(parking, 90.0));
    EXPECT_EQ(parking.groundPhase, GroundPhase::Taxi);
    EXPECT_EQ(parking.previousGroundPhase, GroundPhase::Parking);
}

TEST_F(StandLeaving, TheDepartureTeachesTheStandAndFreesIt) {
    currentWeekSlot = gf_makeWeekSlot(2, 30);
    LiveAc& aircraft = parkedAircraft();
    parkPositions.front().liveOccupied = true;
    ASSERT_TRUE(reportAt(aircraft, 120.0));
    EXPECT_FALSE(parkPositions.front().liveOccupied);
    ASSERT_EQ(parkPositions.front().options.size(), 1U);
    EXPECT_EQ(parkPositions.front().options.front().registration, "PH-BXA");
}

TEST_F(StandLeaving, AnAircraftThatLeavesSoonAfterAWideStandSearchWasTowed) {
    struct Case {
        const char* type;
        std::int64_t stoodTicks;
        bool towed;
    };
    for (const Case& c : {Case{"B738", 149000, true}, Case{"B738", 151000, false}, Case{"B77W", 300000, true},
                          Case{"C172", 1000, false}}) {
        SCOPED_TRACE(::testing::Message() << c.type << " " << c.stoodTicks);
        liveAircraft.clear();
        LiveAc& aircraft = makeActiveAircraft({.type = c.type, .altFt = 0.0}, {{.altFt = 0.0}, {.altFt = 0.0}});
        aircraft.groundPhase = GroundPhase::Parked;
        aircraft.wideStandSearch = true;
        aircraft.extensionCount = 3;
        tickCounter = 1000000;
        // The hold block is due a week after it was made.
        aircraft.reports.front().playbackTick =
            static_cast<std::int32_t>(tickCounter.load() - c.stoodTicks + 60480000);
        onStandLeft(aircraft);
        EXPECT_EQ(aircraft.towed, c.towed);
        EXPECT_FALSE(aircraft.wideStandSearch);
        EXPECT_EQ(aircraft.extensionCount, 0);
        EXPECT_EQ(aircraft.reports.front().playbackTick, 1000001);
    }
}

TEST_F(StandLeaving, ThePushbackGoesStraightBackAndTurnsTheTailToTheRecordedSide) {
    struct Case {
        const char* name;
        bool hasTurn;
        bool turnRight;
        double endMetresNorth;  // the aircraft faced east: north is its left
    };
    for (const Case& c : {Case{"straight", false, false, 0.0}, Case{"nose right", true, true, 17.9},
                          Case{"nose left", true, false, -17.9}}) {
        SCOPED_TRACE(c.name);
        liveAircraft.clear();
        LiveAc& aircraft = parkedAircraft();
        startPushback(aircraft);
        ASSERT_EQ(aircraft.groundPhase, GroundPhase::PushingBack);
        ASSERT_EQ(aircraft.reports.size(), 4U);
        // 2.5 stand radii (20 m) behind the stand, the halfway block before.
        const ReportBlock& behind = aircraft.reports[2];
        EXPECT_NEAR(gf_greatCircleDistanceNm({47.0, 8.0}, gf_blockPosition(behind)) * kMetresPerNm, 50.0, 0.01);
        EXPECT_LT(behind.lonDeg, 8.0);
        EXPECT_EQ(aircraft.reports[1].playbackTick, (aircraft.reports[0].playbackTick + behind.playbackTick + 1) / 2);

        aircraft.pushbackHasTurn = c.hasTurn;
        aircraft.pushbackTurnRight = c.turnRight;
        aircraft.reports.pop_front();  // the halfway block is reached
        pushbackStep(aircraft);
        EXPECT_EQ(aircraft.pushbackStage, 1);
        EXPECT_NEAR(metresNorthOf(aircraft.reports.back()), c.endMetresNorth, 0.01);
        EXPECT_EQ(aircraft.reports.size(), 2U);

        pushbackStep(aircraft);
        EXPECT_EQ(aircraft.groundPhase, GroundPhase::PushedBack);
        EXPECT_EQ(aircraft.pushbackStage, 1);
        EXPECT_EQ(aircraft.pushbackHoldDistanceNm, 900.0);
        EXPECT_EQ(aircraft.throttleIndex, 0U);
        EXPECT_EQ(aircraft.flapsIndex, 1U);
    }
}

// The whole pushback, tick by tick through the tick driver: the aircraft
// (facing east on its stand, reports leading off behind it) goes 2.5 stand
// radii (50 m) straight back with its nose kept east, and turns only when a
// report during the push recorded the side of the turn.
TEST_F(StandLeaving, APushbackKeepsItsHeadingUntilItsRecordedTurn) {
    struct Case {
        const char* name;
        bool hasTurn;
        bool turnRight;
        double endMetresNorth;  // where the push ends, north of the stand
    };
    constexpr double kEastDeg = 90.0;
    constexpr double kEndMetresWest = 50.0;
    for (const Case& c : {Case{"straight", false, false, 0.0}, Case{"tail to the left", true, true, 17.9},
                          Case{"tail to the right", true, false, -17.9}}) {
        SCOPED_TRACE(c.name);
        liveAircraft.clear();
        tickCounter = 3000;
        const GeoPosition behindStand = gf_destinationPoint({47.0, 8.0}, 3.0 * std::numbers::pi / 2.0, 60.0 * kFeetPerMetre);
        LiveAc& aircraft = parkedAircraftWithLaterReport(
            {.latDeg = behindStand.latDeg, .lonDeg = behindStand.lonDeg, .tick = 3500, .altFt = 0.0, .groundSpeedKt = 3.0},
            GroundPhase::Parked);
        aircraft.leavingStand = true;

        bool pushing = false;
        bool halfwayReached = false;
        double lastLonDeg = 8.0;
        for (int step = 0; step < 20000 && aircraft.groundPhase != GroundPhase::PushedBack; ++step) {
            tick();
            if (aircraft.groundPhase == GroundPhase::PushingBack && !pushing) {
                pushing = true;
                // A report during the push tells the side of the turn.
                aircraft.pushbackHasTurn = c.hasTurn;
                aircraft.pushbackTurnRight = c.turnRight;
            }
            const double headingDeg = aircraft.position.headingRad * kDegreesPerRadian;
            const double northM = metresNorthOfLatitude(aircraft.position.latitudeDeg);
            halfwayReached = halfwayReached || aircraft.pushbackStage == 1;
            if (!c.hasTurn || !halfwayReached) {
                ASSERT_NEAR(headingDeg, kEastDeg, 0.01) << "tick " << tickCounter.load();
                ASSERT_NEAR(northM, 0.0, 0.01) << "tick " << tickCounter.load();
            } else if (c.turnRight) {
                // The tail swings north: the nose turns right, toward south.
                ASSERT_GE(headingDeg, kEastDeg - 0.01) << "tick " << tickCounter.load();
                ASSERT_GE(northM, -0.01) << "tick " << tickCounter.load();
            } else {
                ASSERT_LE(headingDeg, kEastDeg + 0.01) << "tick " << tickCounter.load();
                ASSERT_LE(northM, 0.01) << "tick " << tickCounter.load();
            }
            // Pushed back, never forward.
            ASSERT_LE(aircraft.position.longitudeDeg, lastLonDeg + 1e-12) << "tick " << tickCounter.load();
            lastLonDeg = aircraft.position.longitudeDeg;
        }
        ASSERT_TRUE(pushing);
        ASSERT_EQ(aircraft.groundPhase, GroundPhase::PushedBack);
        const GeoPosition end = gf_aircraftPosition(aircraft);
        EXPECT_NEAR(metresNorthOfLatitude(end.latDeg), c.endMetresNorth, 0.5);
        const GeoPosition atEndLatitude{end.latDeg, 8.0};
        EXPECT_NEAR(gf_greatCircleDistanceNm(atEndLatitude, end) * kMetresPerNm, kEndMetresWest, 0.5);
        if (!c.hasTurn) {
            EXPECT_NEAR(aircraft.position.headingRad * kDegreesPerRadian, kEastDeg, 0.01);
        }
    }
}

TEST_F(StandLeaving, APushbackNeedsItsStandAmongTheParkAirportsStands) {
    LiveAc& aircraft = parkedAircraft();
    aircraft.standId = 7;
    startPushback(aircraft);
    EXPECT_EQ(aircraft.groundPhase, GroundPhase::Parked);
    EXPECT_EQ(aircraft.reports.size(), 2U);
}

TEST_F(StandLeaving, APullOutDrivesOneSpanAlongTheStandAndTaxis) {
    LiveAc& aircraft = parkedAircraft();
    aircraft.leavingStand = true;
    pullOutOfStand(aircraft);
    EXPECT_FALSE(aircraft.leavingStand);
    EXPECT_EQ(aircraft.groundPhase, GroundPhase::Taxi);
    ASSERT_EQ(aircraft.reports.size(), 2U);
    const ReportBlock& ahead = aircraft.reports.back();
    EXPECT_NEAR(gf_greatCircleDistanceNm({47.0, 8.0}, gf_blockPosition(ahead)) * kMetresPerNm, 35.8, 0.01);
    EXPECT_GT(ahead.lonDeg, 8.0);
    EXPECT_EQ(ahead.groundSpeedKt, aircraft.identity.standTaxiSpeedKt);
    EXPECT_EQ(aircraft.reports.front().groundSpeedKt, aircraft.identity.standTaxiSpeedKt);
    EXPECT_EQ(aircraft.throttleIndex, 0U);
    EXPECT_EQ(aircraft.flapsIndex, 1U);
}

}  // namespace
