// Aircraft records: identities with their per-category values, the state
// names, the initial values of a record, and ground-phase changes.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <stdexcept>

#include "traffic/aircraft_records.h"
#include "traffic/support/traffic_fixture.h"

namespace {

using test::TrafficTest;

double lf_radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

LiveAcStrings lf_strings(std::string type) { return test::makeStrings("KLM", std::move(type), "KLM1"); }

using AircraftRecords = TrafficTest;

TEST_F(AircraftRecords, IdentityTakesTheValuesOfItsTypesCategory) {
    struct Case {
        const char* type;
        AircraftCategory category;
        double rotationPitchDeg, climbPitchDeg, taxiTurnRateDeg, maxAltStepFt, standTaxiSpeedKt;
        std::uint32_t flareTicks, rolloutTicks, rotationTicks, climbPitchTicks;
    };
    const Case cases[] = {
        {"C172", AircraftCategory::Light, -9.0, -15.0, 0.15, 0.5, 5.0, 250, 250, 100, 200},
        {"C25C", AircraftCategory::Buzjets, -8.0, -18.0, 0.1, 0.75, 4.5, 300, 300, 200, 250},
        {"B738", AircraftCategory::Large, -6.0, -16.5, 0.07, 0.6, 4.0, 400, 350, 200, 300},
        {"B77W", AircraftCategory::Heavy, -5.0, -12.5, 0.05, 0.5, 3.0, 450, 450, 250, 400},
        {"F16", AircraftCategory::HighPerf, -6.0, -20.0, 0.1, 1.0, 4.5, 150, 150, 100, 200},
        {"EC35", AircraftCategory::Rotorcraft, -20.0, -30.0, 0.2, 0.75, 5.0, 100, 100, 100, 100},
        // A type in none of the category sets is Light.
        {"ZZZZ", AircraftCategory::Light, -9.0, -15.0, 0.15, 0.5, 5.0, 250, 250, 100, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        const AcIdentity identity = buildAcIdentity(lf_strings(c.type));
        EXPECT_EQ(identity.strings.type, c.type);
        EXPECT_EQ(identity.category, c.category);
        EXPECT_EQ(identity.aircraftId, 0U);
        // Rotation and climb pitch lie 2.5 and 5 percent off the table's value,
        // above or below.
        EXPECT_NEAR(std::fabs(identity.rotationPitchRad - lf_radians(c.rotationPitchDeg)),
                    std::fabs(lf_radians(c.rotationPitchDeg)) * 0.025, 1e-12);
        EXPECT_NEAR(std::fabs(identity.climbPitchRad - lf_radians(c.climbPitchDeg)),
                    std::fabs(lf_radians(c.climbPitchDeg)) * 0.05, 1e-12);
        EXPECT_DOUBLE_EQ(identity.taxiTurnRateRad, lf_radians(c.taxiTurnRateDeg));
        EXPECT_EQ(gf_maxAltStepFt(identity.category), c.maxAltStepFt);
        EXPECT_EQ(gf_standTaxiSpeedKt(identity.category), c.standTaxiSpeedKt);
        EXPECT_EQ(identity.flareTicks, c.flareTicks);
        EXPECT_EQ(identity.rolloutTicks, c.rolloutTicks);
        EXPECT_EQ(identity.rotationTicks, c.rotationTicks);
        EXPECT_EQ(identity.climbPitchTicks, c.climbPitchTicks);
        EXPECT_TRUE(identity.liveryTitle.empty());
    }
    EXPECT_NEAR(buildAcIdentity(lf_strings("B738")).halfSpanNm, 35.80 * 0.5 / 1852.0, 1e-12);
}

TEST_F(AircraftRecords, NamesOfStatesPhasesAndCategoriesAndNoneOutsideTheirTables) {
    EXPECT_EQ(gf_simStateName(SimState::Buffer), "buffer");
    EXPECT_EQ(gf_simStateName(SimState::Adding2Sim), "adding2sim");
    EXPECT_EQ(gf_simStateName(SimState::RemovingFromSim), "removingfromsim");
    EXPECT_EQ(gf_groundPhaseName(GroundPhase::PushingBack), "pushing_back");
    EXPECT_EQ(gf_groundPhaseName(GroundPhase::TakeOff), "take_off");
    EXPECT_EQ(gf_groundPhaseName(GroundPhase::Birth), "birth");
    EXPECT_EQ(gf_aircraftCategoryName(AircraftCategory::Buzjets), "Buzjets");
    EXPECT_EQ(gf_aircraftCategoryName(AircraftCategory::Rotorcraft), "Rotorcraft");
    EXPECT_THROW(gf_simStateName(static_cast<SimState>(5)), std::out_of_range);
    EXPECT_THROW(gf_groundPhaseName(static_cast<GroundPhase>(8)), std::out_of_range);
    EXPECT_THROW(gf_aircraftCategoryName(static_cast<AircraftCategory>(6)), std::out_of_range);
    EXPECT_THROW(gf_maxAltStepFt(static_cast<AircraftCategory>(6)), std::out_of_range);
    try {
        gf_simStateName(static_cast<SimState>(5));
    } catch (const std::out_of_range& error) {
        EXPECT_STREQ(error.what(), "invalid unordered_map<K, T> key");
    }
}

TEST_F(AircraftRecords, NewRecordsStartAtTheirInitialValues) {
    ReportBlock first;
    first.latDeg = 47.5;
    const LiveAc live{first, buildAcIdentity(lf_strings("B738")), 1234.5};
    EXPECT_EQ(live.simState, SimState::Buffer);
    EXPECT_EQ(live.groundPhase, GroundPhase::Birth);
    EXPECT_EQ(live.previousGroundPhase, GroundPhase::Birth);
    ASSERT_EQ(live.reports.size(), 1U);
    EXPECT_EQ(live.reports.front().latDeg, 47.5);
    EXPECT_EQ(live.lastReportTimeS, 1234.5);
    EXPECT_EQ(live.objectId, 0U);
    EXPECT_EQ(live.throttleIndex, 5U);
    EXPECT_EQ(live.flapsIndex, 4U);
    EXPECT_EQ(live.maxEarlyTicks, 1000);
    EXPECT_EQ(live.maxLateTicks, 1000);
    EXPECT_EQ(live.groundTicks, 1);
    EXPECT_EQ(live.heightAboveGroundFt, 2500.0);
    EXPECT_TRUE(std::isnan(live.curve.controlEastM) && std::isnan(live.curve.controlNorthM));
    EXPECT_FALSE(live.respawnHeadingRad.has_value());

    // A static aircraft on stand id 0 is legal.
    const ParkedAc parked{buildAcIdentity(lf_strings("A320")), {52.3, 4.76}, 1.5, 0, true};
    EXPECT_EQ(parked.standId, 0U);
    EXPECT_EQ(parked.standLatDeg, 52.3);
    EXPECT_EQ(parked.standHeadingRad, 1.5);
    EXPECT_TRUE(parked.cargoStand);
    EXPECT_EQ(parked.simState, SimState::Buffer);
}

TEST_F(AircraftRecords, APhaseChangeKeepsThePhaseItReplaces) {
    LiveAc aircraft{ReportBlock{}, buildAcIdentity(lf_strings("B738")), 0.0};
    gf_setGroundPhase(aircraft, GroundPhase::Taxi);
    gf_setGroundPhase(aircraft, GroundPhase::TakeOff);
    EXPECT_EQ(aircraft.previousGroundPhase, GroundPhase::Taxi);
    gf_setGroundPhase(aircraft, GroundPhase::TakeOff);  // no change: the previous phase stays
    EXPECT_EQ(aircraft.groundPhase, GroundPhase::TakeOff);
    EXPECT_EQ(aircraft.previousGroundPhase, GroundPhase::Taxi);
}

TEST(AircraftIds, LiveIdsLieAbove10000) {
    EXPECT_FALSE(gf_isLiveAircraftId(0));
    EXPECT_FALSE(gf_isLiveAircraftId(10000));
    EXPECT_TRUE(gf_isLiveAircraftId(10001));
}

}  // namespace
