#pragma once
// A live aircraft may turn out to be one that static parking put on a stand
// (the same registration, or a callsign that its schedule ties to the
// static one): the static aircraft then leaves. Worker thread only.

#include "traffic/aircraft_records.h"

// Removes the first active static aircraft that has the live aircraft's
// registration, or whose first or coupled callsign is the live aircraft's
// callsign, its coupled callsign, or its callsign without a trailing "_".
// onGround only words the log line. An aircraft without callsign changes
// nothing.
void gf_replaceSameRegOrCallsign(const LiveAc& aircraft, bool onGround);
