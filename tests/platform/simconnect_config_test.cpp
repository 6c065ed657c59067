// Where the client finds the simulator: SimConnect.cfg sections by index.

#include "platform/simconnect/config_file.h"

#include <gtest/gtest.h>

namespace {

using platform::simconnect::parseServerAddress;

TEST(SimConnectConfig, SectionOfTheIndexGivesAddressPortAndProtocol) {
    const std::string file =
        "; a comment\n"
        "[SimConnect]\r\n"
        "Protocol=IPv4\r\n"
        "Address = 192.168.1.20 \r\n"
        "Port=500\r\n"
        "[SimConnect.1]\n"
        "protocol=ipv6\n"
        "address=fe80::1\n"
        "PORT=4711\n"
        "[SimConnect.2]\n"
        "Port=70000\n"
        "[SimConnect.3]\n"
        "Port=12ab\n";
    struct Case {
        std::uint32_t index;
        std::string host;
        std::uint16_t port;
        bool ipv6;
    };
    const Case cases[] = {
        {0, "192.168.1.20", 500, false},
        {1, "fe80::1", 4711, true},
        {2, "127.0.0.1", 500, false},  // a port out of range keeps the default
        {3, "127.0.0.1", 500, false},  // so does one that is no number
        {9, "127.0.0.1", 500, false},  // no such section
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.index);
        const auto address = parseServerAddress(file, row.index);
        EXPECT_EQ(address.host, row.host);
        EXPECT_EQ(address.port, row.port);
        EXPECT_EQ(address.ipv6, row.ipv6);
    }
}

TEST(SimConnectConfig, WithoutAFileTheSimulatorIsOnThisPcAtPort500) {
    const auto address = platform::simconnect::findServerAddress(0, "/nonexistent-folder");
    EXPECT_EQ(address.host, "127.0.0.1");
    EXPECT_EQ(address.port, 500);
}

}  // namespace
