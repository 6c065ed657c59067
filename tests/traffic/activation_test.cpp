// Created objects on their way to active aircraft: lights toggled at 50 and
// 100 ticks, activation at 200 with engines, lights, spoilers, throttle and
// flaps by how the aircraft flies or stands; the simulator's ground data,
// static attitude, refusals and removals; flight plans; an aircraft created
// on an occupied stand; and the two roads that once left an object behind.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "airports/airports_state.h"
#include "airports/park_stands.h"
#include "core/settings.h"
#include "liveries/liveries_state.h"
#include "liveries/livery_catalog.h"
#include "records/clock.h"
#include "simlink/flight_plans.h"
#include "simlink/sim_commands.h"
#include "simlink/simlink_state.h"
#include "simlink/sim_results.h"
#include "traffic/lifecycle/aircraft_activation.h"
#include "traffic/lifecycle/collision_avoidance.h"
#include "traffic/lifecycle/simulator_results.h"
#include "traffic/stands/static_parking.h"
#include "traffic/support/sim_connection.h"
#include "traffic/support/traffic_fixture.h"
#include "traffic/traffic_state.h"

namespace {

namespace sc = platform::simconnect;
using test::BlockSpec;
using test::TrafficTest;

using Event = std::pair<SimEventId, std::uint32_t>;

class Activation : public TrafficTest {
protected:
    Activation() { userObjectId = 1; }
    ~Activation() override { userObjectId = 2; }

