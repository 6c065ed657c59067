// rt-peer, the RealTraffic peer, against a stand-in for Vantrel on free
// loopback ports: datagrams at their times, the answer to the handshake,
// the lines it records, and when it ends.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/net/tcp_socket.h"
#include "platform/net/udp_socket.h"
#include "support/rt_peer.h"

namespace {

namespace net = platform::net;
using namespace std::chrono_literals;
using testing::ElementsAre;

// Vantrel's side: the two UDP ports and the TCP server of the link.
struct VantrelSide {
    VantrelSide() {
        std::error_code error;
        traffic = net::UdpSocket::open(error);
        qnh = net::UdpSocket::open(error);
        EXPECT_TRUE(traffic.bind(net::BindScope::Loopback, 0, error));
        EXPECT_TRUE(qnh.bind(net::BindScope::Loopback, 0, error));
        server = net::TcpListener::listen("127.0.0.1", 0, error);
        EXPECT_TRUE(server.isOpen());
    }
    test::RtPeer::Options peerOptions(bool connect) const {
        test::RtPeer::Options options;
        options.trafficPort = traffic.port();
        options.qnhPort = qnh.port();
        if (connect) {
            options.linkPort = server.port();
        }
        return options;
    }
    static std::string receive(net::UdpSocket& socket) {
        std::string buffer(256, '\0');
        std::error_code error;
        const auto result = socket.receive(std::as_writable_bytes(std::span{buffer}), never, 5s, error);
        EXPECT_EQ(result.status, net::DatagramResult::Status::Data);
        buffer.resize(result.byteCount);
        return buffer;
    }
    static std::string receive(net::TcpSocket& client) {
        std::string buffer(256, '\0');
        std::error_code error;
        const auto result = client.receiveSome(std::as_writable_bytes(std::span{buffer}), never, error, 5s);
        EXPECT_EQ(result.status, net::ReceiveResult::Status::Data);
        buffer.resize(result.byteCount);
        return buffer;
    }
    static bool send(net::TcpSocket& client, const std::string& text) {
        std::error_code error;
        return client.sendAll(std::as_bytes(std::span{text}), never, error);
    }
    net::TcpSocket accept() {
        std::error_code error;
        return server.accept(never, error, 5s);
    }

    static inline const std::atomic<bool> never{false};
    net::UdpSocket traffic;
    net::UdpSocket qnh;
    net::TcpListener server;
};

TEST(RtPeer, PlaysItsDatagramsInTimeAndEndsAfterTheLastStep) {
    VantrelSide vantrel;
    const auto started = std::chrono::steady_clock::now();
    test::RtPeer peer("# a comment\n\n0 traffic a,b,c\n0 qnh {\"QNH\":1013}\n300 traffic with blanks,  and commas,\n",
                      vantrel.peerOptions(false));
    EXPECT_EQ(VantrelSide::receive(vantrel.traffic), "a,b,c");
    EXPECT_EQ(VantrelSide::receive(vantrel.qnh), "{\"QNH\":1013}");
    EXPECT_EQ(VantrelSide::receive(vantrel.traffic), "with blanks,  and commas,");
    EXPECT_GE(std::chrono::steady_clock::now() - started, 300ms);
    EXPECT_EQ(peer.waitForExit(), 0);
}

TEST(RtPeer, AnswersTheHandshakeRecordsEveryLineAndEndsAfterExit) {
    VantrelSide vantrel;
    test::RtPeer peer("", vantrel.peerOptions(true));
    net::TcpSocket client = vantrel.accept();
    ASSERT_TRUE(client.isOpen());
    ASSERT_TRUE(VantrelSide::send(client, "Qs999=11.0.3\r\n"));
    EXPECT_EQ(VantrelSide::receive(client), "RealTraffic peer\r\n");
    // A line may come in pieces, several lines in one piece.
    ASSERT_TRUE(VantrelSide::send(client, "Qs121=5000;0;3.14"));
    EXPECT_EQ(peer.waitForLine("Qs999="), "Qs999=11.0.3");
    ASSERT_TRUE(VantrelSide::send(client, "1593;35000000;250000;0.828;0.149\r\nQs123=1700000000000\r\nexit\r\n"));
    client.close();
    EXPECT_EQ(peer.waitForExit(), 0);
    EXPECT_THAT(peer.receivedLines(), ElementsAre("Qs999=11.0.3", "Qs121=5000;0;3.141593;35000000;250000;0.828;0.149",
                                                  "Qs123=1700000000000", "exit"));
}

TEST(RtPeer, NoteStepGoesToStandardError) {
    VantrelSide vantrel;
    test::RtPeer peer("0 note The traffic is over.\n", vantrel.peerOptions(false));
    EXPECT_EQ(peer.waitForExit(), 0);
    EXPECT_EQ(peer.errorOutput(), "The traffic is over.\n");
}

TEST(RtPeer, RepeatedQnhWaitsForTheHandshake) {
    VantrelSide vantrel;
    auto options = vantrel.peerOptions(true);
    options.qnhEachMinute = "{\"QNH\":1009}";
    test::RtPeer peer("", options);
    net::TcpSocket client = vantrel.accept();
    ASSERT_TRUE(client.isOpen());
    // Before the handshake Vantrel's QNH reader does not listen yet.
    std::string buffer(64, '\0');
    std::error_code error;
    const auto early = vantrel.qnh.receive(std::as_writable_bytes(std::span{buffer}), VantrelSide::never, 1s, error);
    EXPECT_EQ(early.status, net::DatagramResult::Status::TimedOut);
    ASSERT_TRUE(VantrelSide::send(client, "Qs999=11.0.3\r\n"));
    EXPECT_EQ(VantrelSide::receive(client), "RealTraffic peer\r\n");
    EXPECT_EQ(VantrelSide::receive(vantrel.qnh), "{\"QNH\":1009}");
}

TEST(RtPeer, SilentItSendsOnlyItsStepsAndItConnectsAgainAfterALostLink) {
    VantrelSide vantrel;
    auto options = vantrel.peerOptions(true);
    options.silent = true;
    test::RtPeer peer("500 send hello\n", options);
    net::TcpSocket first = vantrel.accept();
    ASSERT_TRUE(first.isOpen());
    ASSERT_TRUE(VantrelSide::send(first, "Qs999=11.0.3\r\n"));
    EXPECT_EQ(VantrelSide::receive(first), "hello\r\n");
    first.close();  // the link lost without "exit": the peer comes back
    net::TcpSocket second = vantrel.accept();
    ASSERT_TRUE(second.isOpen());
    ASSERT_TRUE(VantrelSide::send(second, "exit\r\n"));
    second.close();
    EXPECT_EQ(peer.waitForExit(), 0);
    EXPECT_THAT(peer.receivedLines(), ElementsAre("Qs999=11.0.3", "exit"));
}

}  // namespace
