// Taking aircraft out of the simulator: by their state, never twice, never
// another aircraft's creation; the records the simulator's removal ends; a
// respawn with another livery; the "Oid:" box; the static aircraft that
// make way for a live one spawned on their stand or that turn out to be
// the same aircraft; and the commands of flaps, throttle and a parked
// aircraft.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <mutex>

#include "airports/airports_state.h"
#include "airports/park_stands.h"
#include "core/settings.h"
#include "records/clock.h"
#include "simlink/flight_plans.h"
#include "simlink/sim_commands.h"
#include "simlink/sim_results.h"
#include "simlink/simlink_state.h"
#include "support/temp_folder.h"
#include "traffic/aircraft_commands.h"
#include "traffic/lifecycle/replacement.h"
#include "traffic/lifecycle/spawning.h"
#include "traffic/removal.h"
#include "traffic/stands/ground_spawn_stand.h"
#include "traffic/support/traffic_fixture.h"
#include "traffic/traffic_state.h"
#include "ui/status/main_window.h"

namespace {

using test::TrafficTest;

CreateRequest lf_request(std::uint32_t aircraftId, std::string callsign) {
    CreateRequest request;
    request.tailNumber = std::move(callsign);
    request.aircraftId = aircraftId;
    return request;
}

using Removal = TrafficTest;

TEST_F(Removal, EachStateLeavesItsOwnWay) {
    struct Case {
        const char* what;
        SimState state;
        bool onCreationList;
        bool requestQueued;
        bool eraseBuffered, eraseRemoved, removeWhenCreated;
        SimState stateAfter;
        bool objectQueued;
    };
    const Case cases[] = {
        {"buffered", SimState::Buffer, false, false, true, false, false, SimState::Buffer, false},
        {"spawned, no request yet", SimState::Adding2Sim, true, false, false, true, false, SimState::Adding2Sim, false},
        {"request queued", SimState::Adding2Sim, false, true, false, true, false, SimState::Adding2Sim, false},
        {"request handed over", SimState::Adding2Sim, false, false, false, false, true, SimState::Adding2Sim, false},
        {"active", SimState::Active, false, false, false, false, false, SimState::RemovingFromSim, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LiveAc& aircraft = makeAircraft({.id = 20001, .callsign = "KLM1"});
        aircraft.simState = c.state;
        aircraft.objectId = 77;
        if (c.onCreationList) {
            creationList = {20001};
        }
        if (c.requestQueued) {
            liveCreateQueue.push_back(lf_request(20001, "KLM1"));
        }
        removeAircraftFromSim(aircraft);
        EXPECT_EQ(aircraft.eraseBuffered, c.eraseBuffered);
        EXPECT_EQ(aircraft.eraseRemoved, c.eraseRemoved);
        EXPECT_EQ(aircraft.removeWhenCreated, c.removeWhenCreated);
        EXPECT_EQ(aircraft.simState, c.stateAfter);
        EXPECT_EQ(removalQueue.size(), c.objectQueued ? 1U : 0U);
        EXPECT_TRUE(creationList.empty());
        EXPECT_TRUE(liveCreateQueue.empty());
        liveAircraft.clear();
        removalQueue.clear();
    }
}

// Two live aircraft may share a callsign (of different types): taking one
// out cancels its own create request only.
TEST_F(Removal, ACancelTakesOnlyTheAircraftsOwnRequest) {
    makeAircraft({.id = 20001, .callsign = "KLM1", .type = "B738"});
    makeAircraft({.id = 20002, .callsign = "KLM1", .type = "A320"});
    LiveAc& first = *gf_findLiveAircraft(20001);
    first.simState = SimState::Adding2Sim;
    liveCreateQueue = {lf_request(20002, "KLM1"), lf_request(20001, "KLM1")};
    removeAircraftFromSim(first);
    ASSERT_EQ(liveCreateQueue.size(), 1U);
    EXPECT_EQ(liveCreateQueue.front().aircraftId, 20002U);
    EXPECT_TRUE(first.eraseRemoved);
}

// A ghost found while its aircraft respawns: the respawn queued the object's
// removal already, so it is not queued again, and the aircraft is not
// created anew. A second removal changes nothing.
TEST_F(Removal, AnObjectIsQueuedForRemovalOnlyOnce) {
    ParkPosition stand;
    stand.standId = 4;
    stand.liveOccupied = true;
    parkPositions = {stand};
    LiveAc& aircraft = makeAircraft({});
    aircraft.simState = SimState::LiveryRespawn;
    aircraft.objectId = 77;
    aircraft.standId = 4;
    removalQueue = {77};
    removeAircraftFromSim(aircraft);
    EXPECT_EQ(aircraft.simState, SimState::RemovingFromSim);
    EXPECT_EQ(removalQueue, std::deque<std::uint32_t>{77});
    EXPECT_FALSE(parkPositions.front().liveOccupied);

    removeAircraftFromSim(aircraft);
    EXPECT_EQ(aircraft.simState, SimState::RemovingFromSim);
    EXPECT_EQ(removalQueue, std::deque<std::uint32_t>{77});

    LiveAc& active = makeAircraft({.id = 20001, .callsign = "KLM1"});
    active.simState = SimState::Active;
    active.objectId = 78;
    removeAircraftFromSim(active);
    removeAircraftFromSim(active);
    EXPECT_EQ(removalQueue, (std::deque<std::uint32_t>{77, 78}));
}

TEST_F(Removal, AnActiveAircraftWithoutObjectIsLogged) {
    LiveAc& aircraft = makeAircraft({.origin = "AMS"});
    aircraft.simState = SimState::Active;
    removeAircraftFromSim(aircraft);
    EXPECT_TRUE(removalQueue.empty());
    EXPECT_TRUE(logged("===> removeAircraftFromSim removing act KLM B738 KLM1234           AMS->   , with objectid=0 ?"));
}

TEST_F(Removal, TheSimulatorsRemovalEndsTheRecordOfItsObject) {
    makeActiveAircraft({.id = 20001, .callsign = "KLM1"}, {{}}).objectId = 71;
    makeActiveAircraft({.id = 20002, .callsign = "KLM2"}, {{}}).objectId = 72;
    makeActiveAircraft({.id = 20003, .callsign = "KLM3"}, {{}}).objectId = 73;
    for (std::uint32_t id : {1U, 2U, 3U}) {
        AcIdentity identity = buildAcIdentity(test::makeStrings("KLM", "B738", "S" + std::to_string(id) + "*"));
        identity.aircraftId = id;
        parkedAircraft.emplace_back(identity, GeoPosition{}, 0.0, 0, false).objectId = 80 + id;
    }
    onObjectRemoved(72);
    onObjectRemoved(81);
    onObjectRemoved(99);
    ASSERT_EQ(liveAircraft.size(), 2U);
    EXPECT_EQ(liveAircraft[0].identity.aircraftId, 20001U);  // in their order
    EXPECT_EQ(liveAircraft[1].identity.aircraftId, 20003U);
    ASSERT_EQ(parkedAircraft.size(), 2U);
    EXPECT_EQ(parkedAircraft[0].identity.aircraftId, 3U);  // the last one took its place
    EXPECT_EQ(parkedAircraft[1].identity.aircraftId, 2U);
}

// When the simulator reports a live object removed, its flight-plan file is
// deleted; one that cannot be deleted (here a folder with a file stands in
// its place) is logged and left, and the record is erased all the same: the
// tick, and so the run, goes on.
TEST_F(Removal, TheFlightPlanFileOfARemovedObjectIsDeletedOrItsFailureLogged) {
    struct Case {
        const char* what;
        bool deletable;
        bool respawning;  // the record stays for a new object, which writes a plan of its own
    };
    flightPlanFolder = log.folder().path() / "flight_plans";
    for (const Case& c : {Case{"a file", true, false}, Case{"a folder that is not empty", false, false},
                          Case{"a file of a respawning aircraft", true, true}}) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(flightPlanFolder);
        const std::filesystem::path planPath = flightPlanFolder / "71.pln";
        if (c.deletable) {
            std::filesystem::create_directories(flightPlanFolder);
            test::writeBytes(planPath, "<plan/>");
        } else {
            std::filesystem::create_directories(planPath);
            test::writeBytes(planPath / "inside.txt", "kept");
        }
        LiveAc& aircraft = makeActiveAircraft({.id = 20001, .callsign = "KLM1"}, {{}});
        aircraft.objectId = 71;
        aircraft.hasFlightPlan = true;
        if (c.respawning) {
            aircraft.simState = SimState::LiveryRespawn;
        }
        gf_pushSimResult({71, 0, 0, SimResultKind::Removed});
        const std::size_t linesBefore = logLines().size();

        EXPECT_NO_THROW(tick());

        const LiveAc* left = gf_findLiveAircraft(20001);
        EXPECT_EQ(left != nullptr, c.respawning);
        if (left != nullptr) {
            EXPECT_FALSE(left->hasFlightPlan);
        }
        EXPECT_EQ(std::filesystem::exists(planPath), !c.deletable);
        const std::vector<std::string> lines = logLines();
        EXPECT_EQ(std::any_of(lines.begin() + static_cast<std::ptrdiff_t>(linesBefore), lines.end(),
                              [](const std::string& line) { return line.starts_with("===> onObjectRemoved: "); }),
                  !c.deletable);
    }
    std::filesystem::remove_all(flightPlanFolder);
    flightPlanFolder.clear();
}

// The respawned aircraft keeps its record and id, loses its object when the
// simulator reports it removed, and is created again where it is (not where
// its leg began), with its heading, to fly on along its stream.
TEST_F(Removal, ARespawnedAircraftComesBackWhereItIsWithItsIdAndHeading) {
    buildCatalog({{"KLM", "B738", "KLM 737", "", 0, false}});
    tickCounter = 2000;
    LiveAc& aircraft = makeActiveAircraft({.id = 20001, .callsign = "KLM1"},
                                          {{.tick = 1900}, {.latDeg = 47.1, .tick = 5000}});
    aircraft.identity.liveryTitle = "KLM 737";
    aircraft.position.latitudeDeg = 47.003;
    aircraft.position.headingRad = 0.3;
    aircraft.throttleIndex = 3;
    liveryRespawn(aircraft);
    EXPECT_EQ(aircraft.simState, SimState::LiveryRespawn);
    EXPECT_EQ(removalQueue, std::deque<std::uint32_t>{100});
    ASSERT_EQ(aircraft.reports.size(), 2U);
    EXPECT_EQ(aircraft.reports.front().latDeg, 47.003);
    EXPECT_EQ(aircraft.reports.front().playbackTick, 2001);
    EXPECT_EQ(aircraft.reports.back().latDeg, 47.1);

    onObjectRemoved(100);
    EXPECT_EQ(aircraft.simState, SimState::Buffer);
    EXPECT_EQ(aircraft.objectId, 0U);
    EXPECT_EQ(aircraft.throttleIndex, 5U);
    EXPECT_EQ(aircraft.flapsIndex, 4U);

    tick();
    ASSERT_EQ(liveCreateQueue.size(), 1U);
    EXPECT_EQ(liveCreateQueue.front().aircraftId, 20001U);
    EXPECT_NEAR(liveCreateQueue.front().initPos.headingDeg, 0.3 * 57.29577951308232, 1e-9);
    EXPECT_EQ(liveCreateQueue.front().initPos.latitudeDeg, 47.003);
}

TEST_F(Removal, ARespawnOnAStandKeepsOnlyTheStandingBlock) {
    LiveAc& aircraft = makeActiveAircraft({}, {{.altFt = 0.0, .groundSpeedKt = 0.0}, {.latDeg = 47.1, .altFt = 0.0}});
    aircraft.groundPhase = GroundPhase::Parked;
    aircraft.position.headingRad = 1.0;
    aircraft.objectId = 0;
    liveryRespawn(aircraft);
    ASSERT_EQ(aircraft.reports.size(), 2U);
    EXPECT_TRUE(aircraft.reports[0].unmoved);
    EXPECT_TRUE(aircraft.reports[1].unmoved);
    EXPECT_NEAR(aircraft.reports[0].trackDeg, 57.29577951308232, 1e-9);
    EXPECT_TRUE(removalQueue.empty());
    EXPECT_TRUE(logged("===> liveryRespawn removing act KLM B738 KLM1234           " "         with objectid=0 ?"));
}

TEST_F(Removal, TheObjectShownForTheOidBoxIsForgottenWhenItLeaves) {
    LiveAc& leaving = makeActiveAircraft({.id = 20001, .callsign = "KLM1"}, {{}});
    lookedUpObjectId = 100;
    MainWindow::oidAnswerText = "= 100";
    CALLSIGN_2_OBJECTID.value = "KLM1";
    removeAircraftFromSim(leaving);
    EXPECT_EQ(lookedUpObjectId, 0U);
    EXPECT_TRUE(MainWindow::oidAnswerText.empty());
    EXPECT_TRUE(CALLSIGN_2_OBJECTID.value.empty());

    // A respawned aircraft is looked up again by its callsign.
    LiveAc& respawning = makeActiveAircraft({.id = 20002, .callsign = "KLM2"}, {{}});
    respawning.objectId = 101;
    lookedUpObjectId = 101;
    liveryRespawn(respawning);
    EXPECT_EQ(lookedUpObjectId, 0U);
    EXPECT_EQ(std::string(CALLSIGN_2_OBJECTID.value), "KLM2");
    CALLSIGN_2_OBJECTID.value = "";
}

TEST_F(Removal, AStaticAircraftThatTurnsOutToBeTheLiveOneLeaves) {
    struct Case {
        const char* what;
        std::string liveCallsign;
        std::string liveCoupled;
        std::string liveRegistration;
        SimState staticState;
        bool removed;
    };
    const Case cases[] = {
        {"the same registration", "XYZ9", "", "PH-BXA", SimState::Active, true},
        {"the static one's first callsign", "KLM1", "", "", SimState::Active, true},
        {"its coupled callsign", "KLM2", "", "", SimState::Active, true},
        {"the live one's coupled callsign", "XYZ9", "KLM1", "", SimState::Active, true},
        {"with a ghost's underscore", "KLM1_", "", "", SimState::Active, true},
        {"another aircraft", "KLM3", "", "PH-BXB", SimState::Active, false},
        {"a static one not yet active", "KLM1", "", "", SimState::Adding2Sim, false},
    };
    LOG.value = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AcIdentity identity = buildAcIdentity(test::makeStrings("KLM", "B738", "KLM1*", "PH-BXA"));
        identity.strings.coupledCallsign = "KLM2";
        identity.aircraftId = 1;
        ParkedAc& other = parkedAircraft.emplace_back(identity, GeoPosition{}, 0.0, 0, false);
        other.simState = c.staticState;
        other.objectId = 81;
        LiveAc& live = makeAircraft({.callsign = c.liveCallsign, .registration = c.liveRegistration});
        live.identity.strings.coupledCallsign = c.liveCoupled;
        gf_replaceSameRegOrCallsign(live, true);
        EXPECT_EQ(other.simState == SimState::RemovingFromSim, c.removed);
        liveAircraft.clear();
        parkedAircraft.clear();
    }
    EXPECT_TRUE(logged("sid==0? : KLM1*    PH-BXA removed, new on ground 'XYZ9' has same regcode PH-BXA"));
    EXPECT_TRUE(logged("sid==0? : KLM1*    'KLM1 KLM2' removed, new on ground KLM1 'KLM1' '' has same callsign"));
    EXPECT_TRUE(logged("sid==0? : KLM1*    'KLM1 KLM2' removed, new on ground KLM2 'KLM2' '' has coupled callsign"));
}

