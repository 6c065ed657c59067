// The way of a taxiing aircraft onto a stand: the stand found near where it
// stopped (once per place, 20 m or 55 m), never the user's, the aircraft
// that make way on it and next to it, the two blocks onto the stand, and
// which live holder of a stand gives way to a newcomer.

#include <gtest/gtest.h>

#include <gsl/narrow>
#include <limits>

#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "airports/park_stands.h"
#include "traffic/stands/stand_way.h"
#include "traffic/support/stands.h"
#include "traffic/support/traffic_fixture.h"
#include "traffic/traffic_state.h"

namespace {

using test::latMetresNorth;
using test::loadStands;
using test::TrafficTest;

class StandWay : public TrafficTest {
protected:
    ~StandWay() override { reservedStandText = ""; }

    // A taxiing aircraft that stopped that far north of the first stand,
    // its front block so far before.
    static LiveAc& stoppedAt(double metresNorth, double approachM = 40.0) {
        return makeActiveAircraft({.altFt = 0.0}, {{.latDeg = latMetresNorth(metresNorth - approachM), .tick = 500,
                                                    .altFt = 0.0, .groundSpeedKt = 10.0},
                                                   {.latDeg = latMetresNorth(metresNorth), .tick = 900, .altFt = 0.0,
                                                    .groundSpeedKt = 0.0, .unmoved = true}});
    }
    static LiveAc& holder(std::uint32_t id, const std::string& callsign, std::uint32_t standId,
                          GroundPhase phase = GroundPhase::Parked) {
        LiveAc& aircraft = makeAircraft({.id = id, .callsign = callsign});
        aircraft.simState = SimState::Active;
        aircraft.objectId = id;
        aircraft.groundPhase = phase;
        aircraft.standId = standId;
        return aircraft;
    }
};

TEST_F(StandWay, AnAircraftTriesEachPlaceOnceWithinTheNarrowOrWideSearch) {
    loadStands({{.name = "A1"}});
    LiveAc& aircraft = stoppedAt(30.0);
    try2Park(aircraft, false);
    EXPECT_EQ(aircraft.groundPhase, GroundPhase::Taxi);
    try2Park(aircraft, true);  // the same place again
    EXPECT_EQ(aircraft.groundPhase, GroundPhase::Taxi);
    aircraft.reports.back().latDeg = latMetresNorth(31.0);
    try2Park(aircraft, true);
    EXPECT_EQ(aircraft.groundPhase, GroundPhase::Parking);
    EXPECT_EQ(aircraft.standId, 1U);
}

TEST_F(StandWay, TheUsersStandIsNeverTaken) {
    loadStands({{.name = "A1"}});
    reservedStandText = "A1";
    LiveAc& aircraft = stoppedAt(5.0);
    try2Park(aircraft, false);
    EXPECT_EQ(aircraft.groundPhase, GroundPhase::Taxi);
    EXPECT_EQ(aircraft.standId, 0U);
}

TEST_F(StandWay, TheAircraftDrivesOntoTheStandAndStopsThereHalfASecondLater) {
    loadStands({{.name = "A1", .cargo = true}});
    for (const double metresOff : {10.0, 0.0}) {
        SCOPED_TRACE(metresOff);
        liveAircraft.clear();
        // The drive starts where its front block is.
        LiveAc& aircraft = stoppedAt(metresOff, 0.0);
        try2Park(aircraft, false);
        ASSERT_EQ(aircraft.groundPhase, GroundPhase::Parking);
        EXPECT_EQ(aircraft.previousGroundPhase, GroundPhase::Taxi);
        EXPECT_TRUE(aircraft.cargoStand);
        ASSERT_EQ(aircraft.reports.size(), 3U);
        const ReportBlock& front = aircraft.reports[0];
        const ReportBlock& onStand = aircraft.reports[1];
        const ReportBlock& stopped = aircraft.reports[2];
        const double speedKt = aircraft.identity.standTaxiSpeedKt;
        EXPECT_EQ(front.groundSpeedKt, speedKt);
        EXPECT_DOUBLE_EQ(onStand.latDeg, 47.0);
        EXPECT_EQ(onStand.groundSpeedKt, speedKt);
        EXPECT_NEAR(onStand.trackDeg, 90.0, 1e-9);
        EXPECT_EQ(onStand.unmoved, metresOff == 0.0);
        const std::int32_t driveTicks = onStand.playbackTick - front.playbackTick;
        EXPECT_GE(driveTicks, 100);
        if (metresOff == 0.0) {
            EXPECT_EQ(driveTicks, 100);
        }
        EXPECT_EQ(stopped.playbackTick - onStand.playbackTick, 50);
        EXPECT_EQ(stopped.groundSpeedKt, 0.0);
        EXPECT_TRUE(stopped.unmoved);
        EXPECT_NEAR(aircraft.targetHeadingRad, parkPositions.front().headingRad, 1e-12);
    }
}

TEST_F(StandWay, ADriveEndingBeyondTheTickRangeFailsAndAddsNoBlock) {
    // The drive takes 100 ticks and the stop 50 more: the first start runs
    // the stop past the range, the second the drive itself.
    for (const std::int32_t frontTick : {std::numeric_limits<std::int32_t>::max() - 120,
                                         std::numeric_limits<std::int32_t>::max() - 50}) {
        SCOPED_TRACE(frontTick);
        liveAircraft.clear();
        LiveAc& aircraft = makeActiveAircraft({.altFt = 0.0}, {{.latDeg = latMetresNorth(0.0), .tick = frontTick,
                                                                .altFt = 0.0, .groundSpeedKt = 0.0, .unmoved = true}});
        EXPECT_THROW(drive2Stand(aircraft, {latMetresNorth(0.0), 8.0}, 0.0), gsl::narrowing_error);
        EXPECT_EQ(aircraft.reports.size(), 1U);
    }
}

TEST_F(StandWay, TheHolderOfTheStandAndTouchingNeighboursMakeWay) {
    // Two B738 touch on stands closer than 39.4 m.
    loadStands({{.name = "A1"},
                {.name = "near", .latDeg = latMetresNorth(-35.0)},
                {.name = "far", .latDeg = latMetresNorth(-45.0)}});
    parkPositions[0].neighbourIds = {2, 3};
    LiveAc& onStand = holder(0x200001, "DLH1", 1);
    LiveAc& nearby = holder(0x200002, "DLH2", 2, GroundPhase::PushingBack);
    LiveAc& farther = holder(0x200003, "DLH3", 3);
    LiveAc& aircraft = stoppedAt(5.0);
    try2Park(aircraft, false);
    EXPECT_EQ(aircraft.groundPhase, GroundPhase::Parking);
    EXPECT_EQ(onStand.simState, SimState::RemovingFromSim);
    EXPECT_EQ(nearby.simState, SimState::RemovingFromSim);
    EXPECT_EQ(farther.simState, SimState::Active);
}

TEST_F(StandWay, ALiveHolderGivesWayToANewcomerByTheirCallsigns) {
    struct Case {
        const char* held;
        const char* newcomer;
        bool confirmed;
        bool free;
    };
    const std::vector<Case> cases = {
        {"KLM1", "KLM1", true, true},     // the same aircraft again
        {"KLM1", "KLM12", false, false},  // the newcomer is a ghost of the holder
        {"KLM12", "KLM1", true, true},    // the holder is a ghost of the newcomer
        {"DLH9_", "KLM1", true, true},
        {"DLH9", "KLM1_", false, false},
        {"DLH9", "KLM1", true, false},  // confirmed on its stand by its reports
        {"DLH9", "KLM1", false, true},
    };
    loadStands({{.name = "A1"}});
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.held << " holds, " << c.newcomer << " comes");
        liveAircraft.clear();
        LiveAc& held = holder(0x200001, c.held, 1);
        held.standConfirmed = c.confirmed;
        EXPECT_EQ(isStandFreeFor(1, c.newcomer), c.free);
        EXPECT_EQ(held.simState, c.free ? SimState::RemovingFromSim : SimState::Active);
    }
    liveAircraft.clear();
    holder(0x200001, "DLH9", 1, GroundPhase::Taxi);
    EXPECT_TRUE(isStandFreeFor(1, "KLM1"));
    EXPECT_EQ(liveAircraft.front().simState, SimState::Active);
}

}  // namespace
