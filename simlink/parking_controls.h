#pragma once
// While the static parked aircraft of the park airport are being chosen or
// renewed, the user must not change the settings that the choice depends
// on: their ten controls are disabled for that time. Worker thread.

// Sets staticParkingBusy and disables the ten controls (parking_percentage,
// INITIAL_LOAD_ONLY, PARK_FAKE, PARK_SOFT, MAX_PARK_SEL, MAX_LIVE_SEL,
// MAX_FIT_FL, WEEK, "Flush static", "Re-read"); clears the message line.
void gf_lockParkingControls();
// Clears staticParkingBusy, sets the countdown to the next renewal to 19
// minutes and enables the ten controls again; clears the message line.
void gf_unlockParkingControls();
