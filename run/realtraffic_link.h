#pragma once
// The TCP link with RealTraffic, when RealTraffic runs on this PC: the
// program listens on PORT_NUMBER, RealTraffic connects as the one client and
// answers a version line; during the run the program sends it the user
// aircraft's state (Qs121, once a second) and the simulator's time (Qs123,
// every 15 work cycles), and "exit" when the run closes. Traffic itself
// comes by UDP (run/traffic_reader.h).
//
// Every call runs on the worker thread, which alone owns the two sockets;
// only realTrafficServerPort may be asked from any thread.
// The waits (accept, the handshake's receive, a send into a full buffer)
// end within 100 ms once a stop flag is set, so closing the window always
// ends them.
//
// Lines, ASCII, each ending in CR LF:
//   "Qs999=version"  once per connection, right after the run's accept
//   "Qs121=..."      the user aircraft's state (gf_formatQs121)
//   "Qs123=<ms>"     simulator UTC time, milliseconds since 1970
//   "exit"           at closing down, while connected

#include <cstdint>
#include <string>
#include <string_view>

#include "records/sim_records.h"

// Listens on every IPv4 interface at the port (decimal text). Throws
// std::runtime_error "getaddrinfo failed with error {}", "socket failed with
// error {}", "setsockopt(SO_REUSEADDR) failed", "Bind failed at port {} with
// error {}" or "listen failed with error {}" (Winsock code and text).
void openServer(const std::string& port);

// The port the server listens on; 0 when it does not listen. Safe from any
// thread.
std::uint16_t realTrafficServerPort();

// Accepts RealTraffic, waiting until it connects or a stop flag is set;
// false when already connected, stopped, or the accepted socket cannot take
// TCP_NODELAY (logged "waitForClient interrupted: {}", the socket closed).
bool waitForClient();

// Sends one line whole; on failure logs it, closes the client and clears
// realTrafficConnected ("RealTraffic client socket closed").
bool sendDataPacket(std::string_view line);

// One receive of at most 16383 bytes; empty after a stop, a closed
// connection, an error ("receive: {}") or a full buffer ("receive: buffer
// overrun: {}").
std::string receiveFromRealTraffic();

// The handshake at the start of a run, when RealTraffic runs on this PC:
// "Waiting for RealTraffic to connect to |Vantrel ..." shown, the feed's
// state reset, the client accepted, "Qs999=version" sent and its answer
// received; then the RealTraffic light is on ("RealTraffic connected").
void waitForRealTraffic();

// The user aircraft's state: "Qs121=" and seven fields separated by ";",
// then CR LF: pitch and bank in radians x 100000 and altitude in feet x
// 1000 as whole numbers, heading, latitude and longitude in radians with six
// decimals, ground speed in knots x 1000 in its shortest form ("1e+05" where
// that is shorter than "100000").
std::string gf_formatQs121(const UserAcData& data);

// Once a second: sends the run's user data while RealTraffic is connected.
// After RealTraffic was lost, accepts it again instead (a wait that a stop
// ends), and sends nothing in that call. Nothing unless RealTraffic runs on
// this PC and the user position is known.
void gf_sendQs121();

// RealTraffic is gone (a send failed): the light off, the live aircraft
// removed so that they do not freeze in the simulator (unless the user
// closed the window), the feed's state reset, and "{} RealTraffic gone?
// Wait for RealTraffic to re-connect ..." shown. Every failed send of the
// run ends here.
void gf_handleLostRealTraffic();

// "Qs123=<utcSeconds x 1000>" while connected and the time is known (1 or
// more). A failed send is a lost client (gf_handleLostRealTraffic).
void sendQs123(std::uint64_t utcSeconds);

// Closing down: "exit" while connected, then both sockets closed and
// realTrafficConnected cleared.
void gf_closeRealTrafficLink();
