// The main loop and its work cycle: the 10 ms pace on the run clock, the
// pause while the flight does not run, the stop seen on every tick, the work
// at its cycle counts, the window's requests and the aircraft that make way.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <numbers>

#include "airports/airports_state.h"
#include "core/core_state.h"
#include "core/run_flags.h"
#include "core/settings.h"
#include "records/clock.h"
#include "run/main_loop.h"
#include "run/run_state.h"
#include "run/support/run_fixture.h"
#include "run/traffic_reader.h"
#include "run/work_cycle.h"
#include "simlink/parking_controls.h"
#include "simlink/sim_commands.h"
#include "simlink/simlink_state.h"
#include "simlink/user_aircraft.h"
#include "traffic/aircraft_records.h"
#include "traffic/intake/adding_stack.h"
#include "traffic/manager/tick_driver.h"
#include "traffic/traffic_state.h"
#include "ui/status/main_window.h"
#include "ui/status/message_line.h"

namespace {

using namespace std::chrono_literals;
using std::chrono::microseconds;
using std::chrono::milliseconds;
using testing::Contains;
using testing::ElementsAre;
using testing::HasSubstr;

// One nautical mile is one minute of latitude.
constexpr double kDegreesPerNm = 1.0 / 60.0;

class MainLoop : public test::RunTest {
protected:
    // A tick of a running flight after the simulator's second.
    static bool cycleTick() {
        simRunning = true;
        simDataArrived = true;
        return doTick();
    }
    // Runs the work cycle that follows the count.
    static void runCycleAfter(std::uint32_t count) {
        cycleCounter = count;
        cycleTick();
    }

    static LiveAc liveAt(double northNm, const std::string& callsign, bool onGround) {
        LiveAc aircraft(ReportBlock{}, AcIdentity{}, 0.0);
        aircraft.simState = SimState::Active;
        aircraft.identity.strings.callsign = callsign;
        aircraft.position.latitudeDeg = northNm * kDegreesPerNm;
        aircraft.onGround = onGround;
        return aircraft;
    }
    // An active static aircraft on a stand north of (0, 0).
    static ParkedAc parkedAt(double northDeg) {
        ParkedAc aircraft(AcIdentity{}, {northDeg, 0.0}, 0.0, 1, false);
        aircraft.simState = SimState::Active;
        return aircraft;
    }
    static bool accepting() {
        const std::lock_guard lock(feedMutex);
        return acceptingFeed;
    }
};

TEST_F(MainLoop, TicksEvery10MsCatchingUpAfterAnOverrun) {
    test::FakeClock clock;
    std::vector<microseconds> tickTimes;
    gf_paceTicks([&] {
        tickTimes.push_back(clock.elapsed());
        if (tickTimes.size() == 3) {
            clock.advance(35ms);  // this tick overran
        }
        if (tickTimes.size() == 6) {
            clock.advance(2500us);
        }
        return tickTimes.size() < 8;
    });
    // The three ticks the overrun cost run at once, until the deadline is
    // ahead again; a sleep is a whole number of milliseconds, never shorter
    // than the time left (2.5 ms: 3 ms).
    EXPECT_THAT(tickTimes, ElementsAre(0us, 10ms, 20ms, 55ms, 55ms, 55ms, 60500us, 70500us));
    EXPECT_THAT(clock.sleeps(), ElementsAre(10ms, 10ms, 3ms, 10ms));
}

TEST_F(MainLoop, TheSimulatorsSecondMovesTheDeadline) {
    test::FakeClock clock;
    std::vector<microseconds> tickTimes;
    gf_paceTicks([&] {
        tickTimes.push_back(clock.elapsed());
        simDataArrived = tickTimes.size() == 2;
        if (tickTimes.size() == 2) {
            clock.advance(35ms);
        }
        return tickTimes.size() < 4;
    });
    // No catching up: the tick after the data comes at once, the next one
    // 10 ms later.
    EXPECT_THAT(tickTimes, ElementsAre(0us, 10ms, 45ms, 55ms));
}

TEST_F(MainLoop, PausesWhileTheFlightDoesNotRunWithoutCountingCycles) {
    gf_setAcceptingFeed(true);
    simDataArrived = true;
    for (int tick = 0; tick < 150; ++tick) {
        EXPECT_TRUE(doTick());
    }
    EXPECT_FALSE(accepting());
    EXPECT_EQ(cycleCounter, 0u);
    EXPECT_TRUE(flightPaused);
    const auto lines = log.lines();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& line) { return line.ends_with(" Flight not running"); }),
              1);

    EXPECT_TRUE(cycleTick());
    EXPECT_EQ(cycleCounter, 1u);
    EXPECT_TRUE(accepting());
    EXPECT_FALSE(flightPaused);
    EXPECT_THAT(log.lines(), Contains(HasSubstr(" Flight resumed")));
}

