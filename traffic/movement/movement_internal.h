#pragma once
// The names that the files of traffic/movement/ share among themselves:
// the stream's measures, the flight configuration around a climb and an
// approach, and the extension of a stream whose reports stopped. Included
// only inside traffic/movement/ (and by the tests of these files); what
// other folders call is in the topical headers.

#include <cstdint>

#include "traffic/aircraft_records.h"

// Measures of an aircraft's report stream (stream_measures.cpp) that
// ground movement and flight read when a block is reached.

// True when every block after the front flies at least the category's
// lift-off speed (Light 90, Buzjets 110, Large 140, Heavy 150, HighPerf
// 220, Rotorcraft 0 kt). std::out_of_range for a category the table lacks.
bool lf_allAtLiftOffSpeed(const LiveAc& aircraft);

// The initial bearing from the second to the third block less the
// aircraft's heading, in -pi..pi; 0.0 with fewer than three blocks.
double lf_headingChangeAhead(const LiveAc& aircraft);

// The mean ground speed of the front and second block; when both are 0,
// their distance over their playback-tick gap (at least 25 ticks); never
// below 1.0 kt, so that no leg is timed by a speed of 0. Needs two blocks.
double lf_streamSpeed(const LiveAc& aircraft);

// The bank into a turn: the target bank is the turn (radians of heading
// change) held within the category's largest bank either way, with its sign
// changed; the step reaches it in the ticks, but never changes the bank by
// more than the category's limit per tick (Light 0.035, Buzjets 0.0275,
// Large 0.02, Heavy 0.015, HighPerf 0.1, Rotorcraft 0.06 degrees).
//
// Worked example: a Large aircraft flying level turns 10 degrees in 500
// ticks: the target bank is -10 degrees, the step -0.02 degrees per tick
// (-10 / 500), just within the limit. In 250 ticks it would be -0.04,
// held at -0.02.
void lf_setBankStep(LiveAc& aircraft, double turnRad, std::int32_t ticks);

// The flight configuration (flight_configuration.cpp); the taxi-out is in
// flight_configuration.h.

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

// The extension of a stream (stream_extension.cpp).

// The aircraft reached the last block of its stream: appends one more
// block when the stream may go on (true); false when it has ended.
bool lf_extendStream(LiveAc& aircraft);

// Appends one point of the aircraft's own making after the newest block and
// leaves n points still to make (extensionCount = n).
void lf_appendExtensionPoint(LiveAc& aircraft, std::int32_t n);