    // An aircraft whose creation was handed to the simulator link.
    static LiveAc& creating(const test::ReportSpec& spec, double altFt) {
        LiveAc& aircraft = makeActiveAircraft(spec, {{.tick = 900, .altFt = altFt}, {.latDeg = 47.1, .altFt = altFt}});
        aircraft.simState = SimState::Adding2Sim;
        aircraft.objectId = 0;
        aircraft.onGround = false;
        aircraft.identity.liveryTitle = "KLM 737";
        return aircraft;
    }
    static ParkedAc& parked(std::uint32_t id, std::uint32_t standId, SimState state) {
        AcIdentity identity = buildAcIdentity(test::makeStrings("KLM", "B738", "KLM" + std::to_string(id) + "*"));
        identity.aircraftId = id;
        ParkedAc& record = parkedAircraft.emplace_back(identity, GeoPosition{47.0, 8.0}, 0.0, standId, false);
        record.simState = state;
        return record;
    }
    static void report(const SimResult& result) {
        gf_pushSimResult(result);
        gf_processSimResults();
    }
    static void created(const LiveAc& aircraft, std::uint32_t objectId, double heightAboveGroundFt = 3000.0) {
        report({objectId, aircraft.identity.aircraftId, 0, SimResultKind::LiveCreated, 0.0, heightAboveGroundFt});
    }
    // One tick of the results each, with none to take over.
    static void waitTicks(int count) {
        for (int tick = 0; tick < count; ++tick) {
            gf_processSimResults();
        }
    }
    static std::vector<Event> takeEvents() {
        const std::lock_guard lock(simQueueMutex);
        std::vector<Event> events;
        for (const EventCmd& event : simEventQueue) {
            events.emplace_back(event.eventId, event.data);
        }
        simEventQueue.clear();
        return events;
    }
};

// Against the stand-in simulator, which sees the lights toggled at ticks 50
// and 100 (sent at once) and the one request for the static attitude.
class ActivationInSim : public Activation {
protected:
    ActivationInSim() : connection_(nlohmann::json{{"simulator", "KittyHawk"}}, log.folder().path()) {}
    // The toggles that reached the simulator so far: a marker request goes
    // after them on the one connection and is waited for.
    std::size_t togglesSoFar() {
        {
            const std::lock_guard lock(simQueueMutex);
            sc::SimConnect_RequestDataOnSimObjectType(hSimConnect, 999, gf_simId(SimDefinitionId::AircraftInRange), 0,
                                                      sc::SimObjectType::Aircraft);
        }
        connection_.sim.waitForPackets("RequestDataOnSimObjectType", ++markers_);
        return connection_.sim.journal(0, "TransmitClientEvent").size();
    }
    test::DirectSimConnection connection_;
    std::size_t markers_ = 0;
};

TEST_F(ActivationInSim, ACreatedLiveObjectIsLitAt50And100TicksAndActiveAt200) {
    LiveAc& aircraft = creating({}, 20000.0);
    created(aircraft, 7);  // tick 0
    EXPECT_EQ(aircraft.objectId, 7U);
    EXPECT_EQ(aircraft.heightAboveGroundFt, 3000.0);
    EXPECT_EQ(connection_.sim.waitForPackets("RequestDataOnSimObject", 1).size(), 1U);  // the static attitude
    waitTicks(49);
    EXPECT_EQ(togglesSoFar(), 0U);
    waitTicks(1);  // tick 50
    EXPECT_EQ(togglesSoFar(), 1U);
    waitTicks(49);
    EXPECT_EQ(togglesSoFar(), 1U);
    waitTicks(1);  // tick 100
    EXPECT_EQ(togglesSoFar(), 2U);
    waitTicks(99);
    EXPECT_EQ(aircraft.simState, SimState::Adding2Sim);
    EXPECT_EQ(createdList.size(), 1U);
    waitTicks(1);  // tick 200
    EXPECT_EQ(aircraft.simState, SimState::Active);
    EXPECT_TRUE(createdList.empty());
    EXPECT_EQ(togglesSoFar(), 2U);
}

TEST_F(Activation, AnActivatedAircraftGetsEnginesLightsAndConfigurationAsItFliesOrStands) {
    struct Case {
        const char* what;
        std::string type;
        double altFt;
        GroundPhase phase;
        double heightAboveGroundFt;
        bool navWhileParked;
        std::vector<Event> events;
    };
    using E = SimEventId;
    const Case cases[] = {
        {"flying low", "B738", 5000.0, GroundPhase::Flying, 3000.0, false,
         {{E::EngineAutoStart, 0}, {E::SpoilersSet, 0}, {E::NavLightsSet, 1}, {E::BeaconLightsSet, 1},
          {E::LandingLightsSet, 1}, {E::TaxiLightsSet, 0}, {E::StrobesSet, 1}, {E::LogoLightsSet, 1},
          {E::CabinLightsSet, 1}}},
        {"flying high, close above the ground", "B738", 20000.0, GroundPhase::Flying, 1500.0, false,
         {{E::EngineAutoStart, 0}, {E::SpoilersSet, 0}, {E::NavLightsSet, 1}, {E::BeaconLightsSet, 1},
          {E::LandingLightsSet, 0}, {E::TaxiLightsSet, 0}, {E::StrobesSet, 1}, {E::LogoLightsSet, 0},
          {E::CabinLightsSet, 0}}},
        {"a helicopter flying", "EC35", 1000.0, GroundPhase::Flying, 1000.0, false,
         {{E::EngineAutoStart, 0}, {E::NavLightsSet, 1}, {E::BeaconLightsSet, 1}, {E::LandingLightsSet, 1},
          {E::TaxiLightsSet, 0}, {E::StrobesSet, 1}, {E::LogoLightsSet, 1}, {E::CabinLightsSet, 0}}},
        {"taxiing", "B738", 0.0, GroundPhase::Taxi, 0.0, false,
         {{E::SpoilersSet, 0}, {E::EngineAutoStart, 0}, {E::NavLightsSet, 1}, {E::BeaconLightsSet, 1},
          {E::LandingLightsSet, 0}, {E::TaxiLightsSet, 1}, {E::StrobesSet, 0}, {E::LogoLightsSet, 1},
          {E::CabinLightsSet, 1}, {E::ThrottleSet, 0}, {E::FlapsSet, 3072}}},
        {"parked, navigation lights off", "B738", 0.0, GroundPhase::Parked, 0.0, false,
         {{E::SpoilersSet, 0}, {E::EngineAutoShutdown, 0}, {E::NavLightsSet, 0}, {E::BeaconLightsSet, 0},
          {E::LandingLightsSet, 0}, {E::TaxiLightsSet, 0}, {E::StrobesSet, 0}, {E::LogoLightsSet, 1},
          {E::CabinLightsSet, 1}, {E::ThrottleSet, 0}, {E::FlapsSet, 0}}},
        {"parked, navigation lights on", "B738", 0.0, GroundPhase::Parked, 0.0, true,
         {{E::SpoilersSet, 0}, {E::EngineAutoShutdown, 0}, {E::NavLightsSet, 1}, {E::BeaconLightsSet, 0},
          {E::LandingLightsSet, 0}, {E::TaxiLightsSet, 0}, {E::StrobesSet, 0}, {E::LogoLightsSet, 1},
          {E::CabinLightsSet, 1}, {E::ThrottleSet, 0}, {E::FlapsSet, 0}}},
        {"a helicopter taxiing", "EC35", 0.0, GroundPhase::Taxi, 0.0, false,
         {{E::EngineAutoStart, 0}, {E::NavLightsSet, 1}, {E::BeaconLightsSet, 1}, {E::LandingLightsSet, 0},
          {E::TaxiLightsSet, 1}, {E::StrobesSet, 0}, {E::LogoLightsSet, 1}, {E::CabinLightsSet, 1},
          {E::ThrottleSet, 16383}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NAV_LIGHTS_WHILE_PARKED.value = c.navWhileParked;
        LiveAc& aircraft = creating({.type = c.type}, c.altFt);
        aircraft.groundPhase = c.phase;
        aircraft.position.altitudeFt = c.altFt;
        aircraft.heightAboveGroundFt = c.heightAboveGroundFt;
        aircraft.objectId = 7;
        activateLiveAc(aircraft);
        EXPECT_EQ(aircraft.simState, SimState::Active);
        EXPECT_EQ(takeEvents(), c.events);
        liveAircraft.clear();
    }
}

// From the creation to the activation a helicopter on the ground gets no
// gear, spoiler or flap event; an aeroplane gets its gear down at once.
TEST_F(Activation, AnAircraftCreatedOnTheGroundStandsThereWithItsGearDown) {
    for (const std::string type : {"B738", "EC35"}) {
        SCOPED_TRACE(type);
        LiveAc& aircraft = creating({.type = type}, 0.0);
        aircraft.groundPhase = GroundPhase::Taxi;
        created(aircraft, 7, 0.0);
        EXPECT_TRUE(aircraft.onGround);
        waitTicks(200);
        EXPECT_EQ(aircraft.simState, SimState::Active);
        std::vector<Event> events = takeEvents();
        const auto has = [&](SimEventId id) {
            return std::any_of(events.begin(), events.end(), [&](const Event& event) { return event.first == id; });
        };
        const bool helicopter = type == "EC35";
        EXPECT_EQ(has(SimEventId::GearSet), !helicopter);
        EXPECT_EQ(has(SimEventId::SpoilersSet), !helicopter);
        EXPECT_EQ(has(SimEventId::FlapsSet), !helicopter);
        liveAircraft.clear();
    }
}

TEST_F(Activation, TheStaticAttitudeIsBelievedWithinItsLimits) {
    struct Case {
        double cgFt;
        double pitchRad;
        double cgAfterFt;
        double pitchAfterRad;
    };
    const double oneDegree = 0.017453292519943295;
    const Case cases[] = {
        {0.5, 0.01, 9.0, 0.01},
        {35.0, -oneDegree, 35.0, 0.012217304763960306},
        {1.0, 2.5 * oneDegree, 1.0, 2.5 * oneDegree},
        {35.5, 0.05, 9.0, 0.012217304763960306},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cgFt);
        LiveAc& aircraft = makeActiveAircraft({}, {{.tick = 900}});
        aircraft.objectId = 7;
        aircraft.identity.staticCgHeightFt = 9.0;
        report({7, 0, 0, SimResultKind::StaticCg, c.cgFt, c.pitchRad});
        EXPECT_EQ(aircraft.identity.staticCgHeightFt, c.cgAfterFt);
        EXPECT_DOUBLE_EQ(aircraft.identity.staticPitchRad, c.pitchAfterRad);
        liveAircraft.clear();
    }
}

TEST_F(Activation, GroundDataPutsAnAircraftOnTheGroundAndStartsItsLandingRoll) {
    struct Case {
        const char* what;
        GroundPhase phase;
        bool landing;
        bool onGroundAfter;
        bool rollStarted;
    };
    const Case cases[] = {
        {"flying", GroundPhase::Flying, false, true, false},
        {"landing", GroundPhase::Flying, true, true, true},
        {"taking off", GroundPhase::TakeOff, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LiveAc& aircraft = makeActiveAircraft({}, {{.tick = 900, .altFt = 400.0}});
        aircraft.objectId = 7;
        aircraft.groundPhase = c.phase;
        aircraft.landing = c.landing;
        aircraft.altStepFt = -0.1;
        aircraft.identity.staticCgHeightFt = 6.0;
        report({7, 1, 0, SimResultKind::GroundData, 390.0, 2.0});
        EXPECT_EQ(aircraft.onGround, c.onGroundAfter);
        EXPECT_EQ(aircraft.heightAboveGroundFt, 2.0);
        EXPECT_EQ(aircraft.position.altitudeFt, c.onGroundAfter ? 396.0 : 400.0);
        EXPECT_EQ(aircraft.pitchRecovery, c.rollStarted);
        EXPECT_EQ(aircraft.takeOffPending, c.rollStarted);
        EXPECT_EQ(coupledCheckQueue.size(), c.rollStarted ? 1U : 0U);
        const std::vector<Event> events = takeEvents();
        EXPECT_EQ(events.size(), c.rollStarted ? 1U : 0U);  // spoilers out
        liveAircraft.clear();
        coupledCheckQueue.clear();
    }
}

TEST_F(Activation, AFlightPlanIsWrittenOnlyForAKnownRoute) {
    flightPlanFolder = log.folder().path() / "orig_dest";
    std::filesystem::create_directories(flightPlanFolder);
    msfs2020Selected = false;  // MSFS 2024 takes no flight plan call
    LiveAc& withRoute = creating({.id = 20001, .callsign = "KLM1", .origin = "EHAM", .destination = "LSZH"}, 20000.0);
    LiveAc& withoutRoute = creating({.id = 20002, .callsign = "KLM2", .origin = "EHAM"}, 20000.0);
    created(withRoute, 7);
    created(withoutRoute, 8);
    EXPECT_TRUE(withRoute.hasFlightPlan);
    EXPECT_TRUE(std::filesystem::exists(flightPlanFolder / "7.pln"));
    EXPECT_FALSE(withoutRoute.hasFlightPlan);
    EXPECT_FALSE(std::filesystem::exists(flightPlanFolder / "8.pln"));

    // Removed by the simulator: the record goes with its flight plan.
    report({7, 0, 0, SimResultKind::Removed, 0.0, 0.0});
    EXPECT_EQ(gf_findLiveAircraft(20001), nullptr);
    EXPECT_FALSE(std::filesystem::exists(flightPlanFolder / "7.pln"));

    // MSFS 2020 with no connection to hand the plan to: the failure is
    // logged and the written file does not stay behind.
    msfs2020Selected = true;
    LiveAc& unsent = creating({.id = 20003, .callsign = "KLM3", .origin = "EHAM", .destination = "LSZH"}, 20000.0);
    created(unsent, 9);
    EXPECT_FALSE(unsent.hasFlightPlan);
    EXPECT_FALSE(std::filesystem::exists(flightPlanFolder / "9.pln"));
    const std::vector<std::string> lines = logLines();
    EXPECT_TRUE(std::ranges::any_of(
        lines, [](const std::string& line) { return line.ends_with("creating a flight plan failed"); }));
    flightPlanFolder.clear();
}

// The flight plan goes to MSFS 2020 by a path it opens whole. A path that
// does not fit the call's field is logged once and not sent; the aircraft
// keeps its plan's file until it is removed, as when the simulator refuses
// the plan.
TEST_F(ActivationInSim, AFlightPlanPathTooLongForTheSimulatorIsLoggedOnceAndNotSent) {
    msfs2020Selected = true;
    std::size_t createdSoFar = 0;
    const auto createWithPlanIn = [&](const std::filesystem::path& folder, std::uint32_t objectId) {
        flightPlanFolder = folder;
        std::filesystem::create_directories(flightPlanFolder);
        LiveAc& aircraft = creating({.id = 20000 + objectId,
                                     .callsign = "KLM" + std::to_string(objectId),
                                     .origin = "EHAM",
                                     .destination = "LSZH"},
                                    20000.0);
        created(aircraft, objectId);
        // The static attitude's request goes after the flight plan.
        connection_.sim.waitForPackets("RequestDataOnSimObject", ++createdSoFar);
        return connection_.sim.journal(0, "AISetAircraftFlightPlan").size();
    };
    const auto linesWith = [&](std::string_view part) {
        const std::vector<std::string> lines = logLines();
        return std::ranges::count_if(lines,
                                     [&](const std::string& line) { return line.find(part) != std::string::npos; });
    };

    EXPECT_EQ(createWithPlanIn(log.folder().path() / "orig_dest", 7), 1U);

    const std::filesystem::path longFolder =
        log.folder().path() / std::string(100, 'a') / std::string(100, 'b') / std::string(100, 'c');
    EXPECT_EQ(createWithPlanIn(longFolder, 8), 1U);  // none more
    const std::filesystem::path plan = longFolder / "8.pln";
    EXPECT_EQ(linesWith("flight plan not sent"), 1);
    EXPECT_EQ(linesWith(plan.string()), 1);
    EXPECT_EQ(linesWith("creating a flight plan failed"), 0);
    const LiveAc* aircraft = gf_findLiveAircraft(20008);
    ASSERT_NE(aircraft, nullptr);
    EXPECT_TRUE(aircraft->hasFlightPlan);
    EXPECT_TRUE(std::filesystem::exists(plan));

    report({8, 0, 0, SimResultKind::Removed, 0.0, 0.0});
    EXPECT_FALSE(std::filesystem::exists(plan));
    flightPlanFolder.clear();
    msfs2020Selected = false;
}

TEST_F(Activation, AnAircraftCreatedOnAnOccupiedStandRemovesTheStaticOneThere) {
    LOG.value = true;
    ParkPosition stand;
    stand.standId = 3;
    stand.name = "B12";
    parkPositions = {stand};
    const auto candidateOn = [](std::uint32_t standId) {
        ParkCandidate candidate;
        candidate.standId = standId;
        return candidate;
    };
    parkCandidates = {candidateOn(3), candidateOn(4), candidateOn(3)};
    ParkedAc& other = parked(5, 3, SimState::Active);
    other.objectId = 55;
    LiveAc& aircraft = creating({.callsign = "KLM1"}, 0.0);
    aircraft.groundPhase = GroundPhase::Parked;
    aircraft.standId = 3;
    currentWeekSlot = (std::uint64_t{20} << 32) | 3;
    created(aircraft, 7, 0.0);
    EXPECT_EQ(aircraft.arrivalSlot, currentWeekSlot.load());
    ASSERT_EQ(parkCandidates.size(), 1U);
    EXPECT_EQ(parkCandidates.front().standId, 4U);
    EXPECT_EQ(other.simState, SimState::RemovingFromSim);
    EXPECT_EQ(removalQueue, std::deque<std::uint32_t>{55});
    EXPECT_TRUE(logged("B12     : KLM1     parks"));
    EXPECT_TRUE(logged("B12     : KLM1     parks over static KLM5* \u2014 static will be removed"));
}

// An aircraft whose removal was asked for while its creation was on its way
// leaves as soon as it is activated, once; its mark does not hold the
// removal back.
TEST_F(Activation, AnAircraftMarkedForRemovalLeavesRightAfterItsActivation) {
    LiveAc& live = creating({}, 20000.0);
    live.removeWhenCreated = true;
    ParkedAc& other = parked(5, 0, SimState::Adding2Sim);
    other.removeWhenCreated = true;
    created(live, 7);
    report({8, 5, 0, SimResultKind::StaticCreated, 0.0, 0.0});
    waitTicks(202);
    EXPECT_EQ(live.simState, SimState::RemovingFromSim);
    EXPECT_EQ(other.simState, SimState::RemovingFromSim);
    EXPECT_FALSE(live.removeWhenCreated);
    EXPECT_FALSE(other.removeWhenCreated);
    EXPECT_EQ(removalQueue, (std::deque<std::uint32_t>{7, 8}));
    waitTicks(5);
    EXPECT_EQ(removalQueue.size(), 2U);

    // The simulator reports both gone: no record is left.
    report({7, 0, 0, SimResultKind::Removed, 0.0, 0.0});
    report({8, 0, 0, SimResultKind::Removed, 0.0, 0.0});
    EXPECT_TRUE(liveAircraft.empty());
    EXPECT_TRUE(parkedAircraft.empty());
}

// An entry of the created list whose record went away while it waited
// leaves the list when its turn comes instead of being looked up on every
// tick for the rest of the run; the entries behind it wait on.
TEST_F(Activation, AnEntryWhoseRecordIsGoneLeavesTheCreatedList) {
    struct Case {
        const char* what;
        std::uint32_t goneId;
        SimResultKind kind;
    };
    for (const Case& c : {Case{"live", 20009, SimResultKind::LiveCreated}, Case{"static", 9, SimResultKind::StaticCreated}}) {
        SCOPED_TRACE(c.what);
        liveAircraft.clear();
        createdList.clear();
        createdList.push_back({70, c.goneId, 0, c.kind});
        const auto processTicks = [](int count) {
            for (int step = 0; step < count; ++step) {
                gf_processSimResults();
            }
        };
        processTicks(50);
        LiveAc& waiting = creating({.id = 20001}, 20000.0);
        created(waiting, 7);
        processTicks(149);
        ASSERT_EQ(createdList.size(), 2U);

        processTicks(1);  // the first entry's turn
        ASSERT_EQ(createdList.size(), 1U);
        EXPECT_EQ(createdList.front().aircraftId, 20001U);
        EXPECT_EQ(waiting.simState, SimState::Adding2Sim);

        processTicks(50);
        EXPECT_TRUE(createdList.empty());
        EXPECT_EQ(waiting.simState, SimState::Active);
    }
}

// An object id below 3 is no AI object of ours: the aircraft is erased and
// the object removed (never the user's), without counting a refused livery.
TEST_F(Activation, AnObjectBelowId3IsNotTakenAndLeavesWithItsRecord) {
    for (const std::uint32_t objectId : {2U, 1U}) {
        SCOPED_TRACE(objectId);
        LiveAc& aircraft = creating({}, 20000.0);
        tickCounter = 1;
        created(aircraft, objectId);
        EXPECT_TRUE(createdList.empty());
        tick();
        EXPECT_TRUE(liveAircraft.empty());
        EXPECT_EQ(removalQueue.size(), objectId == 2 ? 1U : 0U);
        EXPECT_TRUE(liveryCatalog.refusedTitles.empty());
        removalQueue.clear();
    }
}

TEST_F(Activation, ARefusedCreationDropsTheAircraft) {
    LiveAc& aircraft = creating({.id = 20001, .callsign = "KLM1"}, 20000.0);
    creating({.id = 20002, .callsign = "KLM2"}, 20000.0);
    parked(5, 0, SimState::Adding2Sim).identity.liveryTitle = "KLM 737";
    parked(6, 0, SimState::Adding2Sim);
    (void)aircraft;
    report({0, 20001, 0, SimResultKind::CreateFailed, 0.0, 0.0});
    report({0, 5, 0, SimResultKind::CreateFailed, 0.0, 0.0});
    ASSERT_EQ(liveAircraft.size(), 1U);
    EXPECT_EQ(liveAircraft.front().identity.aircraftId, 20002U);
    ASSERT_EQ(parkedAircraft.size(), 1U);
    EXPECT_EQ(parkedAircraft.front().identity.aircraftId, 6U);
    EXPECT_EQ(liveryCatalog.refusedTitles, (std::vector<std::string>{"KLM 737", "KLM 737"}));
}

TEST_F(Activation, ALiveAircraftOnTheGroundRemovesTheStaticOneItWouldTouch) {
    // Two B738 touch within 1.1 x 35.8 m = 39.4 m.
    struct Case {
        double metresEast;
        bool departing;
        bool removed;
    };
    const double metresPerLonDeg = 1852.0 * 60.0 * 0.6819983600624985;
    for (const Case c : {Case{35.0, false, true}, Case{45.0, false, false}, Case{35.0, true, false}}) {
        SCOPED_TRACE(c.metresEast);
        ParkedAc& other = parked(5, 0, SimState::Active);
        other.objectId = 55;
        LiveAc& aircraft = makeActiveAircraft({}, {{.lonDeg = 8.0 + c.metresEast / metresPerLonDeg, .altFt = 0.0}});
        aircraft.departing = c.departing;
        gf_removeForCollisionAvoidance(aircraft);
        EXPECT_EQ(other.simState, c.removed ? SimState::RemovingFromSim : SimState::Active);
        EXPECT_EQ(aircraft.collisionCheckLonDeg, c.departing ? 0.0 : aircraft.position.longitudeDeg);
        liveAircraft.clear();
        parkedAircraft.clear();
        removalQueue.clear();
    }
}

}  // namespace
