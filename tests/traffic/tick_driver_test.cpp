// The tick driver: at most two reports per tick, one create request per
// tick, creations on multiples of 50 ticks (live before static), removals on
// multiples of 10, the position buffers swapped with a try-lock, the user
// aircraft's data every 100 ticks, and a report that cannot be taken in.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <future>
#include <limits>
#include <mutex>
#include <string>
#include <thread>

#include "core/settings.h"
#include "records/clock.h"
#include "simlink/sim_commands.h"
#include "simlink/simlink_state.h"
#include "simlink/user_aircraft.h"
#include "traffic/intake/adding_stack.h"
#include "traffic/manager/tick_driver.h"
#include "traffic/support/traffic_fixture.h"
#include "traffic/traffic_state.h"

namespace {

using test::TrafficTest;

CreateRequest lf_request(std::uint32_t aircraftId) {
    CreateRequest request;
    request.tailNumber = "CS" + std::to_string(aircraftId);
    request.aircraftId = aircraftId;
    return request;
}

// Holds simQueueMutex on a thread of its own until released, as the
// simulator link's frame flush does.
class QueueLockHolder {
public:
    QueueLockHolder() : thread_([this] { run(); }) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return holding_; });
    }
    ~QueueLockHolder() {
        release();
        thread_.join();
    }
    void release() {
        const std::lock_guard lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }

private:
    void run() {
        const std::lock_guard queueLock(simQueueMutex);
        std::unique_lock lock(mutex_);
        holding_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return released_; });
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    bool holding_ = false;
    bool released_ = false;
    std::thread thread_;
};

using TickDriver = TrafficTest;

TEST_F(TickDriver, TenReportsAreTakenOverFiveTicks) {
    for (std::uint32_t index = 0; index < 10; ++index) {
        queueReport({.id = 20001 + index, .callsign = "KLM" + std::to_string(index)});
    }
    for (std::size_t ticks = 1; ticks <= 5; ++ticks) {
        tick();
        EXPECT_EQ(liveAircraft.size(), 2 * ticks);
        EXPECT_EQ(addingStack.size(), 10 - 2 * ticks);
    }
    EXPECT_EQ(tickCounter, 5);
}

TEST_F(TickDriver, OneCreateRequestPerTickTheLastSpawnedFirst) {
    buildCatalog({{"KLM", "B738", "KLM 737", "", 0, false}});
    placeUser({.latitudeDeg = 10.0, .longitudeDeg = 10.0}, true);
    for (std::uint32_t id : {20001U, 20002U, 20003U}) {
        makeAircraft({.id = id, .callsign = "KLM" + std::to_string(id), .verticalSpeedFpm = 600.0}, 2);
    }
    tickCounter = 2951;
    tick();  // all three spawn; the last one's request is built
    EXPECT_EQ(creationList.size(), 2U);
    tick(2);
    ASSERT_EQ(liveCreateQueue.size(), 3U);
    EXPECT_EQ(liveCreateQueue[0].aircraftId, 20003U);
    EXPECT_EQ(liveCreateQueue[1].aircraftId, 20002U);
    EXPECT_EQ(liveCreateQueue[2].aircraftId, 20001U);

    const CreateRequest& request = liveCreateQueue[0];
    const LiveAc& aircraft = *gf_findLiveAircraft(20003);
    EXPECT_EQ(request.tailNumber, "KLM20003");
    EXPECT_EQ(request.liveryTitle, "KLM 737");
    EXPECT_EQ(request.initPos.latitudeDeg, aircraft.position.latitudeDeg);
    EXPECT_EQ(request.initPos.longitudeDeg, aircraft.position.longitudeDeg);
    EXPECT_EQ(request.initPos.altitudeFt, 20000.0);
    EXPECT_DOUBLE_EQ(request.initPos.pitchDeg, -3.0 - 2.2);
    EXPECT_NEAR(request.initPos.headingDeg, 90.0, 0.01);
    EXPECT_EQ(request.initPos.onGround, 0U);
    EXPECT_EQ(request.initPos.airspeedKt, 0U);
}

