#pragma once
// Seam: what run control calls of the traffic manager, until the traffic
// manager is built; its own modules replace this file whole. Each name does
// the least the run relies on: the tick takes the reports off the adding
// stack and the results off the simulator link without making aircraft, and
// keeps RealTraffic informed of the user aircraft; since no aircraft is ever
// made, the lists stay empty and the operations on aircraft only mark them.
// Worker thread only.

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "simlink/sim_records.h"
#include "traffic/aircraft_records_seam.h"

// Every live aircraft and every static parked aircraft.
extern std::vector<LiveAc> liveAircraft;
extern std::vector<ParkedAc> parkedAircraft;
// Create requests of live aircraft not yet given to the simulator link.
extern std::deque<CreateRequest> liveCreateQueue;
// The livery chosen for each live aircraft id, so that an aircraft made
// again wears the same one.
extern std::unordered_map<std::uint32_t, std::string_view> keptLiveries;
// Callsigns found to be ghosts.
extern std::vector<std::string> ghostCallsigns;

// Once per program, at the start of the first run: room for the aircraft
// lists; removes Callsign2ObjectId.txt (a failure other than a missing file
// throws the file-system error of "remove").
void gf_reserveTrafficContainers();

// At every reset of a run: every aircraft, queue, kept livery and ghost
// gone, the park airport cleared, the parked counts of the window at 0.
void gf_clearAllAircraft();

// One tick (10 ms) while the flight runs: the simulator link's results and
// at most two reports are taken and dropped; every 100th tick RealTraffic
// gets the user aircraft's state and the run's copy of the user data is
// renewed. Counts tickCounter.
void lf_handleAddingStack();

// Takes over the simulator link's results.
void gf_processSimResults();

// Queues the removal of the aircraft from the simulator.
void removeAircraftFromSim(LiveAc& aircraft);
void removeAircraftFromSim(ParkedAc& aircraft);

// Removes the static aircraft on that stand, else the live one parked on
// it. No stands here: nothing.
void gf_removeAircraftAtStand(const std::string& standName);

// Removes every static aircraft.
void gf_removeAllStaticAircraft();

// Removes an older aircraft of the same registration or callsign. Nothing
// here.
void gf_replaceSameRegOrCallsign(LiveAc& aircraft, bool onGround);

// Looks for the callsign coupled with this one around the time of week.
// Nothing here.
void lf_searchForCoupledCsAroundThisTime(std::uint64_t weekSlot, LiveAc& aircraft);

// A live aircraft on the ground that moved: makes way for the static
// aircraft it would collide with. Here it only records the position of the
// check.
void gf_removeForCollisionAvoidance(LiveAc& aircraft);

// The parked live aircraft (active, GroundPhase parked) and the active
// static aircraft; with the flag also their statistics.
std::int64_t gf_countLiveParked(bool withStatistics);
std::int64_t gf_countStaticParked(bool withStatistics);

// Logs the aircraft no livery matched. None here.
void gf_logUnmatched();
