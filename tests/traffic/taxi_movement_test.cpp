// Movement on the ground: the way to the next block (a straight leg, a curve,
// a block halfway), the timing of a turn (worked examples of
// traffic/movement/taxi_movement.h), the throttle by the taxi speed, the
// flaps after a touchdown, the take-off when the blocks ahead allow it, and
// the way off a stand.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "records/clock.h"
#include "traffic/movement/position_update.h"
#include "traffic/movement/taxi_movement.h"
#include "traffic/stream_geometry.h"
#include "traffic/support/traffic_fixture.h"
#include "traffic/traffic_state.h"

namespace {

using test::BlockSpec;
using test::TrafficTest;

constexpr double kFeetPerMetre = 3.280839895013123;
constexpr std::int32_t kNow = 3000;

// The position that far from the start along the bearing.
GeoPosition lf_offset(const GeoPosition& start, double bearingDeg, double metres) {
    return gf_destinationPoint(start, bearingDeg * kRadiansPerDegree, metres * kFeetPerMetre);
}

BlockSpec lf_groundBlock(const GeoPosition& position, std::int32_t tick, double speedKt, bool unmoved = false) {
    return {.latDeg = position.latDeg, .lonDeg = position.lonDeg, .tick = tick, .altFt = 0.0,
            .groundSpeedKt = speedKt, .unmoved = unmoved};
}

class TaxiMovement : public TrafficTest {
protected:
    TaxiMovement() { tickCounter = kNow; }
};

// The aircraft heads north along a leg of 60 m to the second block; the
// third lies 60 m from it, the turn off to the right.
TEST_F(TaxiMovement, TheWayToTheNextBlockIsAStraightLegACurveOrABlockHalfway) {
    struct Case {
        const char* what;
        double turnDeg;
        double speedKt;
        std::int32_t gapTicks;
        bool thirdUnmoved;
        bool curve;
        std::size_t blocksAfter;
    };
    const Case cases[] = {
        {"a sharp turn after a long slow leg first gets a block halfway", 90.0, 10.0, 600, false, false, 3},
        {"the same turn less than 6 s after the block flies a curve", 90.0, 10.0, 500, false, true, 1},
        {"the same turn at 50 kt flies a curve", 90.0, 50.0, 600, false, true, 1},
        {"a turn of 30 degrees flies a curve", 30.0, 10.0, 600, false, true, 1},
        {"a U-turn of 170 degrees does not", 170.0, 10.0, 500, false, false, 2},
        {"a turn of 2 degrees goes straight", 2.0, 10.0, 600, false, false, 2},
        {"toward a block standing still it goes straight", 90.0, 10.0, 500, true, false, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const GeoPosition front{47.0, 8.0};
        const GeoPosition second = lf_offset(front, 0.0, 60.0);
        const GeoPosition third = lf_offset(second, c.turnDeg, 60.0);
        LiveAc& aircraft = makeActiveAircraft({}, {lf_groundBlock(front, kNow, c.speedKt),
                                                   lf_groundBlock(second, kNow + c.gapTicks, c.speedKt),
                                                   lf_groundBlock(third, kNow + 2 * c.gapTicks, c.speedKt, c.thirdUnmoved)});
        updateLiveAc(aircraft);
        EXPECT_EQ(!std::isnan(aircraft.curve.controlEastM), c.curve);
        if (c.curve) {
            EXPECT_NEAR(aircraft.curve.turnDeg, c.turnDeg, 0.01);
            EXPECT_FALSE(aircraft.turningToTarget);
            EXPECT_EQ(aircraft.curve.tStep, 1.0 / (aircraft.reports.front().playbackTick - kNow));
        }
        EXPECT_EQ(aircraft.reports.size(), c.blocksAfter);
        if (c.blocksAfter == 3) {
            EXPECT_NEAR(aircraft.reports.front().latDeg, (front.latDeg + second.latDeg) / 2.0, 1e-12);
        }
        liveAircraft.clear();
    }
}

// A Large aircraft turns 0.07 degrees per tick at its taxi turn rate, so a
// turn of A degrees takes A / 0.07 ticks at that rate; the rate is scaled by
// how that compares with the ticks of the leg (distance at the taxi speed).
TEST_F(TaxiMovement, ATurnIsTimedToFitItsLeg) {
    struct Case {
        const char* what;
        double turnDeg;
        bool curve;
        double legM;
        double speedKt;
        std::int32_t legTicks;
        double turnRateDeg;
        std::int32_t lagTicks;
    };
    // Worked by hand: leg ticks = round(legM / 1852 x 360000 / speed), turn
    // ticks T = round(turnDeg / 0.07), r = leg ticks / T.
    const Case cases[] = {
        // T = 1286, r = 2333 / 1286 = 1.814: 0.07 x 1.814
        {"a 90-degree curve over 120 m at 10 kt", 90.0, true, 120.0, 10.0, 2333, 0.12699066874027995, 2000},
        // T = 1286, r = 1166 / 1286 = 0.9067: 0.07 x 0.9067
        {"a 90-degree curve over 60 m at 10 kt", 90.0, true, 60.0, 10.0, 1166, 0.06346811819595645, 2000},
        // T = 1714, r = 5832 / 1714 = 3.40, capped at 90 / 30 = 3
        {"a 120-degree curve, at most three times the rate", 120.0, true, 300.0, 10.0, 5832, 0.21, 2000},
        // T = 857, r = 1166 / 857 = 1.3606: 0.07 x 1.3606
        {"a 60-degree turn", 60.0, false, 60.0, 10.0, 1166, 0.09523920653442242, 1000},
        // T = 429, r = 2.718; m = min(r, r x 10 / 30, r x 30 / 60) = 0.906: 0.07 / 0.906
        {"a 30-degree turn on a slow leg", 30.0, false, 60.0, 10.0, 1166, 0.07726415094339623, 1000},
        // T = 429, r = 292 / 429 = 0.6807: 0.07 / 0.6807, the turn lasts the leg
        {"a 30-degree turn on a leg shorter than 1.2 turns", 30.0, false, 60.0, 40.0, 292, 0.10284246575342466, 1000},
        // T = 643, r = 15.12; m = r x 30 / 1000 = 0.4535: 0.07 / 0.4535
        {"a 45-degree turn on a long leg is flown quickly", 45.0, false, 1000.0, 20.0, 9719, 0.1543711630140275, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const GeoPosition front{47.0, 8.0};
        const GeoPosition second{47.0 + c.legM / kMetresPerNm / 60.0, 8.0};
        LiveAc& aircraft = makeActiveAircraft(
            {}, {lf_groundBlock(front, kNow, c.speedKt), lf_groundBlock(second, kNow + c.legTicks, c.speedKt)});
        if (c.curve) {
            aircraft.curve.controlEastM = 0.0;
            aircraft.curve.controlNorthM = 30.0;
            aircraft.curve.turnDeg = c.turnDeg;
        } else {
            aircraft.turningToTarget = true;
            aircraft.turnAngleDeg = c.turnDeg;
        }
        retimeGround(aircraft);
        EXPECT_EQ(aircraft.reports[1].playbackTick, kNow + c.legTicks);
        EXPECT_NEAR(aircraft.identity.turnRateRad * kDegreesPerRadian, c.turnRateDeg, 1e-9);
        EXPECT_EQ(aircraft.maxEarlyTicks, c.lagTicks);
        EXPECT_EQ(aircraft.maxLateTicks, c.lagTicks);
        liveAircraft.clear();
    }
}

TEST_F(TaxiMovement, TheThrottleFollowsTheTaxiSpeedOnlyWhileDeparting) {
    struct Case {
        const char* what;
        std::string type;
        bool departing;
        double frontKt;
        double secondKt;
        std::uint32_t index;
    };
    const Case cases[] = {
        {"slow", "B738", true, 10.0, 10.0, 0},
        {"rolling", "B738", true, 16.0, 10.0, 1},
        {"rolling toward 22 kt", "B738", true, 10.0, 22.0, 1},
        {"at 20 kt", "B738", true, 20.0, 10.0, 2},
        {"toward 25 kt", "B738", true, 10.0, 25.0, 2},
        {"at 25 kt", "B738", true, 25.0, 0.0, 4},
        {"toward 30 kt", "B738", true, 0.0, 30.0, 4},
        {"a helicopter", "EC35", true, 5.0, 5.0, 4},
        {"not departing", "B738", false, 30.0, 30.0, 0},
        {"a helicopter not departing", "EC35", false, 30.0, 30.0, 4},
    };
    constexpr std::uint32_t kLevels[] = {0, 4914, 8191, 11468, 16383};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LiveAc& aircraft = makeActiveAircraft(
            {.type = c.type}, {lf_groundBlock({47.0, 8.0}, kNow, c.frontKt), lf_groundBlock({47.01, 8.0}, kNow + 5000, c.secondKt)});
        aircraft.departing = c.departing;
        setGroundSpeed(aircraft);
        EXPECT_EQ(aircraft.throttleIndex, c.index);
        EXPECT_EQ(takeEvents(), (std::vector<std::pair<SimEventId, std::uint32_t>>{{SimEventId::ThrottleSet, kLevels[c.index]}}));
        EXPECT_EQ(aircraft.signedGroundSpeedKt, c.secondKt);
        liveAircraft.clear();
    }
    // A parked aircraft that moves only taxis; its engines are started
    // elsewhere.
    LiveAc& parked = makeActiveAircraft({}, {lf_groundBlock({47.0, 8.0}, kNow, 0.0), lf_groundBlock({47.01, 8.0}, kNow + 5000, 5.0)});
    parked.groundPhase = GroundPhase::Parked;
    setGroundSpeed(parked);
    EXPECT_EQ(parked.groundPhase, GroundPhase::Taxi);
    EXPECT_EQ(parked.previousGroundPhase, GroundPhase::Parked);
    EXPECT_TRUE(takeEvents().empty());
}

// After its touchdown an aircraft keeps its take-off flaps until it turned
// 15 degrees off the heading it landed on.
TEST_F(TaxiMovement, AfterTouchdownTheFlapsFollowTheTurnOffTheRunway) {
    using Events = std::vector<std::pair<SimEventId, std::uint32_t>>;
    struct Case {
        const char* what;
        std::string type;
        double turnedDeg;
        double speedKt;
        bool stillPending;
        Events events;
    };
    const Events lights = {{SimEventId::NavLightsSet, 1},  {SimEventId::BeaconLightsSet, 1}, {SimEventId::LandingLightsSet, 0},
                           {SimEventId::TaxiLightsSet, 1}, {SimEventId::StrobesSet, 0},      {SimEventId::LogoLightsSet, 1},
                           {SimEventId::CabinLightsSet, 1}};
    Events leftRunway = {{SimEventId::FlapsSet, 0}, {SimEventId::ThrottleSet, 0}, {SimEventId::SpoilersSet, 0}};
    leftRunway.insert(leftRunway.end(), lights.begin(), lights.end());
    Events helicopterLeft = {{SimEventId::ThrottleSet, 16383}};
    helicopterLeft.insert(helicopterLeft.end(), lights.begin(), lights.end());
    const Case cases[] = {
        {"turned 20 degrees off the runway", "B738", 20.0, 20.0, false, leftRunway},
        {"a helicopter turned off", "EC35", 20.0, 20.0, false, helicopterLeft},
        {"rolling out at 80 kt, 14 degrees the other way", "B738", -14.0, 80.0, true,
         {{SimEventId::SpoilersSet, 0}, {SimEventId::FlapsSet, 3072}}},
        {"still fast", "B738", 10.0, 100.0, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LiveAc& aircraft = makeActiveAircraft(
            {.type = c.type}, {lf_groundBlock({47.0, 8.0}, kNow, c.speedKt), lf_groundBlock({47.01, 8.0}, kNow + 5000, c.speedKt)});
        aircraft.takeOffPending = true;
        aircraft.headingAtLastFlapsRad = 0.1;
        aircraft.position.headingRad = 0.1 + c.turnedDeg * kRadiansPerDegree;
        setFlapsForTurn(aircraft);
        EXPECT_EQ(aircraft.takeOffPending, c.stillPending);
        EXPECT_EQ(aircraft.headingAtLastFlapsRad, c.stillPending ? 0.1 : 0.0);
        EXPECT_EQ(takeEvents(), c.events);
        liveAircraft.clear();
    }
}

// A departing Large aircraft (lift-off at 140 kt) rolling at 150 kt, the
// blocks ahead at its speed (a speed change would bring a block halfway).
TEST_F(TaxiMovement, ADepartingAircraftTakesOffWhenTheBlocksAheadSaySo) {
    struct Ahead {
        double altFt;
        double verticalSpeedFpm;
        double speedKt;
    };
    struct Case {
        const char* what;
        Ahead first;
        Ahead second;
        double frontKt = 150.0;
        bool departing = true;
        bool takesOff = true;
        double altStepFt = 0.6;  // NaN: the climb toward the first block ahead
    };
    constexpr double kTowardFirst = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"climbing and airborne ahead", {200.0, 1000.0, 150.0}, {600.0, 1500.0, 150.0}, 150.0, true, true, kTowardFirst},
        {"climbing, the first still on the ground", {0.0, 1000.0, 150.0}, {600.0, 1500.0, 150.0}},
        {"level, fast and airborne", {100.0, 0.0, 150.0}, {200.0, 300.0, 150.0}},
        {"level, one too slow", {100.0, 0.0, 150.0}, {200.0, 300.0, 130.0}, 150.0, true, false},
        {"level, one on the ground", {0.0, 0.0, 150.0}, {200.0, 300.0, 150.0}, 150.0, true, false},
        {"rolling at 40 kt", {200.0, 1000.0, 40.0}, {600.0, 1500.0, 40.0}, 40.0, true, false},
        {"not departing", {200.0, 1000.0, 150.0}, {600.0, 1500.0, 150.0}, 150.0, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<BlockSpec> blocks{lf_groundBlock({47.0, 8.0}, kNow, c.frontKt)};
        std::int32_t tick = kNow;
        double latDeg = 47.0;
        for (const Ahead& ahead : {c.first, c.second}) {
            tick += 500;
            latDeg += 0.01;
            blocks.push_back({.latDeg = latDeg, .tick = tick, .altFt = ahead.altFt, .groundSpeedKt = ahead.speedKt});
        }
        LiveAc& aircraft = makeActiveAircraft({}, blocks);
        aircraft.reports[1].verticalSpeedFpm = c.first.verticalSpeedFpm;
        aircraft.reports[2].verticalSpeedFpm = c.second.verticalSpeedFpm;
        aircraft.departing = c.departing;
        updateLiveAc(aircraft);
        EXPECT_EQ(aircraft.groundPhase, c.takesOff ? GroundPhase::TakeOff : GroundPhase::Taxi);
        if (c.takesOff) {
            const double ticks = aircraft.reports.front().playbackTick - kNow;
            EXPECT_DOUBLE_EQ(aircraft.altStepFt, std::isnan(c.altStepFt) ? c.first.altFt / ticks : c.altStepFt);
            EXPECT_EQ(aircraft.groundTicks, 200 - 1);  // rotation ticks, one taken
        }
        liveAircraft.clear();
    }
}

// A parked aircraft whose reports lead off within 90 degrees (in whole
// degrees) of its stand's heading pulls out forward; otherwise it pushes
// back.
TEST_F(TaxiMovement, AParkedAircraftThatMovesPullsOutOrPushesBack) {
    struct Case {
        double bearingDeg;
        bool pullsOut;
    };
    const Case cases[] = {{30.0, true}, {-89.4, true}, {89.6, false}, {120.0, false}, {180.0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bearingDeg);
        const GeoPosition stand{47.0, 8.0};
        LiveAc& aircraft = makeActiveAircraft(
            {}, {lf_groundBlock(stand, kNow, 0.0), lf_groundBlock(lf_offset(stand, c.bearingDeg, 50.0), kNow + 1000, 3.0)});
        aircraft.groundPhase = GroundPhase::Parked;
        aircraft.leavingStand = true;
        aircraft.standLatDeg = stand.latDeg;
        aircraft.standLonDeg = stand.lonDeg;
        aircraft.standHeadingRad = 0.0;
        nextPosGround(aircraft);
        EXPECT_EQ(aircraft.groundPhase == GroundPhase::Taxi, c.pullsOut);
        EXPECT_EQ(aircraft.maxEarlyTicks, 3000);
        liveAircraft.clear();
    }
}

}  // namespace
