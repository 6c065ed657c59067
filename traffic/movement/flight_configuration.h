#pragma once
// The configuration of a live aircraft around its take-off, climb and
// approach: gear, flaps, throttle, spoilers and lights, the vertical speed
// of a landing with the local QNH, the altitude step of a lift-off, and the
// start of a taxi-out. Events go through the simulator link's queues.
// Worker thread only.

#include "traffic/aircraft_records.h"

// Above the configuration height, once per block reached: the lag window
// narrows (climbing away, the aircraft follows its reports closely), the
// cabin is lit, departing and landing end. The throttle comes back a step
// in a descent (3 to 2 at -250 fpm or less) or after the take-off power
// (4 to 3 above 400 fpm); a Rotorcraft keeps 4. At 2400 ft above the
// ground or more the gear comes up and the flaps in; lower, while not
// climbing (100 fpm or less), the flaps go out a step (0 to 1, and 1 to 2
// below 2000 ft).
void lf_climbConfiguration(LiveAc& aircraft);

// Below the configuration height, once per block reached: the cabin goes
// dark. Descending (-250 fpm or less) within 10 nm of the park airport, an
// aircraft that is not landing yet is configured to land: throttle 1 (a
// Rotorcraft 4), flaps 3, gear down, its coupled callsigns checked, landing
// set, its stand given up, lag window reset. Once per approach, when it
// climbs again (above 600 fpm) or lands away from the park airport without
// descending: full throttle, gear up, flaps in, no flare, landing ends.
void lf_approachConfiguration(LiveAc& aircraft);

// The vertical speed of a landing, fpm: more than 100 ft above the ground
// the mean vertical speed of the front and second block, lowered by 6 fpm
// per hPa of QNH above 1013 (raised below it), and at most -601; at 100 ft
// or less, -600.
//
// Worked examples: QNH 1023 and blocks descending at 800 fpm give
// -800 - 6 x 10 = -860 fpm; QNH 1013 and 500 fpm give -500, held at -601.
double lf_landingVerticalSpeed(const LiveAc& aircraft);

// Toward an airborne second block from the ground: the altitude step that
// reaches the block's altitude by its tick (at least 25 ticks), at most the
// category's largest step; 0.0 when the block is not higher.
void lf_liftOffAltitudeStep(LiveAc& aircraft);

// The aircraft leaves for its take-off: departing, idle throttle, spoilers
// in, flaps 1, every light on, lag window 3000 early and 5000 late; a
// towed aircraft doing so is logged ("towed aircraft takes-off? {}"), and
// an aircraft of an airline may teach its stand a soft option.
void lf_startTaxiOut(LiveAc& aircraft);
