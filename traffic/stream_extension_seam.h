#pragma once
// Seam: stream extension, holding and flight configuration, until they are
// built; that module replaces this file whole. Here a stream is never
// extended (an aircraft whose reports stop leaves when it reaches its last
// block), and a taxi-out only marks the aircraft departing, with its lag
// window, without events. The stream speed is as it will be. Worker thread
// only.

#include "traffic/aircraft_records.h"

// Asked for one more block when the aircraft reached the last block of its
// stream; false: the stream has ended. Here always false.
bool lf_extendStream(LiveAc& aircraft);

// The mean ground speed of the front and second block; when both are 0,
// their distance over their playback-tick gap (at least 25 ticks); at least
// 1.0 kt.
double lf_streamSpeed(const LiveAc& aircraft);

// A report shows the aircraft leaving for its take-off: departing, no
// longer landing, lag window 3000 early and 5000 late.
void lf_startTaxiOut(LiveAc& aircraft);
