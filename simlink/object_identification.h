#pragma once
// Ties each new simulator object to the creation that made it. A creation is
// sent with the aircraft's callsign as tail number and remembered; when an
// aircraft-in-range reply for an object announced by "ObjectAdded" carries
// that tail number as its ATC ID, the object is the aircraft's: the link
// takes it out of the simulator's AI control, freezes it and reports it to
// the traffic manager. The same replies give the ground data of known
// objects, and SimConnect's exceptions tell which creations failed.
// Everything here runs on the link's thread.

#include <cstdint>
#include <vector>

#include "platform/simconnect/simconnect.h"
#include "records/sim_records.h"

// Sends one creation; called by the frame flush under simQueueMutex.
void createAiAircraft(const CreateRequest& request);

// A reply of the aircraft-in-range request (SIMOBJECT_DATA_BYTYPE).
void onAircraftInRange(const platform::simconnect::RecvSimObjectDataByType& message);

// An EXCEPTION record. A version mismatch throws qrx::UserErrorException
// (code 95), which ends the connection.
void onSimConnectException(const platform::simconnect::RecvException& message);
