#pragma once
// The limit on live aircraft: the farthest from the user aircraft make way.
// Worker thread only.

// Among the live aircraft in SimState active, removes the farthest from the
// user aircraft when it lies more than 0.1 nm beyond distanceNm (-1.0: the
// farthest in any case); true when none does and nothing was removed.
bool gf_removeFarthestAircraft(double distanceNm);
// Removes the farthest live aircraft until no more than MAX_LIVE_SEL are
// active.
void gf_trimToMaxLiveAircraft();
