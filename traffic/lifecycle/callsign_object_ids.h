#pragma once
// Callsign2ObjectId.txt: which simulator object each active live aircraft
// is, and where it is parked, for users who look an aircraft up in the
// simulator's tools. Worker thread.

// Writes one sorted line per live aircraft in SimState active: "Gnd" or
// "Air", its livery title, airline and type, its object id and, when
// parked, "Parked at" its stand. The file is replaced only once it is whole.
void gf_writeCallsignObjectIds();