using AircraftCommands = TrafficTest;

TEST_F(AircraftCommands, FlapsAndThrottleAreSentOnlyWhenTheyChange) {
    LiveAc& aircraft = makeActiveAircraft({}, {{}});
    LiveAc& helicopter = makeActiveAircraft({.id = 20002, .callsign = "HELI1", .type = "EC35"}, {{}});
    gf_setFlaps(aircraft, 4);  // sent last already
    gf_setFlaps(aircraft, 2);
    gf_setFlaps(aircraft, 4);
    gf_setFlaps(aircraft, 7);
    gf_setFlaps(helicopter, 1);
    gf_setThrottle(aircraft, 3);
    gf_setThrottle(aircraft, 3);
    gf_setThrottle(aircraft, 5);
    EXPECT_EQ(aircraft.flapsIndex, 7U);
    EXPECT_EQ(helicopter.flapsIndex, 4U);
    EXPECT_EQ(aircraft.throttleIndex, 5U);
    EXPECT_TRUE(logged("===> gf_setFlaps: invalid flaps index"));
    const std::lock_guard lock(simQueueMutex);
    ASSERT_EQ(simEventQueue.size(), 3U);
    EXPECT_EQ(simEventQueue[0].data, 10240U);
    EXPECT_EQ(simEventQueue[1].data, 0U);
    EXPECT_EQ(simEventQueue[2].eventId, SimEventId::ThrottleSet);
    EXPECT_EQ(simEventQueue[2].data, 11468U);
}

