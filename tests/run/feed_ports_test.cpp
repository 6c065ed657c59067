// The two readers on their fixed ports (49004, 49005), fed by the
// RealTraffic peer over real loopback sockets.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "core/core_state.h"
#include "core/run_flags.h"
#include "platform/net/udp_socket.h"
#include "run/feed_readers.h"
#include "run/program_start.h"
#include "run/qnh_reader.h"
#include "run/run_state.h"
#include "run/support/feed_fixture.h"
#include "run/traffic_reader.h"
#include "run/traffic_record.h"
#include "support/rt_peer.h"
#include "traffic/intake/adding_stack.h"
#include "traffic/traffic_state.h"
#include "ui/status/main_window.h"

namespace {

using namespace std::chrono_literals;
using testing::Contains;

constexpr std::uint16_t kQnhPort = 49004;
constexpr std::uint16_t kTrafficPort = 49005;

bool lf_waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 5s) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

std::size_t lf_queuedReports() {
    const std::lock_guard lock(feedMutex);
    return addingStack.size();
}

class FeedPorts : public test::FeedTest {
protected:
    // Starts the QNH reader and, once it listens, the traffic reader, as a
    // run does.
    void startReaders(bool rtOnThisPc) {
        realTrafficOnThisPc = rtOnThisPc;
        qnhThread = std::thread(runQnhReader, kQnhPort);
        ASSERT_TRUE(lf_waitUntil([] { return MainWindow::weatherReaderState == MainWindow::readerReceiving; }));
        trafficThread = std::thread(runTrafficReader, kTrafficPort);
        ASSERT_TRUE(lf_waitUntil([] { return MainWindow::trafficReaderState == MainWindow::readerReceiving; }));
    }
    // Asks both readers to stop; the time until both threads have ended.
    std::chrono::steady_clock::duration stopReaders() {
        const auto asked = std::chrono::steady_clock::now();
        gf_requestReadersStop();
        qnhThread.join();
        trafficThread.join();
        return std::chrono::steady_clock::now() - asked;
    }
    ~FeedPorts() override {
        if (qnhThread.joinable() || trafficThread.joinable()) {
            stopReaders();
        }
    }

    std::thread qnhThread;
    std::thread trafficThread;
};

const std::string kFirst = test::trafficRecord({{timestampField, "1700000001"}});
const std::string kSecond = test::trafficRecord({{timestampField, "1700000002"}, {hexidField, "4510001"}});

TEST_F(FeedPorts, ThePeersDatagramsBecomeReportsAndTheQnhAndTheReadersStopWithinASecond) {
    startReaders(true);
    test::RtPeer peer("0 qnh {\"QNH\":1020}\n0 traffic " + kFirst + "\n10 traffic " + kFirst + "\n20 traffic " +
                      kSecond + "\n");
    EXPECT_EQ(peer.waitForExit(), 0);
    ASSERT_TRUE(lf_waitUntil([] { return lf_queuedReports() == 3; }));
    ASSERT_TRUE(lf_waitUntil([] { return qnhForSim == 1020; }));
    const auto reports = takeReports();
    EXPECT_EQ(reports[0].aircraftId, 7867035U);
    EXPECT_EQ(reports[1].aircraftId, 7867035U);
    EXPECT_EQ(reports[2].aircraftId, 4510001U);
    for (const auto& report : reports) {
        EXPECT_EQ(report.block.playbackTick, test::kTestTick + 3000);
    }
    EXPECT_EQ(MainWindow::qnh, 1020);
    EXPECT_DOUBLE_EQ(TrafficReader::feedTimestamp, 1700000002.0);

    EXPECT_LT(stopReaders(), 1s);
    EXPECT_EQ(MainWindow::trafficReaderState, MainWindow::readerNotStarted);
    const auto lines = log().lines();
    for (const char* line : {"          QNH Reader connected", "          Traffic Reader connected",
                             "QNH Reader has stopped", "Traffic Reader has stopped",
                             "          QNH Reader disconnected", "          Traffic Reader disconnected"}) {
        EXPECT_THAT(lines, Contains(line));
    }
    EXPECT_FALSE(runStopRequested);
}

TEST_F(FeedPorts, WithRealTrafficOnAnotherPcARepeatedDatagramIsDropped) {
    startReaders(false);
    const std::string repeated = test::trafficRecord({{timestampField, "1700000003"}});
    const std::string next = test::trafficRecord({{timestampField, "1700000004"}});
    test::RtPeer peer("0 traffic " + repeated + "\n10 traffic " + repeated + "\n20 traffic " + next + "\n");
    EXPECT_EQ(peer.waitForExit(), 0);
    ASSERT_TRUE(lf_waitUntil([] { return trafficReader.datagramCount == 3; }));
    stopReaders();
    const auto reports = takeReports();
    ASSERT_EQ(reports.size(), 2U);
    EXPECT_DOUBLE_EQ(reports[0].feedTimestampS, 1700000003.0);
    EXPECT_DOUBLE_EQ(reports[1].feedTimestampS, 1700000004.0);
}

TEST_F(FeedPorts, ATrafficPortInUseStopsTheRunWithReaderError) {
    std::error_code error;
    auto holder = platform::net::UdpSocket::open(error);
    ASSERT_TRUE(holder.bind(platform::net::BindScope::Loopback, kTrafficPort, error)) << error.message();
    runTrafficReader(kTrafficPort);
    EXPECT_EQ(closingReason, ClosingReason::ReaderError);
    EXPECT_EQ(restartDelaySec, 15);
    EXPECT_EQ(MainWindow::trafficReaderState, MainWindow::readerNotStarted);
    EXPECT_THAT(log().lines(),
                testing::ElementsAre("The Traffic Reader has stopped with error: bind to stream socket failed, error: "
                                     "10048 Address already in use",
                                     "          Traffic Reader disconnected"));
}

}  // namespace