TEST_F(MainLoop, SeesAStopOnEveryTick) {
    simRunning = true;
    EXPECT_TRUE(doTick());
    runStopRequested = true;  // the simulator runs but sends no second
    EXPECT_FALSE(doTick());
    simRunning = false;
    EXPECT_FALSE(doTick());
    runStopRequested = false;
    userCloseRequested = true;
    EXPECT_FALSE(cycleTick());
}

TEST_F(MainLoop, CountsTheMinutesToTheRenewalAndStartsAgainAfterADay) {
    runCycleAfter(59);
    EXPECT_EQ(MainWindow::minutesToRenewal, 19);
    runCycleAfter(1139);
    EXPECT_EQ(MainWindow::minutesToRenewal, 1);
    runCycleAfter(1199);
    EXPECT_EQ(MainWindow::minutesToRenewal, 20);
    runCycleAfter(86399);
    EXPECT_EQ(cycleCounter, 0u);
    cycleTick();
    EXPECT_EQ(cycleCounter, 1u);
}

TEST_F(MainLoop, RenewsTheStaticAircraftInTwoPhases15CyclesApart) {
    parkingActive = true;
    runCycleAfter(1199);
    EXPECT_TRUE(parkingRenewalRequested);  // requested at cycle 1200 ...
    EXPECT_FALSE(staticParkingBusy);

    runCycleAfter(1214);  // ... its first phase at 1215
    EXPECT_TRUE(staticParkingBusy);
    EXPECT_TRUE(TrafficReader::collectCallsigns);
    EXPECT_TRUE(gf_renewalPrepared());

    runCycleAfter(1229);  // the second at 1230
    EXPECT_FALSE(gf_renewalPrepared());
    EXPECT_FALSE(parkingRenewalRequested);
    parkingActive = false;
    TrafficReader::collectCallsigns = false;

    INITIAL_LOAD_ONLY.value = true;  // no renewals after the initial load
    runCycleAfter(2399);
    EXPECT_FALSE(parkingRenewalRequested);
}

TEST_F(MainLoop, AnswersTheObjectIdLookup) {
    liveAircraft = {liveAt(10, "SWR12", false)};
    liveAircraft[0].objectId = 77;
    CALLSIGN_2_OBJECTID.value = "DLH4";
    objectIdLookupRequested = true;
    runCycle();
    EXPECT_FALSE(objectIdLookupRequested);
    EXPECT_EQ(MainWindow::oidAnswerText, "");
    EXPECT_EQ(MainWindow::messageText, "callsign 'DLH4' is unknown");

    CALLSIGN_2_OBJECTID.value = "SWR12";
    objectIdLookupRequested = true;
    runCycle();
    EXPECT_EQ(MainWindow::oidAnswerText, "= 77");
    EXPECT_EQ(lookedUpObjectId, 77u);

    // The box emptied: the answer goes, no callsign is reported unknown.
    gf_clearMessage();
    CALLSIGN_2_OBJECTID.value = "";
    objectIdLookupRequested = true;
    runCycle();
    EXPECT_EQ(MainWindow::oidAnswerText, "");
    EXPECT_EQ(MainWindow::messageText, "");
}

