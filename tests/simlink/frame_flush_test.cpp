// The frame flush: what the traffic manager queued reaches the simulator on
// the next frame, in the order positions, events, creations, removals; a busy
// queue lock skips the frame; nothing is sent for the user's own aircraft or
// after a failed SimConnect call.

#include <gtest/gtest.h>

#include <thread>

#include "simlink/object_identification.h"
#include "simlink/sim_client.h"
#include "simlink/sim_commands.h"
#include "simlink/simlink_state.h"
#include "simlink/support/sim_link_fixture.h"
#include "support/stand_in_sim.h"

namespace {

using nlohmann::json;
using test::SimLinkTest;
using test::waitUntil;
using vantrel::test::StandInSim;

constexpr std::uint32_t kLiveId = 0x4CA2B3;
const std::vector<std::string> kFlushCalls{"SetDataOnSimObject", "TransmitClientEvent", "AICreateNonATCAircraft",
                                           "AIRemoveObject", "AIReleaseControl"};

class FrameFlush : public SimLinkTest {
protected:
    // A recognised aircraft whose freeze events have been sent.
    std::uint32_t createdAircraft(const std::string& tailNumber) {
        const SimResult created = createAircraft(tailNumber, kLiveId);
        EXPECT_EQ(created.kind, SimResultKind::LiveCreated);
        sim().waitForState([&](const json& state) {
            const json* object = StandInSim::findObject(state, "id", created.objectId);
            return object != nullptr && object->at("frozen").at("attitude").get<bool>();
        });
        return created.objectId;
    }

    static CreateRequest creation(const std::string& tailNumber) {
        CreateRequest request;
        request.initPos = {47.502, 8.502, 0.0, 0.0, 0.0, 0.0, 1, 0};
        request.tailNumber = tailNumber;
        request.liveryTitle = test::kCreatableTitle;
        request.aircraftId = kLiveId + 1;
        return request;
    }

    static PositionCmd position(std::uint32_t objectId) {
        PositionCmd command;
        command.position = {47.5015, 8.5015, -0.05, 0.0, 1.0, 1400.0, 0.0, 10.0};
        command.objectId = objectId;
        return command;
    }
};

TEST_F(FrameFlush, SendsPositionsThenEventsThenCreationsThenRemovals) {
    connect();
    const std::uint32_t objectId = createdAircraft("SWR1");
    const std::uint64_t from = journalEnd();
    {
        // Queued in the opposite order, in one frame.
        const std::lock_guard lock(simQueueMutex);
        simRemoveQueue.push_back(objectId);
        simCreateQueue.push_back(creation("SWR2"));
        gf_appendEventCmd({objectId, SimEventId::NavLightsSet, 1});
        gf_appendPositionCmd(position(objectId));
        positionBuffers.swapUnlocked();
    }
    ASSERT_TRUE(waitUntil([&] { return callsSince(from, kFlushCalls).size() >= 4; }));
    EXPECT_EQ(callsSince(from, kFlushCalls),
              (std::vector<std::string>{"SetDataOnSimObject", "TransmitClientEvent", "AICreateNonATCAircraft",
                                        "AIRemoveObject"}));
    const json state = sim().waitForState([&](const json& s) { return !s.at("removed").empty(); });
    EXPECT_EQ(state.at("removed").at(0).at("id"), objectId);
}

TEST_F(FrameFlush, SkipsFramesWhileTheTrafficManagerHoldsTheQueue) {
    connect();
    const std::uint32_t objectId = createdAircraft("SWR3");
    const std::uint64_t from = journalEnd();
    {
        const std::lock_guard lock(simQueueMutex);
        gf_appendEventCmd({objectId, SimEventId::LogoLightsSet, 1});
        std::this_thread::sleep_for(std::chrono::milliseconds{150});  // about nine frames
        EXPECT_TRUE(callsSince(from, kFlushCalls).empty());
    }
    gf_queueEvent({objectId, SimEventId::BeaconLightsSet, 1});
    ASSERT_TRUE(waitUntil([&] { return callsSince(from, kFlushCalls).size() == 2; }));
    const json state = sim().state();
    const json& events = StandInSim::findObject(state, "id", objectId)->at("events");
    EXPECT_EQ(events.at(events.size() - 2).at("name"), "LOGO_LIGHTS_SET");
    EXPECT_EQ(events.back().at("name"), "BEACON_LIGHTS_SET");
}

TEST_F(FrameFlush, FlapsAreSetBetweenTwoReleasesOfControl) {
    connect();
    const std::uint32_t objectId = createdAircraft("SWR4");
    const std::uint64_t from = journalEnd();
    gf_queueEvent({objectId, SimEventId::FlapsSet, 10240});
    ASSERT_TRUE(waitUntil([&] { return callsSince(from, kFlushCalls).size() >= 3; }));
    EXPECT_EQ(callsSince(from, kFlushCalls),
              (std::vector<std::string>{"AIReleaseControl", "TransmitClientEvent", "AIReleaseControl"}));
}

TEST_F(FrameFlush, NeverMovesOrRemovesTheUsersAircraft) {
    connect();
    const std::uint32_t objectId = createdAircraft("SWR5");
    const std::uint64_t from = journalEnd();
    {
        const std::lock_guard lock(simQueueMutex);
        gf_appendPositionCmd(position(userObjectId));
        gf_appendPositionCmd(position(objectId));
        positionBuffers.swapUnlocked();
        simRemoveQueue.push_back(1);
    }
    ASSERT_TRUE(waitUntil([&] {
        return logged("===> SimConnect call to remove ac with objectid 1") && !callsSince(from, kFlushCalls).empty();
    }));
    std::this_thread::sleep_for(std::chrono::milliseconds{50});  // a few more frames
    EXPECT_EQ(callsSince(from, kFlushCalls), std::vector<std::string>{"SetDataOnSimObject"});
    const std::lock_guard lock(simQueueMutex);
    EXPECT_TRUE(simRemoveQueue.empty());
}

// After a failed SimConnect call every frame empties the queues unsent, and
// a dropped creation leaves no sent creation waiting.
TEST_F(FrameFlush, AfterARequestErrorNothingIsSent) {
    connect();
    const std::uint32_t objectId = createdAircraft("SWR6");
    simRequestError = true;
    const std::uint64_t from = journalEnd();
    {
        const std::lock_guard lock(simQueueMutex);
        simCreateQueue.push_back(creation("SWR7"));
        gf_appendEventCmd({objectId, SimEventId::NavLightsSet, 0});
        simRemoveQueue.push_back(objectId);
        gf_appendPositionCmd(position(objectId));
        positionBuffers.swapUnlocked();
    }
    ASSERT_TRUE(waitUntil([] {
        const std::lock_guard lock(simQueueMutex);
        return simCreateQueue.empty() && simEventQueue.empty() && simRemoveQueue.empty() &&
               positionBuffers.front().empty();
    }));
    std::this_thread::sleep_for(std::chrono::milliseconds{50});
    EXPECT_TRUE(callsSince(from, kFlushCalls).empty());
    gf_resetSimLink();
    EXPECT_TRUE(sentCreates.empty());
}

}  // namespace
