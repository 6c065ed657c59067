// Spawning of live aircraft: when a buffered aircraft spawns, waits, loses
// reports or is dropped, the livery, identity, position and attitude it
// spawns with, and the livery bookkeeping.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <numbers>

#include "core/core_state.h"
#include "core/exceptions.h"
#include "core/great_circle.h"
#include "core/run_flags.h"
#include "core/settings.h"
#include "liveries/liveries_state.h"
#include "liveries/livery_catalog.h"
#include "records/clock.h"
#include "simlink/simlink_state.h"
#include "traffic/active_live_count.h"
#include "traffic/farthest_active.h"
#include "traffic/lifecycle/aircraft_livery.h"
#include "traffic/lifecycle/ghost_callsigns_index.h"
#include "traffic/lifecycle/livery_bookkeeping.h"
#include "traffic/lifecycle/spawning.h"
#include "traffic/manager/tick_driver.h"
#include "traffic/movement/position_update.h"
#include "traffic/support/traffic_fixture.h"
#include "traffic/traffic_state.h"
#include "ui/status/main_window.h"

namespace {

using test::ReportSpec;
using test::TrafficTest;

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
// Degrees of longitude per metre at 47 degrees north.
constexpr double kLonDegPerMetreAt47 = 1.0 / (1852.0 * 60.0 * 0.6819983600624985);

class Spawning : public TrafficTest {
protected:
    Spawning() {
        buildCatalog({{"KLM", "B738", "KLM 737", "", 0, false},
                      {"KLM", "B77W", "KLM 777", "", 0, false},
                      {"KLC", "A320", "KLC A320", "", 0, false},
                      {"FDX", "B763", "FDX 767", "", 0, true},
                      {"DLH", "A320", "DLH A320", "", 0, false},
                      {"PVT", "C172", "Private C172", "", 0, false}});
        // The user far away, in the air: nothing holds a newcomer back.
        placeUser({.latitudeDeg = 10.0, .longitudeDeg = 10.0, .altitudeFt = 5000.0}, false);
    }

    // Runs handleBufferedLiveAc at the tick, as the tick driver does.
    static void bufferedTickAt(LiveAc& aircraft, std::int32_t tick) {
        tickCounter = tick;
        handleBufferedLiveAc(aircraft);
    }
    static bool spawned(const LiveAc& aircraft) { return aircraft.simState == SimState::Adding2Sim; }

