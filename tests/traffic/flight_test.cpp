// Flight between report blocks, the take-off and the landing flare: the
// vertical profile (worked examples of traffic/movement/flight.h), the pitch
// from the vertical speed, heading and bank, the lights and configuration by
// altitude, a take-off whose first reports still say ground, the take-off
// roll, rotation and climb-out, and the flare's stages.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "records/clock.h"
#include "records/qnh.h"
#include "traffic/movement/flight.h"
#include "traffic/movement/position_update.h"
#include "traffic/movement/take_off_landing.h"
#include "traffic/stream_geometry.h"
#include "traffic/support/traffic_fixture.h"
#include "traffic/traffic_state.h"

namespace {

using test::BlockSpec;
using test::TrafficTest;
using testing::Contains;
using testing::Not;
using Events = std::vector<std::pair<SimEventId, std::uint32_t>>;

constexpr std::int32_t kNow = 1000;
// Two thirds of a nautical mile north: 1000 ticks at 240 kt.
constexpr double kLegDeg = 2.0 / 3.0 / 60.0;

class Flight : public TrafficTest {
protected:
    Flight() { tickCounter = kNow; }
    ~Flight() override { qnhForSim = kStandardQnhHpa; }

    static void setParkAirport(double elevationFt) { parkAirport = AirportRecord{"LSZH", "ZRH", 47.0, 8.0, elevationFt}; }

