#include "support/http_server.h"

#include <array>
#include <stdexcept>
#include <string_view>

#include "core/format.h"

namespace test {

namespace {

constexpr std::chrono::milliseconds kRequestTimeout{5000};

std::string_view lf_reason(int status) {
    switch (status) {
    case 200: return "OK";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

bool lf_send(platform::net::TcpSocket& connection, std::string_view bytes, const std::atomic<bool>& stop) {
    std::error_code error;
    return connection.sendAll(std::as_bytes(std::span(bytes.data(), bytes.size())), stop, error);
}

// The request's path, from "GET /path HTTP/1.1"; empty when the request does
// not arrive whole in time.
std::string lf_readRequestPath(platform::net::TcpSocket& connection, const std::atomic<bool>& stop) {
    std::string request;
    std::array<std::byte, 2048> buffer{};
    while (request.find("\r\n\r\n") == std::string::npos) {
        std::error_code error;
        const auto received = connection.receiveSome(buffer, stop, error, kRequestTimeout);
        if (received.status != platform::net::ReceiveResult::Status::Data) {
            return {};
        }
        request.append(reinterpret_cast<const char*>(buffer.data()), received.byteCount);
    }
    const auto start = request.find(' ');
    const auto end = request.find(' ', start + 1);
    if (start == std::string::npos || end == std::string::npos) {
        return {};
    }
    return request.substr(start + 1, end - start - 1);
}

}  // namespace

HttpServer::HttpServer() {
    std::error_code error;
    listener_ = platform::net::TcpListener::listen("127.0.0.1", 0, error);
    if (!listener_.isOpen()) {
        throw std::runtime_error("test HTTP server cannot listen: " + error.message());
    }
    acceptor_ = std::thread([this] { acceptLoop(); });
}

HttpServer::~HttpServer() {
    stop_ = true;
    acceptor_.join();
    for (auto& connection : connections_) {
        connection.join();
    }
}

std::string HttpServer::baseUrl() const { return fmtlib::format("http://127.0.0.1:{}/", port()); }

void HttpServer::serve(const std::string& path, HttpAnswer answer) {
    const std::lock_guard lock(mutex_);
    answers_[path] = std::move(answer);
}

void HttpServer::serve(const std::string& path, std::string body) {
    HttpAnswer answer;
    answer.body = std::move(body);
    serve(path, std::move(answer));
}

void HttpServer::remove(const std::string& path) {
    const std::lock_guard lock(mutex_);
    answers_.erase(path);
}

std::vector<std::string> HttpServer::requests() const {
    const std::lock_guard lock(mutex_);
    return requests_;
}

std::string HttpServer::unreachableBaseUrl() {
    std::error_code error;
    auto listener = platform::net::TcpListener::listen("127.0.0.1", 0, error);
    const std::uint16_t port = listener.port();
    listener.close();
    return fmtlib::format("http://127.0.0.1:{}/", port);
}

void HttpServer::acceptLoop() {
    while (!stop_) {
        std::error_code error;
        auto connection = listener_.accept(stop_, error);
        if (!connection.isOpen()) {
            continue;
        }
        const std::lock_guard lock(mutex_);
        connections_.emplace_back([this, socket = std::move(connection)]() mutable { answer(std::move(socket)); });
    }
}

void HttpServer::answer(platform::net::TcpSocket connection) {
    const std::string path = lf_readRequestPath(connection, stop_);
    if (path.empty()) {
        return;
    }
    HttpAnswer answer;
    answer.status = 404;
    answer.body = "not found";
    {
        const std::lock_guard lock(mutex_);
        requests_.push_back(path);
        if (const auto found = answers_.find(path); found != answers_.end()) {
            answer = found->second;
        }
    }
    std::string head = fmtlib::format("HTTP/1.1 {} {}\r\nContent-Length: {}\r\nConnection: close\r\n",
                                      answer.status, lf_reason(answer.status), answer.body.size());
    for (const auto& [name, value] : answer.headers) {
        head += fmtlib::format("{}: {}\r\n", name, value);
    }
    head += "\r\n";
    if (!lf_send(connection, head, stop_)) {
        return;
    }
    switch (answer.behaviour) {
    case HttpAnswer::Behaviour::complete:
        lf_send(connection, answer.body, stop_);
        break;
    case HttpAnswer::Behaviour::stallAfterHeaders: {
        // Holds the connection open until the client gives up or the server stops.
        std::array<std::byte, 256> buffer{};
        for (;;) {
            std::error_code error;
            const auto received = connection.receiveSome(buffer, stop_, error);
            if (received.status != platform::net::ReceiveResult::Status::Data) {
                break;
            }
        }
        break;
    }
    case HttpAnswer::Behaviour::breakInBody:
        lf_send(connection, std::string_view(answer.body).substr(0, answer.body.size() / 2), stop_);
        break;
    }
    connection.shutdownBoth();
}

}  // namespace test
