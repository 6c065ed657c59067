// The aircraft-in-range request reaches the simulator every 20 ticks with
// the traffic radius, and the user aircraft's data is asked for every 100
// ticks (tested against the stand-in simulator).

#include <gtest/gtest.h>

#include <mutex>
#include <nlohmann/json.hpp>

#include "core/settings.h"
#include "records/clock.h"
#include "simlink/sim_commands.h"
#include "simlink/simlink_state.h"
#include "traffic/support/sim_connection.h"
#include "traffic/support/traffic_fixture.h"

namespace {

namespace sc = platform::simconnect;

// The little-endian u32 at the byte offset of a journal entry's packet.
std::uint32_t lf_packetWord(const nlohmann::json& entry, std::size_t offset) {
    const std::string hex = entry.at("hex");
    std::uint32_t value = 0;
    for (std::size_t byte = 0; byte < 4; ++byte) {
        value |= static_cast<std::uint32_t>(std::stoul(hex.substr(2 * (offset + byte), 2), nullptr, 16)) << (8 * byte);
    }
    return value;
}

class InRangeRequest : public test::TrafficTest {
protected:
    InRangeRequest()
        : connection_(nlohmann::json{{"simulator", "KittyHawk"},
                                     {"frameRate", 60},
                                     {"user", {{"latitudeDeg", 47.5}, {"longitudeDeg", 8.5}, {"onGround", true}}}},
                      log.folder().path()),
          sim_(connection_.sim) {}
    test::DirectSimConnection connection_;
    vantrel::test::StandInSim& sim_;
};

TEST_F(InRangeRequest, AskedEvery20TicksAndTheUserAircraftEvery100) {
    trafficRadiusMeters = 18520;
    tick(101);  // ticks 0 to 100
    const nlohmann::json inRange = sim_.waitForPackets("RequestDataOnSimObjectType", 6);
    const nlohmann::json user = sim_.waitForPackets("RequestDataOnSimObject", 2);
    ASSERT_EQ(inRange.size(), 6U);
    EXPECT_EQ(user.size(), 2U);
    // After the 16-byte header: request 101, definition 404, the radius, aircraft.
    const nlohmann::json& first = inRange.front();
    EXPECT_EQ(lf_packetWord(first, 16), 101U);
    EXPECT_EQ(lf_packetWord(first, 20), 404U);
    EXPECT_EQ(lf_packetWord(first, 24), 18520U);
    EXPECT_EQ(lf_packetWord(first, 28), static_cast<std::uint32_t>(sc::SimObjectType::Aircraft));
}

TEST_F(InRangeRequest, NothingIsAskedAfterAFailedRequest) {
    simRequestError = true;
    tick(41);
    // Cleared again, one request of each goes; they arrive after any sent
    // before them on the one connection.
    simRequestError = false;
    tickCounter = 100;
    tick();
    EXPECT_EQ(sim_.waitForPackets("RequestDataOnSimObjectType", 1).size(), 1U);
    EXPECT_EQ(sim_.waitForPackets("RequestDataOnSimObject", 1).size(), 1U);
}

}  // namespace
