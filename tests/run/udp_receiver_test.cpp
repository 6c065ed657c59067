// The UDP receive loop on a free port of the loopback interface: repeats,
// overruns, the stop flag, a port in use, and the heartbeat of the lamps.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/core_state.h"
#include "core/run_flags.h"
#include "platform/net/udp_socket.h"
#include "run/feed_readers.h"
#include "run/program_start.h"
#include "run/qnh_reader.h"
#include "run/run_state.h"
#include "run/support/feed_fixture.h"
#include "run/traffic_reader.h"
#include "ui/status/main_window.h"

namespace {

namespace net = platform::net;
using namespace std::chrono_literals;
using testing::ElementsAre;

// Keeps every datagram it is handed.
class RecordingReceiver final : public UdpReceiver {
public:
    void processDatagram(std::string_view datagram) override {
        EXPECT_EQ(datagram.data()[datagram.size()], '\0');
        const std::lock_guard lock(mutex_);
        datagrams_.emplace_back(datagram);
    }
    std::vector<std::string> datagrams() const {
        const std::lock_guard lock(mutex_);
        return datagrams_;
    }
    // Waits until `count` datagrams have been handed over.
    bool waitFor(std::size_t count) const {
        for (int step = 0; step < 500; ++step) {
            if (datagrams().size() >= count) {
                return true;
            }
            std::this_thread::sleep_for(2ms);
        }
        return false;
    }
    std::atomic<int> stoppedCalls{0};

protected:
    void onStopped() override { ++stoppedCalls; }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> datagrams_;
};

class UdpReceiverTest : public test::FeedTest {
protected:
    // Binds the receiver to a free port and runs its loop on a thread.
    void start(bool rtOnThisPc) {
        realTrafficOnThisPc = rtOnThisPc;
        receiver.createSocket();
        receiver.bindPort(0);
        loop = std::thread([this] { receiver.receiveLoop(); });
    }
    void send(const std::string& datagram) {
        std::error_code error;
        ASSERT_TRUE(sender.sendTo("127.0.0.1", receiver.boundPort(), std::as_bytes(std::span{datagram}), error))
            << error.message();
    }
    void stop() {
        receiver.stopRequested = true;
        loop.join();
    }
    ~UdpReceiverTest() override {
        if (loop.joinable()) {
            stop();
        }
    }

