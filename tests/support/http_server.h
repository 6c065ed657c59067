#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for download tests: it answers GET
// requests from a table of paths, one thread per connection, one request per
// connection ("Connection: close"), 404 for a path it does not know. An
// answer can stall after its headers or break off inside its body, as
// failing servers do. Stopped, with every connection ended, when the object
// goes.

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/net/tcp_socket.h"

namespace test {

struct HttpAnswer {
    enum class Behaviour {
        complete,           // headers and the whole body
        stallAfterHeaders,  // headers, then nothing until the client or the server goes
        breakInBody,        // headers announcing the whole body, half of it, then the connection closes
    };
    int status = 200;
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers;  // beside Content-Length and Connection
    Behaviour behaviour = Behaviour::complete;
};

class HttpServer {
public:
    HttpServer();
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    std::uint16_t port() const { return listener_.port(); }
    // "http://127.0.0.1:{port}/".
    std::string baseUrl() const;

    // Answers GET requests for the path ("/versions.json") with the answer
    // from now on; a body alone is a 200 answer.
    void serve(const std::string& path, HttpAnswer answer);
    void serve(const std::string& path, std::string body);
    void remove(const std::string& path);

    // The paths requested so far, in the order they arrived.
    std::vector<std::string> requests() const;

    // A loopback address of a port on which nothing listens: a server that is down.
    static std::string unreachableBaseUrl();

private:
    void acceptLoop();
    void answer(platform::net::TcpSocket connection);

    std::atomic<bool> stop_{false};
    platform::net::TcpListener listener_;
    mutable std::mutex mutex_;  // guards answers_, requests_ and connections_
    std::map<std::string, HttpAnswer> answers_;
    std::vector<std::string> requests_;
    std::vector<std::thread> connections_;
    std::thread acceptor_;
};

}  // namespace test
