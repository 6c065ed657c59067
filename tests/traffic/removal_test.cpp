// Taking aircraft out of the simulator: by their state, never twice, never
// another aircraft's creation; and the static aircraft that make way for a
// live one spawned on their stand.

#include <gtest/gtest.h>

#include "airports/park_airports_seam.h"
#include "simlink/sim_commands.h"
#include "traffic/ground_spawn_stand.h"
#include "traffic/removal.h"
#include "traffic/support/traffic_fixture.h"
#include "traffic/traffic_queues.h"

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
    LiveAc& first = *findAircraft(20001);
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
