#pragma once
// The simulator link's thread: the run's one SimConnect connection. It opens
// the connection under the program's name, registers its events, data
// definitions and client events, and pumps SimConnect every millisecond;
// every SimConnect callback of the program runs on it through
// onSimConnectDispatch.

#include <cstdint>
#include <stop_token>

#include "platform/simconnect/simconnect.h"

// Starts SimClient on a new thread, after gf_reserveSimQueues; a previous
// thread is asked to stop and joined first.
void gf_startSimClient();
// Asks the link's thread to stop (closing down); it is joined by
// gf_resetSimLink or by the next start.
void gf_stopSimClient();

// The thread body. Waits for the simulator (retrying the open every 100 ms)
// until a stop flag is set or the token asks to stop; once connected,
// dispatches until the token asks to stop or the simulator is gone. Shows
// the errors that end the connection; closes it and clears the handle and
// the running state however it ends.
void SimClient(std::stop_token stop);

// The registrations, once after each successful open.
void registerSimConnect();
// Adds the client event to the notification group as maskable.
void addToNotificationGroup(std::uint32_t eventId);
// The dispatch procedure (context null).
void onSimConnectDispatch(const platform::simconnect::Recv* message, std::uint32_t size, void* context);

// A SimConnect call failed: shown and logged, the frame flush stops sending,
// and the run restarts with SIMCONNECT ERROR after 9 s (unless a reason was
// set already).
void gf_reportSimConnectError();

// The simulator quit or the connection was lost: logs "{} Flight Simulator
// no longer connected, {} will stop ..." and ends the run with SIM WAS
// CLOSED, which ends the program. Nothing while the run is stopping already.
void gf_handleSimDisconnected();
