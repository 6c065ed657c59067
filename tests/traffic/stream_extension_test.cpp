// When the reports stop: the points an aircraft makes for itself (in the
// air, on its way to a take-off, rolling out, parked), the hold of a
// taxiing aircraft, and the configuration around climb and approach: the
// landing vertical speed with the QNH, gear, flaps, throttle and lights,
// the taxi-out, and the bank into a turn.

#include <gtest/gtest.h>

#include <cmath>
#include <gsl/narrow>
#include <limits>
#include <optional>

#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "core/settings.h"
#include "records/clock.h"
#include "records/qnh.h"
#include "traffic/manager/tick_driver.h"
#include "traffic/movement/flight_configuration.h"
#include "traffic/movement/movement_internal.h"
#include "traffic/stream_geometry.h"
#include "traffic/support/traffic_fixture.h"
#include "traffic/traffic_state.h"

namespace {

using test::BlockSpec;
using test::TrafficTest;
using Events = std::vector<std::pair<SimEventId, std::uint32_t>>;

constexpr std::int32_t kNow = 5000;

class StreamExtension : public TrafficTest {
protected:
    StreamExtension() { tickCounter = kNow; }
    ~StreamExtension() override {
        qnhForSim = kStandardQnhHpa;
        LIGHT_AIRCRAFT.value = true;
    }

    // An aircraft at (47, 8), heading north, at its only block, due now.
    static LiveAc& makeStoppedAircraft(const std::string& type, GroundPhase phase, double altFt, double speedKt) {
        LiveAc& aircraft = makeActiveAircraft({.type = type}, {{.tick = kNow, .altFt = altFt, .groundSpeedKt = speedKt}});
        aircraft.groundPhase = phase;
        aircraft.position.headingRad = 0.0;
        return aircraft;
    }

