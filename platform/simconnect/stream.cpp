#include "platform/simconnect/stream.h"

namespace platform::simconnect {

namespace {

constexpr std::chrono::milliseconds kConnectTimeout{1000};

class TcpStream final : public Stream {
public:
    explicit TcpStream(net::TcpSocket socket) : socket_(std::move(socket)) {}

    bool sendAll(std::span<const std::byte> bytes, const std::atomic<bool>& stop, std::error_code& error) override {
        return socket_.sendAll(bytes, stop, error);
    }
    net::ReceiveResult receiveSome(std::span<std::byte> buffer, const std::atomic<bool>& stop,
                                   std::error_code& error,
                                   std::optional<std::chrono::milliseconds> timeout) override {
        return socket_.receiveSome(buffer, stop, error, timeout);
    }
    void shutdownBoth() noexcept override { socket_.shutdownBoth(); }

private:
    net::TcpSocket socket_;
};

}  // namespace

std::unique_ptr<Stream> connectStream(const ServerAddress& address) {
    if (!address.configured) {
        if (auto pipe = connectLocalPipe()) {
            return pipe;
        }
    }
    std::error_code error;
    net::TcpSocket socket = net::TcpSocket::connect(address.host, address.port, kConnectTimeout, error,
                                                    address.ipv6 ? AF_INET6 : AF_INET);
    if (!socket.isOpen() || !socket.setNoDelay(error)) {
        return nullptr;
    }
    return std::make_unique<TcpStream>(std::move(socket));
}

}  // namespace platform::simconnect
