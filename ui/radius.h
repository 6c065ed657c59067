#pragma once
// The traffic radius: RANGE with its combo box and the derived radius
// values, and the rules that put a computed radius or height onto the
// choices of RANGE and AIRP_HEIGHT.

#include <atomic>
#include <cstdint>

// The radius kept for the "Auto range" check box, nautical miles: RANGE at
// start-up.
extern std::atomic<std::int32_t> manualRadiusNm;

// RANGE := nm within its limits, selected in its combo box when it is one of
// the choices; trafficRadiusNm := nm and trafficRadiusMeters := nm x 1852,
// from nm as given. Returns the metres. Safe from any thread.
std::uint32_t gf_setRadiusNm(int nm);

// The radius from the user aircraft while AUTO_RANGE is on: 10 nm on the
// ground; 100 above AR_ABOVE_HEIGHT feet, 40 above AIRP_HEIGHT; else by the
// distance d to the destination airport (10000 nm without one): 10 up to
// 7 nm, the RANGE choice of d + 3 below 37 nm, else 40. RANGE's box shows a
// changed value. Any thread.
void gf_updateAutoRange();

// Any radius onto the nearest sensible RANGE choice: below 3 gives 2, 3 to 6
// stay, 7 and 8 give 8, ..., 38 to 44 give 40, 45 to 56 give 50, 57 to 72
// give 65, 73 to 89 give 80, 90 and more give 100.
int gf_snapToRangeChoice(int nm);

// Feet onto the airport-height choices by the first threshold reached: 47000
// gives 48000, 27000 gives 36000, 17000 gives 18000, then every 2000 feet
// from 15000 (16000) down to 3000 (4000); below 3000, 2000.
int gf_snapToAirportHeightChoice(int feet);
