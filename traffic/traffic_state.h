#pragma once
// Every mutable global of the traffic manager in one place: the aircraft
// lists, the queues, the lists of stands and static parking, the livery
// bookkeeping, the hand-over of reports, counters and flags. Each is defined
// in traffic_state.cpp; gf_resetTrafficState() clears what a run reset
// clears (gf_clearAllAircraft in manager/traffic_reset.h calls it). Worker thread
// only, unless a comment says otherwise.

#include <atomic>
#include <cstdint>
#include <deque>
#include <list>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "records/sim_records.h"
#include "traffic/aircraft_records.h"
#include "traffic/state_records.h"

// The aircraft. Reserved for 512 and 256 records at the first run.
extern std::vector<LiveAc> liveAircraft;
extern std::vector<ParkedAc> parkedAircraft;

// The tick driver.
// The run's copy of the user aircraft's data, renewed every 100 ticks;
// emptied by a run's reset.
extern UserAcData runUserAcData;
// Sends the user aircraft's state to the feed, every 100 ticks before the
// data is renewed. The run fills it as it starts (run/run_traffic.cpp),
// before the main loop; while empty, nothing is sent. Kept over a run reset.
extern void (*userStateSender)();

// The queues of commands for the simulator link, which the tick driver
// releases at its pace (removals one per 10 ticks, creations one per 50).
// Aircraft ids of spawned live aircraft waiting for their create request;
// spawning appends, the tick takes the last one.
extern std::vector<std::uint32_t> creationList;
// Create requests not yet handed to the simulator link.
extern std::deque<CreateRequest> liveCreateQueue;
extern std::deque<CreateRequest> staticCreateQueue;
// Object ids to remove from the simulator.
extern std::deque<std::uint32_t> removalQueue;

// What the traffic manager leaves for the run's work cycle to look at, and
// what the work cycle found for it.
// Live aircraft ids whose coupled callsign and older namesakes are still to
// be looked at; one is served per work cycle, always the front one. Kept
// over a run reset.
extern std::list<std::uint32_t> coupledCheckQueue;
// The object id found for the callsign of the "Oid:" box; 0 for none.
extern std::atomic<std::uint32_t> lookedUpObjectId;

// The hand-over of reports (intake/adding_stack.h).
// Guards addingStack and acceptingFeed. In the lock order it comes before
// the command-queue mutex; the reader holds it only to append one report.
// Its place in the lock order: docs/locks.md.
extern std::mutex feedMutex;
// Reports waiting for the traffic manager. Only under feedMutex.
extern AddingStack addingStack;
// The run takes traffic (set by the main loop; cleared before it, while the
// flight does not run and while closing down); while clear, every report is
// dropped. Only under feedMutex; kept over a run reset.
extern bool acceptingFeed;

// The stands.
// Live aircraft parked on a stand (stands/live_parking.h). Rebuilt by
// gf_collectLiveParked, shortest parked first.
extern std::vector<LiveParkedEntry> liveParkedList;
// The half hour at which each live aircraft last recorded a stand option
// (stands/stand_fit.h). At most one entry per aircraft id.
extern std::vector<OptionSlot> lastOptionSlots;
// The static aircraft still to create, best fits at the back
// (stands/static_parking.h).
extern std::vector<ParkCandidate> parkCandidates;
// The fit (half hours) at which the last real search reached the wanted
// count (MAX_FIT + 1 when it fell short), and that of the last soft search
// (-1 when none ran). Kept over a run reset.
extern std::int32_t realFit;
extern std::int32_t softFit;
// The static aircraft that the renewal keeps and those it removes
// (stands/parking_renewal.h).
extern std::vector<KeptParkedAc> keptParked;
extern std::vector<StaticRemoval> staticRemovals;
// A park airport has just been chosen: the next cycle loads it
// (lifecycle/park_airport_choice.h).
extern bool calculationPending;

// The aircraft's life in the simulator.
// Callsigns found to be ghosts; a buffered aircraft under one of them (with
// its "_") is dropped (lifecycle/spawning.h).
extern std::vector<std::string> ghostCallsigns;
// Created objects waiting for their activation; reserved for 128 entries at
// the first run (lifecycle/aircraft_activation.h).
extern std::vector<CreatedEntry> createdList;
// The last id given to a static aircraft. Static ids run from 1 to 9999
// and round again, below every live aircraft's id; kept over a run reset
// (lifecycle/static_aircraft.h).
extern std::uint32_t staticAcCounter;
// The livery bookkeeping (lifecycle/livery_bookkeeping.h).
// Aircraft id to the livery title (a view into the livery catalogue).
extern std::unordered_map<std::uint32_t, std::string_view> keptLiveries;
// Type code, a blank and airline code of each aircraft whose livery the
// simulator refused. The refused titles themselves are
// liveryCatalog.refusedTitles, which the matching ladders pass over. Both
// last as long as the program.
extern std::set<std::string> uncreatableKinds;
// The aircraft for which no livery matched in this run.
extern UnmatchedAircraft unmatchedAircraft;

// Clears the lists, queues and flags above that a run reset clears; the
// rest is kept, as each comment says. Takes feedMutex for the adding stack.
void gf_resetTrafficState();