TEST_F(TickDriver, AnAircraftWithoutCallsignGetsNoRequest) {
    buildCatalog({{"KLM", "B738", "KLM 737", "", 0, false}});
    LiveAc& aircraft = makeAircraft({.id = 20001}, 2);
    aircraft.identity.strings.callsign.clear();
    aircraft.simState = SimState::Adding2Sim;
    creationList = {20001};
    tick();
    EXPECT_TRUE(liveCreateQueue.empty());
    EXPECT_TRUE(logged("===> lf_handleAddingStack KLM B738                            objectid = 0?"));
}

TEST_F(TickDriver, RemovalsLeaveOnMultiplesOf10AndCreationsOnMultiplesOf50) {
    tickCounter = 3;
    removalQueue = {101, 102, 103};
    liveCreateQueue = {lf_request(20001)};
    std::vector<std::int32_t> removalTicks;
    std::int32_t creationTick = -1;
    while (tickCounter <= 60) {
        const std::int32_t now = tickCounter;
        tick();
        const std::lock_guard lock(simQueueMutex);
        if (simRemoveQueue.size() > removalTicks.size()) {
            removalTicks.push_back(now);
        }
        if (creationTick < 0 && !simCreateQueue.empty()) {
            creationTick = now;
        }
    }
    EXPECT_EQ(removalTicks, (std::vector<std::int32_t>{10, 20, 30}));
    EXPECT_EQ(simRemoveQueue, (std::vector<std::uint32_t>{101, 102, 103}));
    EXPECT_EQ(creationTick, 50);
}

TEST_F(TickDriver, StaticCreationsWaitUntilNoLiveOneIsLeft) {
    liveCreateQueue = {lf_request(20001), lf_request(20002)};
    staticCreateQueue = {lf_request(1), lf_request(2)};
    std::vector<std::pair<std::int32_t, std::uint32_t>> handedOver;
    while (tickCounter <= 200) {
        const std::int32_t now = tickCounter;
        tick();
        const std::lock_guard lock(simQueueMutex);
        if (simCreateQueue.size() > handedOver.size()) {
            handedOver.emplace_back(now, simCreateQueue.back().aircraftId);
        }
    }
    EXPECT_EQ(handedOver, (std::vector<std::pair<std::int32_t, std::uint32_t>>{
                              {0, 20001}, {50, 20002}, {100, 1}, {150, 2}}));
}

TEST_F(TickDriver, PositionsAreSwappedWhenTheQueueLockIsFree) {
    tickCounter = 1;
    gf_appendPositionCmd({{}, 11});
    tick();
    const std::lock_guard lock(simQueueMutex);
    ASSERT_EQ(positionBuffers.front().size(), 1U);
    EXPECT_EQ(positionBuffers.front().front().objectId, 11U);
    EXPECT_TRUE(positionBuffers.back().empty());
}

TEST_F(TickDriver, ABusyQueueLockAtLowFrameRatesCostsTheTicksPositions) {
    tickCounter = 1;  // a tick that asks for nothing else under the lock
    simFrameRate = 45.0F;
    {
        const std::lock_guard lock(simQueueMutex);
        positionBuffers.front().push_back({{}, 10});
    }
    gf_appendPositionCmd({{}, 11});
    {
        const QueueLockHolder busy;
        tick();  // returns although the lock stays busy
    }
    const std::lock_guard lock(simQueueMutex);
    ASSERT_EQ(positionBuffers.front().size(), 1U);
    EXPECT_EQ(positionBuffers.front().front().objectId, 10U);
    EXPECT_TRUE(positionBuffers.back().empty());
}

TEST_F(TickDriver, ABusyQueueLockAtHighFrameRatesIsWaitedFor) {
    tickCounter = 1;
    simFrameRate = 60.0F;
    gf_appendPositionCmd({{}, 11});
    QueueLockHolder busy;
    std::future<void> ticking = std::async(std::launch::async, [] { lf_handleAddingStack(); });
    EXPECT_EQ(ticking.wait_for(std::chrono::milliseconds{50}), std::future_status::timeout);
    busy.release();
    ticking.get();
    const std::lock_guard lock(simQueueMutex);
    ASSERT_EQ(positionBuffers.front().size(), 1U);
    EXPECT_EQ(positionBuffers.front().front().objectId, 11U);
}

