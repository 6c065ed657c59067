// Created aircraft recognised by their ATC ID, taken over and reported;
// refused creations, aircraft of other programs, ground data of known
// objects and removals.

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>

#include "simlink/object_identification.h"
#include "simlink/sim_client.h"
#include "simlink/sim_commands.h"
#include "simlink/simlink_state.h"
#include "simlink/user_aircraft.h"
#include "simlink/support/sim_link_fixture.h"
#include "support/stand_in_sim.h"

namespace {

using nlohmann::json;
using test::SimLinkTest;
using test::waitUntil;
using vantrel::test::StandInSim;

constexpr std::uint32_t kLiveId = 0x3C6444;  // a feed's hex id, above 10000
constexpr std::uint32_t kStaticId = 42;

json lf_scenarioOnElevatedGround() {
    json scenario = test::simScenario();
    scenario["groundElevationFt"] = 1400.0;
    return scenario;
}

TEST_F(SimLinkTest, CreatedLiveAircraftIsRecognisedReleasedFrozenAndReported) {
    connect(lf_scenarioOnElevatedGround());
    const SimResult created = createAircraft("DLH4AB", kLiveId);
    ASSERT_EQ(created.kind, SimResultKind::LiveCreated);
    const json state = sim().waitForState([&](const json& s) {
        const json* object = StandInSim::findObject(s, "id", created.objectId);
        return object != nullptr && object->at("frozen").at("attitude").get<bool>();
    });
    const json& object = *StandInSim::findObject(state, "id", created.objectId);
    EXPECT_EQ(object.at("atcId"), "DLH4AB");
    EXPECT_EQ(object.at("title"), test::kCreatableTitle);
    EXPECT_TRUE(object.at("released"));
    EXPECT_TRUE(object.at("frozen").at("latLon"));
    EXPECT_TRUE(object.at("frozen").at("altitude"));
    EXPECT_EQ(created.value, kLiveId);
    EXPECT_EQ(created.a, 0.0);
    EXPECT_DOUBLE_EQ(created.b, object.at("altAboveGroundFt").get<double>());
}

TEST_F(SimLinkTest, CreatedStaticAircraftIsReportedWithoutHeight) {
    connect();
    const SimResult created = createAircraft("STAT1*", kStaticId);
    EXPECT_EQ(created.kind, SimResultKind::StaticCreated);
    EXPECT_GT(created.objectId, 2U);
    EXPECT_EQ(created.b, 0.0);
}

// An aircraft created high above the ground is recognised all the same: the
// altitude limit applies to known objects only.
TEST_F(SimLinkTest, NewObjectHighAboveTheGroundIsStillRecognised) {
    connect();
    EXPECT_EQ(createAircraft("BAW12", kLiveId, test::kCreatableTitle, 8000.0).kind, SimResultKind::LiveCreated);
}

TEST_F(SimLinkTest, RefusedCreationIsReportedAsFailed) {
    connect();
    const SimResult failed = createAircraft("AFR77", kLiveId, "No Such Livery");
    EXPECT_EQ(failed.kind, SimResultKind::CreateFailed);
    EXPECT_EQ(failed.objectId, 0U);
    gf_resetSimLink();
    EXPECT_TRUE(sentCreates.empty());
}

TEST_F(SimLinkTest, AircraftOfAnotherProgramIsLoggedOnceAndLeftAlone) {
    connect();
    sim().command(R"(add-aircraft {"atcId": "N123AB", "title": "Other", "latitudeDeg": 47.502, "longitudeDeg": 8.5})");
    const json* other = nullptr;
    json state;
    ASSERT_TRUE(waitUntil([&] {
        state = sim().state();
        other = StandInSim::findObject(state, "atcId", "N123AB");
        return other != nullptr;
    }));
    const std::uint32_t objectId = other->at("id");
    const std::string line = "just spawned, but not by Vantrel, oid: " + std::to_string(objectId) +
                             ", callsign 'N123AB', altaboveGnd:0 ft, onground:1, gnd_alt:0 ft";
    ASSERT_TRUE(waitUntil([&] {
        requestAircraftInRange();
        return logged(line);
    }));
    // Known from now on: its ground data flows, nothing else happens to it.
    const std::vector<SimResult> results = waitForResults(SimResultKind::GroundData);
    for (const SimResult& result : results) {
        EXPECT_EQ(result.kind, SimResultKind::GroundData);
    }
    const json after = sim().state();
    EXPECT_FALSE(StandInSim::findObject(after, "id", objectId)->at("released"));
    const std::vector<std::string> lines = log.lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), line), 1);
}

TEST_F(SimLinkTest, KnownObjectsNearTheGroundGetGroundData) {
    connect(lf_scenarioOnElevatedGround());
    const SimResult low = createAircraft("KLM9", kLiveId);
    const SimResult high = createAircraft("KLM10", kLiveId + 1, test::kCreatableTitle, 5000.0);
    const SimResult starred = createAircraft("KLM11*", kStaticId);
    takeResults();
    std::vector<SimResult> ground;
    ASSERT_TRUE(waitUntil([&] {
        requestAircraftInRange();
        for (const SimResult& result : takeResults()) {
            ground.push_back(result);
        }
        return !ground.empty();
    }));
    for (const SimResult& result : ground) {
        ASSERT_EQ(result.kind, SimResultKind::GroundData);
        EXPECT_NE(result.objectId, high.objectId) << "above 2500 ft";
        EXPECT_NE(result.objectId, starred.objectId) << "a static aircraft's ATC ID ends in '*'";
    }
    EXPECT_EQ(ground.front().objectId, low.objectId);
    EXPECT_EQ(ground.front().value, 1U);
    EXPECT_DOUBLE_EQ(ground.front().a, 1400.0);
    EXPECT_GE(ground.front().b, 0.0);
}

