#pragma once
// Live aircraft that reached their stand stay in the simulator, parked,
// until their reports move them again, they have stood too long, or they
// make way for the limit on parked aircraft (live and static together,
// MainWindow::maxParkCount as static parking sets it; below 1 no limit).
// Worker thread only.

#include <cstdint>

#include "traffic/aircraft_records.h"
#include "traffic/traffic_state.h"

// An aircraft driving onto its stand has no reports left: within 2 m of the
// stand it parks (arrival slot now, engines off, its stand option learned,
// the limit kept), farther away it taxis again.
void lf_arriveAtStand(LiveAc& aircraft);

// The live aircraft parked and active; withStatistics also shows their
// average fit to the time of week.
std::int64_t gf_countLiveParked(bool withStatistics);

// Fills liveParkedList with the active parked aircraft; unless
// INITIAL_LOAD_ONLY is on, one not confirmed by its reports that stood more
// than 90 minutes (a Heavy 180) is removed instead.
void gf_collectLiveParked();

// After a live aircraft was put on a stand (extra 1: one about to be, at a
// spawn): with more live parked aircraft than wanted (unless
// INITIAL_LOAD_ONLY is on) the one parked longest goes, and with more live
// and static ones together than wanted the static one that arrived earliest
// in the week goes. At most one of each per call.
void checkMaxPark(std::uint8_t extra);

// Removes the n live aircraft parked longest (all when there are fewer).
void gf_removeLiveParked(std::size_t count);

// A passenger airliner was put on a stand marked for cargo: the stand takes
// passenger aircraft too, so it loses its cargo mark (a learned change).
void lf_learnCargoAttribute(LiveAc& aircraft);