    // The user on the ground at 47 N 8 E with the live limit of 10 reached:
    // ids 30000 to 30009 (objects 100 to 109) active 4.1 to 4.5 nm east.
    static void userAmongTenActiveAircraft() {
        placeUser({.latitudeDeg = 47.0, .longitudeDeg = 8.0}, true);
        MAX_LIVE_SEL.value = 10;
        for (std::uint32_t index = 0; index < 10; ++index) {
            LiveAc& active = makeAircraft({.id = 30000 + index, .callsign = "ACT" + std::to_string(index)});
            active.simState = SimState::Active;
            active.objectId = 100 + index;
            active.position.latitudeDeg = 47.0;
            active.position.longitudeDeg = 8.1 + 0.01 * index;
        }
    }
};

TEST_F(Spawning, ANewcomerSpawnsItsLeadTimeBeforeItsFirstReportIsDue) {
    struct Case {
        const char* what;
        ReportSpec report;
        std::int32_t spawnTick;
    };
    const Case cases[] = {
        {"taxiing at 12 kt", {.altFt = 0.0, .groundSpeedKt = 12.0, .playbackTick = 5000}, 4700},
        {"standing", {.altFt = 0.0, .groundSpeedKt = 0.0, .playbackTick = 5000}, 4900},
        {"flying", {.playbackTick = 5000}, 4900},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LiveAc& aircraft = makeAircraft(c.report, 3);
        bufferedTickAt(aircraft, c.spawnTick - 1);
        EXPECT_EQ(aircraft.simState, SimState::Buffer);
        EXPECT_EQ(aircraft.reports.size(), 3U);
        bufferedTickAt(aircraft, c.spawnTick);
        EXPECT_TRUE(spawned(aircraft));
        liveAircraft.clear();
        creationList.clear();
    }
}

TEST_F(Spawning, ADueNewcomerWithoutASecondReportOrWithMixedReportsDoesNotSpawn) {
    LiveAc& single = makeAircraft({.id = 20001, .callsign = "KLM1"});
    bufferedTickAt(single, 2900);
    EXPECT_TRUE(single.eraseBuffered);

    // Airborne, then on the ground twice: the oldest goes until the mix ends.
    LiveAc& landing = makeAircraft({.id = 20002, .callsign = "KLM2", .playbackTick = 2000}, 3);
    landing.reports[1].airborne = false;
    landing.reports[2].airborne = false;
    bufferedTickAt(landing, 2900);
    EXPECT_EQ(landing.reports.size(), 2U);
    EXPECT_EQ(landing.simState, SimState::Buffer);
    bufferedTickAt(landing, 2901);
    EXPECT_TRUE(spawned(landing));
}

TEST_F(Spawning, TheSettingsDropBlockedCallsignsAndEveryNewcomerAtAMaximumOfZero) {
    LiveAc& blocked = makeAircraft({.id = 20001, .callsign = "KLM1"}, 2);
    BLOCK_CALLSIGN.value = "KLM1";
    bufferedTickAt(blocked, 2900);
    EXPECT_TRUE(blocked.eraseBuffered);

    LiveAc& other = makeAircraft({.id = 20002, .callsign = "KLM2"}, 2);
    bufferedTickAt(other, 2900);
    EXPECT_TRUE(spawned(other));

    MAX_LIVE_SEL.value = 0;
    LiveAc& none = makeAircraft({.id = 20003, .callsign = "KLM3"}, 2);
    bufferedTickAt(none, 2900);
    EXPECT_TRUE(none.eraseBuffered);
}

TEST_F(Spawning, AtTheMaximumTheFarthestActiveAircraftMakesWayForANearerNewcomer) {
    userAmongTenActiveAircraft();
    LiveAc& nearer = makeAircraft({.id = 20001, .callsign = "NEAR1", .lonDeg = 8.05}, 2);
    bufferedTickAt(nearer, 2900);
    EXPECT_TRUE(spawned(*gf_findLiveAircraft(20001)));
    EXPECT_EQ(gf_findLiveAircraft(30009)->simState, SimState::RemovingFromSim);
    EXPECT_EQ(removalQueue, std::deque<std::uint32_t>{109});

    // The newcomer is counted now (on the creation list); the next one is the
    // farthest of all and goes itself.
    LiveAc& farther = makeAircraft({.id = 20002, .callsign = "FAR1", .lonDeg = 9.0}, 2);
    bufferedTickAt(farther, 2900);
    EXPECT_TRUE(farther.eraseBuffered);
    EXPECT_EQ(removalQueue.size(), 1U);
}

// Within one pass over the live aircraft the count against the limit
// follows every state change made earlier in the same pass.
TEST_F(Spawning, AnAircraftRemovedEarlierInTheSamePassMakesRoomForANewcomer) {
    userAmongTenActiveAircraft();
    liveAircraft.front().reports.clear();  // its own update removes it
    makeAircraft({.id = 20001, .callsign = "NEAR1", .lonDeg = 8.05}, 2);
    tickCounter = 2900;
    {
        const ActiveLiveCountKeeper activeCount;
        for (LiveAc& aircraft : liveAircraft) {
            updateLiveAc(aircraft);
        }
    }
    EXPECT_TRUE(spawned(*gf_findLiveAircraft(20001)));
    EXPECT_EQ(gf_findLiveAircraft(30000)->simState, SimState::RemovingFromSim);
    EXPECT_EQ(gf_findLiveAircraft(30009)->simState, SimState::Active);
    EXPECT_EQ(removalQueue, std::deque<std::uint32_t>{100});
}

// Within one pass the farthest aircraft is looked for as the earlier steps
// of the pass left the list: one removed by an earlier newcomer, after its
// own update, is no longer active, and one that flew far out in its own
// update is now the farthest.
TEST_F(Spawning, LaterNewcomersInTheSamePassFindTheFarthestAsTheEarlierStepsLeftIt) {
    userAmongTenActiveAircraft();
    for (const std::uint32_t number : {1U, 2U, 3U}) {
        makeAircraft({.id = 20000 + number, .callsign = "NEAR" + std::to_string(number), .lonDeg = 8.05}, 2);
    }
    // The farthest active aircraft first, then the first newcomer, the other
    // active aircraft and the two other newcomers.
    std::rotate(liveAircraft.begin(), liveAircraft.begin() + 9, liveAircraft.begin() + 10);
    std::rotate(liveAircraft.begin() + 1, liveAircraft.begin() + 10, liveAircraft.begin() + 11);
    gf_findLiveAircraft(30000)->lonStepDeg = 0.5;  // about 20 nm east in one tick
    tickCounter = 2900;
    {
        const ActiveLiveCountKeeper activeCount;
        const FarthestActiveKeeper farthestActive;
        const GhostCallsignsKeeper ghostMarks;
        for (LiveAc& aircraft : liveAircraft) {
            updateLiveAc(aircraft);
        }
    }
    for (const std::uint32_t id : {20001U, 20002U, 20003U}) {
        EXPECT_TRUE(spawned(*gf_findLiveAircraft(id)));
    }
    EXPECT_EQ(gf_findLiveAircraft(30007)->simState, SimState::Active);
    EXPECT_EQ(removalQueue, (std::deque<std::uint32_t>{109, 100, 108}));
}

TEST_F(Spawning, ABacklogOfLiveCreationsHoldsNewcomersBack) {
    liveCreateQueue.resize(11);
    LiveAc& aircraft = makeAircraft({}, 3);
    bufferedTickAt(aircraft, 2900);
    EXPECT_EQ(aircraft.simState, SimState::Buffer);
    EXPECT_EQ(aircraft.reports.size(), 2U);
    liveCreateQueue.resize(10);
    bufferedTickAt(aircraft, 3000);  // the next report due at 3100
    EXPECT_TRUE(spawned(aircraft));
}

TEST_F(Spawning, TheUserAircraftHoldsNewcomersBackCloseToIt) {
    struct Case {
        const char* what;
        UserAcData user;
        bool userOnGround;
        ReportSpec report;
        bool held;
        bool airCheckOn = true;
    };
    const UserAcData parked{.latitudeDeg = 47.0, .longitudeDeg = 8.0};
    const UserAcData flyingNorth{.latitudeDeg = 47.0, .longitudeDeg = 8.0, .headingRad = 0.0, .altitudeFt = 10000.0,
                                 .altAboveGroundFt = 8000.0};
    const UserAcData onFinalNorth{.latitudeDeg = 47.0, .longitudeDeg = 8.0, .headingRad = 0.0, .altitudeFt = 900.0,
                                  .altAboveGroundFt = 500.0};
    const double threeNmNorth = 47.0 + 3.0 / 60.0;
    const double threeNmEast = 8.0 + 3.0 / (60.0 * 0.6819983600624985);
    const std::vector<Case> cases{
        {"on the ground 100 m away", parked, true, {.lonDeg = 8.0 + 100 * kLonDegPerMetreAt47, .altFt = 0.0}, true},
        {"on the ground 200 m away", parked, true, {.lonDeg = 8.0 + 200 * kLonDegPerMetreAt47, .altFt = 0.0}, false},
        {"airborne over the parked user", parked, true, {.altFt = 3000.0}, false},
        {"3 nm ahead, 1000 ft higher", flyingNorth, false, {.latDeg = threeNmNorth, .altFt = 11000.0}, true},
        {"3 nm ahead, 3000 ft higher", flyingNorth, false, {.latDeg = threeNmNorth, .altFt = 13000.0}, false},
        {"3 nm abeam", flyingNorth, false, {.lonDeg = threeNmEast, .altFt = 10000.0}, false},
        {"3 nm ahead, the check off", flyingNorth, false, {.latDeg = threeNmNorth, .altFt = 11000.0}, false, false},
        {"on the runway ahead of a landing user", onFinalNorth, false, {.latDeg = 47.02, .altFt = 0.0}, true},
        {"on the ground ahead of a high user", flyingNorth, false, {.latDeg = 47.02, .altFt = 0.0}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        placeUser(c.user, c.userOnGround);
        COLLISION_USER_AIR.value = c.airCheckOn;
        ReportSpec report = c.report;
        report.groundSpeedKt = report.altFt > 0.0 ? 250.0 : 0.0;
        // Standing on the ground, moving in the air (a repeated position in
        // the air is no report).
        LiveAc& aircraft = makeAircraft(report, 3, report.altFt <= 0.0);
        bufferedTickAt(aircraft, 2900);
        EXPECT_EQ(spawned(aircraft), !c.held);
        if (c.held) {
            EXPECT_EQ(aircraft.reports.size(), 2U);  // one report lost per held tick
        }
        liveAircraft.clear();
        creationList.clear();
    }
}

TEST_F(Spawning, AHeldNewcomerStaysHeldAndRunsOutOfReports) {
    placeUser({.latitudeDeg = 47.0, .longitudeDeg = 8.0, .headingRad = 0.0, .altitudeFt = 10000.0}, false);
    LiveAc& aircraft = makeAircraft({.latDeg = 47.05, .altFt = 10500.0}, 3);
    bufferedTickAt(aircraft, 2900);
    EXPECT_TRUE(aircraft.heldForUser);
    // The user turned away: no conflict now, but the hold lasts.
    placeUser({.latitudeDeg = 47.0, .longitudeDeg = 8.0, .headingRad = 1.57, .altitudeFt = 30000.0}, false);
    bufferedTickAt(aircraft, 3000);  // the next report due at 3100
    EXPECT_EQ(aircraft.reports.size(), 1U);
    bufferedTickAt(aircraft, 3100);
    EXPECT_TRUE(aircraft.eraseBuffered);
}

TEST_F(Spawning, TheFirstPositionAndAttitudeComeFromTheFirstReport) {
    struct Case {
        const char* what;
        ReportSpec report;
        bool unmoved;
        double pitchDeg;
    };
    const Case cases[] = {
        {"taxiing", {.altFt = 0.0, .groundSpeedKt = 10.0}, false, 0.6},
        {"level", {.verticalSpeedFpm = 0.0}, false, -3.0},
        {"climbing 1200 fpm", {.verticalSpeedFpm = 1200.0}, false, -7.4},
        {"climbing 3000 fpm", {.verticalSpeedFpm = 3000.0}, false, -11.8},
        {"descending 1200 fpm", {.verticalSpeedFpm = -1200.0}, false, -0.8},
        {"descending 4000 fpm", {.verticalSpeedFpm = -4000.0}, false, 2.5},
        {"standing", {.altFt = 0.0, .groundSpeedKt = 0.0, .trackDeg = 200.0}, true, 0.6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LiveAc& aircraft = makeAircraft(c.report, 2, c.unmoved);
        aircraft.reports[1].unmoved = c.unmoved;
        aircraft.reports[0].bankRad = 0.1;
        bufferedTickAt(aircraft, 2950);
        ASSERT_TRUE(spawned(aircraft));
        const ReportBlock& front = aircraft.reports[0];
        const PositionBlock& position = aircraft.position;
        EXPECT_EQ(position.latitudeDeg, c.report.latDeg);
        EXPECT_EQ(position.longitudeDeg, c.report.lonDeg);
        EXPECT_EQ(position.altitudeFt, c.report.altFt);
        EXPECT_NEAR(position.pitchRad, c.pitchDeg * kRadiansPerDegree, 1e-12);
        EXPECT_EQ(position.bankRad, 0.1);
        EXPECT_EQ(position.verticalSpeedFps, c.report.verticalSpeedFpm / 60.0);
        EXPECT_EQ(position.trueAirspeedKt, c.report.groundSpeedKt);
        const double heading = c.unmoved ? c.report.trackDeg * kRadiansPerDegree
                                         : gf_initialBearingRad({front.latDeg, front.lonDeg},
                                                                {aircraft.reports[1].latDeg, aircraft.reports[1].lonDeg});
        EXPECT_NEAR(position.headingRad, heading, 1e-12);
        EXPECT_EQ(aircraft.headingStepRad, front.airborne ? 0.0 : position.headingRad);
        EXPECT_EQ(aircraft.groundPhase, front.airborne ? GroundPhase::Flying : GroundPhase::Taxi);
        EXPECT_EQ(front.unmoved, c.unmoved);
        liveAircraft.clear();
        creationList.clear();
    }

    // A respawned aircraft takes its heading again, reduced into one turn.
    LiveAc& respawned = makeAircraft({}, 2);
    respawned.respawnHeadingRad = 2.0 * std::numbers::pi + 0.5;
    bufferedTickAt(respawned, 2950);
    EXPECT_NEAR(respawned.position.headingRad, 0.5, 1e-12);
}

TEST_F(Spawning, ASpawnedAircraftWaitsForItsCreateRequest) {
    LiveAc& aircraft = makeAircraft({.id = 20001}, 2);
    aircraft.heldForUser = true;
    placeUser({.latitudeDeg = 10.0, .longitudeDeg = 10.0}, true);  // on the ground: the hold is not renewed
    bufferedTickAt(aircraft, 2900);
    ASSERT_TRUE(spawned(aircraft));
    EXPECT_FALSE(aircraft.heldForUser);
    EXPECT_EQ(aircraft.identity.liveryTitle, "KLM 737");
    EXPECT_EQ(creationList, std::vector<std::uint32_t>{20001});
    EXPECT_EQ(coupledCheckQueue, std::list<std::uint32_t>{20001});
    EXPECT_EQ(keptLiveries.at(20001), "KLM 737");
}

TEST_F(Spawning, TheRegistrationsRecordCompletesTheIdentityAndItsSizeFollowsTheType) {
    struct Case {
        const char* what;
        ReportSpec report;
        const char* airline;
        const char* type;
        const char* callsign;
        AircraftCategory category;
        bool cargo;
    };
    const Case cases[] = {
        {"a heavy reported as A320", {.callsign = "KLM9", .type = "A320", .airline = "", .registration = "PH-BVA"},
         "KLM", "B77W", "KLM9", AircraftCategory::Heavy, false},
        {"flown by its operator", {.callsign = "KLM8", .type = "B738", .registration = "PH-EXA"}, "KLC", "A320",
         "KLM8", AircraftCategory::Large, false},
        {"a freighter without callsign", {.callsign = "@@@@@@@@", .type = "A320", .registration = "N101FE"}, "FDX",
         "B763", "N101FE", AircraftCategory::Heavy, true},
        {"the airline from the callsign", {.callsign = "DLH4AB", .type = "A320", .airline = ""}, "DLH", "A320",
         "DLH4AB", AircraftCategory::Large, false},
        {"private", {.callsign = "N12345", .type = "C172", .airline = ""}, "PVT", "C172", "N12345",
         AircraftCategory::Light, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LiveAc& aircraft = makeAircraft(c.report, 2);
        bufferedTickAt(aircraft, 2900);
        ASSERT_TRUE(spawned(aircraft));
        const AcIdentity& identity = aircraft.identity;
        EXPECT_EQ(identity.strings.airline, c.airline);
        EXPECT_EQ(identity.strings.type, c.type);
        EXPECT_EQ(identity.strings.callsign, c.callsign);
        EXPECT_EQ(identity.cargo, c.cargo);
        // Everything that depends on the type is that of the type spawned.
        const AcIdentity fresh = buildAcIdentity(identity.strings);
        EXPECT_EQ(identity.category, c.category);
        EXPECT_EQ(identity.halfSpanNm, fresh.halfSpanNm);
        EXPECT_EQ(identity.flareTicks, fresh.flareTicks);
        EXPECT_EQ(identity.rolloutTicks, fresh.rolloutTicks);
        EXPECT_EQ(identity.taxiTurnRateRad, fresh.taxiTurnRateRad);
        EXPECT_EQ(identity.turnRateRad, fresh.taxiTurnRateRad);
        EXPECT_EQ(identity.maxAltStepFt, gf_maxAltStepFt(c.category));
        EXPECT_EQ(identity.standTaxiSpeedKt, gf_standTaxiSpeedKt(c.category));
        EXPECT_NEAR(identity.climbPitchRad, fresh.climbPitchRad, std::fabs(fresh.climbPitchRad) * 0.11);
        liveAircraft.clear();
        creationList.clear();
    }
}

TEST_F(Spawning, ATypeChangedIntoASwitchedOffCategoryIsDropped) {
    HELICOPTERS.value = false;
    LiveAc& aircraft = makeAircraft({.callsign = "ADA1", .type = "A320", .registration = "D-HADA"}, 2);
    bufferedTickAt(aircraft, 2900);
    EXPECT_TRUE(aircraft.eraseBuffered);
    EXPECT_TRUE(creationList.empty());
}

TEST_F(Spawning, WithoutALiveryTheAircraftIsDroppedAndNotTriedAgain) {
    LiveAc& aircraft = makeAircraft({.id = 20001, .callsign = "BAW1", .airline = "BAW", .registration = "G-EUPT"}, 2);
    bufferedTickAt(aircraft, 2900);
    EXPECT_TRUE(aircraft.eraseBuffered);
    EXPECT_TRUE(unmatchedAircraft.contains("BAW B738 G-EUPT"));

    // The same aircraft under another id is dropped without matching again.
    const auto matchesBefore = liveryCatalog.matchStepCounts;
    liveAircraft.clear();
    LiveAc& again = makeAircraft({.id = 20002, .callsign = "BAW1", .airline = "BAW", .registration = "G-EUPT"}, 2);
    bufferedTickAt(again, 2900);
    EXPECT_TRUE(again.eraseBuffered);

    LOG.value = true;
    gf_logUnmatched();
    const std::vector<std::string> lines = logLines();
    const auto heading = std::find(lines.begin(), lines.end(), "No match found for:");
    ASSERT_NE(heading, lines.end());
    EXPECT_EQ(*(heading + 1), "BAW B738 G-EUPT");
    EXPECT_EQ(*(heading + 2), "");
    EXPECT_EQ(liveryCatalog.matchStepCounts, matchesBefore);
}

TEST_F(Spawning, AKeptLiveryIsWornAgainUnlessTheSimulatorRefusedIt) {
    keptLiveries[20001] = "KLM 777";
    LiveAc& aircraft = makeAircraft({.id = 20001}, 2);
    bufferedTickAt(aircraft, 2900);
    EXPECT_EQ(aircraft.identity.liveryTitle, "KLM 777");

    liveryCatalog.refusedTitles.emplace_back("KLM 777");
    EXPECT_TRUE(gf_takeKeptLivery(20001).empty());
    EXPECT_FALSE(keptLiveries.contains(20001));
}

TEST_F(Spawning, GhostsDoNotSpawn) {
    struct Case {
        const char* what;
        bool inGhostList;
        bool liveWithoutSuffix;
        bool spawns;
    };
    const Case cases[] = {
        {"a known ghost", true, false, false},
        {"the aircraft without the suffix is live", false, true, false},
        {"alone", false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.inGhostList) {
            ghostCallsigns.push_back("KLM1_");
        }
        if (c.liveWithoutSuffix) {
            makeAircraft({.id = 30001, .callsign = "KLM1", .type = "A320"}).simState = SimState::Active;
        }
        LiveAc& ghost = makeAircraft({.id = 20001, .callsign = "KLM1_"}, 2);
        bufferedTickAt(ghost, 2900);
        EXPECT_EQ(spawned(ghost), c.spawns);
        liveAircraft.clear();
        ghostCallsigns.clear();
        creationList.clear();
    }
}

class RefusedCreations : public Spawning {
protected:
    static AcIdentity refusedIdentity(std::string_view title) {
        AcIdentity identity = buildAcIdentity(test::makeStrings("KLM", "B738", "KLM1234"));
        identity.liveryTitle = title;
        return identity;
    }
    static std::string messageLine() {
        const std::lock_guard lock(MainWindow::messageMutex);
        return MainWindow::messageText;
    }
};

TEST_F(RefusedCreations, ARefusedLiveryIsShownAndNeverPickedAgain) {
    gf_onCreateFailed(refusedIdentity("KLM 737"));
    EXPECT_EQ(messageLine(), "KLM1234 'KLM 737' could not be created by your Sim!");
    EXPECT_EQ(liveryCatalog.refusedTitles, std::vector<std::string>{"KLM 737"});
    EXPECT_EQ(gf_listUncreatableTitles(), std::vector<std::string>{"  B738 KLM"});

    // The ladder passes the refused title over.
    LiveAc aircraft = makeAircraft({.id = 20001}, 2);
    gf_matchLiveLivery(aircraft);
    EXPECT_TRUE(aircraft.identity.liveryTitle.empty());
}

TEST_F(RefusedCreations, TheTwentiethRefusedLiveryEndsTheRun) {
    for (int index = 1; index < 20; ++index) {
        gf_onCreateFailed(refusedIdentity("title " + std::to_string(index)));
    }
    try {
        gf_onCreateFailed(refusedIdentity("title 20"));
        FAIL() << "no error 81";
    } catch (const qrx::UserErrorException& error) {
        EXPECT_STREQ(error.what(), "81: There are too many liveries that could not be created by MSFS!, see Log.txt");
    }
    EXPECT_TRUE(logged("===> Error 81, There are too many liveries that could not be created by MSFS!"));
}

TEST_F(RefusedCreations, NothingIsCountedWhileTheRunStops) {
    runStopRequested = true;
    gf_onCreateFailed(refusedIdentity("KLM 737"));
    EXPECT_TRUE(liveryCatalog.refusedTitles.empty());
    EXPECT_TRUE(uncreatableKinds.empty());
}

}  // namespace