TEST_F(AircraftCommands, AParkedAircraftRestsWithItsCabinLitUnlessOnACargoStand) {
    for (const bool cargoStand : {false, true}) {
        SCOPED_TRACE(cargoStand);
        AcIdentity identity = buildAcIdentity(test::makeStrings("KLM", "B738", "KLM1*"));
        ParkedAc parked(identity, GeoPosition{}, 0.0, 3, cargoStand);
        parked.objectId = 81;
        parked.throttleIndex = 2;
        gf_setParkedState(parked);
        const std::lock_guard lock(simQueueMutex);
        ASSERT_EQ(simEventQueue.size(), 10U);
        EXPECT_EQ(simEventQueue[0].eventId, SimEventId::ThrottleSet);
        EXPECT_EQ(simEventQueue[1].eventId, SimEventId::FlapsSet);
        EXPECT_EQ(simEventQueue[2].eventId, SimEventId::EngineAutoShutdown);
        EXPECT_EQ(simEventQueue[8].eventId, SimEventId::LogoLightsSet);
        EXPECT_EQ(simEventQueue[8].data, 1U);
        EXPECT_EQ(simEventQueue[9].eventId, SimEventId::CabinLightsSet);
        EXPECT_EQ(simEventQueue[9].data, cargoStand ? 0U : 1U);
        simEventQueue.clear();
    }
}

