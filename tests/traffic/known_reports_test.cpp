// New reports of a known aircraft joining its stream: repeated positions,
// standing aircraft, short stops, the order of playback ticks, the limits
// that remove an aircraft, the pushback and the hold after it, the end of a
// stream extension, landing and take-off.

#include <gtest/gtest.h>

#include <algorithm>
#include <gsl/narrow>
#include <limits>
#include <mutex>

#include "core/settings.h"
#include "records/clock.h"
#include "simlink/sim_commands.h"
#include "simlink/simlink_state.h"
#include "traffic/intake/known_reports.h"
#include "traffic/support/traffic_fixture.h"
#include "traffic/traffic_state.h"

namespace {

using test::BlockSpec;
using test::TrafficTest;

// One degree of longitude at 47 degrees north, in metres.
constexpr double kMetresPerLonDegAt47 = 1852.0 * 60.0 * 0.6819983600624985;

class KnownReports : public TrafficTest {
protected:
    KnownReports() { tickCounter = 1000; }
    static void join(LiveAc& aircraft, const BlockSpec& spec) {
        ReportBlock report = test::makeBlock(spec);
        decodeExisting(aircraft, report);
    }
    static std::vector<EventCmd> queuedEvents() {
        const std::lock_guard lock(simQueueMutex);
        return simEventQueue;
    }
};

TEST_F(KnownReports, ARepeatedPositionStandsStillOnTheGroundOnly) {
    struct Case {
        const char* what;
        std::string type;
        double altFt;
        double reportLonDeg;
        bool departing;
        double newestKt;
        double reportKt;
        bool joined;
        bool unmoved;
    };
    const Case cases[] = {
        {"the same place on the ground", "B738", 0.0, 8.0, false, 10.0, 3.0, true, true},
        {"the same place in the air", "B738", 20000.0, 8.0, false, 240.0, 240.0, false, true},
        {"a helicopter hovering", "EC35", 500.0, 8.0, false, 0.0, 0.0, true, true},
        {"within the jitter on the ground", "B738", 0.0, 8.0001, false, 10.0, 3.0, true, true},
        {"the same place, departing at 30 kt", "B738", 0.0, 8.0, true, 30.0, 5.0, false, true},
        {"within the jitter, departing at 30 kt", "B738", 0.0, 8.0001, true, 30.0, 5.0, true, true},
        {"a stop reported in the air after 250 kt", "B738", 20000.0, 8.1, false, 250.0, 0.0, false, false},
        {"a stop reported in the air after 40 kt", "B738", 20000.0, 8.1, false, 40.0, 0.0, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LiveAc& aircraft = makeActiveAircraft(
            {.type = c.type}, {{.tick = 1000, .altFt = c.altFt, .groundSpeedKt = c.newestKt}});
        aircraft.departing = c.departing;
        join(aircraft, {.lonDeg = c.reportLonDeg, .tick = 1200, .altFt = c.altFt, .groundSpeedKt = c.reportKt});
        ASSERT_EQ(aircraft.reports.size(), c.joined ? 2U : 1U);
        if (c.joined) {
            const ReportBlock& newest = aircraft.reports.back();
            EXPECT_EQ(newest.unmoved, c.unmoved);
            if (c.unmoved && c.type != "EC35") {
                EXPECT_EQ(newest.groundSpeedKt, 0.0);
                // Within the jitter the aircraft stands where it stood.
                EXPECT_EQ(newest.lonDeg, 8.0);
            }
            // A copy of the newest block is due one tick after it.
            EXPECT_EQ(newest.playbackTick, c.reportLonDeg == 8.0001 ? 1001 : 1200);
        }
        liveAircraft.clear();
    }
}

TEST_F(KnownReports, AStandingAircraftPilesUpNoBlocks) {
    LiveAc& aircraft = makeActiveAircraft(
        {}, {{.tick = 900, .altFt = 0.0, .groundSpeedKt = 0.0, .unmoved = true},
             {.tick = 1100, .altFt = 0.0, .groundSpeedKt = 0.0, .unmoved = true},
             {.tick = 1300, .altFt = 0.0, .groundSpeedKt = 0.0, .unmoved = true}});
    join(aircraft, {.tick = 1500, .altFt = 0.0, .groundSpeedKt = 0.0});
    // Cut back to its front block, which stands from now on.
    ASSERT_EQ(aircraft.reports.size(), 2U);
    EXPECT_EQ(aircraft.reports[0].playbackTick, 1001);
    EXPECT_EQ(aircraft.reports[1].playbackTick, 1500);
}

TEST_F(KnownReports, AMovingReportLeavesTheBlocksOfAShortStopBehind) {
    struct Case {
        const char* what;
        std::int32_t movingTick;
        double reportLonDeg;
        std::size_t blocksAfter;
    };
    const double farEastDeg = 8.0 + 500.0 / kMetresPerLonDegAt47;
    const Case cases[] = {
        {"the stop began less than 15 s before", 800, farEastDeg, 2},
        {"the stop is old but the report is within 22 m", 0, 8.0 + 20.0 / kMetresPerLonDegAt47, 2},
        {"the stop is old and the report far", 0, farEastDeg, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LiveAc& aircraft = makeActiveAircraft(
            {}, {{.lonDeg = 7.99, .tick = c.movingTick - 100, .altFt = 0.0, .groundSpeedKt = 10.0},
                 {.tick = c.movingTick, .altFt = 0.0, .groundSpeedKt = 10.0},
                 {.tick = 2000, .altFt = 0.0, .groundSpeedKt = 0.0, .unmoved = true},
                 {.tick = 2200, .altFt = 0.0, .groundSpeedKt = 0.0, .unmoved = true}});
        join(aircraft, {.lonDeg = c.reportLonDeg, .tick = 2300, .altFt = 0.0, .groundSpeedKt = 10.0});
        ASSERT_EQ(aircraft.reports.size(), c.blocksAfter + 1);
        EXPECT_EQ(aircraft.reports.back().lonDeg, c.reportLonDeg);
        liveAircraft.clear();
    }
}

TEST_F(KnownReports, AReportIsDueAfterTheNewestBlock) {
    LiveAc& aircraft = makeActiveAircraft({}, {{.tick = 1000}, {.lonDeg = 8.1, .tick = 4000}});
    join(aircraft, {.lonDeg = 8.2, .tick = 3500});
    EXPECT_EQ(aircraft.reports.back().playbackTick, 4001);
    join(aircraft, {.lonDeg = 8.3, .tick = 5000});
    EXPECT_EQ(aircraft.reports.back().playbackTick, 5000);

    // Past the 32-bit range: the report is not taken, and the failure goes
    // on to the intake.
    aircraft.reports.back().playbackTick = std::numeric_limits<std::int32_t>::max();
    EXPECT_THROW(join(aircraft, {.lonDeg = 8.4, .tick = 6000}), gsl::narrowing_error);
    EXPECT_EQ(aircraft.reports.size(), 4U);
    EXPECT_TRUE(logged("===> decodeExisting exception narrowing_error"));
}

TEST_F(KnownReports, AStuckStreamOrAHoldingAircraftThatJumpsAwayLeaves) {
    LiveAc& stuck = makeActiveAircraft({.id = 20001}, {{.tick = 1000}});
    stuck.reports.resize(201, stuck.reports.front());
    join(stuck, {.lonDeg = 8.1, .tick = 1200});
    EXPECT_EQ(stuck.simState, SimState::RemovingFromSim);
    EXPECT_EQ(stuck.reports.size(), 201U);

    HOLDING_THRESHOLD_METERS.value = 250;
    for (const double metres : {200.0, 300.0}) {
        SCOPED_TRACE(metres);
        LiveAc& holding = makeActiveAircraft(
            {.id = 20002, .callsign = "KLM2"}, {{.tick = 1000, .altFt = 0.0, .groundSpeedKt = 0.0, .unmoved = true}});
        holding.holding = true;
        holding.holdingSinceTick = 900;
        join(holding, {.lonDeg = 8.0 + metres / kMetresPerLonDegAt47, .tick = 1200, .altFt = 0.0, .groundSpeedKt = 5.0});
        const bool leaves = metres > 250.0;
        EXPECT_EQ(holding.simState, leaves ? SimState::RemovingFromSim : SimState::Active);
        EXPECT_EQ(holding.holding, !leaves);
        EXPECT_EQ(holding.reports.size(), leaves ? 1U : 2U);
        liveAircraft.erase(liveAircraft.begin() + 1);
    }
}

TEST_F(KnownReports, ReportsDuringAPushbackOnlyTellTheSideOfItsTurn) {
    for (const bool straightOnly : {true, false}) {
        SCOPED_TRACE(straightOnly);
        STRAIGHT_PBS_ONLY.value = straightOnly;
        LiveAc& aircraft = makeActiveAircraft({}, {{.tick = 1000, .altFt = 0.0, .groundSpeedKt = 3.0}});
        aircraft.groundPhase = GroundPhase::PushingBack;
        aircraft.pushbackStage = 2;
        aircraft.position.headingRad = 1.0;
        // The nose turned to the right of the aircraft's heading.
        join(aircraft, {.lonDeg = 8.0001, .tick = 1200, .altFt = 0.0, .groundSpeedKt = 3.0, .trackDeg = 70.0});
        EXPECT_EQ(aircraft.reports.size(), 1U);
        EXPECT_EQ(aircraft.pushbackHasTurn, !straightOnly);
        EXPECT_EQ(aircraft.pushbackTurnRight, !straightOnly);
        liveAircraft.clear();
    }
}

// A B738's half span is 17.9 m: it holds while reports stay within 49 m
// (2.75 half spans) or within the last held distance, and always leaves
// beyond 107 m (6 half spans).
TEST_F(KnownReports, APushedBackAircraftHoldsUntilItsReportsMoveAway) {
    LiveAc& aircraft = makeActiveAircraft({}, {{.tick = 1000, .altFt = 0.0, .groundSpeedKt = 0.0}});
    aircraft.groundPhase = GroundPhase::PushedBack;
    aircraft.pushbackStage = 1;
    aircraft.pushbackHoldDistanceNm = 900.0;
    aircraft.standId = 7;
    const auto report = [&](double metres, std::int32_t tick) {
        join(aircraft, {.lonDeg = 8.0 + metres / kMetresPerLonDegAt47, .tick = tick, .altFt = 0.0,
                               .groundSpeedKt = 5.0});
    };
    report(80.0, 1100);  // farther than 2.75 half spans but not than 900 nm
    EXPECT_TRUE(aircraft.holding);
    EXPECT_EQ(aircraft.holdingSinceTick, 1000U);
    EXPECT_NEAR(aircraft.pushbackHoldDistanceNm * 1852.0, 80.0, 0.1);
    report(60.0, 1200);  // nearer than the last held report
    EXPECT_EQ(aircraft.groundPhase, GroundPhase::PushedBack);
    report(70.0, 1300);  // beyond the last held report and 2.75 half spans
    EXPECT_EQ(aircraft.groundPhase, GroundPhase::Taxi);
    EXPECT_FALSE(aircraft.holding);
    EXPECT_EQ(aircraft.standId, 0U);
    EXPECT_EQ(aircraft.pushbackStage, 0);
    ASSERT_EQ(aircraft.reports.size(), 2U);
    EXPECT_FALSE(aircraft.reports.back().unmoved);
}

TEST_F(KnownReports, AReportEndsAStreamExtensionUnlessItLiesBehindAFlyingAircraft) {
    for (const double reportLatDeg : {46.9, 47.1}) {
        SCOPED_TRACE(reportLatDeg);
        LiveAc& aircraft = makeActiveAircraft({}, {{.tick = 900}, {.latDeg = 47.01, .tick = 1800}});
        aircraft.extensionCount = 3;
        aircraft.maxEarlyTicks = 1000;
        join(aircraft, {.latDeg = reportLatDeg, .tick = 1200});
        const bool ahead = reportLatDeg > 47.0;
        EXPECT_EQ(aircraft.reports.size(), ahead ? 3U : 2U);
        EXPECT_EQ(aircraft.extensionCount, ahead ? 0 : 3);
        EXPECT_EQ(aircraft.maxEarlyTicks, ahead ? 3000 : 1000);
        EXPECT_EQ(aircraft.reports.front().playbackTick, ahead ? 1001 : 900);
        liveAircraft.clear();
    }
}

TEST_F(KnownReports, WhileLandingOrBeforeTakeOffReportsBehindTheAircraftAreDropped) {
    struct Case {
        const char* what;
        bool landing;
        std::int32_t extensionCount;
        double reportLatDeg;
        std::size_t blocksAfter;
        bool frontMoved;
    };
    const Case cases[] = {
        {"landing, a report behind", true, 0, 46.99, 1, false},
        {"landing, a report ahead", true, 0, 47.01, 2, false},
        {"before take-off, a report behind", false, 0, 46.99, 2, true},
        {"before take-off, a report behind an extended stream", false, 1, 46.99, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LiveAc& aircraft = makeActiveAircraft({}, {{.tick = 900, .altFt = 0.0, .groundSpeedKt = 60.0}});
        aircraft.position.headingRad = 0.0;  // north
        aircraft.position.latitudeDeg = 47.002;
        aircraft.landing = c.landing;
        aircraft.takeOffPending = !c.landing;
        aircraft.extensionCount = c.extensionCount;
        join(aircraft, {.latDeg = c.reportLatDeg, .tick = 1200, .altFt = 0.0, .groundSpeedKt = 30.0});
        ASSERT_EQ(aircraft.reports.size(), c.blocksAfter);
        const ReportBlock& front = aircraft.reports.front();
        EXPECT_EQ(front.latDeg, c.frontMoved ? 47.002 : 47.0);
        EXPECT_EQ(front.playbackTick, c.frontMoved ? 1001 : 900);
        liveAircraft.clear();
    }
}

TEST_F(KnownReports, AirborneReportsOfAnAircraftWaitingToTakeOffStartItsRun) {
    LiveAc& aircraft = makeActiveAircraft({}, {{.tick = 900, .altFt = 0.0, .groundSpeedKt = 0.0},
                                               {.latDeg = 47.01, .tick = 1100, .altFt = 300.0, .groundSpeedKt = 150.0}});
    aircraft.onGround = true;
    aircraft.groundPhase = GroundPhase::Parked;
    gf_setGroundPhase(aircraft, GroundPhase::Taxi);
    aircraft.position.headingRad = 0.0;
    aircraft.takeOffPending = true;
    aircraft.landing = true;
    join(aircraft, {.latDeg = 47.02, .tick = 1300, .altFt = 600.0, .groundSpeedKt = 160.0});
    ASSERT_EQ(aircraft.reports.size(), 3U);
    EXPECT_TRUE(aircraft.departing);
    EXPECT_FALSE(aircraft.landing);
    EXPECT_EQ(aircraft.groundPhase, GroundPhase::Taxi);
    EXPECT_EQ(aircraft.previousGroundPhase, GroundPhase::Parked);
    EXPECT_EQ(aircraft.maxEarlyTicks, 3000);
    EXPECT_EQ(aircraft.maxLateTicks, 5000);
    const std::vector<EventCmd> events = queuedEvents();
    ASSERT_EQ(events.size(), 10U);
    EXPECT_EQ(events[0].eventId, SimEventId::ThrottleSet);
    EXPECT_EQ(events[0].data, 11468U);
    EXPECT_EQ(events[1].eventId, SimEventId::SpoilersSet);
    EXPECT_EQ(events[1].data, 16383U);
    EXPECT_EQ(events[2].eventId, SimEventId::FlapsSet);
    EXPECT_EQ(events[2].data, 3072U);
    EXPECT_EQ(events[3].eventId, SimEventId::NavLightsSet);
    EXPECT_EQ(events[9].eventId, SimEventId::CabinLightsSet);
    EXPECT_EQ(events[9].data, 0U);
}

}  // namespace
