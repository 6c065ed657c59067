// The command queues the traffic manager fills: light events, cancelled
// creations, the position buffers, and the spoiler and throttle command that
// goes at once.

#include <gtest/gtest.h>

#include <deque>
#include <thread>

#include "simlink/object_identification.h"
#include "simlink/sim_commands.h"
#include "simlink/simlink_state.h"
#include "simlink/support/sim_link_fixture.h"
#include "support/stand_in_sim.h"

namespace {

using nlohmann::json;
using test::SimLinkTest;
using test::waitUntil;
using vantrel::test::StandInSim;

std::vector<std::uint32_t> lf_eventIds() {
    std::vector<std::uint32_t> ids;
    for (const EventCmd& event : simEventQueue) {
        ids.push_back(gf_simId(event.eventId));
    }
    return ids;
}

TEST_F(SimLinkTest, LightEventsAlwaysComeAsSevenInTheirOrder) {
    gf_queueLightEvents(77, {0, 1, 0, 1, 0, 1, 0});
    gf_queueCabinLights(78, 1);
    const std::lock_guard lock(simQueueMutex);
    EXPECT_EQ(lf_eventIds(), (std::vector<std::uint32_t>{207, 206, 210, 208, 209, 212, 211, 211}));
    std::vector<std::uint32_t> data;
    for (const EventCmd& event : simEventQueue) {
        data.push_back(event.data);
    }
    EXPECT_EQ(data, (std::vector<std::uint32_t>{0, 1, 0, 1, 0, 1, 0, 1}));
    EXPECT_EQ(simEventQueue.back().objectId, 78U);
}

// Two live aircraft may share a callsign (of different types): a cancel by
// aircraft id takes only its own aircraft's request.
TEST(CancelQueuedCreate, RemovesTheRequestsOfTheAircraftIdOnly) {
    struct Case {
        std::uint32_t aircraftId;
        bool removed;
        std::vector<std::uint32_t> left;
    };
    const std::vector<Case> cases{
        {0, false, {20001, 20002, 20003, 0}},
        {20001, true, {20002, 20003, 0}},
        {20003, true, {20001, 20002, 0}},
        {30000, false, {20001, 20002, 20003, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.aircraftId);
        std::deque<CreateRequest> queue;
        queue.push_back({{}, "DLH1", {}, 20001});
        queue.push_back({{}, "BAW2", {}, 20002});
        queue.push_back({{}, "DLH1", {}, 20003});  // the same callsign, another aircraft
        queue.push_back({{}, "AFR3", {}, 0});
        EXPECT_EQ(gf_cancelQueuedCreate(queue, c.aircraftId), c.removed);
        std::vector<std::uint32_t> left;
        for (const CreateRequest& request : queue) {
            left.push_back(request.aircraftId);
        }
        EXPECT_EQ(left, c.left);
    }
}

TEST_F(SimLinkTest, PositionBuffersSwapAndStartAgainWhenCleared) {
    gf_appendPositionCmd({{}, 10});
    const std::lock_guard lock(simQueueMutex);
    std::vector<PositionCmd>* const firstBack = &positionBuffers.back();
    positionBuffers.swapUnlocked();
    ASSERT_EQ(positionBuffers.front().size(), 1U);
    EXPECT_EQ(positionBuffers.front().front().objectId, 10U);
    EXPECT_TRUE(positionBuffers.back().empty());
    EXPECT_NE(&positionBuffers.back(), firstBack);
    positionBuffers.clearUnlocked();
    EXPECT_EQ(&positionBuffers.back(), firstBack);
    EXPECT_TRUE(positionBuffers.front().empty());
}

TEST_F(SimLinkTest, ReservingTheQueuesClearsARequestError) {
    simRequestError = true;
    gf_reserveSimQueues();
    EXPECT_FALSE(simRequestError);
    EXPECT_GE(simCreateQueue.capacity(), 256U);
    EXPECT_GE(simRemoveQueue.capacity(), 256U);
    EXPECT_GE(sentCreates.capacity(), 256U);
    EXPECT_GE(addedObjectIds.capacity(), 256U);
    EXPECT_GE(positionBuffers.back().capacity(), 256U);
    EXPECT_GE(positionBuffers.front().capacity(), 256U);
}

// The spoiler and throttle command waits for the queue lock, so it can never
// fall between a creation and the query of that creation's packet id.
TEST_F(SimLinkTest, SpoilersAndThrottlesWaitForTheQueueLock) {
    connect();
    const SimResult created = createAircraft("RYR1", 0x4CA000);
    ASSERT_EQ(created.kind, SimResultKind::LiveCreated);
    const std::uint64_t from = journalEnd();
    std::thread worker;
    {
        const std::lock_guard lock(simQueueMutex);
        worker = std::thread([&] { gf_setSpoilersThrottles(created.objectId, true, true); });
        std::this_thread::sleep_for(std::chrono::milliseconds{100});
        EXPECT_TRUE(callsSince(from, {"SetDataOnSimObject"}).empty());
    }
    worker.join();
    const auto spoilersAndThrottles = [&](double spoilers, double throttle) {
        return [&, spoilers, throttle](const json& state) {
            const json& object = *StandInSim::findObject(state, "id", created.objectId);
            return object.at("spoilersPercent") == spoilers && object.at("throttlePercent").at(0) == throttle &&
                   object.at("throttlePercent").at(1) == throttle;
        };
    };
    EXPECT_NO_THROW(sim().waitForState(spoilersAndThrottles(100.0, -100.0)));
    gf_setSpoilersThrottles(created.objectId, true, false);
    EXPECT_NO_THROW(sim().waitForState(spoilersAndThrottles(100.0, 100.0)));
    gf_setSpoilersThrottles(created.objectId, false, true);
    EXPECT_NO_THROW(sim().waitForState(spoilersAndThrottles(0.0, 0.0)));
}

}  // namespace