class MakingWay : public TrafficTest {
protected:
    MakingWay() {
        // A1 with neighbours A2 (30 m east) and A3 (200 m east).
        parkPositions = {stand(1, "A1", 0.0, {2, 3}), stand(2, "A2", 30.0, {1}), stand(3, "A3", 200.0, {1})};
    }
    static ParkPosition stand(std::uint32_t id, std::string name, double eastM, std::vector<std::uint32_t> neighbours) {
        ParkPosition position;
        position.standId = id;
        position.name = std::move(name);
        position.latDeg = 52.3;
        position.lonDeg = 4.76 + eastM / (1852.0 * 60.0 * 0.6101);
        position.neighbourIds = std::move(neighbours);
        return position;
    }
    static ParkedAc& parked(std::uint32_t id, std::uint32_t standId, SimState state, std::string registration = "") {
        AcIdentity identity =
            buildAcIdentity(test::makeStrings("KLM", "B738", "KLM" + std::to_string(id) + "*", std::move(registration)));
        identity.aircraftId = id;
        ParkedAc& record = parkedAircraft.emplace_back(identity, GeoPosition{}, 0.0, standId, false);
        record.simState = state;
        record.objectId = 500 + id;
        return record;
    }
    static const ParkedAc* findParked(std::uint32_t id) {
        for (const ParkedAc& record : parkedAircraft) {
            if (record.identity.aircraftId == id) {
                return &record;
            }
        }
        return nullptr;
    }
};

