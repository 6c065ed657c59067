// Curves through turns on the ground, the extra block halfway, and the
// one-tick move: the quadratic curve's points and headings (worked in
// local metres), curves and midpoints across the antimeridian, the curve's
// parameter that stops just short of its end, the heading turning the
// short way and never past the wanted heading, the attitude by phase, and
// the position kept on the earth.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

#include "traffic/curves.h"
#include "traffic/movement/tick_move.h"
#include "traffic/stream_geometry.h"
#include "traffic/support/traffic_fixture.h"
#include "traffic/traffic_state.h"

namespace {

using test::BlockSpec;
using test::TrafficTest;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kPi = std::numbers::pi;
constexpr double kMetresPerDegree = 111132.95;

// A curve from (47, 8) in local metres: control and end east and north.
CurveState lf_curve(double controlEastM, double controlNorthM, double endEastM, double endNorthM, double t0 = 0.0,
                    double t1 = 1.0) {
    CurveState curve;
    curve.originLatDeg = 47.0;
    curve.originLonDeg = 8.0;
    curve.controlEastM = controlEastM;
    curve.controlNorthM = controlNorthM;
    curve.endEastM = endEastM;
    curve.endNorthM = endNorthM;
    curve.t0 = t0;
    curve.t1 = t1;
    return curve;
}

using Curves = TrafficTest;

// The worked example of traffic/curves.h: control 100 m north, end
// 100 m north and 100 m east of (47, 8).
TEST_F(Curves, APointOfTheCurveLiesOnTheQuadraticCurveAndHeadsAlongIt) {
    struct Case {
        const char* what;
        CurveState curve;
        double t;
        std::optional<CurvePoint> expected;
    };
    const CurveState bend = lf_curve(0.0, 100.0, 100.0, 100.0);
    const Case cases[] = {
        {"the start heads toward the control point", bend, 0.0, CurvePoint{47.0, 8.0, 0.0}},
        {"halfway", bend, 0.5, CurvePoint{47.000674867354824, 8.000329847985148, kPi / 4.0}},
        {"the end heads away from the control point", bend, 1.0, CurvePoint{47.00089982313976, 8.001319391940589, kPi / 2.0}},
        {"halfway of a parameter range 10 to 20", lf_curve(0.0, 100.0, 100.0, 100.0, 10.0, 20.0), 15.0,
         CurvePoint{47.000674867354824, 8.000329847985148, kPi / 4.0}},
        {"heading west is 3/2 pi, not negative", lf_curve(-100.0, 0.0, -100.0, -100.0), 0.0,
         CurvePoint{47.0, 8.0, 1.5 * kPi}},
        {"past the end", bend, 1.01, std::nullopt},
        {"before the start", bend, -0.01, std::nullopt},
        {"no control point", lf_curve(kNaN, kNaN, 100.0, 100.0), 0.5, std::nullopt},
        {"a cleared curve", lf_curve(0.0, 100.0, 100.0, 100.0, kNaN, kNaN), 0.5, std::nullopt},
        {"an empty parameter range", lf_curve(0.0, 100.0, 100.0, 100.0, 0.0, 0.0), 0.0, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<CurvePoint> point = curvePointAt(c.curve, c.t);
        ASSERT_EQ(point.has_value(), c.expected.has_value());
        if (point) {
            EXPECT_NEAR(point->latDeg, c.expected->latDeg, 1e-12);
            EXPECT_NEAR(point->lonDeg, c.expected->lonDeg, 1e-12);
            EXPECT_NEAR(point->headingRad, c.expected->headingRad, 1e-12);
        }
    }
}

// The second block becomes the control point and is erased; the third is
// the end. Across the antimeridian the end lies a hundred metres east, not
// round the earth to the west.
TEST_F(Curves, ACurveRunsThroughTheSecondBlockToTheThird) {
    struct Case {
        const char* what;
        double latDeg;
        double startLonDeg;
        double endLonDeg;
        double controlNorthM;
        double endEastM;
    };
    const Case cases[] = {
        {"at Zurich", 47.0, 8.0, 8.0013, 100.019655, 98.53023654357993},
        {"across the antimeridian", -17.0, 179.9995, -179.9995, 100.019655, 106.27696862920222},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LiveAc& aircraft = makeActiveAircraft(
            {}, {{.latDeg = c.latDeg, .lonDeg = c.startLonDeg, .altFt = 0.0, .groundSpeedKt = 10.0},
                 {.latDeg = c.latDeg + 0.0009, .lonDeg = c.startLonDeg, .altFt = 0.0, .groundSpeedKt = 14.0},
                 {.latDeg = c.latDeg + 0.0009, .lonDeg = c.endLonDeg, .altFt = 0.0, .groundSpeedKt = 0.0}});
        makeCurve(aircraft);
        ASSERT_EQ(aircraft.reports.size(), 2U);
        EXPECT_EQ(aircraft.reports[1].lonDeg, c.endLonDeg);
        EXPECT_EQ(aircraft.reports[1].groundSpeedKt, 12.0);  // the mean of the first two
        const CurveState& curve = aircraft.curve;
        EXPECT_EQ(curve.originLonDeg, c.startLonDeg);
        EXPECT_NEAR(curve.controlNorthM, c.controlNorthM, 1e-6);
        EXPECT_NEAR(curve.controlEastM, 0.0, 1e-6);
        EXPECT_NEAR(curve.endNorthM, c.controlNorthM, 1e-6);
        EXPECT_NEAR(curve.endEastM, c.endEastM, 1e-6);
        EXPECT_EQ(curve.t0, 0.0);
        EXPECT_EQ(curve.t1, 1.0);
        liveAircraft.clear();
    }
}

TEST_F(Curves, AMidpointTakesTheMeansOfTheTwoBlocks) {
    struct Case {
        const char* what;
        BlockSpec front;
        BlockSpec second;
        double lonDeg;
        double altFt;
        bool airborne;
        std::int32_t tick;
    };
    const Case cases[] = {
        {"between 0 ft and 100 ft it is airborne at 50 ft", {.tick = 1000, .altFt = 0.0, .groundSpeedKt = 120.0},
         {.lonDeg = 8.01, .tick = 1501, .altFt = 100.0, .groundSpeedKt = 140.0}, 8.005, 50.0, true, 1251},
        {"between two ground blocks it is on the ground",
         {.tick = 1000, .altFt = 0.0, .groundSpeedKt = 120.0, .unmoved = true},
         {.lonDeg = 8.01, .tick = 2000, .altFt = 0.0, .groundSpeedKt = 140.0}, 8.005, 0.0, false, 1500},
        {"across the antimeridian it lies on it",
         {.lonDeg = 179.999, .tick = 1000, .altFt = 0.0, .groundSpeedKt = 120.0},
         {.lonDeg = -179.999, .tick = 2000, .altFt = 0.0, .groundSpeedKt = 140.0}, 180.0, 0.0, false, 1500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LiveAc& aircraft = makeActiveAircraft({}, {c.front, c.second});
        insertMidPoint(aircraft);
        ASSERT_EQ(aircraft.reports.size(), 3U);
        const ReportBlock& middle = aircraft.reports[1];
        EXPECT_NEAR(std::fabs(middle.lonDeg), c.lonDeg, 1e-9);
        EXPECT_EQ(middle.latDeg, 47.0);
        EXPECT_EQ(middle.groundSpeedKt, 130.0);
        EXPECT_EQ(middle.altFt, c.altFt);
        EXPECT_EQ(middle.airborne, c.airborne);
        EXPECT_FALSE(middle.unmoved);
        EXPECT_EQ(middle.playbackTick, c.tick);
        liveAircraft.clear();
    }
}

TEST_F(Curves, ASpeedChangeGetsAMidpointOnALegOf100MetresOrMore) {
    struct Case {
        const char* what;
        double legM;
        double frontKt;
        double secondKt;
        bool midpoint;
    };
    const Case cases[] = {
        {"5 to 15 kt over 90 m", 90.0, 5.0, 15.0, false},
        {"5 to 15 kt over 100.5 m", 100.5, 5.0, 15.0, true},
        {"15 to 5 kt over 100.5 m", 100.5, 15.0, 5.0, true},
        {"a change of 5 kt", 100.5, 5.0, 10.0, false},
        {"starting to move", 100.5, 0.0, 6.0, true},
        {"standing", 100.5, 0.0, 0.0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const double legDeg = c.legM / kMetresPerNm / 60.0;
        LiveAc& aircraft = makeActiveAircraft(
            {}, {{.altFt = 0.0, .groundSpeedKt = c.frontKt},
                 {.latDeg = 47.0 + legDeg, .tick = 4000, .altFt = 0.0, .groundSpeedKt = c.secondKt}});
        checkSpeedChangeMidPoint(aircraft);
        EXPECT_EQ(aircraft.reports.size(), c.midpoint ? 3U : 2U);
        liveAircraft.clear();
    }
}

class TickMove : public TrafficTest {
protected:
    // A taxiing aircraft standing at (47, 8), heading north, with one block
    // ahead; no steps.
    LiveAc& makeTaxiingAircraft() {
        LiveAc& aircraft = makeActiveAircraft(
            {}, {{.altFt = 0.0, .groundSpeedKt = 10.0}, {.latDeg = 47.01, .tick = 9000, .altFt = 0.0, .groundSpeedKt = 10.0}});
        aircraft.identity.staticPitchRad = -0.01;
        return aircraft;
    }
};

// With its step of 1 / 100 the curve's parameter reaches 0.999999 in 100
// ticks and stays there: the aircraft stands just short of the end until
// the block is reached.
TEST_F(TickMove, ACurveEndsJustShortOfItsEndBlock) {
    LiveAc& aircraft = makeTaxiingAircraft();
    aircraft.curve = lf_curve(0.0, 100.0, 100.0, 100.0);
    aircraft.curve.tStep = 1.0 / 100.0;
    aircraft.identity.turnRateRad = 1.0;
    for (int tick = 0; tick < 150; ++tick) {
        interpolateCurve(aircraft);
        if (tick == 49) {
            EXPECT_NEAR(aircraft.position.latitudeDeg, 47.000674867354824, 1e-9);
            EXPECT_NEAR(aircraft.position.headingRad, kPi / 4.0, 1e-9);
        }
    }
    EXPECT_EQ(aircraft.curve.t, 0.999999);
    const CurvePoint end = *curvePointAt(aircraft.curve, 1.0);
    EXPECT_LT(gf_greatCircleDistanceNm(gf_aircraftPosition(aircraft), {end.latDeg, end.lonDeg}) * kMetresPerNm, 0.001);
    EXPECT_NE(aircraft.position.longitudeDeg, end.lonDeg);
}

// Pushing back, the aircraft travels tail first: its nose points opposite
// to the curve's direction.
TEST_F(TickMove, PushingBackAlongACurveTheTailLeads) {
    LiveAc& aircraft = makeTaxiingAircraft();
    aircraft.groundPhase = GroundPhase::PushingBack;
    aircraft.curve = lf_curve(0.0, 30.0, 30.0, 30.0);
    aircraft.curve.tStep = 1.0 / 200.0;
    aircraft.position.headingRad = kPi;
    aircraft.identity.turnRateRad = 1.0 * kRadiansPerDegree;
    for (int tick = 0; tick < 100; ++tick) {
        interpolateCurve(aircraft);
    }
    const double travelRad = curvePointAt(aircraft.curve, aircraft.curve.t)->headingRad;
    EXPECT_NEAR(gf_angleOffDeg(aircraft.position.headingRad, travelRad + kPi), 0.0, 1.0);
    EXPECT_GT(aircraft.position.latitudeDeg, 47.0);
}

// The heading turns by the turn rate the short way, and stops at the wanted
// heading: with a rate of 2 degrees it does not swing from 1.4 degrees on
// one side to 0.6 on the other and back.
TEST_F(TickMove, TheHeadingTurnsTheShortWayAndNeverPastTheWantedHeading) {
    struct Case {
        const char* what;
        double headingDeg;
        double wantedDeg;
        double turnRateDeg;
        double afterDeg;
    };
    const Case cases[] = {
        {"0.4 degrees off stays", 90.0, 90.4, 1.0, 90.0},
        {"10 degrees off closes by the turn rate across north", 355.0, 5.0, 1.0, 356.0},
        {"counter-clockwise across north", 5.0, 355.0, 1.0, 4.0},
        {"190 degrees clockwise is 170 the other way", 10.0, 200.0, 1.0, 9.0},
        {"the last step ends at the wanted heading", 0.0, 1.4, 2.0, 1.4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LiveAc& aircraft = makeTaxiingAircraft();
        aircraft.position.headingRad = c.headingDeg * kRadiansPerDegree;
        aircraft.targetHeadingRad = c.wantedDeg * kRadiansPerDegree;
        aircraft.turningToTarget = true;
        aircraft.identity.turnRateRad = c.turnRateDeg * kRadiansPerDegree;
        interpolateCurve(aircraft);
        EXPECT_NEAR(aircraft.position.headingRad * kDegreesPerRadian, c.afterDeg, 1e-9);
        liveAircraft.clear();
    }
}

TEST_F(TickMove, TheAttitudeFollowsThePhase) {
    struct Case {
        const char* what;
        bool onGround;
        std::uint32_t flareStage;
        bool pitchRecovery;
        double pitchDeg;
        double pitchStepDeg;
        double pitchAfterDeg;
        double bankAfterDeg;
        double altAfterFt;
        bool recovering;
    };
    // Pitch, bank and altitude steps of 0.5 degrees, 0.25 degrees and 2 ft;
    // the standing pitch -0.01 rad (-0.573 degrees).
    const Case cases[] = {
        {"on the ground it stands", true, 0, false, -3.0, -0.5, -0.5729577951308232, 0.0, 1000.0, false},
        {"in the air every step is taken", false, 0, false, -3.0, -0.5, -3.5, 1.25, 1002.0, false},
        {"in the flare the nose rises to 4 degrees at most", false, 1, false, -3.8, -0.5, -4.0, 1.25, 1002.0, false},
        {"after touchdown the nose comes down", true, 2, true, -4.0, 0.5, -3.5, 1.25, 1000.0, true},
        {"until it stands on its wheels", true, 2, true, -0.8, 0.5, -0.5729577951308232, 0.0, 1000.0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LiveAc& aircraft = makeTaxiingAircraft();
        aircraft.groundPhase = c.onGround ? GroundPhase::Taxi : GroundPhase::Flying;
        aircraft.onGround = c.onGround;
        aircraft.flareStage = c.flareStage;
        aircraft.pitchRecovery = c.pitchRecovery;
        aircraft.position.altitudeFt = 1000.0;
        aircraft.position.pitchRad = c.pitchDeg * kRadiansPerDegree;
        aircraft.position.bankRad = 1.0 * kRadiansPerDegree;
        aircraft.pitchStepRad = c.pitchStepDeg * kRadiansPerDegree;
        aircraft.bankStepRad = 0.25 * kRadiansPerDegree;
        aircraft.altStepFt = 2.0;
        interpolateCurve(aircraft);
        EXPECT_NEAR(aircraft.position.pitchRad * kDegreesPerRadian, c.pitchAfterDeg, 1e-9);
        EXPECT_NEAR(aircraft.position.bankRad * kDegreesPerRadian, c.bankAfterDeg, 1e-9);
        EXPECT_EQ(aircraft.position.altitudeFt, c.altAfterFt);
        EXPECT_EQ(aircraft.pitchRecovery, c.recovering);
        if (c.pitchRecovery && !c.recovering) {
            EXPECT_EQ(aircraft.flareStage, 0U);
            EXPECT_EQ(aircraft.pitchStepRad, 0.0);
        }
        liveAircraft.clear();
    }
}

TEST_F(TickMove, ThePositionStaysOnTheEarth) {
    struct Case {
        const char* what;
        double latDeg;
        double lonDeg;
        double latStepDeg;
        double lonStepDeg;
        double latAfterDeg;
        double lonAfterDeg;
    };
    const Case cases[] = {
        {"east across the antimeridian", 10.0, 179.999, 0.0, 0.002, 10.0, -179.999},
        {"west across it", 10.0, -179.999, 0.0, -0.002, 10.0, 179.999},
        {"north across the pole", 89.999, 10.0, 0.002, 0.0, 89.999, -170.0},
        {"south across the pole", -89.999, -10.0, -0.002, 0.0, -89.999, 170.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LiveAc& aircraft = makeActiveAircraft({}, {{.latDeg = c.latDeg, .lonDeg = c.lonDeg}, {.tick = 9000}});
        aircraft.latStepDeg = c.latStepDeg;
        aircraft.lonStepDeg = c.lonStepDeg;
        aircraft.headingStepRad = 0.0;
        interpolateCurve(aircraft);
        EXPECT_NEAR(aircraft.position.latitudeDeg, c.latAfterDeg, 1e-9);
        EXPECT_NEAR(aircraft.position.longitudeDeg, c.lonAfterDeg, 1e-9);
        liveAircraft.clear();
    }
}

// A curve whose point cannot be had is logged; the aircraft stays where it
// is and the curve is kept.
TEST_F(TickMove, AFailedCurvePointIsLoggedAndThePositionKept) {
    LiveAc& aircraft = makeTaxiingAircraft();
    aircraft.curve = lf_curve(0.0, 100.0, 100.0, 100.0, kNaN, kNaN);
    aircraft.curve.tStep = 0.01;
    interpolateCurve(aircraft);
    EXPECT_EQ(aircraft.position.latitudeDeg, 47.0);
    EXPECT_EQ(aircraft.position.longitudeDeg, 8.0);
    EXPECT_EQ(aircraft.curve.controlNorthM, 100.0);
    EXPECT_TRUE(logged("KLM1234 error in curve at index: 0.01"));
}

}  // namespace
