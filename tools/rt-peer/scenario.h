#pragma once
// rt-peer's scenario: timed steps read from a text file, one per line.
//
//   MS traffic TEXT   TEXT as one datagram to the traffic port
//   MS qnh TEXT       TEXT as one datagram to the QNH port
//   MS send TEXT      TEXT and CR LF on the TCP link (skipped while not connected)
//   MS close          close the TCP link and stop connecting
//   MS connect        start connecting again
//   MS note TEXT      TEXT on standard error, for the person who watches
//
// MS is the time in milliseconds after the start, never smaller than the
// step's before; TEXT is the rest of the line after one blank, byte for
// byte (a CR at the line's end is dropped). Empty lines and lines starting
// with '#' are skipped.

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace rtpeer {

struct Step {
    enum class Kind { Traffic, Qnh, Send, Close, Connect, Note };
    std::chrono::milliseconds at{0};
    Kind kind = Kind::Traffic;
    std::string text;
};

// Throws std::runtime_error "line N: ..." for a line it cannot read.
std::vector<Step> parseScenario(const std::string& text);
std::vector<Step> loadScenario(const std::filesystem::path& path);

}  // namespace rtpeer