TEST_F(MakingWay, StaticAircraftOnTheStandAndOnTouchingNeighboursGo) {
    parked(1, 1, SimState::Active, "PH-BXA");
    parked(2, 2, SimState::Active);
    parked(3, 3, SimState::Active);
    const LiveAc& newcomer = makeAircraft({.callsign = "KLM1234", .registration = "PH-BXA"});
    makeWayForParking(newcomer, parkPositions[0]);
    EXPECT_EQ(findParked(1)->simState, SimState::RemovingFromSim);
    EXPECT_EQ(findParked(2)->simState, SimState::RemovingFromSim);
    EXPECT_EQ(findParked(3)->simState, SimState::Active);
    EXPECT_EQ(removalQueue, (std::deque<std::uint32_t>{501, 502}));
    EXPECT_TRUE(logged("A1      : KLM1*    PH-BXA makes way for the same live version KLM1234 PH-BXA"));
    EXPECT_TRUE(logged("A2      : KLM2*    makes way for KLM1234 parking at excluded stand A1"));
}

TEST_F(MakingWay, AStaticCreationStillQueuedIsCancelledByItsIdOnly) {
    parked(1, 1, SimState::Adding2Sim);
    parked(9, 3, SimState::Adding2Sim);
    // Another static aircraft under the same callsign waits too.
    staticCreateQueue = {lf_request(9, "KLM1*"), lf_request(1, "KLM1*")};
    const LiveAc& newcomer = makeAircraft({.callsign = "DLH1", .type = "A320", .airline = "DLH"});
    makeWayForParking(newcomer, parkPositions[0]);
    EXPECT_EQ(findParked(1), nullptr);
    ASSERT_EQ(staticCreateQueue.size(), 1U);
    EXPECT_EQ(staticCreateQueue.front().aircraftId, 9U);
    // Two empty registrations count as the same.
    EXPECT_TRUE(logged("queued A1      : KLM1*     makes way for the same live version DLH1 "));

    // One already handed to the simulator link goes as soon as it exists.
    parked(5, 1, SimState::Adding2Sim);
    makeWayForParking(newcomer, parkPositions[0]);
    EXPECT_TRUE(findParked(5)->removeWhenCreated);
}

}  // namespace