    RecordingReceiver receiver;
    std::thread loop;
    net::UdpSocket sender = [] {
        std::error_code error;
        return net::UdpSocket::open(error);
    }();
};

TEST_F(UdpReceiverTest, WithRealTrafficOnThisPcEveryDatagramIsHandled) {
    start(true);
    for (const char* datagram : {"a", "a", "b", "b"}) {
        send(datagram);
    }
    ASSERT_TRUE(receiver.waitFor(4));
    EXPECT_THAT(receiver.datagrams(), ElementsAre("a", "a", "b", "b"));
    EXPECT_EQ(receiver.datagramCount, 4U);
}

TEST_F(UdpReceiverTest, WithRealTrafficElsewhereARepeatIsSkippedButCounted) {
    start(false);
    for (const char* datagram : {"a", "a", "b", "a", "ab", "ab", "end"}) {
        send(datagram);
    }
    ASSERT_TRUE(receiver.waitFor(5));
    stop();
    EXPECT_THAT(receiver.datagrams(), ElementsAre("a", "b", "a", "ab", "end"));
    EXPECT_EQ(receiver.datagramCount, 7U);
}

TEST_F(UdpReceiverTest, AnOversizedDatagramIsLoggedAndDroppedAndTheLoopGoesOn) {
    start(true);
    send(std::string(16384, 'x'));
    send(std::string(20000, 'y'));
    send("");
    const std::string largest(16383, 'z');
    send(largest);
    ASSERT_TRUE(receiver.waitFor(1));
    stop();
    EXPECT_THAT(receiver.datagrams(), ElementsAre(largest));
    EXPECT_EQ(receiver.datagramCount, 1U);
    EXPECT_THAT(log().lines(), ElementsAre("buffer overrun: 16384 bytes", "buffer overrun: 20000 bytes"));
}

TEST_F(UdpReceiverTest, TheLoopEndsSoonAfterItsStopFlagAndClosesItsPort) {
    start(true);
    const std::uint16_t port = receiver.boundPort();
    std::this_thread::sleep_for(50ms);
    const auto asked = std::chrono::steady_clock::now();
    stop();
    EXPECT_LT(std::chrono::steady_clock::now() - asked, 1s);
    EXPECT_EQ(receiver.stoppedCalls, 1);
    std::error_code error;
    auto again = net::UdpSocket::open(error);
    EXPECT_TRUE(again.bind(net::BindScope::Loopback, port, error)) << error.message();
}

void lf_noLamps() {}

TEST_F(UdpReceiverTest, AThreadBodyReportsAPortInUseToTheRunBeforeItSaysDisconnected) {
    std::error_code error;
    auto holder = net::UdpSocket::open(error);
    ASSERT_TRUE(holder.bind(net::BindScope::Loopback, 0, error));
    gf_runUdpReceiver(receiver, "Test Reader", holder.port(), lf_noLamps);
    EXPECT_THAT(log().lines(),
                ElementsAre("The Test Reader has stopped with error: bind to stream socket failed, error: 10048 "
                            "Address already in use",
                            "          Test Reader disconnected"));
    EXPECT_TRUE(runStopRequested);
    EXPECT_EQ(closingReason, ClosingReason::ReaderError);
    EXPECT_EQ(restartDelaySec, 15);
    EXPECT_EQ(receiver.stoppedCalls, 0);
}

TEST_F(UdpReceiverTest, AReaderErrorAfterAnotherReasonChangesNeitherReasonNorDelay) {
    std::error_code error;
    auto holder = net::UdpSocket::open(error);
    ASSERT_TRUE(holder.bind(net::BindScope::Loopback, 0, error));
    ASSERT_TRUE(gf_requestRunStop(ClosingReason::SimWasClosed, 0));
    gf_runUdpReceiver(receiver, "Test Reader", holder.port(), lf_noLamps);
    EXPECT_EQ(closingReason, ClosingReason::SimWasClosed);
    EXPECT_EQ(restartDelaySec, 0);
}

TEST_F(UdpReceiverTest, TheHeartbeatTurnsASilentLampYellowAndAnActiveOneGreenOnce) {
    MainWindow::trafficReaderState = MainWindow::readerReceiving;
    MainWindow::weatherReaderState = MainWindow::readerReceiving;
    updateReaderLights();  // RealTraffic not connected: nothing changes
    EXPECT_EQ(MainWindow::trafficReaderState, MainWindow::readerReceiving);

    MainWindow::rtConnected = true;
    updateReaderLights();
    EXPECT_EQ(MainWindow::trafficReaderState, MainWindow::readerStale);
    EXPECT_EQ(MainWindow::weatherReaderState, MainWindow::readerStale);

    ++trafficReader.datagramCount;
    updateReaderLights();
    EXPECT_EQ(MainWindow::trafficReaderState, MainWindow::readerReceiving);
    EXPECT_EQ(MainWindow::weatherReaderState, MainWindow::readerStale);

    // Green stays green while datagrams come; it is not set again, so a
    // lamp set elsewhere meanwhile keeps its state.
    ++trafficReader.datagramCount;
    MainWindow::trafficReaderState = MainWindow::readerNotStarted;
    updateReaderLights();
    EXPECT_EQ(MainWindow::trafficReaderState, MainWindow::readerNotStarted);
    updateReaderLights();
    EXPECT_EQ(MainWindow::trafficReaderState, MainWindow::readerStale);
}

}  // namespace
