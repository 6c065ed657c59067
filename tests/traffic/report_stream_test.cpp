// The report stream of a live aircraft: each block is reached at its
// playback tick, the next leg is timed by distance and speed inside the lag
// window and never in fewer than 25 ticks, repeated positions stand still on
// the ground and are skipped in the air, and an aircraft without stream,
// object or further blocks leaves; ghosts leave too.

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "core/settings.h"
#include "records/clock.h"
#include "simlink/sim_commands.h"
#include "simlink/simlink_state.h"
#include "traffic/lifecycle/ghost_callsigns_index.h"
#include "traffic/lifecycle/ghost_removal.h"
#include "traffic/lifecycle/spawning.h"
#include "traffic/movement/position_update.h"
#include "traffic/support/traffic_fixture.h"
#include "traffic/traffic_state.h"

namespace {

using test::BlockSpec;
using test::TrafficTest;

constexpr double kNmNorthDeg = 1.0 / 60.0;

class ReportStream : public TrafficTest {
protected:
    bool loggedPart(std::string_view part) const {
        const std::vector<std::string> lines = logLines();
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& line) { return line.find(part) != std::string::npos; });
    }
    // The positions sent in the ticks since the last call.
    static std::vector<PositionCmd> takeSentPositions() {
        std::vector<PositionCmd> sent;
        sent.swap(positionBuffers.back());
        return sent;
    }
};

