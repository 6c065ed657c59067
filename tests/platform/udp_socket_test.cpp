// The UDP wrapper: waits end at their time-out or stop flag, a held port is
// refused, a datagram comes whole or is reported oversized.

#include "platform/net/udp_socket.h"
#include "platform/net/socket_errors.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <thread>

namespace {

namespace net = platform::net;
using namespace std::chrono_literals;
using Status = net::DatagramResult::Status;

net::UdpSocket lf_bound(net::BindScope scope, std::uint16_t port = 0) {
    std::error_code error;
    auto socket = net::UdpSocket::open(error);
    EXPECT_TRUE(socket.bind(scope, port, error)) << error.message();
    return socket;
}

TEST(UdpSocket, AWaitEndsAtItsTimeOutOrSoonAfterItsStopFlag) {
    auto socket = lf_bound(net::BindScope::Loopback);
    std::array<std::byte, 16> buffer{};
    std::error_code error;
    std::atomic<bool> stop{false};
    auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(socket.receive(buffer, stop, 150ms, error).status, Status::TimedOut);
    EXPECT_GE(std::chrono::steady_clock::now() - started, 150ms);

    std::thread stopper([&] {
        std::this_thread::sleep_for(100ms);
        stop = true;
    });
    started = std::chrono::steady_clock::now();
    EXPECT_EQ(socket.receive(buffer, stop, 5s, error).status, Status::Stopped);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 100ms + 2 * net::kStopPollInterval);
    stopper.join();
}

TEST(UdpSocket, DatagramsComeWholeOrAreReportedOversizedAndAHeldPortIsRefused) {
    auto receiver = lf_bound(net::BindScope::AllInterfaces);
    std::error_code error;
    auto held = net::UdpSocket::open(error);
    EXPECT_FALSE(held.bind(net::BindScope::Loopback, receiver.port(), error));
    EXPECT_EQ(platform::winsockErrorFromErrno(error.value()), 10048U);  // WSAEADDRINUSE

    auto sender = net::UdpSocket::open(error);
    EXPECT_FALSE(sender.sendTo("localhost", receiver.port(), {}, error));
    EXPECT_EQ(platform::winsockErrorFromErrno(error.value()), 10022U);  // WSAEINVAL
    for (const std::string& datagram : {std::string(9, 'x'), std::string(8, 'y')}) {
        ASSERT_TRUE(sender.sendTo("127.0.0.1", receiver.port(), std::as_bytes(std::span{datagram}), error));
    }
    std::array<std::byte, 8> buffer{};
    const std::atomic<bool> never{false};
    const auto oversized = receiver.receive(buffer, never, 1s, error);
    EXPECT_EQ(oversized.status, Status::Oversized);
    EXPECT_EQ(oversized.byteCount, 9U);
    const auto whole = receiver.receive(buffer, never, 1s, error);
    EXPECT_EQ(whole.status, Status::Data);
    EXPECT_EQ(whole.byteCount, 8U);
    EXPECT_EQ(buffer[7], std::byte{'y'});
}

}  // namespace
