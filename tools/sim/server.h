#pragma once
// The stand-in's one thread: accepts clients, reads their packets and the
// control commands on standard input, and runs a frame at the frame rate.

#include "server_events.h"
#include "simulator.h"

namespace sim {

// Runs until the "exit" command, SIGINT or SIGTERM (on Windows Ctrl+C,
// Ctrl+Break or a closed console). The end of standard input ends only the
// control interface.
void runServer(Simulator& simulator, ServerEvents& events);

}  // namespace sim
