// The RealTraffic TCP link against a TCP client of the test on loopback:
// the server, the accept and its stop, lines sent byte for byte, the
// receive and its limits, a client that vanishes, closing down.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <span>
#include <string>
#include <thread>

#include "platform/net/tcp_socket.h"
#include "run/realtraffic_link.h"
#include "run/run_flags.h"
#include "support/log_capture.h"

namespace {

using namespace std::chrono_literals;
using platform::net::TcpSocket;
using testing::Contains;
using testing::HasSubstr;

class RealTrafficLink : public testing::Test {
protected:
    RealTrafficLink() { openServer("0"); }
    ~RealTrafficLink() override {
        gf_closeRealTrafficLink();
        runStopRequested = false;
    }

    // RealTraffic connects and is accepted.
    TcpSocket connectClient() {
        std::error_code error;
        TcpSocket client = TcpSocket::connect("127.0.0.1", realTrafficServerPort(), 1s, error);
        EXPECT_TRUE(client.isOpen()) << error.message();
        EXPECT_TRUE(waitForClient());
        return client;
    }

    // Everything the client receives until the link closes or 200 ms pass
    // without data.
    static std::string receiveAll(TcpSocket& client) {
        std::string text;
        std::array<std::byte, 256> buffer{};
        const std::atomic<bool> never{false};
        for (;;) {
            std::error_code error;
            const auto received = client.receiveSome(buffer, never, error, 200ms);
            if (received.status != platform::net::ReceiveResult::Status::Data) {
                return text;
            }
            text.append(reinterpret_cast<const char*>(buffer.data()), received.byteCount);
        }
    }

    static void send(TcpSocket& client, std::string_view text) {
        const std::atomic<bool> never{false};
        std::error_code error;
        ASSERT_TRUE(client.sendAll(std::as_bytes(std::span(text.data(), text.size())), never, error));
    }

    test::LogCapture log;
};

TEST_F(RealTrafficLink, AcceptsOneClientAndSendsItsLinesWhole) {
    TcpSocket client = connectClient();
    EXPECT_TRUE(realTrafficConnected);
    EXPECT_FALSE(waitForClient());  // one client at a time

    EXPECT_TRUE(sendDataPacket("Qs999=version\r\n"));
    sendQs123(0);  // no simulator time yet: nothing
    sendQs123(1765370000);
    gf_closeRealTrafficLink();

    EXPECT_EQ(receiveAll(client), "Qs999=version\r\nQs123=1765370000000\r\nexit\r\n");
    EXPECT_FALSE(realTrafficConnected);
    EXPECT_EQ(realTrafficServerPort(), 0);
}

TEST_F(RealTrafficLink, ReceivesWhatTheClientSentUpToItsBuffer) {
    TcpSocket client = connectClient();
    send(client, "RealTraffic 10.0.219");
    EXPECT_EQ(receiveFromRealTraffic(), "RealTraffic 10.0.219");

    send(client, std::string(20000, 'x'));
    std::this_thread::sleep_for(50ms);  // all of it in the receive buffer
    EXPECT_EQ(receiveFromRealTraffic(), "");
    EXPECT_THAT(log.lines(), Contains("receive: buffer overrun: 16384"));
    EXPECT_EQ(receiveFromRealTraffic(), std::string(20000 - 16384, 'x'));

    client.close();
    EXPECT_EQ(receiveFromRealTraffic(), "");  // closed by RealTraffic
}

TEST_F(RealTrafficLink, AStopEndsTheWaits) {
    std::thread closer([] {
        std::this_thread::sleep_for(100ms);
        runStopRequested = true;
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(waitForClient());
    closer.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    EXPECT_FALSE(realTrafficConnected);

    runStopRequested = false;
    TcpSocket client = connectClient();
    runStopRequested = true;
    EXPECT_EQ(receiveFromRealTraffic(), "");  // a silent client does not hold the worker
}

TEST_F(RealTrafficLink, AClientThatVanishesIsClosedAndCanConnectAgain) {
    {
        TcpSocket client = connectClient();
    }
    // The first send after the client's end may still be taken by the
    // system; a later one fails.
    bool sent = true;
    for (int attempt = 0; attempt < 50 && sent; ++attempt) {
        sent = sendDataPacket("Qs123=1000\r\n");
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_FALSE(sent);
    EXPECT_FALSE(realTrafficConnected);
    EXPECT_THAT(log.lines(), Contains(HasSubstr("sendDataPacket to RealTraffic failed: ")));
    EXPECT_THAT(log.lines(), Contains("RealTraffic client socket closed"));

    TcpSocket again = connectClient();
    EXPECT_TRUE(sendDataPacket("Qs999=version\r\n"));
    EXPECT_EQ(receiveAll(again).substr(0, 15), "Qs999=version\r\n");
}

TEST_F(RealTrafficLink, ReportsWhyTheServerCannotOpen) {
    const std::string busyPort = std::to_string(realTrafficServerPort());
    const auto openError = [](const std::string& port) {
        try {
            openServer(port);
        } catch (const std::runtime_error& error) {
            return std::string(error.what());
        }
        return std::string("opened");
    };
    EXPECT_EQ(openError(busyPort), "Bind failed at port " + busyPort + " with error 10048 Address already in use");
    EXPECT_EQ(openError("port"), "getaddrinfo failed with error 10109");
    EXPECT_EQ(openError("70000"), "getaddrinfo failed with error 10109");
}

}  // namespace
