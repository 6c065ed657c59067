#include "run/realtraffic_link.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <optional>
#include <span>
#include <stdexcept>
#include <system_error>

#include "core/calendar.h"
#include "core/core_state.h"
#include "core/format.h"
#include "core/log.h"
#include "core/run_flags.h"
#include "core/units.h"
#include "core/winsock_errors.h"
#include "platform/net/socket_errors.h"
#include "platform/net/tcp_socket.h"
#include "platform/net/winsock.h"
#include "run/feed_readers.h"
#include "run/program_start.h"
#include "run/run_state.h"
#include "run/run_traffic.h"
#include "simlink/sim_commands.h"
#include "traffic/aircraft_records.h"
#include "traffic/manager/tick_driver.h"
#include "traffic/removal.h"
#include "traffic/traffic_state.h"
#include "ui/status/main_window.h"
#include "ui/status/message_line.h"
#include "ui/status/program_resources.h"
#include "ui/status/window_updates.h"

namespace {

using platform::net::TcpListener;
using platform::net::TcpSocket;

constexpr double kAttitudeScale = 100000.0;  // pitch and bank, radians
constexpr double kThousand = 1000.0;         // altitude, feet; ground speed, knots

// WSATYPE_NOT_FOUND: getaddrinfo's answer to a port that is no number.
constexpr std::uint32_t kServiceNotFound = 10109;
// One receive; a reply that fills it whole is taken as an overrun.
constexpr std::size_t kReceiveBufferSize = 16384;

// The worker's sockets: the server and its one client (-1, closed, when
// none), and the use of Winsock that the server opened with.
struct RealTrafficSockets {
    std::optional<platform::net::WinsockUse> winsock;
    TcpListener listenSocket;
    TcpSocket clientSocket;
};
RealTrafficSockets sockets;

// The server's port (0 while it does not listen), published by the worker
// for other threads, which must not touch the sockets themselves.
std::atomic<std::uint16_t> listenPort{0};

std::string lf_socketErrorText(const std::error_code& error) {
    return gf_winsockErrorText(platform::winsockErrorFromErrno(error.value()));
}

std::uint16_t lf_parsePort(const std::string& port) {
    std::uint16_t number = 0;
    const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), number);
    if (port.empty() || error != std::errc{} || end != port.data() + port.size()) {
        throw std::runtime_error(fmtlib::format("getaddrinfo failed with error {}", kServiceNotFound));
    }
    return number;
}

[[noreturn]] void lf_throwListenError(TcpListener::Step step, const std::string& port, const std::error_code& error) {
    const std::string text = lf_socketErrorText(error);
    switch (step) {
        case TcpListener::Step::resolve:
            throw std::runtime_error(fmtlib::format("getaddrinfo failed with error {}",
                                                    platform::winsockErrorFromErrno(error.value())));
        case TcpListener::Step::socket:
            throw std::runtime_error("socket failed with error " + text);
        case TcpListener::Step::reuseAddress:
            throw std::runtime_error("setsockopt(SO_REUSEADDR) failed");
        case TcpListener::Step::bind:
            throw std::runtime_error("Bind failed at port " + port + " with error " + text);
        case TcpListener::Step::listen:
        case TcpListener::Step::localAddress:
            break;
    }
    throw std::runtime_error("listen failed with error " + text);
}

// A send of the run; its failure means RealTraffic is gone.
bool lf_sendOrLose(std::string_view line) {
    if (sendDataPacket(line)) {
        return true;
    }
    gf_handleLostRealTraffic();
    return false;
}

void lf_repaintStatus() { gf_repaint(WindowRegion::StatusBlock); }

// The live aircraft leave the simulator: the active ones are removed, the
// queued creations cancelled, and the records that are done with erased.
void lf_removeLiveAircraft() {
    for (LiveAc& aircraft : liveAircraft) {
        if (aircraft.simState == SimState::Active) {
            removeAircraftFromSim(aircraft);
        } else if (aircraft.simState == SimState::Adding2Sim && !aircraft.removeWhenCreated) {
            if (gf_cancelQueuedCreate(liveCreateQueue, aircraft.identity.aircraftId)) {
                aircraft.eraseBuffered = true;
            } else {
                aircraft.removeWhenCreated = true;
            }
        }
    }
    std::erase_if(liveAircraft,
                  [](const LiveAc& aircraft) { return aircraft.eraseBuffered || aircraft.eraseRemoved; });
}

// The shortest decimal text that reads back as the value, fixed unless the
// exponent form is shorter: 12345 gives "12345", 100000 gives "1e+05".
std::string lf_shortestText(double value) {
    std::array<char, 32> text{};
    const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value);
    return {text.data(), end};
}

}  // namespace

void openServer(const std::string& port) {
    sockets.winsock.emplace();
    if (const int startError = sockets.winsock->startError(); startError != 0) {
        sockets.winsock.reset();
        throw std::runtime_error(fmtlib::format("WSAStartup failed with error {}", startError));
    }
    const std::uint16_t portNumber = lf_parsePort(port);
    std::error_code error;
    TcpListener::Step failedStep = TcpListener::Step::resolve;
    sockets.listenSocket = TcpListener::listen("", portNumber, error, AF_INET, &failedStep);
    if (!sockets.listenSocket.isOpen()) {
        listenPort = 0;
        sockets.winsock.reset();
        lf_throwListenError(failedStep, port, error);
    }
    listenPort = sockets.listenSocket.port();
}