TEST_F(ReportStream, AnAirLegIsTimedByDistanceAndSpeedInsideTheLagWindow) {
    struct Case {
        const char* what;
        double legNm;
        std::int32_t reportedTick;
        std::int32_t expectedTick;
        std::int32_t extensionCount = 0;
        bool landing = false;
        double secondAltFt = 20000.0;
        double frontSpeedKt = 240.0;
    };
    const Case cases[] = {
        {"2 nm at 240 kt take 3000 ticks", 2.0, 4000, 4000},
        {"due later than the window allows", 2.0, 6000, 5000},
        {"due earlier than the window allows", 2.0, 2000, 3000},
        {"the window does not hold an extended stream", 2.0, 6000, 4000, 1},
        {"a short leg takes 25 ticks", 0.001, 1010, 1025},
        {"a passed block is reached in 25 ticks", 0.001, 900, 1025},
        {"rolling to a touchdown at the front block's speed", 1.0, 1000, 4000, 1, true, 0.0, 120.0},
        {"rolling to a touchdown at 100 kt", 1.0, 1000, 4600, 1, true, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        tickCounter = 1000;
        LiveAc& aircraft = makeActiveAircraft(
            {}, {{.tick = 1000, .groundSpeedKt = c.frontSpeedKt},
                 {.latDeg = 47.0 + c.legNm * kNmNorthDeg, .tick = c.reportedTick, .altFt = c.secondAltFt}});
        aircraft.extensionCount = c.extensionCount;
        aircraft.landing = c.landing;
        updateLiveAc(aircraft);
        ASSERT_EQ(aircraft.reports.size(), 1U);
        EXPECT_EQ(aircraft.reports.front().playbackTick, c.expectedTick);
        const double ticks = c.expectedTick - 1000;
        EXPECT_NEAR(aircraft.latStepDeg, c.legNm * kNmNorthDeg / ticks, 1e-9 * aircraft.latStepDeg);
        EXPECT_NEAR(aircraft.targetHeadingRad, 0.0, 1e-9);
        liveAircraft.clear();
    }
}

// The aircraft moves by even steps, one in every tick from the tick a block
// is reached, so that it stands on the next block by that block's tick; it
// sends its position every tick.
TEST_F(ReportStream, AnAircraftFollowsItsBlocksAndSendsItsPosition) {
    tickCounter = 1000;
    LiveAc& aircraft =
        makeActiveAircraft({}, {{.tick = 1000}, {.latDeg = 47.0 + kNmNorthDeg, .tick = 2500}, {.latDeg = 47.1, .tick = 4000}});
    for (std::int32_t now = 1000; now <= 2500; ++now) {
        tickCounter = now;
        EXPECT_FALSE(updateLiveAc(aircraft));
        if (now == 1749) {  // 750 of 1500 steps
            EXPECT_NEAR(aircraft.position.latitudeDeg, 47.0 + kNmNorthDeg / 2.0, 1e-9);
        }
    }
    EXPECT_EQ(aircraft.reports.size(), 1U);
    // The block of tick 2500 was reached at its tick; the move toward the
    // last one has begun.
    EXPECT_NEAR(aircraft.position.latitudeDeg, 47.0 + kNmNorthDeg + aircraft.latStepDeg, 1e-9);
    const std::vector<PositionCmd> sent = takeSentPositions();
    ASSERT_EQ(sent.size(), 1501U);
    EXPECT_EQ(sent.front().objectId, 100U);
    EXPECT_DOUBLE_EQ(sent.front().position.trueAirspeedKt, 240.0);
}

TEST_F(ReportStream, RepeatedPositionsStandStillOnTheGroundAndAreSkippedInTheAir) {
    struct Case {
        const char* what;
        double altFt;
        std::string type;
        bool standsStill;
    };
    const Case cases[] = {
        {"on the ground", 0.0, "B738", true},
        {"in the air", 20000.0, "B738", false},
        {"a helicopter in the air", 2000.0, "EC35", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        tickCounter = 1000;
        const double speedKt = c.altFt > 0.0 ? 240.0 : 10.0;
        LiveAc& aircraft = makeActiveAircraft(
            {.type = c.type}, {{.tick = 1000, .altFt = c.altFt, .groundSpeedKt = speedKt},
                               {.tick = 1500, .altFt = c.altFt, .groundSpeedKt = 0.0, .unmoved = true},
                               {.latDeg = 47.001, .tick = 2000, .altFt = c.altFt, .groundSpeedKt = speedKt}});
        updateLiveAc(aircraft);
        updateLiveAc(aircraft);
        const std::vector<PositionCmd> sent = takeSentPositions();
        ASSERT_EQ(sent.size(), 2U);
        if (c.standsStill) {
            EXPECT_EQ(aircraft.reports.size(), 2U);
            EXPECT_EQ(aircraft.position.latitudeDeg, 47.0);
            EXPECT_EQ(sent.back().position.trueAirspeedKt, 0.0);
        } else {
            EXPECT_EQ(aircraft.reports.size(), 1U);
            EXPECT_GT(aircraft.latStepDeg, 0.0);
            EXPECT_GT(aircraft.position.latitudeDeg, 47.0);
        }
        liveAircraft.clear();
    }
}

// A tick count beyond 32 bits (10700 nm at 1 kt): logged, and the aircraft
// keeps its state and sends nothing this tick.
TEST_F(ReportStream, ATickCountThatIsNoWholeI32IsLoggedAndTheAircraftStaysAsItWas) {
    tickCounter = 1000;
    LiveAc& aircraft = makeActiveAircraft(
        {}, {{.latDeg = 0.0, .lonDeg = 0.0, .tick = 1000, .groundSpeedKt = 1.0},
             {.latDeg = 0.0, .lonDeg = 179.0, .tick = std::numeric_limits<std::int32_t>::max(), .groundSpeedKt = 1.0}});
    aircraft.extensionCount = 1;
    EXPECT_FALSE(updateLiveAc(aircraft));
    EXPECT_EQ(aircraft.reports.size(), 2U);
    EXPECT_EQ(aircraft.simState, SimState::Active);
    EXPECT_EQ(aircraft.position.longitudeDeg, 0.0);
    EXPECT_TRUE(takeSentPositions().empty());
    EXPECT_TRUE(loggedPart("===> nextPosMain: narrowing_error KLM B738 KLM1234"));
    EXPECT_TRUE(loggedPart("===> updateLiveAc: narrowing_error KLM B738 KLM1234"));
    EXPECT_TRUE(loggedPart(", sz:2, fs:flying, st:active"));
}

TEST_F(ReportStream, AnAircraftWithoutStreamObjectOrFurtherBlocksLeaves) {
    tickCounter = 1000;
    LiveAc& noStream = makeActiveAircraft({.id = 20001, .callsign = "KLM1"}, {{.tick = 1000}});
    noStream.reports.clear();
    EXPECT_FALSE(updateLiveAc(noStream));
    EXPECT_EQ(noStream.simState, SimState::RemovingFromSim);
    EXPECT_TRUE(loggedPart("===> updateLiveAc stream empty ? KLM B738 KLM1"));
    EXPECT_TRUE(loggedPart("hexid:20001, objectid:100, alt:20000 ft, lalo:47.000000,8.000000, TAS:0"));

    LiveAc& noObject =
        makeActiveAircraft({.id = 20002, .callsign = "KLM2"}, {{.tick = 900}, {.latDeg = 47.1, .tick = 4000}});
    noObject.objectId = 0;
    EXPECT_FALSE(updateLiveAc(noObject));
    EXPECT_EQ(noObject.simState, SimState::RemovingFromSim);
    EXPECT_TRUE(loggedPart("===> updateLiveAc objectid=0? hexid: 20002,cs:KLM2, reg:, aimo:KLM B738 sz:1"));
    EXPECT_TRUE(takeSentPositions().empty());

    // The last block reached, its stream extended to the end: nothing more
    // to fly to.
    LiveAc& lastBlock = makeActiveAircraft({.id = 20003, .callsign = "KLM3"}, {{.tick = 1000}});
    lastBlock.extensionCount = -1;
    EXPECT_FALSE(updateLiveAc(lastBlock));
    EXPECT_EQ(lastBlock.simState, SimState::RemovingFromSim);
    EXPECT_EQ(removalQueue, (std::deque<std::uint32_t>{100, 100}));
}

TEST_F(ReportStream, AGhostLeavesAndItsCallsignIsRemembered) {
    LOG.value = true;
    makeActiveAircraft({.id = 20001, .callsign = "KLM1_"}, {{.tick = 1000}});
    LiveAc& other = makeActiveAircraft({.id = 20002, .callsign = "KLM2_"}, {{.tick = 1000}});
    other.simState = SimState::RemovingFromSim;
    checkGhost("KLM2");
    checkGhost("KLM3");
    EXPECT_TRUE(ghostCallsigns.empty());
    checkGhost("KLM1");
    EXPECT_EQ(gf_findLiveAircraft(20001)->simState, SimState::RemovingFromSim);
    EXPECT_EQ(ghostCallsigns, std::vector<std::string>{"KLM1_"});
    EXPECT_TRUE(logged("          KLM1_    is a ghost and will be removed, continue with KLM1"));
}

// While a pass of the tick keeps the aircraft whose callsign carries the
// ghost's mark, callsigns set after the first search count: a callsign that
// gained the mark makes a ghost, one that lost it does not, and of two
// ghosts the first in the list leaves.
TEST_F(ReportStream, AGhostRenamedEarlierInTheSamePassIsFound) {
    makeActiveAircraft({.id = 20001, .callsign = "KLM20001_"}, {{.tick = 1000}});
    makeActiveAircraft({.id = 20002, .callsign = "KLM20002"}, {{.tick = 1000}});
    makeActiveAircraft({.id = 20003, .callsign = "KLM20003"}, {{.tick = 1000}});
    const GhostCallsignsKeeper ghosts;
    checkGhost("KLM9");  // gathers the marked aircraft
    gf_setLiveCallsign(*gf_findLiveAircraft(20001), "KLM20001");
    gf_setLiveCallsign(*gf_findLiveAircraft(20003), "KLM1_");
    gf_setLiveCallsign(*gf_findLiveAircraft(20002), "KLM1_");
    checkGhost("KLM20001");
    EXPECT_EQ(gf_findLiveAircraft(20001)->simState, SimState::Active);
    checkGhost("KLM1");
    EXPECT_EQ(gf_findLiveAircraft(20002)->simState, SimState::RemovingFromSim);
    EXPECT_EQ(gf_findLiveAircraft(20003)->simState, SimState::Active);
    checkGhost("KLM1");
    EXPECT_EQ(gf_findLiveAircraft(20003)->simState, SimState::RemovingFromSim);
    EXPECT_EQ(ghostCallsigns, (std::vector<std::string>{"KLM1_", "KLM1_"}));
}

}  // namespace
