#pragma once
// The traffic radius: RANGE with its combo box and the derived radius
// values. The rules that put a computed radius or height onto the choices
// of RANGE and AIRP_HEIGHT are the settings' own (core/setting_choices.h).

#include <atomic>
#include <cstdint>


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