TEST_F(TickDriver, TheRunsUserDataIsRenewedEvery100Ticks) {
    tickCounter = 1;
    {
        const std::lock_guard lock(simQueueMutex);
        userAcData.latitudeDeg = 47.5;
    }
    tick(98);
    EXPECT_EQ(runUserAcData.latitudeDeg, 0.0);
    tick();  // tick 99
    EXPECT_EQ(runUserAcData.latitudeDeg, 0.0);
    tick();  // tick 100
    EXPECT_EQ(runUserAcData.latitudeDeg, 47.5);
}

// One report whose judging fails is logged and dropped; the report after it
// is taken in the same tick and the run goes on.
TEST_F(TickDriver, AReportThatCannotBeTakenInIsLoggedAndDropped) {
    LiveAc& known = makeAircraft({.id = 20001, .callsign = "KLM1"});
    known.reports.back().playbackTick = std::numeric_limits<std::int32_t>::max();
    queueReport({.id = 20001, .callsign = "KLM1", .lonDeg = 8.1, .trackDeg = 180.0, .feedTimeS = 1030.0});
    queueReport({.id = 20002, .callsign = "KLM2"});
    tickCounter = 1;
    tick();
    EXPECT_TRUE(addingStack.empty());
    EXPECT_NE(gf_findLiveAircraft(20002), nullptr);
    EXPECT_EQ(tickCounter, 2);
    EXPECT_TRUE(logged("===> acceptReport exception: narrowing_error, hexid:20001"));
}

// A burst of 50,000 reports within one second, a sender repeating the
// records of 2,000 aircraft 25 times each, and then a real aircraft
// reporting every 2 s: the stack stays within its cap, and the real
// aircraft is handed to the simulator within one playback delay of its
// first report. (The repeated records make no aircraft of their own, so the
// real one waits for no other creation.)
TEST_F(TickDriver, ABurstOfReportsDelaysNoRealAircraftAndStaysBounded) {
    buildCatalog({{"KLM", "B738", "KLM 737", "", 0, false}});
    placeUser({.latitudeDeg = 46.0, .longitudeDeg = 7.0}, false);
    gf_setAcceptingFeed(true);
    constexpr std::uint32_t kBurstAircraft = 2000;
    constexpr int kRepeats = 25;
    constexpr double kDegreesPerSecond = 0.002;  // about 300 kt east
    std::size_t largestStack = 0;
    const auto lf_push = [&](const test::ReportSpec& spec) {
        gf_queueReport(test::makeReport(spec));
        const std::lock_guard lock(feedMutex);
        largestStack = std::max(largestStack, addingStack.size());
    };
    for (int repeat = 0; repeat < kRepeats; ++repeat) {
        for (std::uint32_t index = 0; index < kBurstAircraft; ++index) {
            lf_push({.id = 30001 + index,
                     .callsign = "KLM" + std::to_string(5000 + index),
                     .latDeg = 47.0 + (index % 50) * 0.02,
                     .lonDeg = 8.0 + (index / 50) * 0.02});
        }
        tick(4);
    }
    const std::int32_t firstReportTick = tickCounter;
    std::int32_t handedOverTick = -1;
    for (int report = 0; handedOverTick < 0 && tickCounter <= firstReportTick + kPlaybackDelayTicks; ++report) {
        lf_push({.id = 20001,
                 .callsign = "KLM1234",
                 .latDeg = 46.5,
                 .lonDeg = 7.5 + 2 * report * kDegreesPerSecond,
                 .feedTimeS = 1025.0 + 2 * report});
        for (int step = 0; step < 200 && handedOverTick < 0; ++step) {
            tick();
            const std::lock_guard lock(simQueueMutex);
            if (std::ranges::any_of(simCreateQueue, [](const CreateRequest& request) { return request.aircraftId == 20001; })) {
                handedOverTick = tickCounter;
            }
        }
    }
    EXPECT_LE(largestStack, kAddingStackCap);
    ASSERT_GE(handedOverTick, 0) << "not handed over within the playback delay";
    EXPECT_LE(handedOverTick - firstReportTick, kPlaybackDelayTicks);
}

}  // namespace
