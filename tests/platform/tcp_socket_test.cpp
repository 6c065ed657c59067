// The TCP wrapper: waits end on their stop flag, a closed peer is reported
// (never SIGPIPE), and errors carry the errno value.

#include "platform/net/tcp_socket.h"
#include "platform/net/socket_errors.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <thread>

namespace {

namespace net = platform::net;
using namespace std::chrono_literals;

struct Connected {
    net::TcpListener listener;
    net::TcpSocket client;
    net::TcpSocket server;
};

Connected lf_connectedPair() {
    Connected pair;
    std::error_code error;
    pair.listener = net::TcpListener::listen("127.0.0.1", 0, error);
    EXPECT_FALSE(error);
    EXPECT_NE(pair.listener.port(), 0);
    pair.client = net::TcpSocket::connect("127.0.0.1", pair.listener.port(), 1s, error);
    const std::atomic<bool> never{false};
    pair.server = pair.listener.accept(never, error, 1s);
    EXPECT_TRUE(pair.client.isOpen() && pair.server.isOpen());
    return pair;
}

TEST(TcpSocket, BlockedWaitsEndSoonAfterTheirStopFlag) {
    Connected pair = lf_connectedPair();
    std::atomic<bool> stop{false};
    std::thread stopper([&] {
        std::this_thread::sleep_for(150ms);
        stop = true;
    });
    const auto started = std::chrono::steady_clock::now();
    std::error_code error;
    std::array<std::byte, 16> buffer{};
    EXPECT_EQ(pair.server.receiveSome(buffer, stop, error).status, net::ReceiveResult::Status::Stopped);
    EXPECT_FALSE(pair.listener.accept(stop, error).isOpen());
    EXPECT_LT(std::chrono::steady_clock::now() - started, 150ms + 2 * net::kStopPollInterval);
    stopper.join();
}

TEST(TcpSocket, DataArrivesAndAClosedPeerIsReportedWithoutASignal) {
    Connected pair = lf_connectedPair();
    const std::atomic<bool> never{false};
    std::error_code error;
    ASSERT_TRUE(pair.client.setNoDelay(error));
    const std::array<std::byte, 3> sent{std::byte{1}, std::byte{2}, std::byte{3}};
    ASSERT_TRUE(pair.client.sendAll(sent, never, error));
    std::array<std::byte, 16> buffer{};
    const auto received = pair.server.receiveSome(buffer, never, error, 1s);
    ASSERT_EQ(received.status, net::ReceiveResult::Status::Data);
    EXPECT_EQ(received.byteCount, 3U);
    EXPECT_EQ(pair.server.receiveSome(buffer, never, error, 0ms).status, net::ReceiveResult::Status::TimedOut);

    pair.server.close();
    EXPECT_EQ(pair.client.receiveSome(buffer, never, error, 1s).status, net::ReceiveResult::Status::Closed);
    // Writing on: the first sends may still be taken, then the peer's reset shows.
    const std::vector<std::byte> block(65536);
    bool failed = false;
    for (int attempt = 0; attempt < 100 && !failed; ++attempt) {
        failed = !pair.client.sendAll(block, never, error);
    }
    EXPECT_TRUE(failed);
    // WSAECONNRESET (a broken pipe counts as a reset)
    EXPECT_EQ(platform::winsockErrorFromErrno(error.value()), 10054U) << error.message();
}

TEST(TcpSocket, ConnectingWhereNobodyListensFailsWithTheSystemsError) {
    std::uint16_t port = 0;
    {
        std::error_code error;
        port = net::TcpListener::listen("127.0.0.1", 0, error).port();
    }
    std::error_code error;
    EXPECT_FALSE(net::TcpSocket::connect("127.0.0.1", port, 1s, error).isOpen());
    EXPECT_EQ(platform::winsockErrorFromErrno(error.value()), 10061U);  // WSAECONNREFUSED
}

}  // namespace
