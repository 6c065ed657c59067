// The RealTraffic TCP link against a TCP client of the test on loopback:
// the server, the accept and its stop, lines sent byte for byte, the
// receive and its limits, a client that vanishes, closing down.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <span>
#include <utility>
#include <vector>
#include <string>
#include <thread>

#include "core/core_state.h"
#include "core/run_flags.h"
#include "platform/net/tcp_socket.h"
#include "run/program_start.h"
#include "run/realtraffic_link.h"
#include "run/run_state.h"
#include "run/traffic_reader.h"
#include "simlink/sim_commands.h"
#include "support/log_capture.h"
#include "traffic/aircraft_records.h"
#include "traffic/manager/tick_driver.h"
#include "traffic/traffic_state.h"
#include "ui/status/main_window.h"

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
        realTrafficOnThisPc = false;
        runUserAcData = {};
        liveAircraft.clear();
        liveCreateQueue.clear();
        MainWindow::rtConnected = false;
        beforeFirstConnection = true;
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

TEST(Qs121Line, CarriesTheUserAircraftsStateByteForByte) {
    UserAcData data;
    data.pitchRad = 0.05;
    data.bankRad = -0.000004;  // rounds to a negative zero, as RealTraffic has always read it
    data.headingRad = 3.141592653589793;
    data.altitudeFt = 35000.0;
    data.groundVelocityKt = 452.25;
    data.latitudeDeg = 47.458056;
    data.longitudeDeg = -8.548056;
    EXPECT_EQ(gf_formatQs121(data), "Qs121=5000;-0;3.141593;35000000;452250;0.828299;-0.149192\r\n");

    // The ground speed in its shortest form: an exponent where that is shorter.
    const std::vector<std::pair<double, std::string>> speeds = {
        {0.0, "0"}, {100.0, "1e+05"}, {12.345, "12345"}, {0.0015, "1.5"}, {1000.0, "1e+06"}};
    for (const auto& [speedKt, text] : speeds) {
        data.groundVelocityKt = speedKt;
        const std::string line = gf_formatQs121(data);
        EXPECT_EQ(line.substr(line.find("35000000;") + 9, text.size() + 1), text + ";") << speedKt;
    }
}

TEST_F(RealTrafficLink, TheHandshakeLightsTheLampOnceRealTrafficAnswered) {
    realTrafficOnThisPc = true;
    TrafficReader::qnh = 990;
    std::error_code error;
    TcpSocket client = TcpSocket::connect("127.0.0.1", realTrafficServerPort(), 1s, error);
    ASSERT_TRUE(client.isOpen());
    send(client, "RealTraffic 10\r\n");
    waitForRealTraffic();

    EXPECT_TRUE(MainWindow::rtConnected);
    EXPECT_FALSE(beforeFirstConnection);
    EXPECT_EQ(TrafficReader::qnh, 1013);  // the feed starts afresh
    EXPECT_THAT(log.lines(), Contains("Waiting for RealTraffic to connect to |Vantrel ..."));
    EXPECT_THAT(log.lines(), Contains("RealTraffic connected"));
    EXPECT_EQ(receiveAll(client), "Qs999=version\r\n");
}

TEST_F(RealTrafficLink, AFailedSendOfAnyLineTakesTheLiveAircraftOutAndWaitsForRealTraffic) {
    realTrafficOnThisPc = true;
    runUserAcData.latitudeDeg = 47.0;
    runUserAcData.longitudeDeg = 8.0;
    {
        TcpSocket client = connectClient();
    }
    MainWindow::rtConnected = true;
    const auto aircraft = [](SimState state, const char* callsign, std::uint32_t id) {
        LiveAc live(ReportBlock{}, AcIdentity{}, 0.0);
        live.simState = state;
        live.identity.strings.callsign = callsign;
        live.identity.aircraftId = id;
        return live;
    };
    liveAircraft = {aircraft(SimState::Active, "KLM1", 10001), aircraft(SimState::Adding2Sim, "SWR12", 10002),
                    aircraft(SimState::Adding2Sim, "DLH4", 10003), aircraft(SimState::Buffer, "AFR5", 10004)};
    liveCreateQueue.push_back(CreateRequest{{}, "SWR12", {}, 10002});
    TrafficReader::qnh = 990;

    // Qs123 is the line that fails here: it is handled as the Qs121 line is.
    for (int attempt = 0; attempt < 50 && realTrafficConnected; ++attempt) {
        sendQs123(1765370000);
        std::this_thread::sleep_for(10ms);
    }
    ASSERT_FALSE(realTrafficConnected);
    EXPECT_FALSE(MainWindow::rtConnected);
    ASSERT_EQ(liveAircraft.size(), 3u);  // the cancelled one is gone
    EXPECT_EQ(liveAircraft[0].simState, SimState::RemovingFromSim);
    EXPECT_EQ(liveAircraft[1].identity.strings.callsign, "DLH4");
    EXPECT_TRUE(liveAircraft[1].removeWhenCreated);  // its creation was sent already
    EXPECT_EQ(liveAircraft[2].simState, SimState::Buffer);
    EXPECT_TRUE(liveCreateQueue.empty());
    EXPECT_EQ(TrafficReader::qnh, 1013);
    EXPECT_THAT(log.lines(), Contains(HasSubstr(" RealTraffic gone? Wait for RealTraffic to re-connect ...")));

    // The next Qs121 only accepts RealTraffic again; the one after sends.
    std::error_code error;
    TcpSocket again = TcpSocket::connect("127.0.0.1", realTrafficServerPort(), 1s, error);
    gf_sendQs121();
    EXPECT_TRUE(realTrafficConnected);
    EXPECT_TRUE(MainWindow::rtConnected);
    EXPECT_THAT(log.lines(), Contains(HasSubstr(" RealTraffic re-connected")));
    gf_sendQs121();
    EXPECT_EQ(receiveAll(again).substr(0, 6), "Qs121=");
}

TEST_F(RealTrafficLink, SendsNoStateWithoutAPositionOrWithoutRealTrafficOnThisPc) {
    TcpSocket client = connectClient();
    realTrafficOnThisPc = true;
    gf_sendQs121();  // position (0, 0): not known yet
    realTrafficOnThisPc = false;
    runUserAcData.latitudeDeg = 47.0;
    gf_sendQs121();
    EXPECT_EQ(receiveAll(client), "");
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
