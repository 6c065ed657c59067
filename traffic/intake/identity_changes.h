#pragma once
// How a new report of a known aircraft changes its identity: route,
// callsign, registration and, through the registration's record, airline
// and type; and whether the change calls for another livery. Worker thread
// only; nothing here talks to the simulator.


#include "records/live_ac_update.h"
#include "traffic/aircraft_records.h"

// Takes over the report's destination and origin where they are given and
// differ.
void gf_adoptRoute(LiveAc& aircraft, const LiveAcUpdate& report);
// gf_adoptRoute, then the report's callsign and registration where given.
void gf_adoptIdentity(LiveAc& aircraft, const LiveAcUpdate& report);
// True when the route gives no reason to change: fills an empty origin or
// destination (and then answers false); when both change (but for a return
// to the park airport it left from), takes the new route, sends an aircraft
// on the ground but away from a stand back to taxi, and answers false.
bool gf_checkRoute(LiveAc& aircraft, const LiveAcUpdate& report);
// Forgets the aircraft's livery and makes it new-born, so that it is
// dressed again when it is made anew.
void gf_resetLivery(LiveAc& aircraft);
// True when the report's registration asks for another livery: an installed
// livery carries it, or its record names another airline or type (the
// aircraft then takes them and loses its livery).
bool gf_checkRegistrationLivery(LiveAc& aircraft, const LiveAcUpdate& report);
// True when the registration's record tells another operator whom the
// report's callsign confirms (the aircraft then takes the record's airline
// and type and loses its livery). May set the report's airline from its
// callsign.
bool gf_checkRegistrationOperator(LiveAc& aircraft, LiveAcUpdate& report);
// 1 when the registration leaves the livery as it is, 0 when it changed it;
// takes the report's registration over.
int gf_checkRegistration(LiveAc& aircraft, LiveAcUpdate& report);
