// Static parked aircraft: the stand search for a half hour of the week (the
// slot moved back by the fit, neighbours blocked, aircraft that are there
// already), their callsigns and ids, their creation from the candidates and
// their removal.

#include <gtest/gtest.h>

#include <numbers>

#include "airports/airports_state.h"
#include "airports/park_stands.h"
#include "core/settings.h"
#include "records/clock.h"
#include "records/week_slot.h"
#include "traffic/lifecycle/static_aircraft.h"
#include "traffic/stands/live_parking.h"
#include "traffic/stands/stands_internal.h"
#include "traffic/stands/static_parking.h"
#include "traffic/stands/static_stand_search.h"
#include "traffic/support/stands.h"
#include "traffic/support/traffic_fixture.h"
#include "traffic/traffic_state.h"

namespace {

using test::latMetresNorth;
using test::loadStands;
using test::makeOption;
using test::TrafficTest;

constexpr std::uint32_t kRealOptions = 1;

class StaticAircraft : public TrafficTest {
protected:
    StaticAircraft() { buildCatalog({{"KLM", "B738", "KLM 737", "", 0, false}, {"ABC", "B738", "ABC 737", "", 0, false}}); }
    ~StaticAircraft() override { staticAcCounter = 0; }

    static std::vector<ParkCandidate> search(std::uint64_t timeOfWeek, std::uint32_t fit) {
        std::vector<ParkCandidate> candidates;
        lf_searchStands(timeOfWeek, kRealOptions, fit, candidates);
        return candidates;
    }
    static ParkCandidate candidate(std::uint32_t standId, std::string airline, std::string callsign,
                                   std::string callsignSuffix = "", bool continues = true) {
        ParkCandidate made;
        made.standId = standId;
        made.airline = std::move(airline);
        made.type = "B738";
        made.callsign = std::move(callsign);
        made.callsignSuffix = std::move(callsignSuffix);
        made.continues = continues;
        return made;
    }
    static ParkedAc& standing(std::uint32_t id, std::uint32_t standId, std::string registration) {
        AcIdentity identity = buildAcIdentity(test::makeStrings("KLM", "B738", "KLM" + std::to_string(id) + "*",
                                                                std::move(registration)));
        identity.aircraftId = id;
        ParkedAc& record = parkedAircraft.emplace_back(identity, GeoPosition{47.0, 8.0}, 0.0, standId, false);
        record.simState = SimState::Active;
        record.objectId = 200 + id;
        return record;
    }
};

TEST_F(StaticAircraft, TheSearchLooksFitHalfHoursBackIntoThePreviousDay) {
    loadStands({{.name = "sunday", .options = {makeOption({.callsign = "KLM1", .day = 7, .halfHours = {46}})}},
                {.name = "monday",
                 .latDeg = latMetresNorth(500.0),
                 .options = {makeOption({.callsign = "KLM2", .day = 1, .halfHours = {1}})}}});
    const std::vector<ParkCandidate> found = search(gf_makeWeekSlot(1, 1), 3);
    ASSERT_EQ(found.size(), 1U);
    EXPECT_EQ(found.front().standId, 1U);
    EXPECT_EQ(found.front().fit, 3);
    EXPECT_EQ(found.front().callsign, "KLM1");
    EXPECT_TRUE(parkPositions[0].taken);
    EXPECT_FALSE(parkPositions[1].taken);
}

TEST_F(StaticAircraft, AChosenStandBlocksItsNeighboursForTheRestOfTheCalculation) {
    const ParkOption option = makeOption({.callsign = "KLM1", .day = 2, .halfHours = {20}});
    ParkOption other = option;
    other.callsign = "KLM2";
    loadStands({{.name = "A", .options = {option}}, {.name = "B", .latDeg = latMetresNorth(30.0), .options = {other}}});
    parkPositions[0].neighbourIds = {2};
    parkPositions[1].neighbourIds = {1};
    EXPECT_EQ(search(gf_makeWeekSlot(2, 20), 0).size(), 1U);
    EXPECT_TRUE(parkPositions[1].neighbourTaken);
    EXPECT_TRUE(search(gf_makeWeekSlot(2, 20), 1).empty());
}

TEST_F(StaticAircraft, AnOptionWhoseAircraftIsThereAlreadyStopsCounting) {
    loadStands({{.name = "A", .options = {makeOption({.registration = "PH-BXA", .day = 2, .halfHours = {20}})}},
                {.name = "B", .latDeg = latMetresNorth(500.0)}});
    standing(5, 2, "PH-BXA");
    EXPECT_TRUE(search(gf_makeWeekSlot(2, 20), 0).empty());
    EXPECT_TRUE(parkPositions[0].options.front().aircraftPresent);
    EXPECT_EQ(parkPositions[0].options.front().sequence, 1U);  // still saved with its number
    parkedAircraft.clear();
    EXPECT_TRUE(search(gf_makeWeekSlot(2, 20), 0).empty());

    // Nor is one aircraft offered two stands in one search.
    loadStands({{.name = "A", .options = {makeOption({.registration = "PH-BXA", .day = 2, .halfHours = {20}})}},
                {.name = "B",
                 .latDeg = latMetresNorth(500.0),
                 .options = {makeOption({.registration = "PH-BXA", .day = 2, .halfHours = {20}})}}});
    EXPECT_EQ(search(gf_makeWeekSlot(2, 20), 0).size(), 1U);

    // A live parked aircraft with the option's callsign is there too.
    loadStands({{.name = "A", .options = {makeOption({.callsign = "KLM7", .day = 2, .halfHours = {20}})}}});
    liveParkedList = {{"KLM7", 9, 3}};
    EXPECT_TRUE(search(gf_makeWeekSlot(2, 20), 0).empty());
}

TEST_F(StaticAircraft, TheCallsignOfAStaticAircraftComesFromTheCandidate) {
    struct Case {
        ParkCandidate candidate;
        std::string callsign;
    };
    const std::vector<Case> cases = {
        {candidate(1, "XYZ", "XYZ1", "XYZ9__", false), "XYZ9*"},
        {candidate(1, "XYZ", "XYZ1", "XYZ9__", true), "XYZ1*"},
        {candidate(1, "XYZ", "XYZ1", "", false), "XYZ1*"},
        {candidate(1, "XYZ", "XYZ1*", "", true), "XYZ1*"},
        {candidate(1, "XYZ", "", "", true), ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(lf_detcs(c.candidate), c.callsign) << c.candidate.callsign << " " << c.candidate.callsignSuffix;
    }
    EXPECT_TRUE(logged("===> lf_detcs callsign is empty.."));
}

TEST_F(StaticAircraft, ACandidateBecomesAStaticAircraftQueuedForCreationOnItsStand) {
    loadStands({{.name = "A"}});
    currentWeekSlot = gf_makeWeekSlot(1, 1);
    staticAcCounter = 41;
    ParkCandidate made = candidate(1, "ABC", "");
    made.fit = 3;
    parkCandidates = {made};
    createNextStaticAc();
    EXPECT_TRUE(parkCandidates.empty());
    ASSERT_EQ(parkedAircraft.size(), 1U);
    const ParkedAc& aircraft = parkedAircraft.front();
    EXPECT_EQ(aircraft.identity.strings.callsign, "ABC42*");
    EXPECT_EQ(aircraft.identity.aircraftId, 42U);
    EXPECT_EQ(aircraft.simState, SimState::Adding2Sim);
    EXPECT_EQ(aircraft.arrivalSlot, gf_makeWeekSlot(7, 46));
    ASSERT_EQ(staticCreateQueue.size(), 1U);
    EXPECT_EQ(staticCreateQueue.front().tailNumber, "ABC42*");
    EXPECT_NEAR(staticCreateQueue.front().initPos.headingDeg, 90.0, 1e-9);
    EXPECT_EQ(staticCreateQueue.front().aircraftId, 42U);

    // A gone stand, an occupied one and a type without livery make nothing.
    parkCandidates = {candidate(7, "KLM", "KLM1"), candidate(1, "KLM", "KLM2")};
    createNextStaticAc();
    createNextStaticAc();
    EXPECT_TRUE(logged("===> stand with id 7 not found"));
    loadStands({{.name = "A"}, {.name = "B", .latDeg = latMetresNorth(500.0)}});
    ParkCandidate unknownType = candidate(2, "KLM", "KLM3");
    unknownType.type = "C172";
    parkCandidates = {unknownType};
    createNextStaticAc();
    EXPECT_EQ(parkedAircraft.size(), 1U);
    EXPECT_EQ(staticCreateQueue.size(), 1U);
}

TEST_F(StaticAircraft, StaticIdsRunFrom1To9999AndSkipThoseInUse) {
    // Id 0 is no aircraft for the simulator link: its object would never be
    // recognised.
    loadStands({{.name = "A"}, {.name = "B", .latDeg = latMetresNorth(500.0)}});
    standing(1, 9, "");
    staticAcCounter = 9999;
    parkCandidates = {candidate(2, "KLM", "KLM5")};
    createNextStaticAc();
    ASSERT_EQ(parkedAircraft.size(), 2U);
    EXPECT_EQ(parkedAircraft.back().identity.aircraftId, 2U);
}

TEST_F(StaticAircraft, RemovingAllStaticAircraftCancelsQueuedCreationsWithoutASimulatorCommand) {
    loadStands({{.name = "A"}, {.name = "B", .latDeg = latMetresNorth(500.0)}});
    parkCandidates = {candidate(1, "KLM", "KLM1")};
    createNextStaticAc();
    standing(50, 2, "");
    gf_removeAllStaticAircraft();
    EXPECT_TRUE(staticCreateQueue.empty());
    ASSERT_EQ(parkedAircraft.size(), 1U);
    EXPECT_EQ(parkedAircraft.front().simState, SimState::RemovingFromSim);
    ASSERT_EQ(removalQueue.size(), 1U);
    EXPECT_EQ(removalQueue.front(), 250U);
}

TEST_F(StaticAircraft, TheReservedStandLosesItsStaticAircraftFirstThenItsLiveOne) {
    loadStands({{.name = "A"}, {.name = "R", .latDeg = latMetresNorth(500.0)}});
    ParkedAc& onReserved = standing(5, 2, "");
    LiveAc& live = makeAircraft({});
    live.simState = SimState::Active;
    live.objectId = 100;
    live.groundPhase = GroundPhase::Parked;
    live.standId = 2;
    gf_removeAircraftAtStand("R");
    EXPECT_EQ(onReserved.simState, SimState::RemovingFromSim);
    EXPECT_EQ(live.simState, SimState::Active);
    gf_removeAircraftAtStand("R");
    EXPECT_EQ(live.simState, SimState::RemovingFromSim);
}

TEST_F(StaticAircraft, AStaticAircraftStillFitsAnOptionOfItsOwnSeenWithinTheWindow) {
    const AcIdentity aircraft = buildAcIdentity(test::makeStrings("KLM", "B738", "KLM1*", "PH-BXA"));
    const ParkOption option = makeOption({.registration = "PH-BXA", .day = 3, .halfHours = {10, 46}});
    struct Case {
        std::uint32_t weekday;
        std::int32_t halfHour;
        std::int32_t window;
        bool fits;
        bool matched;
    };
    for (const Case& c : {Case{3, 12, 2, true, true}, Case{3, 13, 2, false, true}, Case{4, 12, 2, false, false}}) {
        SCOPED_TRACE(::testing::Message() << c.weekday << " " << c.halfHour << " " << c.window);
        std::int32_t matched = 0;
        EXPECT_EQ(gf_candidateFitsSlots(option, aircraft, c.weekday, c.halfHour, c.window, &matched), c.fits);
        EXPECT_EQ(matched, c.matched ? -1 : 0);
    }
    const AcIdentity other = buildAcIdentity(test::makeStrings("KLM", "B738", "KLM1*", "PH-BXB"));
    EXPECT_FALSE(gf_candidateFitsSlots(option, other, 3, 10, 0));
    // The day before, from its last half hour back.
    EXPECT_TRUE(gf_candidateFitsSlotsWrapped(option, aircraft, 3, 1));
    EXPECT_FALSE(gf_candidateFitsSlotsWrapped(option, aircraft, 3, 0));
}

}  // namespace