TEST_F(MainLoop, FlushingTheStaticAircraftKeepsTheInitialLoadForThisRunOnly) {
    parkedAircraft = {parkedAt(1.0)};
    flushStaticRequested = true;
    runCycle();
    // Removed from the simulator; the record goes when the simulator reports it gone.
    ASSERT_EQ(parkedAircraft.size(), 1U);
    EXPECT_EQ(parkedAircraft.front().simState, SimState::RemovingFromSim);
    EXPECT_FALSE(flushStaticRequested);
    EXPECT_TRUE(INITIAL_LOAD_ONLY.value);
    EXPECT_FALSE(std::filesystem::exists(path));  // not saved
}

TEST_F(MainLoop, BlocksTheFirstActiveAircraftOfTheCallsign) {
    liveAircraft = {liveAt(10, "SWR12", false), liveAt(11, "SWR12", false)};
    liveAircraft[0].simState = SimState::Adding2Sim;
    BLOCK_CALLSIGN.value = "SWR12";
    blockCallsignRequested = true;
    runCycle();
    EXPECT_FALSE(blockCallsignRequested);
    EXPECT_EQ(liveAircraft[0].simState, SimState::Adding2Sim);
    EXPECT_EQ(liveAircraft[1].simState, SimState::RemovingFromSim);
}

TEST_F(MainLoop, SendsTheNavLightsSwitchToEveryParkedAircraft) {
    parkedAircraft = {parkedAt(1.0), parkedAt(2.0)};
    parkedAircraft[0].objectId = 11;
    parkedAircraft[1].objectId = 12;
    parkedAircraft[1].simState = SimState::Adding2Sim;
    liveAircraft = {liveAt(10, "SWR12", true), liveAt(11, "DLH4", true)};
    liveAircraft[0].objectId = 21;
    liveAircraft[0].groundPhase = GroundPhase::Parked;
    liveAircraft[1].objectId = 22;  // taxiing
    NAV_LIGHTS_WHILE_PARKED.value = false;
    {
        const std::lock_guard lock(simQueueMutex);
        simEventQueue.clear();
    }
    parkedLightsRequested = true;
    runCycle();
    EXPECT_FALSE(parkedLightsRequested);
    const std::lock_guard lock(simQueueMutex);
    std::vector<std::pair<std::uint32_t, std::uint32_t>> lights;
    for (const EventCmd& event : simEventQueue) {
        if (event.eventId == SimEventId::NavLightsSet) {
            lights.emplace_back(event.objectId, event.data);
        }
    }
    EXPECT_THAT(lights, ElementsAre(std::pair{11U, 0U}, std::pair{21U, 0U}));
    simEventQueue.clear();
}

TEST_F(MainLoop, TrimsTheLiveAircraftToTheirLimitFarthestFirst) {
    liveAircraft = {liveAt(30, "FAR1", false), liveAt(5, "NEAR", false), liveAt(20, "FAR2", false)};
    MAX_LIVE_SEL.value = 1;
    liveTrimRequested = true;
    runCycle();
    EXPECT_FALSE(liveTrimRequested);
    EXPECT_EQ(liveAircraft[0].simState, SimState::RemovingFromSim);
    EXPECT_EQ(liveAircraft[1].simState, SimState::Active);
    EXPECT_EQ(liveAircraft[2].simState, SimState::RemovingFromSim);
}

TEST_F(MainLoop, ServesOneCoupledCheckPerCycle) {
    LiveAc aircraft = liveAt(10, "SWR12", false);
    aircraft.identity.aircraftId = 10001;
    liveAircraft = {aircraft};
    coupledCheckQueue = {5, 10001};  // 5 is gone
    runCycle();
    EXPECT_THAT(coupledCheckQueue, ElementsAre(10001u));
    EXPECT_EQ(liveAircraft[0].identity.strings.firstCycleDone, 0u);
    runCycle();
    EXPECT_TRUE(coupledCheckQueue.empty());
    EXPECT_EQ(liveAircraft[0].identity.strings.firstCycleDone, 1u);
}

