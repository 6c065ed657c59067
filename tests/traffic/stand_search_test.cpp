// The stands of the park airport as the traffic manager asks for them: the
// stand at the user's position with its kept answer, the stand near the
// point where an aircraft stops (with a too small stand's radius learned),
// the stand chosen for an arriving aircraft, and the neighbour whose
// aircraft would touch one parking next door.

#include <gtest/gtest.h>

#include "airports/airports_state.h"
#include "airports/learned_airport_file.h"
#include "airports/park_airports.h"
#include "airports/park_stands.h"
#include "core/settings.h"
#include "records/week_slot.h"
#include "simlink/simlink_state.h"
#include "simlink/user_aircraft.h"
#include "traffic/stands/stand_search.h"
#include "traffic/support/stands.h"
#include "traffic/support/traffic_fixture.h"
#include "traffic/traffic_state.h"

namespace {

using test::latMetresNorth;
using test::loadStands;
using test::makeOption;
using test::TrafficTest;

constexpr double kMetresPerNm = 1852.0;
constexpr double kB738HalfSpanM = 17.9;

class StandSearch : public TrafficTest {
protected:
    static AcIdentity identity(const std::string& airline, const std::string& type, const std::string& callsign) {
        return buildAcIdentity(test::makeStrings(airline, type, callsign));
    }
    static std::string chosen(std::uint64_t timeOfWeek, const AcIdentity& aircraft, bool allowNextSlot = false) {
        const auto stand = gf_chooseStandForAircraft(timeOfWeek, aircraft, allowNextSlot);
        return stand == parkPositions.end() ? std::string{"none"} : stand->name;
    }
};

TEST_F(StandSearch, TheStandAtAPositionIsKeptForThatPositionAndNeedsTheUserOnTheGround) {
    loadStands({{.name = "A1"}, {.name = "A2", .latDeg = latMetresNorth(200.0)}});
    userOnGround = false;
    EXPECT_EQ(gf_findStandAtPosition({latMetresNorth(54.9), 8.0}), "");
    userOnGround = true;
    EXPECT_EQ(gf_findStandAtPosition({latMetresNorth(54.9), 8.0}), "A1");
    parkPositions.front().name = "renamed";
    EXPECT_EQ(gf_findStandAtPosition({latMetresNorth(54.9), 8.0}), "A1");
    EXPECT_EQ(gf_findStandAtPosition({latMetresNorth(54.9) + 2e-8, 8.0}), "renamed");
    EXPECT_EQ(gf_findStandAtPosition({latMetresNorth(56.0), 8.0}), "");
    EXPECT_EQ(gf_findStandAtPosition({latMetresNorth(180.0), 8.0}), "A2");
}

TEST_F(StandSearch, AStandNearAPointTooSmallForTheAircraftIsTakenOnlyWithin20mAndLearnsItsSize) {
    LiveAc& aircraft = makeAircraft({});
    const double smallRadiusM = kB738HalfSpanM - 2.0;
    struct Case {
        double distanceM;
        bool found;
    };
    for (const Case& c : {Case{25.0, false}, Case{19.0, true}}) {
        SCOPED_TRACE(c.distanceM);
        loadStands({{.name = "S", .radiusM = smallRadiusM}});
        learnedUpdateCount = 0;
        const auto stand = gf_findStandNearPoint({latMetresNorth(c.distanceM), 8.0}, aircraft, 55.0 / kMetresPerNm, true);
        ASSERT_EQ(stand != parkPositions.end(), c.found);
        EXPECT_EQ(parkPositions.front().radiusChanged, c.found);
        EXPECT_EQ(learnedUpdateCount, c.found ? 1U : 0U);
        if (c.found) {
            EXPECT_NEAR(stand->radiusNm * kMetresPerNm, kB738HalfSpanM - 1.0, 1e-6);
        }
    }
}

TEST_F(StandSearch, AStandNearAPointIsBigEnoughNearestAndOfTheAircraftsKind) {
    LiveAc& aircraft = makeAircraft({.callsign = "KLM7"});
    // The nearest big enough stand wins; a heli stand is never an airliner's.
    loadStands({{.name = "far", .latDeg = latMetresNorth(40.0)}, {.name = "near", .latDeg = latMetresNorth(10.0)}});
    EXPECT_EQ(gf_findStandNearPoint({47.0, 8.0}, aircraft, 55.0 / kMetresPerNm, false)->name, "near");
    loadStands({{.name = "H", .heli = true}});
    EXPECT_EQ(gf_findStandNearPoint({47.0, 8.0}, aircraft, 55.0 / kMetresPerNm, false), parkPositions.end());
    // Beyond the radius, the fallback takes a stand within 85 m that has an
    // option of this aircraft.
    loadStands({{.name = "own", .latDeg = latMetresNorth(80.0), .options = {makeOption({.callsign = "KLM7"})}}});
    EXPECT_EQ(gf_findStandNearPoint({47.0, 8.0}, aircraft, 20.0 / kMetresPerNm, true)->name, "own");
    EXPECT_EQ(gf_findStandNearPoint({47.0, 8.0}, aircraft, 20.0 / kMetresPerNm, false), parkPositions.end());
}

TEST_F(StandSearch, AStandStaysFreeInTheHalfHoursOfItsOwnTraffic) {
    // Tuesday 14:00 to 14:29 is half hour 28.
    loadStands({{.name = "G1", .options = {makeOption({.airline = "DLH", .day = 2, .halfHours = {28}})}}});
    const AcIdentity aircraft = identity("KLM", "B738", "KLM1");
    EXPECT_EQ(chosen(gf_makeWeekSlot(2, 28), aircraft), "none");
    EXPECT_EQ(chosen(gf_makeWeekSlot(2, 29), aircraft), "G1");
    EXPECT_EQ(chosen(gf_makeWeekSlot(3, 28), aircraft), "G1");
}

TEST_F(StandSearch, ASmallAirportWithoutAFreeStandNowOffersTheNextHalfHour) {
    const AcIdentity light = identity("", "C172", "HBABC");
    for (const std::size_t standCount : {10U, 11U}) {
        SCOPED_TRACE(standCount);
        std::vector<test::StandSpec> stands(standCount - 1, test::StandSpec{.name = "gate"});
        stands.push_back({.name = "ramp", .ramp = true, .options = {makeOption({.day = 2, .halfHours = {27}})}});
        loadStands(stands);
        EXPECT_EQ(chosen(gf_makeWeekSlot(2, 27), light, true), standCount == 10 ? "ramp" : "none");
        EXPECT_EQ(chosen(gf_makeWeekSlot(2, 27), light, false), "none");
    }
}

TEST_F(StandSearch, AStandWithAnOptionOfTheAircraftWinsOverABetterSize) {
    const AcIdentity aircraft = identity("KLM", "B738", "KLM1");
    const ParkOption ownOption = makeOption({.callsign = "KLM1", .day = 5, .halfHours = {0}});
    loadStands({{.name = "roomy", .radiusM = kB738HalfSpanM + 25.0, .options = {ownOption}},
                {.name = "snug", .radiusM = kB738HalfSpanM}});
    EXPECT_EQ(chosen(gf_makeWeekSlot(2, 10), aircraft), "roomy");
    loadStands({{.name = "roomy", .radiusM = kB738HalfSpanM + 25.0}, {.name = "snug", .radiusM = kB738HalfSpanM}});
    EXPECT_EQ(chosen(gf_makeWeekSlot(2, 10), aircraft), "snug");
}

TEST_F(StandSearch, EachKindOfAircraftLooksAtItsOwnStands) {
    loadStands({{.name = "gate"},
                {.name = "ramp", .ramp = true},
                {.name = "cargo", .radiusM = 30.0, .cargo = true},
                {.name = "heli", .radiusM = 8.0, .heli = true}});
    const std::uint64_t now = gf_makeWeekSlot(2, 10);
    EXPECT_EQ(chosen(now, identity("ADA", "EC35", "ADA1")), "heli");
    EXPECT_EQ(chosen(now, identity("", "C172", "HBABC")), "ramp");
    EXPECT_EQ(chosen(now, identity("PVT", "B738", "N1")), "ramp");
    AcIdentity freighter = identity("FDX", "B763", "FDX1");
    freighter.cargo = true;
    EXPECT_EQ(chosen(now, freighter), "cargo");
    // At a US airport an airliner always tries the gates first.
    AirportRecord airport;
    airport.code = "KJFK";
    parkAirport.store(airport);
    RANDOM.value = true;
    for (int draw = 0; draw < 50; ++draw) {
        ASSERT_EQ(chosen(now, identity("KLM", "B738", "KLM1")), "gate");
    }
}

TEST_F(StandSearch, ANeighbourCollidesWhenTheHalfSpansWithTenPercentReachTheStandsDistance) {
    // Two B738: 1.1 x (17.9 m + 17.9 m) = 39.4 m.
    for (const double apartM : {35.0, 45.0}) {
        SCOPED_TRACE(apartM);
        liveAircraft.clear();
        loadStands({{.name = "T"}, {.name = "N", .latDeg = latMetresNorth(apartM)}});
        LiveAc& holder = makeAircraft({.id = 0x4B1802, .callsign = "DLH1"});
        holder.simState = SimState::Active;
        holder.groundPhase = GroundPhase::Parked;
        holder.standId = 2;
        LiveAc& parking = makeAircraft({.callsign = "KLM1"});
        const std::vector<std::uint32_t> neighbours = {2};
        const auto colliding = gf_findCollidingNeighbour(neighbours, parkPositions.front(), parking);
        EXPECT_EQ(colliding != neighbours.end(), apartM < 39.0);
    }
}

}  // namespace
