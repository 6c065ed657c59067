#pragma once
// The user's own aircraft: where it is, whether it is on the ground, the
// simulator's UTC time, and the end of the run when it jumps far away (a new
// flight). The simulator's replies arrive on the link's thread; the stand at
// the user position and the user's reserved stand are worked out on the
// worker, which owns the stands.

#include <atomic>
#include <cstdint>
#include <string>

#include "core/great_circle.h"
#include "liveries/aircraft_category.h"
#include "platform/simconnect/simconnect.h"
#include "records/sim_records.h"

// What the link asks of the layers above it about stands, on the worker,
// which owns the stands and the park airport: the name of the stand at a
// position (empty when there is none), and keeping a stand as the park
// airport's reserved stand. Filled by gf_installUserStandHooks
// (traffic/stands/user_stand.h) when the worker starts up, before the link's
// thread runs; read on the worker only. While unset, no stand is found.
struct UserStandHooks {
    std::string (*findStandAt)(const GeoPosition& position) = nullptr;
    void (*keepReservedStand)(const std::string& stand) = nullptr;
};
extern UserStandHooks userStandHooks;

// Worker thread: asks the simulator for the user aircraft's data (unless a
// SimConnect call failed already) and returns a copy of the data of the last
// reply, which is the run's copy of the user data. Shows the stand at that
// position and keeps the user's stand when the link asked for it. A failed
// request ends the run (SIMCONNECT ERROR).
UserAcData gf_requestUserAircraftData();

// Worker thread, once a flight runs: asks for the title and the model of the
// user aircraft.
void gf_requestUserAircraftTitle();

// Worker thread: when the user aircraft stands still (at most 2 kt in the
// run's copy) on a stand of the park airport, keeps that stand as the park
// airport's reserved stand. The link asks for it when a flight ends; run
// control calls it while the run closes down, before the park airport is
// saved and cleared.
void gf_reserveUserStand(const UserAcData& runCopy);

// Link thread: the flight ends, so the worker keeps the user's stand.
void gf_requestUserStandReservation();

// A SIMOBJECT_DATA record; routed by its request id.
void onSimObjectData(const platform::simconnect::RecvSimObjectData& message);

// The user-aircraft state of a run back at its start values; the link's
// thread has ended.
void gf_resetUserAircraft();
