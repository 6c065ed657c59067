#pragma once
// The simulator link's state that other threads read: the connection, whether
// a flight runs, whether a SimConnect call failed, the frame rate and the user
// aircraft's object id.

#include <atomic>
#include <cstdint>

#include "platform/simconnect/simconnect.h"

// The run's one SimConnect connection; null while there is none. Set and
// cleared by the link's thread under simQueueMutex; every other thread uses
// it only while it holds simQueueMutex, and tests it for null first.
extern platform::simconnect::Handle hSimConnect;

// A flight runs ("Sim" event with data 1); cleared by QUIT, a lost
// connection and the link's end.
extern std::atomic<bool> simRunning;
// A SimConnect call failed: the frame flush sends nothing and the run treats
// the flight as not running until the run restarts.
extern std::atomic<bool> simRequestError;
// Simulator frames per second, published every 30th frame.
extern std::atomic<float> simFrameRate;
// The user aircraft's object id (2 after a run reset). No object at or below
// it is ever moved, removed or taken for a created AI aircraft.
extern std::atomic<std::uint32_t> userObjectId;

// SIM_CHOICE selects MSFS 2020 (false: MSFS 2024). Set by the start-up;
// SimClient tells the SimConnect layer before each open.
extern std::atomic<bool> msfs2020Selected;
