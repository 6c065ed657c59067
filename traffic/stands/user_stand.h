#pragma once
// The user's stand as the traffic manager answers it for the simulator
// link (simlink/user_aircraft.h): the stand of the park airport under the
// user aircraft, and keeping it as the park airport's reserved stand.
// Worker thread, which owns the stands.

#include <string>

// Keeps the stand as the reserved stand of the park airport's entry and
// saves the entry, when the first entry of parkAirports is the loaded park
// airport and holds another reserved stand; nothing otherwise.
void gf_keepReservedStand(const std::string& stand);

// Fills the link's userStandHooks with gf_findStandAtPosition and
// gf_keepReservedStand. Worker thread, at its start-up (run/init_program.h),
// before the link's thread runs.
void gf_installUserStandHooks();
