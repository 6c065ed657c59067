#pragma once
// The traffic containers at the start of the first run, and all aircraft
// state cleared when a run is reset. Worker thread, while the readers push
// no reports and the simulator link does not flush.

// Reserves room for 512 live and 256 static aircraft and the lists that go
// with them, so that ordinary runs never reallocate, and deletes
// Callsign2ObjectId.txt; does nothing after its first call. Throws the
// file-system error of "remove" when the file exists but cannot be deleted.
void gf_reserveTrafficContainers();

// Forgets every aircraft, queue, park airport and stand of the run (the
// traffic manager's own lists through gf_resetTrafficState), with
// the counts the main window shows. Throws as gf_reserveTrafficContainers
// when Callsign2ObjectId.txt cannot be deleted.
void gf_clearAllAircraft();
