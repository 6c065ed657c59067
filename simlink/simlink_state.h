#pragma once
// The simulator link's state: the connection and its thread, whether a flight
// runs, the queues of commands to the simulator and its results, the user
// aircraft as the simulator reports it, and the creations awaiting their
// object ids. gf_resetSimLink puts back what a run's reset puts back.
//
// Lock order: simResultMutex before simQueueMutex. Also the link's, left where they are: userStandHooks
// (simlink/user_aircraft.h, filled once at start by traffic/), and the
// SimConnect session's ids and definitions (simlink/sim_registration.cpp,
// made once per connection).

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "liveries/aircraft_category.h"
#include "platform/simconnect/simconnect.h"
#include "records/sim_records.h"
#include "simlink/object_identification.h"
#include "simlink/sim_commands.h"
#include "simlink/user_aircraft.h"

// The link's thread of the current run; a new run replaces it (worker).
extern std::jthread simClientThread;

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

// Guards simCreateQueue, simEventQueue, simRemoveQueue, the front position
// buffer and the swap of the two buffers, userAcData and every use of
// hSimConnect from a thread other than the link's. The pushes lock it and
// wait; the frame flush only tries it and skips a frame when it is busy.
// Its place in the lock order: docs/locks.md.
extern std::mutex simQueueMutex;
// The commands waiting for the next frame flush (traffic manager, worker).
extern std::vector<CreateRequest> simCreateQueue;
extern std::vector<EventCmd> simEventQueue;
extern std::vector<std::uint32_t> simRemoveQueue;  // object ids
extern PositionBuffers positionBuffers;

// Guards simResults. In the lock order before simQueueMutex (the traffic
// manager holds it while it queues commands); the link's thread takes it
// alone, one push at a time.
// Its place in the lock order: docs/locks.md.
extern std::mutex simResultMutex;
// The simulator's answers, pushed by the link's thread, taken by the worker.
extern std::vector<SimResult> simResults;

// Creations sent and not yet recognised, and objects announced by
// "ObjectAdded" and not yet identified; the link's thread only, emptied when
// the run is reset.
extern std::vector<SentCreate> sentCreates;
extern std::vector<std::uint32_t> addedObjectIds;

// The last reply of the user-aircraft request (109). Written by the link's
// thread and read by others under simQueueMutex.
extern UserAcData userAcData;
// SIM ON GROUND of the last once-a-second reply (108); known once a reply
// arrived while the user position was known.
extern std::atomic<bool> userOnGround;
extern std::atomic<bool> userOnGroundKnown;
// Simulator UTC time, seconds since 1970-01-01 00:00; 0 until known.
extern std::atomic<std::uint64_t> simUtcSeconds;
// Half wing span of the user aircraft, nautical miles, once determined from
// its model; and its size category.
extern std::atomic<double> userHalfSpanNm;
extern std::atomic<bool> userHalfSpanKnown;
extern std::atomic<AircraftCategory> userCategory;
// The user aircraft's title, at most 48 characters; link thread.
extern std::string userAircraftTitle;

// The program's application-data folder / "orig_dest"; set by
// gf_makeFlightPlanFolder (worker).
extern std::filesystem::path flightPlanFolder;

// A static-parking choice or renewal is under way (worker; the window
// reads it).
extern std::atomic<bool> staticParkingBusy;

// The link's part of a run reset: joins its thread, then brings the
// connection handle, the flags, the queues, the link's lists and the user
// aircraft's state back to their start values. Worker thread.
void gf_resetSimLink();