    // The points made, as the position update reaches each in turn, until
    // the stream ends.
    static std::vector<ReportBlock> madePoints(LiveAc& aircraft) {
        std::vector<ReportBlock> made;
        while (made.size() < 20 && lf_extendStream(aircraft)) {
            made.push_back(aircraft.reports.back());
            aircraft.reports.pop_front();
            aircraft.position.latitudeDeg = made.back().latDeg;
            aircraft.position.longitudeDeg = made.back().lonDeg;
        }
        return made;
    }
};

TEST_F(StreamExtension, AnAircraftWhoseReportsStopGoesOnByItself) {
    struct Case {
        const char* what;
        std::string type;
        GroundPhase phase;
        double altFt;
        double speedKt;
        std::optional<double> userDistanceNm;  // empty: the user is nowhere yet
        std::size_t points;
        double firstSpeedKt = 0.0;
        std::int32_t stepTicks = 0;
        double firstAltFt = 0.0;
        std::optional<double> firstVerticalSpeedFpm = std::nullopt;
        bool departing = false;
        bool takeOffPending = false;
        bool landing = false;
    };
    const Case cases[] = {
        {"in the air 20 nm from the user", "B738", GroundPhase::Flying, 5000.0, 240.0, 20.0, 8, 228.0, 800, 5000.0},
        {"in the air 39.6 nm from the user", "B738", GroundPhase::Flying, 5000.0, 240.0, 39.6, 0},
        {"in the air, the user nowhere yet", "B738", GroundPhase::Flying, 5000.0, 240.0, std::nullopt, 8, 228.0, 800, 5000.0},
        {"a light aircraft not shown", "C172", GroundPhase::Flying, 3000.0, 100.0, 5.0, 0},
        {"landing, 10 % slower and sinking", "B738", GroundPhase::Flying, 1000.0, 140.0, 5.0, 8, 126.0, 800, 919.96, -667.0,
         false, false, true},
        {"climbing away after the lift-off", "B738", GroundPhase::TakeOff, 300.0, 150.0, 5.0, 8, 142.5, 800, 500.0, 1500.0},
        {"parked, a week ahead", "B738", GroundPhase::Parked, 0.0, 0.0, 5.0, 1, 0.0, 60480000, 0.0},
        {"departing at 50 kt", "B738", GroundPhase::Taxi, 0.0, 50.0, 5.0, 10, 80.0, 300, 0.0, std::nullopt, true},
        {"departing at 150 kt", "B738", GroundPhase::Taxi, 0.0, 150.0, 5.0, 10, 170.0, 300, 0.0, 1200.0, true},
        {"departing at 170 kt", "B738", GroundPhase::Taxi, 0.0, 170.0, 5.0, 10, 180.0, 300, 0.0, 2400.0, true},
        {"rolling out at 120 kt", "B738", GroundPhase::Taxi, 0.0, 120.0, 5.0, 10, 80.0, 300, 0.0, 0.0, false, true},
        {"rolling out at 50 kt", "B738", GroundPhase::Taxi, 0.0, 50.0, 5.0, 10, 20.0, 300, 0.0, 0.0, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        placeUser(c.userDistanceNm ? UserAcData{.latitudeDeg = 47.0 - *c.userDistanceNm / 60.0, .longitudeDeg = 8.0}
                                   : UserAcData{},
                  true);
        LiveAc& aircraft = makeStoppedAircraft(c.type, c.phase, c.altFt, c.speedKt);
        aircraft.onGround = c.altFt == 0.0;
        aircraft.departing = c.departing;
        aircraft.takeOffPending = c.takeOffPending;
        aircraft.landing = c.landing;
        aircraft.standConfirmed = true;
        LIGHT_AIRCRAFT.value = c.type != "C172";
        const std::vector<ReportBlock> made = madePoints(aircraft);
        ASSERT_EQ(made.size(), c.points);
        EXPECT_EQ(aircraft.extensionCount, c.points == 0 ? 0 : -1);
        if (c.points == 0) {
            liveAircraft.clear();
            continue;
        }
        const ReportBlock& first = made.front();
        EXPECT_DOUBLE_EQ(first.groundSpeedKt, c.firstSpeedKt);
        EXPECT_EQ(first.playbackTick, kNow + c.stepTicks);
        EXPECT_NEAR(first.altFt, c.firstAltFt, 1e-9);
        EXPECT_EQ(first.airborne, c.firstAltFt > 0.0);
        if (c.firstVerticalSpeedFpm) {
            EXPECT_EQ(first.verticalSpeedFpm, *c.firstVerticalSpeedFpm);
        }
        // Along the heading (north), for the step's time at the point's speed.
        const double flownNm = c.stepTicks * c.firstSpeedKt / 360000.0;
        EXPECT_NEAR((first.latDeg - 47.0) * 60.0, c.phase == GroundPhase::Parked ? 0.0 : flownNm, 1e-6);
        EXPECT_EQ(first.lonDeg, 8.0);
        EXPECT_EQ(first.unmoved, c.firstSpeedKt == 0.0);
        EXPECT_EQ(aircraft.standConfirmed, c.phase != GroundPhase::Parked);
        liveAircraft.clear();
    }
}

// In the air each point is 5 % slower than the one before; while landing
// the last three keep the speed before them.
TEST_F(StreamExtension, MadePointsSlowDownOneByOne) {
    for (const bool landing : {false, true}) {
        SCOPED_TRACE(landing);
        LiveAc& aircraft = makeStoppedAircraft("B738", GroundPhase::Flying, 5000.0, 200.0);
        aircraft.landing = landing;
        const std::vector<ReportBlock> made = madePoints(aircraft);
        ASSERT_EQ(made.size(), 8U);
        const double factor = landing ? 0.9 : 0.95;
        const int slowed = landing ? 5 : 8;
        EXPECT_NEAR(made.back().groundSpeedKt, 200.0 * std::pow(factor, slowed), 1e-9);
        EXPECT_EQ(made.back().playbackTick, kNow + 8 * 800);
        liveAircraft.clear();
    }
}

// A parked aircraft's point a week ahead of a tick near the end of the
// counter's range is no i32: the narrowing fails instead of overflowing.
TEST_F(StreamExtension, APointDueBeyondTheTickRangeFailsLoudly) {
    LiveAc& aircraft = makeStoppedAircraft("B738", GroundPhase::Parked, 0.0, 0.0);
    aircraft.onGround = true;
    aircraft.reports.front().playbackTick = std::numeric_limits<std::int32_t>::max() - 1000;
    EXPECT_THROW(lf_extendStream(aircraft), gsl::narrowing_error);
    EXPECT_EQ(aircraft.reports.size(), 1U);
}

// A taxiing aircraft whose reports stop holds in place, checked every 3 s,
// for at most MAX_HOLDING_MINUTES (20) whole minutes; it gives way at once
// to another taxiing aircraft within 1.2 times their two half spans
// (B738: 2 x 17.9 m x 1.2 = 43 m).
TEST_F(StreamExtension, ATaxiingAircraftHoldsUntilItsTimeIsUpOrAnotherComesClose) {
    struct Case {
        const char* what;
        GroundPhase phase;
        std::int32_t heldTicks;
        std::optional<double> otherAtM;
        bool holds;
    };
    const Case cases[] = {
        {"taxiing", GroundPhase::Taxi, 0, std::nullopt, true},
        {"pushed back", GroundPhase::PushedBack, 0, std::nullopt, true},
        {"after 20 minutes 59 seconds", GroundPhase::Taxi, 125999, std::nullopt, true},
        {"after 21 minutes", GroundPhase::Taxi, 126000, std::nullopt, false},
        {"another taxiing aircraft 45 m away", GroundPhase::Taxi, 0, 45.0, true},
        {"another taxiing aircraft 40 m away", GroundPhase::Taxi, 0, 40.0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LiveAc& aircraft = makeStoppedAircraft("B738", c.phase, 0.0, 10.0);
        aircraft.onGround = true;
        ASSERT_TRUE(lf_extendStream(aircraft));
        EXPECT_TRUE(aircraft.holding);
        EXPECT_EQ(aircraft.holdingSinceTick, static_cast<std::uint32_t>(kNow));
        EXPECT_EQ(aircraft.extensionCount, 1);
        ASSERT_EQ(aircraft.reports.size(), 2U);
        EXPECT_TRUE(aircraft.reports[1].unmoved);
        EXPECT_EQ(aircraft.reports[1].groundSpeedKt, 0.0);
        EXPECT_EQ(aircraft.reports[1].playbackTick, kNow + 300);
        aircraft.reports.pop_front();
        if (c.otherAtM) {
            const GeoPosition at = gf_destinationPoint({47.0, 8.0}, 1.0, *c.otherAtM * 3.280839895013123);
            LiveAc& other = makeActiveAircraft({.id = 0x4B1802, .callsign = "KLM2"},
                                               {{.latDeg = at.latDeg, .lonDeg = at.lonDeg, .altFt = 0.0}});
            other.objectId = 101;
        }
        tickCounter = kNow + c.heldTicks;
        LiveAc& holding = *gf_findLiveAircraft(0x4B1801);
        EXPECT_EQ(lf_extendStream(holding), c.holds);
        EXPECT_EQ(holding.holding, c.holds || !c.otherAtM);
        liveAircraft.clear();
        tickCounter = kNow;
    }
}

TEST_F(StreamExtension, TheLandingVerticalSpeedFollowsTheQnh) {
    struct Case {
        int qnhHpa;
        double frontFpm;
        double secondFpm;
        double heightFt;
        double landingFpm;
    };
    const Case cases[] = {
        {1023, -800.0, -800.0, 1000.0, -860.0},
        {1013, -500.0, -500.0, 1000.0, -601.0},
        {1003, -900.0, -700.0, 1000.0, -740.0},
        {1013, -900.0, -700.0, 101.0, -800.0},
        {1013, -900.0, -700.0, 100.0, -600.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.qnhHpa << " hPa, " << c.frontFpm << " fpm, " << c.heightFt << " ft");
        qnhForSim = c.qnhHpa;
        LiveAc& aircraft = makeActiveAircraft(
            {}, {{.tick = kNow, .altFt = 3000.0, .verticalSpeedFpm = c.frontFpm},
                 {.latDeg = 47.1, .tick = kNow + 1000, .altFt = 2000.0, .verticalSpeedFpm = c.secondFpm}});
        aircraft.heightAboveGroundFt = c.heightFt;
        EXPECT_DOUBLE_EQ(lf_landingVerticalSpeed(aircraft), c.landingFpm);
        liveAircraft.clear();
    }
}

TEST_F(StreamExtension, ClimbAndApproachConfigurationFollowHeightAndVerticalSpeed) {
    enum class Kind { Climb, Approach };
    struct Case {
        const char* what;
        Kind kind;
        double heightFt;
        double verticalSpeedFpm;
        std::uint32_t throttleIndex;
        std::uint32_t flapsIndex;
        bool landing;
        bool landingConfigured;
        bool near;
        Events events;
        bool landingAfter;
    };
    const Case cases[] = {
        {"high above the ground: gear up, flaps in", Kind::Climb, 3000.0, 0.0, 3, 1, true, false, false,
         {{SimEventId::CabinLightsSet, 1}, {SimEventId::GearSet, 0}, {SimEventId::FlapsSet, 0}}, false},
        {"descending: throttle back", Kind::Climb, 3000.0, -300.0, 3, 0, false, false, false,
         {{SimEventId::CabinLightsSet, 1}, {SimEventId::ThrottleSet, 8191}, {SimEventId::GearSet, 0}}, false},
        {"climbing after take-off power: throttle back", Kind::Climb, 3000.0, 500.0, 4, 0, false, false, false,
         {{SimEventId::CabinLightsSet, 1}, {SimEventId::ThrottleSet, 11468}, {SimEventId::GearSet, 0}}, false},
        {"low and level: flaps 0 to 1", Kind::Climb, 1500.0, 0.0, 3, 0, false, false, false,
         {{SimEventId::CabinLightsSet, 1}, {SimEventId::FlapsSet, 3072}}, false},
        {"low and level: flaps 1 to 2", Kind::Climb, 1500.0, 0.0, 3, 1, false, false, false,
         {{SimEventId::CabinLightsSet, 1}, {SimEventId::FlapsSet, 10240}}, false},
        {"from 2000 ft the flaps stay at 1", Kind::Climb, 2200.0, 0.0, 3, 1, false, false, false,
         {{SimEventId::CabinLightsSet, 1}}, false},
        {"low and climbing", Kind::Climb, 1500.0, 500.0, 3, 0, false, false, false, {{SimEventId::CabinLightsSet, 1}},
         false},
        {"descending near the park airport: to land", Kind::Approach, 1500.0, -500.0, 3, 0, false, false, true,
         {{SimEventId::CabinLightsSet, 0},
          {SimEventId::ThrottleSet, 4914},
          {SimEventId::FlapsSet, 16383},
          {SimEventId::GearSet, 1}},
         true},
        {"descending away from it", Kind::Approach, 1500.0, -500.0, 3, 0, false, false, false,
         {{SimEventId::CabinLightsSet, 0}}, false},
        {"climbing again: full power, gear up, flaps in", Kind::Approach, 1500.0, 700.0, 1, 3, true, false, true,
         {{SimEventId::CabinLightsSet, 0}, {SimEventId::ThrottleSet, 16383}, {SimEventId::GearSet, 0}, {SimEventId::FlapsSet, 0}},
         false},
        {"landing level away from the park airport", Kind::Approach, 1500.0, 0.0, 1, 3, true, false, false,
         {{SimEventId::CabinLightsSet, 0}, {SimEventId::ThrottleSet, 16383}, {SimEventId::GearSet, 0}, {SimEventId::FlapsSet, 0}},
         false},
        {"once per approach", Kind::Approach, 1500.0, 700.0, 1, 3, true, true, true, {{SimEventId::CabinLightsSet, 0}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        parkAirport = AirportRecord{"LSZH", "ZRH", c.near ? 47.05 : 47.5, 8.0, 1400.0};
        LiveAc& aircraft = makeActiveAircraft(
            {}, {{.tick = kNow, .altFt = 3000.0}, {.latDeg = 47.1, .tick = kNow + 1000, .verticalSpeedFpm = c.verticalSpeedFpm}});
        aircraft.heightAboveGroundFt = c.heightFt;
        aircraft.throttleIndex = c.throttleIndex;
        aircraft.flapsIndex = c.flapsIndex;
        aircraft.landing = c.landing;
        aircraft.landingConfigured = c.landingConfigured;
        aircraft.standId = 7;
        aircraft.maxEarlyTicks = 2000;
        aircraft.maxLateTicks = 2000;
        if (c.kind == Kind::Climb) {
            lf_climbConfiguration(aircraft);
            EXPECT_EQ(aircraft.maxEarlyTicks, 1900);
        } else {
            lf_approachConfiguration(aircraft);
        }
        EXPECT_EQ(takeEvents(), c.events);
        EXPECT_EQ(aircraft.landing, c.landingAfter);
        if (c.landingAfter && !c.landing) {
            EXPECT_EQ(aircraft.standId, 0U);
            EXPECT_EQ(aircraft.maxEarlyTicks, 3000);
            EXPECT_EQ(aircraft.maxLateTicks, 3000);
        }
        liveAircraft.clear();
    }
}

TEST_F(StreamExtension, ATaxiOutLightsEverythingAndLetsTheAircraftLagItsReports) {
    LOG.value = true;
    LiveAc& aircraft = makeStoppedAircraft("B738", GroundPhase::Taxi, 0.0, 10.0);
    aircraft.towed = true;
    aircraft.landing = true;
    lf_startTaxiOut(aircraft);
    EXPECT_TRUE(aircraft.departing);
    EXPECT_FALSE(aircraft.landing);
    EXPECT_EQ(aircraft.maxEarlyTicks, 3000);
    EXPECT_EQ(aircraft.maxLateTicks, 5000);
    EXPECT_EQ(takeEvents(), (Events{{SimEventId::ThrottleSet, 0},
                                    {SimEventId::SpoilersSet, 0},
                                    {SimEventId::FlapsSet, 3072},
                                    {SimEventId::NavLightsSet, 1},
                                    {SimEventId::BeaconLightsSet, 1},
                                    {SimEventId::LandingLightsSet, 1},
                                    {SimEventId::TaxiLightsSet, 1},
                                    {SimEventId::StrobesSet, 1},
                                    {SimEventId::LogoLightsSet, 1},
                                    {SimEventId::CabinLightsSet, 1}}));
    const std::vector<std::string> lines = logLines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.starts_with("===> towed aircraft takes-off? KLM B738 KLM1234");
    })) << testing::PrintToString(lines);
}

// The worked example of the bank step (traffic/movement/movement_internal.h)
// and its limits: a Large aircraft banks at most 30 degrees, by at most 0.02
// degrees per tick; a Heavy by 0.015.
TEST_F(StreamExtension, TheBankIntoATurnIsHeldByTheCategorysLimits) {
    struct Case {
        const char* what;
        std::string type;
        double turnDeg;
        std::int32_t ticks;
        double bankDeg;
        double bankStepDeg;
    };
    const Case cases[] = {
        {"10 degrees right in 500 ticks", "B738", 10.0, 500, 0.0, -0.02},
        {"in 250 ticks, held", "B738", 10.0, 250, 0.0, -0.02},
        {"10 degrees left in 1000 ticks", "B738", -10.0, 1000, 0.0, 0.01},
        {"50 degrees, banked 30 at most", "B738", 50.0, 5000, 0.0, -0.006},
        {"already banked 5 degrees", "B738", 10.0, 1000, -5.0, -0.005},
        {"a Heavy", "B77W", 30.0, 100, 0.0, -0.015},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LiveAc& aircraft = makeStoppedAircraft(c.type, GroundPhase::Flying, 5000.0, 240.0);
        aircraft.position.bankRad = c.bankDeg * kRadiansPerDegree;
        lf_setBankStep(aircraft, c.turnDeg * kRadiansPerDegree, c.ticks);
        EXPECT_NEAR(aircraft.bankStepRad * kDegreesPerRadian, c.bankStepDeg, 1e-12);
        liveAircraft.clear();
    }
}

}  // namespace