TEST_F(MainLoop, LiveAircraftOnTheGroundMakeWayForTheUser) {
    userOnGround = true;
    userHalfSpanNm = 0.01;
    LiveAc near = liveAt(0.022, "NEAR", true);
    near.identity.halfSpanNm = 0.01;  // (0.01 + 0.01) x 1.15 = 0.023 nm reach
    LiveAc far = liveAt(0.024, "FAR", true);
    far.identity.halfSpanNm = 0.01;
    liveAircraft = {far, near};
    runCycle();
    EXPECT_EQ(liveAircraft[0].simState, SimState::Active);
    EXPECT_EQ(liveAircraft[1].simState, SimState::RemovingFromSim);

    // With no live aircraft in the way, a static one (x 1.1) once the user
    // has moved.
    liveAircraft.clear();
    ParkedAc parked = parkedAt(0.0165 * kDegreesPerNm - 1e-9);
    parked.identity.halfSpanNm = 0.005;
    parkedAircraft = {parked};
    runCycle();
    EXPECT_EQ(parkedAircraft[0].simState, SimState::Active);  // the user has not moved
    runUserAcData.longitudeDeg = 1e-7;
    runCycle();
    EXPECT_EQ(parkedAircraft[0].simState, SimState::RemovingFromSim);
}

TEST_F(MainLoop, InTheAirTheRunwayAheadIsClearedOnlyBelow500Ft) {
    userOnGround = false;
    runUserAcData.altitudeFt = 600.0;
    runUserAcData.altAboveGroundFt = 600.0;
    runUserAcData.headingRad = 0.0;  // north
    LiveAc onRunway = liveAt(0.5, "RWY", true);
    onRunway.position.headingRad = std::numbers::pi / 2;  // crossing: its path passes 3000 ft away
    liveAircraft = {onRunway};
    runCycle();
    EXPECT_EQ(liveAircraft[0].simState, SimState::Active);

    runUserAcData.altAboveGroundFt = 400.0;
    runCycle();
    EXPECT_EQ(liveAircraft[0].simState, SimState::RemovingFromSim);
}

TEST_F(MainLoop, InTheAirAnAircraftHeadingForTheUserMakesWay) {
    runUserAcData.altitudeFt = 5000.0;
    runUserAcData.altAboveGroundFt = 5000.0;
    LiveAc level = liveAt(3.5, "LEVEL", false);
    level.position.altitudeFt = 5900.0;
    level.position.headingRad = std::numbers::pi;  // towards the user
    LiveAc above = liveAt(3.0, "ABOVE", false);
    above.position.altitudeFt = 6000.0;
    above.position.headingRad = std::numbers::pi;
    liveAircraft = {above, level};
    runCycle();
    EXPECT_EQ(liveAircraft[0].simState, SimState::Active);
    EXPECT_EQ(liveAircraft[1].simState, SimState::RemovingFromSim);
}

TEST_F(MainLoop, TheDuplicateTestRemovesOneActiveStaticTwin) {
    liveAircraft = {liveAt(0, "SWR12", true)};
    liveAircraft[0].identity.strings.registration = "HB-JCA";
    std::vector<ParkedAc> parked(3, parkedAt(0.0));
    parked[0].identity.strings.callsign = "SWR12*";  // not active: passed over
    parked[0].simState = SimState::Adding2Sim;
    parked[1].identity.strings.registration = "HB-JCA";
    parked[1].simState = SimState::Active;
    parked[2].identity.strings.callsign = "SWR12*";
    parked[2].simState = SimState::Active;
    parkedAircraft = parked;
    gf_removeStaticDuplicate();
    EXPECT_EQ(parkedAircraft[0].simState, SimState::Adding2Sim);
    EXPECT_EQ(parkedAircraft[1].simState, SimState::RemovingFromSim);
    EXPECT_EQ(parkedAircraft[2].simState, SimState::Active);  // one per cycle
}

}  // namespace