// Two creations with one tail number: the first reply carrying it takes the
// first creation sent.
TEST_F(SimLinkTest, TwinTailNumbersAreTakenInTheOrderSent) {
    connect();
    CreateRequest request;
    request.initPos = {47.501, 8.501, 0.0, 0.0, 0.0, 90.0, 1, 0};
    request.tailNumber = "TWIN1";
    request.liveryTitle = test::kCreatableTitle;
    request.aircraftId = kLiveId;
    gf_queueCreate(request);
    request.aircraftId = kLiveId + 1;
    gf_queueCreate(request);
    ASSERT_TRUE(waitUntil([&] {
        const json state = sim().state();
        return std::count_if(state.at("objects").begin(), state.at("objects").end(),
                             [](const json& object) { return object.at("atcId") == "TWIN1"; }) == 2;
    }));
    requestAircraftInRange();
    const std::vector<SimResult> results = waitForResults(SimResultKind::LiveCreated, 2);
    ASSERT_EQ(results.size(), 2U);
    const SimResult& first = results[0].objectId < results[1].objectId ? results[0] : results[1];
    const SimResult& second = results[0].objectId < results[1].objectId ? results[1] : results[0];
    EXPECT_EQ(first.value, kLiveId);
    EXPECT_EQ(second.value, kLiveId + 1);
}

TEST_F(SimLinkTest, RemovedObjectIsReported) {
    connect();
    const SimResult created = createAircraft("EZY1", kLiveId);
    {
        const std::lock_guard lock(simQueueMutex);
        simRemoveQueue.push_back(created.objectId);
    }
    const std::vector<SimResult> results = waitForResults(SimResultKind::Removed);
    ASSERT_FALSE(results.empty());
    EXPECT_EQ(results.back().kind, SimResultKind::Removed);
    EXPECT_EQ(results.back().objectId, created.objectId);
}

}  // namespace

namespace {

TEST_F(SimLinkTest, StaticAttitudeOfACreatedAircraftIsReported) {
    connect();
    const SimResult created = createAircraft("STAT2*", kStaticId);
    {
        const std::lock_guard lock(simQueueMutex);
        ASSERT_EQ(platform::simconnect::SimConnect_RequestDataOnSimObject(
                      hSimConnect, gf_simId(SimRequestId::StaticAttitude), gf_simId(SimDefinitionId::StaticAttitude),
                      created.objectId, platform::simconnect::Period::Once),
                  platform::simconnect::kOk);
    }
    const std::vector<SimResult> results = waitForResults(SimResultKind::StaticCg);
    const auto cg = std::find_if(results.begin(), results.end(),
                                 [](const SimResult& result) { return result.kind == SimResultKind::StaticCg; });
    ASSERT_NE(cg, results.end());
    EXPECT_EQ(cg->objectId, created.objectId);
    EXPECT_DOUBLE_EQ(cg->a, 5.0);  // the stand-in's static CG height
    EXPECT_DOUBLE_EQ(cg->b, 0.0);
}

struct ExceptionCase {
    int exception;
    std::string logLine;  // or the message shown
};

TEST_F(SimLinkTest, ExceptionsAreLoggedOrShown) {
    connect();
    const std::vector<ExceptionCase> cases{
        {19, "SIMCONNECT_EXCEPTION_INVALID_DATA_SIZE"},
        {23, "===> SimConnect exception: load flight plan failed"},
        {24, "SIMCONNECT_EXCEPTION_OPERATION_INVALID_FOR_OBJECT_TYPE"},
        {20, "===> SIMCONNECT_EXCEPTION #20"},
        {11, "SimConnect: too many objects (max 1000)"},
    };
    for (const ExceptionCase& c : cases) {
        sim().command("exception " + std::to_string(c.exception));
        EXPECT_TRUE(waitUntil([&] { return logged(c.logLine); })) << c.logLine;
    }
    EXPECT_EQ(messageLine(), "SimConnect: too many objects (max 1000)");
    EXPECT_TRUE(simRunning) << "none of them ends the connection";
}

// An unknown id is worth a line only while a user position is known and the
// run is not stopping.
TEST_F(SimLinkTest, UnrecognisedIdIsLoggedOnlyWhileTheFlightIsKnown) {
    connect();
    const std::string line = "===> SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID";
    sim().command("exception 3");
    sim().command("exception 20");
    ASSERT_TRUE(waitUntil([&] { return logged("===> SIMCONNECT_EXCEPTION #20"); }));
    EXPECT_FALSE(logged(line));
    gf_requestUserAircraftData();
    ASSERT_TRUE(waitUntil([] { return gf_isPositionKnown(gf_userPosition(gf_requestUserAircraftData())); }));
    sim().command("exception 3");
    EXPECT_TRUE(waitUntil([&] { return logged(line); }));
}

}  // namespace
