#pragma once
// The stand-in's one thread: accepts clients, reads their packets and the
// control commands on standard input, and runs a frame at the frame rate.

#include "platform/net/tcp_socket.h"
#include "simulator.h"

namespace sim {

// Runs until the "exit" command, SIGINT or SIGTERM. The end of standard
// input ends only the control interface.
void runServer(Simulator& simulator, platform::net::TcpListener& listener);

}  // namespace sim
