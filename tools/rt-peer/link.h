#pragma once
// RealTraffic's side of Vantrel's TCP link: a client of 127.0.0.1:port that
// connects (and, after the link ends, connects again) on a thread of its
// own. It records every line Vantrel sends, answers each "Qs999=" line
// unless silent, and stops connecting once Vantrel has sent "exit" and
// closed the link, unless told to stay.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "platform/net/tcp_socket.h"

namespace rtpeer {

struct LinkOptions {
    std::uint16_t port = 10747;
    bool silent = false;        // no answer to "Qs999="
    bool stay = false;          // connect again after "exit"
    std::string answer;         // the answer to "Qs999=", sent with CR LF
    std::filesystem::path recordPath;  // every received line is appended here; empty: nowhere
};

class Link {
public:
    // Starts connecting at once; stops for good when `stop` is set or the
    // deadline has passed.
    Link(LinkOptions options, const std::atomic<bool>& stop, std::chrono::steady_clock::time_point deadline);
    ~Link();
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

    // Sends the text and CR LF; skipped (and said so) while not connected.
    void send(std::string_view text);
    // Closes the link, as RealTraffic vanishing would, and stops connecting.
    void close();
    // Starts connecting again.
    void connect();
    // The link has ended for good ("exit" without --stay, stop or deadline).
    bool finished() const { return finished_; }
    // How many times a "Qs999=" line was answered: Vantrel's handshakes.
    std::uint32_t handshakes() const { return handshakes_; }

private:
    void run();
    // Reads the connected link until it ends; true when Vantrel said "exit".
    bool readUntilClosed();
    void handleLine(std::string line);
    bool stopping() const;

    const LinkOptions options_;
    const std::atomic<bool>& stop_;
    const std::chrono::steady_clock::time_point deadline_;
    std::ofstream record_;
    std::atomic<bool> connectWanted_{true};
    std::atomic<bool> finished_{false};
    std::atomic<std::uint32_t> handshakes_{0};
    std::mutex socketMutex_;  // guards socket_ (sends from two threads)
    platform::net::TcpSocket socket_;
    std::thread thread_;
};

}  // namespace rtpeer