    // An aircraft in the air at its front block, due now, with the second
    // block two thirds of a mile north, 1000 ticks ahead.
    static LiveAc& makeFlyingAircraft(const std::string& type, BlockSpec front, BlockSpec second,
                                      double heightAboveGroundFt) {
        front.tick = kNow;
        second.latDeg = 47.0 + kLegDeg;
        second.tick = kNow + 1000;
        LiveAc& aircraft = makeActiveAircraft({.type = type}, {front, second});
        aircraft.onGround = false;
        aircraft.groundPhase = GroundPhase::Flying;
        aircraft.heightAboveGroundFt = heightAboveGroundFt;
        return aircraft;
    }
};

// A block at 240 kt.
BlockSpec lf_block(double altFt, double verticalSpeedFpm = 0.0) {
    return {.altFt = altFt, .groundSpeedKt = 240.0, .verticalSpeedFpm = verticalSpeedFpm};
}

// A Large aircraft: largest altitude step 0.6 ft per tick; 1000 ticks to
// the second block.
TEST_F(Flight, TheVerticalProfileFollowsTheBlocksTheGroundAndTheQnh) {
    struct Case {
        const char* what;
        BlockSpec front;
        BlockSpec second;
        double heightFt;
        bool landing = false;
        int qnhHpa = 1013;
        std::optional<double> parkElevationFt = std::nullopt;
        double altStepFt = 0.0;
        std::optional<double> verticalSpeedFpm = std::nullopt;  // written into the second block
    };
    const Case cases[] = {
        {"a climb is held at the largest step", lf_block(5000.0), lf_block(5900.0), 3000.0, false, 1013, {}, 0.6},
        {"a climb within it", lf_block(5000.0), lf_block(5300.0), 3000.0, false, 1013, {}, 0.3},
        {"a descent high above the ground is not held", lf_block(5000.0), lf_block(4100.0), 3000.0, false, 1013, {}, -0.9},
        {"low down an aircraft that is not landing climbs at least 0.2 ft per tick", lf_block(1800.0), lf_block(1700.0), 800.0,
         false, 1013, {}, 0.2},
        {"or faster", lf_block(1800.0), lf_block(2300.0), 800.0, false, 1013, {}, 0.5},
        {"landing, from one altitude to the other", lf_block(3000.0), lf_block(2500.0), 1500.0, true, 1013, {}, -0.5},
        {"landing level low down, at the landing vertical speed", lf_block(1800.0), lf_block(1800.0), 800.0, true, 1013, {},
         -601.0 / 6000.0, -601.0},
        {"toward a touchdown, down to the park airport's elevation", lf_block(2400.0), lf_block(0.0), 1000.0, true, 1013,
         1400.0, -1.0},
        {"toward a touchdown with QNH 1020, at the landing vertical speed", lf_block(2400.0, -800.0), lf_block(0.0, -800.0),
         1000.0, true, 1020, 1400.0, -842.0 / 6000.0, -842.0},
        {"toward a touchdown without a park airport, at 601 fpm", lf_block(2400.0), lf_block(0.0), 1000.0, true, 1013, {},
         -601.0 / 6000.0, -601.0},
        {"a lift-off", lf_block(0.0), lf_block(500.0), 50.0, false, 1013, {}, 0.5},
        {"a lift-off held at the largest step", lf_block(0.0), lf_block(900.0), 50.0, false, 1013, {}, 0.6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        qnhForSim = c.qnhHpa;
        if (c.parkElevationFt) {
            setParkAirport(*c.parkElevationFt);
        }
        LiveAc& aircraft = makeFlyingAircraft("B738", c.front, c.second, c.heightFt);
        aircraft.landing = c.landing;
        updateLiveAc(aircraft);
        ASSERT_EQ(aircraft.reports.front().playbackTick, kNow + 1000);
        EXPECT_DOUBLE_EQ(aircraft.altStepFt, c.altStepFt);
        if (c.verticalSpeedFpm) {
            EXPECT_EQ(aircraft.reports.front().verticalSpeedFpm, *c.verticalSpeedFpm);
            EXPECT_EQ(aircraft.verticalSpeedFpm, *c.verticalSpeedFpm);
        }
        liveAircraft.clear();
        parkAirport = AirportRecord{};
    }
}

// Pitch -3 degrees level and 2.2 degrees more nose up per 600 fpm, climbs
// counted up to 2400 fpm, descents down to 3000 fpm and at half; reached in
// the 1000 ticks of the leg unless the category's pitch step holds it.
TEST_F(Flight, ThePitchFollowsTheVerticalSpeed) {
    struct Case {
        const char* what;
        std::string type;
        double verticalSpeedFpm;
        double pitchStepDeg;
    };
    const Case cases[] = {
        {"level", "F16", 0.0, -0.003},
        {"climbing at 1200 fpm", "F16", 1200.0, -0.0074},
        {"climbing at 3000 fpm, counted as 2400", "F16", 3000.0, -0.0118},
        {"descending at 1200 fpm, counted at half", "F16", -1200.0, -0.0008},
        {"descending at 3000 fpm", "F16", -3000.0, 0.0025},
        {"descending at 6000 fpm, counted as 3000", "F16", -6000.0, 0.0025},
        {"a Heavy climbing at 2400 fpm, held at 0.005 degrees per tick", "B77W", 2400.0, -0.005},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LiveAc& aircraft = makeFlyingAircraft(c.type, lf_block(20000.0), lf_block(20000.0, c.verticalSpeedFpm), 20000.0);
        updateLiveAc(aircraft);
        EXPECT_NEAR(aircraft.pitchStepRad * kDegreesPerRadian, c.pitchStepDeg, 1e-9);
        liveAircraft.clear();
    }
}

// Low down the reported true heading and bank are followed; otherwise the
// turn ahead in the stream, with the bank into it held by the category's
// limits (Large: 30 degrees, 0.02 degrees per tick).
TEST_F(Flight, HeadingAndBankFollowTheReportsLowDownAndTheTurnAheadElsewhere) {
    struct Case {
        const char* what;
        double heightFt;
        bool landing;
        bool reported;
        bool turnAhead;
        double headingChangeDeg;
        double bankStepDeg;
    };
    constexpr double kReportedHeadingDeg = 10.0;
    constexpr double kReportedBankDeg = 5.0;
    const Case cases[] = {
        {"the turn ahead", 5000.0, false, false, true, 30.0, -0.02},
        {"no turn ahead", 5000.0, false, false, false, 0.0, 0.0},
        {"the reported heading and bank below 1000 ft", 800.0, false, true, true, kReportedHeadingDeg, 0.005},
        {"the turn ahead and the reported bank above 1000 ft", 1500.0, false, true, true, 30.0, 0.005},
        {"the reported heading below 2000 ft while landing", 1500.0, true, true, true, kReportedHeadingDeg, 0.005},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LiveAc& aircraft = makeFlyingAircraft("B738", lf_block(5000.0), lf_block(5000.0), c.heightFt);
        aircraft.landing = c.landing;
        if (c.turnAhead) {
            const GeoPosition second = gf_blockPosition(aircraft.reports[1]);
            const GeoPosition third = gf_destinationPoint(second, 30.0 * kRadiansPerDegree, 4000.0);
            aircraft.reports.push_back(test::makeBlock({.latDeg = third.latDeg, .lonDeg = third.lonDeg, .tick = kNow + 1200,
                                                        .altFt = 5000.0, .groundSpeedKt = 240.0}));
        }
        if (c.reported) {
            ReportBlock& second = aircraft.reports[1];
            second.headingKnown = true;
            second.trueHeadingRad = kReportedHeadingDeg * kRadiansPerDegree;
            second.bankRad = kReportedBankDeg * kRadiansPerDegree;
        }
        updateLiveAc(aircraft);
        EXPECT_NEAR(aircraft.headingStepRad * 1000.0 * kDegreesPerRadian, c.headingChangeDeg, 0.01);
        EXPECT_NEAR(aircraft.bankStepRad * kDegreesPerRadian, c.bankStepDeg, 1e-9);
        liveAircraft.clear();
    }
}

TEST_F(Flight, LightsAndConfigurationFollowTheAltitude) {
    struct Case {
        const char* what;
        std::string type;
        double altFt;
        double verticalSpeedFpm;
        Events events;
        bool landing;
    };
    const Events lowLights = {{SimEventId::NavLightsSet, 1},  {SimEventId::BeaconLightsSet, 1}, {SimEventId::LandingLightsSet, 1},
                              {SimEventId::TaxiLightsSet, 1}, {SimEventId::StrobesSet, 1},      {SimEventId::LogoLightsSet, 1},
                              {SimEventId::CabinLightsSet, 1}};
    const Events highLights = {{SimEventId::NavLightsSet, 1},  {SimEventId::BeaconLightsSet, 1}, {SimEventId::LandingLightsSet, 0},
                               {SimEventId::TaxiLightsSet, 0}, {SimEventId::StrobesSet, 0},      {SimEventId::LogoLightsSet, 0},
                               {SimEventId::CabinLightsSet, 1}};
    const auto with = [](Events events, const Events& more) {
        events.insert(events.end(), more.begin(), more.end());
        return events;
    };
    const Case cases[] = {
        {"above 10000 ft", "B738", 11000.0, 0.0,
         with(highLights, {{SimEventId::ThrottleSet, 11468}, {SimEventId::GearSet, 0}, {SimEventId::FlapsSet, 0}}), false},
        {"a helicopter above 10000 ft", "EC35", 11000.0, 0.0, with(highLights, {{SimEventId::ThrottleSet, 16383}}), false},
        {"below 10000 ft, climbing away", "B738", 5000.0, 0.0,
         with(lowLights, {{SimEventId::CabinLightsSet, 1}, {SimEventId::GearSet, 0}, {SimEventId::FlapsSet, 0}}), false},
        {"descending near the park airport", "B738", 1500.0, -700.0,
         with(lowLights, {{SimEventId::CabinLightsSet, 0},
                          {SimEventId::ThrottleSet, 4914},
                          {SimEventId::FlapsSet, 16383},
                          {SimEventId::GearSet, 1}}),
         true},
        {"a light aircraft at 1500 ft climbs away", "C172", 1500.0, 0.0, with(lowLights, {{SimEventId::CabinLightsSet, 1}}),
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        setParkAirport(0.0);
        LiveAc& aircraft = makeFlyingAircraft(c.type, lf_block(c.altFt), lf_block(c.altFt, c.verticalSpeedFpm), c.altFt);
        nextPosAir(aircraft);
        EXPECT_EQ(takeEvents(), c.events);
        EXPECT_EQ(aircraft.landing, c.landing);
        if (c.landing) {
            EXPECT_EQ(coupledCheckQueue.back(), aircraft.identity.aircraftId);
        }
        // Each set of lights is sent once.
        nextPosAir(aircraft);
        EXPECT_THAT(takeEvents(), Not(Contains(std::pair{SimEventId::NavLightsSet, 1U})));
        liveAircraft.clear();
        coupledCheckQueue.clear();
    }
}

// The simulator says airborne, the first reports still say ground: the
// aircraft jumps to its first airborne block (among the 3rd to the 10th)
// and flies straight at it, or climbs at least 601 fpm; landing, it
// descends at the landing vertical speed.
TEST_F(Flight, ATakeOffWhoseFirstReportsSayGroundJumpsToItsFirstAirborneBlock) {
    struct Case {
        const char* what;
        double thirdAltFt;
        bool landing;
        std::size_t blocksAfter;
        double altStepFt;
    };
    const Case cases[] = {
        {"to the first airborne block", 300.0, false, 2, std::nan("")},
        {"without one, at 601 fpm", 0.0, false, 4, 601.0 / 6000.0},
        {"landing, at the landing vertical speed", 300.0, true, 4, -601.0 / 6000.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<BlockSpec> blocks;
        const double altitudes[] = {0.0, 0.0, 0.0, c.thirdAltFt, c.thirdAltFt + 400.0};
        for (std::size_t index = 0; index < 5; ++index) {
            blocks.push_back({.latDeg = 47.0 + 0.004 * index, .lonDeg = 8.0 + 0.001 * index * index,
                              .tick = kNow + 500 * static_cast<std::int32_t>(index), .altFt = altitudes[index],
                              .groundSpeedKt = 150.0, .verticalSpeedFpm = index == 0 ? 0.0 : 500.0});
        }
        LiveAc& aircraft = makeActiveAircraft({}, blocks);
        aircraft.onGround = false;
        aircraft.groundPhase = GroundPhase::TakeOff;
        aircraft.landing = c.landing;
        updateLiveAc(aircraft);
        EXPECT_EQ(aircraft.reports.size(), c.blocksAfter);
        EXPECT_THAT(takeEvents(), Contains(std::pair{SimEventId::GearSet, 1U}));
        const ReportBlock& target = aircraft.reports.front();
        if (std::isnan(c.altStepFt)) {
            EXPECT_EQ(target.altFt, c.thirdAltFt);
            const double ticks = target.playbackTick - kNow;
            EXPECT_DOUBLE_EQ(aircraft.altStepFt, c.thirdAltFt / ticks);
        } else {
            EXPECT_DOUBLE_EQ(aircraft.altStepFt, c.altStepFt);
        }
        // The steps lead onto the block now ahead, not past the dropped ones.
        const double ticksLeft = target.playbackTick - kNow - 1;
        EXPECT_NEAR(aircraft.position.latitudeDeg + ticksLeft * aircraft.latStepDeg, target.latDeg, 1e-9);
        EXPECT_NEAR(aircraft.position.longitudeDeg + ticksLeft * aircraft.lonStepDeg, target.lonDeg, 1e-9);
        liveAircraft.clear();
    }
}

// A Large aircraft rotates in its 200 rotation ticks, then climbs a tenth,
// a fifth and half of its altitude step (here 1 ft) for 100 ticks each,
// its gear coming up 300 ticks after rotation, and flies once its nose is
// at the climb pitch 800 ft or more above the ground.
TEST_F(Flight, ATakeOffRollsRotatesAndClimbsOut) {
    for (const double heightFt : {900.0, 500.0}) {
        SCOPED_TRACE(heightFt);
        LiveAc& aircraft = makeActiveAircraft(
            {}, {{.tick = kNow, .altFt = 0.0, .groundSpeedKt = 150.0}, {.latDeg = 47.1, .tick = kNow + 5000, .altFt = 0.0}});
        aircraft.departing = true;
        aircraft.heightAboveGroundFt = heightFt;
        startTakeOff(aircraft);
        aircraft.altStepFt = 1.0;
        EXPECT_EQ(aircraft.groundPhase, GroundPhase::TakeOff);
        EXPECT_EQ(aircraft.groundTicks, 200);
        EXPECT_TRUE(takeEvents().empty());
        const auto ticks = [&](int count) {
            for (int tick = 0; tick < count; ++tick) {
                takeOffStep(aircraft);
            }
        };
        ticks(199);
        EXPECT_FALSE(aircraft.onGround);
        EXPECT_NEAR(aircraft.position.pitchRad, aircraft.identity.rotationPitchRad * 199.0 / 200.0, 1e-9);
        ticks(1);  // rotated
        EXPECT_EQ(aircraft.position.altitudeFt, 0.0);
        ticks(99);
        EXPECT_NEAR(aircraft.position.altitudeFt, 9.9, 1e-9);
        ticks(100);
        EXPECT_NEAR(aircraft.position.altitudeFt, 29.9, 1e-9);
        ticks(100);
        EXPECT_NEAR(aircraft.position.altitudeFt, 79.9, 1e-9);
        EXPECT_TRUE(takeEvents().empty());
        ticks(1);  // 300 ticks after rotation
        EXPECT_NEAR(aircraft.position.altitudeFt, 80.9, 1e-9);
        EXPECT_EQ(takeEvents(), (Events{{SimEventId::GearSet, 0}}));
        // The climb pitch is reached with the 301st step after rotation.
        const AcIdentity& identity = aircraft.identity;
        EXPECT_LE(aircraft.position.pitchRad, identity.climbPitchRad);
        EXPECT_GT(aircraft.position.pitchRad,
                  identity.climbPitchRad + (identity.climbPitchRad - identity.rotationPitchRad) / 300.0);
        ticks(1);
        if (heightFt >= 800.0) {
            EXPECT_EQ(aircraft.groundPhase, GroundPhase::Flying);
            EXPECT_EQ(aircraft.groundTicks, 1);
            EXPECT_EQ(takeEvents(), (Events{{SimEventId::ThrottleSet, 11468}}));
        } else {
            ticks(100);
            EXPECT_EQ(aircraft.groundPhase, GroundPhase::TakeOff);
            EXPECT_EQ(aircraft.groundTicks, -401);
        }
        liveAircraft.clear();
    }
}

// Touching down, an aircraft that takes off again goes to full throttle
// with its spoilers out.
TEST_F(Flight, ATakeOffAfterATouchdownGoesToFullPower) {
    LiveAc& aircraft = makeActiveAircraft(
        {}, {{.tick = kNow, .altFt = 0.0, .groundSpeedKt = 150.0}, {.latDeg = 47.1, .tick = kNow + 5000, .altFt = 0.0}});
    aircraft.departing = true;
    aircraft.takeOffPending = true;
    aircraft.landing = true;
    startTakeOff(aircraft);
    EXPECT_FALSE(aircraft.takeOffPending);
    EXPECT_FALSE(aircraft.landing);
    EXPECT_EQ(takeEvents(), (Events{{SimEventId::ThrottleSet, 16383}, {SimEventId::SpoilersSet, 16383}, {SimEventId::FlapsSet, 3072}}));
}

// The flare of a Large aircraft whose reference point is 10 ft above the
// ground: stages at 40, 30, 20 and 13 ft, each sinking more slowly, the
// throttle closed at 20 ft.
TEST_F(Flight, TheFlareSinksEverSlowerDownToTheGround) {
    struct Stage {
        double heightFt;
        std::uint32_t stage;
        double altStepFt;
        double verticalSpeedFpm;
        Events events;
    };
    const Stage stages[] = {
        {45.0, 0, 0.0, 0.0, {}},
        {40.0, 1, -0.1, -601.0, {}},
        {31.0, 1, -0.1, -601.0, {}},
        {30.0, 2, -0.07500000000000001, -450.0, {}},
        {20.0, 3, -0.05, -300.0, {{SimEventId::ThrottleSet, 0}}},
        {13.0, 4, -0.025, -150.0, {}},
        {5.0, 4, -0.025, -150.0, {}},
    };
    LiveAc& aircraft = makeActiveAircraft({}, {{.tick = kNow, .altFt = 500.0}, {.latDeg = 47.1, .tick = kNow + 5000}});
    aircraft.identity.staticCgHeightFt = 10.0;
    aircraft.position.pitchRad = -0.02;
    aircraft.landing = true;
    for (const Stage& stage : stages) {
        SCOPED_TRACE(stage.heightFt);
        aircraft.heightAboveGroundFt = stage.heightFt;
        flareStep(aircraft);
        EXPECT_EQ(aircraft.flareStage, stage.stage);
        EXPECT_EQ(aircraft.altStepFt, stage.altStepFt);
        EXPECT_EQ(aircraft.reports.front().verticalSpeedFpm, stage.verticalSpeedFpm);
        EXPECT_EQ(takeEvents(), stage.events);
        if (stage.stage == 1) {
            EXPECT_DOUBLE_EQ(aircraft.pitchStepRad, (-4.0 * kRadiansPerDegree + 0.02) / 400.0);
        }
    }
    // With a park airport the first stage measures the height above its
    // elevation.
    liveAircraft.clear();
    setParkAirport(1400.0);
    LiveAc& arriving = makeActiveAircraft({}, {{.tick = kNow, .altFt = 1435.0}, {.latDeg = 47.1, .tick = kNow + 5000}});
    arriving.heightAboveGroundFt = 100.0;
    arriving.identity.staticCgHeightFt = 10.0;
    flareStep(arriving);
    EXPECT_EQ(arriving.flareStage, 1U);
    EXPECT_EQ(arriving.flareHeightFt, 35.0);
    EXPECT_EQ(arriving.touchdownElevationFt, std::optional<double>{1400.0});
}

}  // namespace
