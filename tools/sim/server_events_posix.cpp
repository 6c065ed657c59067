#include "server_events.h"

#include "session.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <iostream>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace sim {

namespace {

volatile std::sig_atomic_t lf_signalled = 0;

void lf_onSignal(int) { lf_signalled = 1; }

void lf_installSignals() {
    struct sigaction action {};
    action.sa_handler = lf_onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

class TcpConnection final : public Connection {
public:
    explicit TcpConnection(platform::net::TcpSocket socket) : socket_(std::move(socket)) {
        std::error_code error;
        socket_.setNoDelay(error);
    }

    int fd() const { return socket_.fd(); }

    Io receive(std::span<std::byte> buffer, std::size_t& count) override {
        static const std::atomic<bool> never{false};
        std::error_code error;
        const auto received = socket_.receiveSome(buffer, never, error, std::chrono::milliseconds{0});
        using Status = platform::net::ReceiveResult::Status;
        count = received.byteCount;
        if (received.status == Status::TimedOut) {
            return Io::WouldBlock;
        }
        return received.status == Status::Data ? Io::Done : Io::Ended;
    }

    Io send(std::span<const std::byte> bytes, std::size_t& count) override {
        count = 0;
        for (;;) {
            const ssize_t sent = ::send(socket_.fd(), bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            if (sent >= 0) {
                count = static_cast<std::size_t>(sent);
                return sent > 0 ? Io::Done : Io::Ended;
            }
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                return Io::WouldBlock;
            }
            if (errno != EINTR) {
                return Io::Ended;
            }
        }
    }

    void shutdown() noexcept override { socket_.shutdownBoth(); }
    std::string_view kind() const noexcept override { return "tcp"; }

private:
    platform::net::TcpSocket socket_;
};

}  // namespace

struct ServerEvents::State {
    platform::net::TcpListener listener;
    bool listenerReady = false;
    bool inputOpen = true;
    bool inputReady = false;
};

ServerEvents::ServerEvents(platform::net::TcpListener listener) : state_(std::make_unique<State>()) {
    state_->listener = std::move(listener);
    lf_installSignals();
}

ServerEvents::~ServerEvents() = default;

std::string ServerEvents::pipeName() const { return {}; }

void ServerEvents::wait(const std::vector<Session*>& sessions, Clock::time_point deadline) {
    std::vector<pollfd> watched{{state_->listener.fd(), POLLIN, 0},
                                {state_->inputOpen ? STDIN_FILENO : -1, POLLIN, 0}};
    // Every session's connection was made by acceptClients() below.
    for (const Session* session : sessions) {
        const short events = session->hasQueuedOutput() ? POLLIN | POLLOUT : POLLIN;
        watched.push_back({static_cast<const TcpConnection&>(session->connection()).fd(), events, 0});
    }
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    if (::poll(watched.data(), watched.size(), static_cast<int>(std::max<std::int64_t>(wait.count(), 0))) < 0) {
        if (errno != EINTR) {
            std::cerr << "vantrel-sim: poll failed\n";
            lf_signalled = 1;
        }
        return;
    }
    state_->listenerReady = (watched[0].revents & POLLIN) != 0;
    state_->inputReady = watched[1].revents != 0;
}

std::vector<std::unique_ptr<Connection>> ServerEvents::acceptClients() {
    std::vector<std::unique_ptr<Connection>> clients;
    if (std::exchange(state_->listenerReady, false)) {
        static const std::atomic<bool> never{false};
        std::error_code error;
        platform::net::TcpSocket client = state_->listener.accept(never, error, std::chrono::milliseconds{0});
        if (client.isOpen()) {
            clients.push_back(std::make_unique<TcpConnection>(std::move(client)));
        }
    }
    return clients;
}

std::string ServerEvents::takeInput() {
    if (!std::exchange(state_->inputReady, false)) {
        return {};
    }
    char buffer[4096];
    const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (count <= 0) {
        state_->inputOpen = count < 0 && errno == EINTR;
        return {};
    }
    return std::string(buffer, static_cast<std::size_t>(count));
}

bool ServerEvents::stopRequested() const { return lf_signalled != 0; }

}  // namespace sim
