#pragma once
// The rules that put a computed or an older value onto the choices of a
// choice setting: a radius onto RANGE's, a height onto AIRP_HEIGHT's. Used
// when a settings file of an older version is carried over, when a park
// airport's learned radius is applied and by the automatic radius.

// Any radius onto the nearest sensible RANGE choice: below 3 gives 2, 3 to 6
// stay, 7 and 8 give 8, ..., 38 to 44 give 40, 45 to 56 give 50, 57 to 72
// give 65, 73 to 89 give 80, 90 and more give 100.
int gf_snapToRangeChoice(int nm);

// Feet onto the airport-height choices by the first threshold reached: 47000
// gives 48000, 27000 gives 36000, 17000 gives 18000, then every 2000 feet
// from 15000 (16000) down to 3000 (4000); below 3000, 2000.
int gf_snapToAirportHeightChoice(int feet);