std::uint16_t realTrafficServerPort() { return listenPort; }

bool waitForClient() {
    if (realTrafficConnected || !sockets.listenSocket.isOpen()) {
        return false;
    }
    std::error_code error;
    sockets.clientSocket = sockets.listenSocket.accept(runStopRequested, error);
    if (!sockets.clientSocket.isOpen()) {
        return false;
    }
    if (!sockets.clientSocket.setNoDelay(error)) {
        gf_writeLogIfRunning(fmtlib::format(
            "waitForClient interrupted: {}",
            fmtlib::format("{} setsockopt failed with error {}", gf_currentTimeOfDay(), lf_socketErrorText(error))));
        sockets.clientSocket.close();
        return false;
    }
    realTrafficConnected = true;
    return true;
}

bool sendDataPacket(std::string_view line) {
    std::error_code error;
    if (sockets.clientSocket.isOpen() &&
        sockets.clientSocket.sendAll(std::as_bytes(std::span(line.data(), line.size())), runStopRequested, error)) {
        return true;
    }
    gf_writeLogIfRunning(fmtlib::format("sendDataPacket to RealTraffic failed: {}", lf_socketErrorText(error)));
    realTrafficConnected = false;
    sockets.clientSocket.close();
    gf_writeLogIfRunning("RealTraffic client socket closed");
    return false;
}

std::string receiveFromRealTraffic() {
    std::array<std::byte, kReceiveBufferSize> buffer{};
    std::error_code error;
    const auto received = sockets.clientSocket.receiveSome(buffer, runStopRequested, error);
    using Status = platform::net::ReceiveResult::Status;
    if (received.status == Status::Failed) {
        gf_writeLogIfRunning(fmtlib::format("receive: {}", lf_socketErrorText(error)));
        return {};
    }
    if (received.status != Status::Data) {
        return {};
    }
    if (received.byteCount == buffer.size()) {
        gf_writeLogIfRunning(fmtlib::format("receive: buffer overrun: {}", received.byteCount));
        return {};
    }
    return {reinterpret_cast<const char*>(buffer.data()), received.byteCount};
}

void waitForRealTraffic() {
    if (!realTrafficOnThisPc) {
        return;
    }
    gf_showMessage(fmtlib::format("Waiting for RealTraffic to connect to |{} ...", kProductName), true);
    gf_writeLogPlain("");
    gf_resetFeedState();
    if (!waitForClient()) {
        gf_clearMessage();
        return;
    }
    if (!lf_sendOrLose("Qs999=version\r\n")) {
        return;
    }
    receiveFromRealTraffic();
    if (gf_stopFlagSet()) {
        return;  // stopped while waiting for the answer
    }
    MainWindow::rtConnected = true;
    lf_repaintStatus();
    beforeFirstConnection = false;
    gf_writeLogPlain("RealTraffic connected");
    gf_clearMessage();
}

std::string gf_formatQs121(const UserAcData& data) {
    return fmtlib::format("Qs121={:.0f};{:.0f};{:.6f};{:.0f};{};{:.6f};{:.6f}\r\n", data.pitchRad * kAttitudeScale,
                          data.bankRad * kAttitudeScale, data.headingRad, data.altitudeFt * kThousand,
                          lf_shortestText(data.groundVelocityKt * kThousand), data.latitudeDeg * kRadiansPerDegree,
                          data.longitudeDeg * kRadiansPerDegree);
}

void gf_sendQs121() {
    if (!realTrafficOnThisPc || !gf_isPositionKnown(gf_userPosition(runUserAcData))) {
        return;
    }
    if (realTrafficConnected) {
        lf_sendOrLose(gf_formatQs121(runUserAcData));
        return;
    }
    if (closingReason != ClosingReason::NotYetSet || !waitForClient()) {
        return;
    }
    MainWindow::rtConnected = true;
    lf_repaintStatus();
    gf_showMessage(fmtlib::format("{} RealTraffic re-connected", gf_currentTimeOfDay()), true);
    gf_clearMessage();
}

void gf_handleLostRealTraffic() {
    MainWindow::rtConnected = false;
    lf_repaintStatus();
    if (!userCloseRequested) {
        lf_removeLiveAircraft();
    }
    gf_resetFeedState();
    gf_showMessage(
        fmtlib::format("{} RealTraffic gone? Wait for RealTraffic to re-connect ...", gf_currentTimeOfDay()), true);
}

void sendQs123(std::uint64_t utcSeconds) {
    if (realTrafficConnected && utcSeconds >= 1) {
        lf_sendOrLose(fmtlib::format("Qs123={}\r\n", utcSeconds * 1000));
    }
}

void gf_closeRealTrafficLink() {
    if (realTrafficConnected) {
        sendDataPacket("exit\r\n");
    }
    listenPort = 0;
    sockets.listenSocket.close();
    sockets.clientSocket.close();
    sockets.winsock.reset();
    realTrafficConnected = false;
}
