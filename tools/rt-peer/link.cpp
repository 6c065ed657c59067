#include "link.h"

#include <array>

#include "console.h"

namespace rtpeer {

namespace {

using namespace std::chrono_literals;

constexpr auto kConnectTimeout = 1s;
constexpr auto kRetryInterval = 100ms;
constexpr auto kReadTimeout = 100ms;

}  // namespace

Link::Link(LinkOptions options, const std::atomic<bool>& stop, std::chrono::steady_clock::time_point deadline)
    : options_(std::move(options)), stop_(stop), deadline_(deadline) {
    if (!options_.recordPath.empty()) {
        record_.open(options_.recordPath, std::ios::app | std::ios::binary);
    }
    thread_ = std::thread([this] { run(); });
}

Link::~Link() {
    finished_ = true;
    thread_.join();
}

bool Link::stopping() const { return stop_ || finished_ || std::chrono::steady_clock::now() >= deadline_; }

void Link::send(std::string_view text) {
    const std::lock_guard lock(socketMutex_);
    if (!socket_.isOpen()) {
        say("not connected, not sent: " + std::string{text});
        return;
    }
    const std::string line = std::string{text} + "\r\n";
    std::error_code error;
    if (socket_.sendAll(std::as_bytes(std::span{line}), stop_, error)) {
        say("sent " + std::string{text});
    } else {
        say("send failed: " + error.message());
    }
}

void Link::close() {
    connectWanted_ = false;
    const std::lock_guard lock(socketMutex_);
    socket_.shutdownBoth();
}

void Link::connect() { connectWanted_ = true; }

void Link::run() {
    while (!stopping()) {
        if (!connectWanted_) {
            std::this_thread::sleep_for(kRetryInterval);
            continue;
        }
        std::error_code error;
        auto socket = platform::net::TcpSocket::connect("127.0.0.1", options_.port, kConnectTimeout, error, AF_INET);
        if (!socket.isOpen()) {
            std::this_thread::sleep_for(kRetryInterval);
            continue;
        }
        {
            const std::lock_guard lock(socketMutex_);
            socket_ = std::move(socket);
        }
        say("connected");
        const bool saidExit = readUntilClosed();
        {
            const std::lock_guard lock(socketMutex_);
            socket_.close();
        }
        say("closed");
        if (saidExit && !options_.stay) {
            break;
        }
    }
    finished_ = true;
}

bool Link::readUntilClosed() {
    using Status = platform::net::ReceiveResult::Status;
    bool saidExit = false;
    std::string pending;
    std::array<std::byte, 16384> buffer{};
    while (!stopping()) {
        std::error_code error;
        const auto result = socket_.receiveSome(buffer, stop_, error, kReadTimeout);
        if (result.status == Status::TimedOut) {
            continue;
        }
        if (result.status != Status::Data) {
            break;
        }
        pending.append(reinterpret_cast<const char*>(buffer.data()), result.byteCount);
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
            std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (line.ends_with('\r')) {
                line.pop_back();
            }
            saidExit = saidExit || line == "exit";
            handleLine(std::move(line));
        }
    }
    if (!pending.empty()) {
        handleLine(std::move(pending));
    }
    return saidExit;
}

void Link::handleLine(std::string line) {
    if (record_.is_open()) {
        record_ << line << '\n' << std::flush;
    }
    say("received " + line);
    if (line.starts_with("Qs999=") && !options_.silent) {
        send(options_.answer);
        ++handshakes_;
    }
}

}  // namespace rtpeer
