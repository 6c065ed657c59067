#pragma once
// When the reports of a live aircraft stop, it does not stop with them: its
// stream is extended with points of its own making. In the air it flies on
// along its heading for 8 points 8 s apart, each 5 % slower (only near
// enough to the user to be seen); on the ground it accelerates toward its
// take-off, decelerates after its landing or stands for 10 points 3 s
// apart; a parked aircraft gets one point a week ahead and stays. A taxiing
// aircraft that stops holds in place, checked every 3 s, until it has held
// for MAX_HOLDING_MINUTES or another taxiing aircraft comes close. Then the
// stream ends and the aircraft is removed by its caller. Worker thread only.
//
// Worked example: an airliner at 240 kt whose reports stop 20 nm from the
// user (RANGE 40) gets a point 8 s ahead at 228 kt (0.95 x 240), 0.507 nm
// further along its heading (8 x 100 ticks x 228 kt / 360000), then points
// at 216.6, 205.8 ... kt; after the eighth its stream ends.

#include <cstdint>

#include "traffic/aircraft_records.h"

// The aircraft reached the last block of its stream: appends one more
// block when the stream may go on (true); false when it has ended.
bool lf_extendStream(LiveAc& aircraft);

// Appends one point of the aircraft's own making after the newest block and
// leaves n points still to make (extensionCount = n).
void lf_appendExtensionPoint(LiveAc& aircraft, std::int32_t n);
