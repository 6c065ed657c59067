#pragma once
// A live aircraft on its stand keeps receiving reports that jitter around
// the stand. From them it is decided when it really leaves, the departure
// is recorded (its stand option, a towed aircraft, the stand freed), and
// the aircraft leaves the way its reports show: pushed back, with the tail
// turned to the side its nose turned to, or pulled out forward. Worker
// thread only.

#include "records/live_ac_update.h"
#include "traffic/aircraft_records.h"

// Judges a report of an aircraft parked or driving onto its stand; false
// drops it. Within 85 m of the stand (170 m while it was parking) a report
// counts only when the reports move steadily away; beyond, an aircraft
// driving onto its stand taxis again, and a parked one leaves (farther than
// 200 m it is removed).
bool checkStandDeparture(LiveAc& aircraft, ReportBlock& report);

// Records the departure: an aircraft that stood only briefly after a wide
// stand search was towed; its stand option; its stand is free again.
void onStandLeft(LiveAc& aircraft);

// Pushes a parked aircraft back off its stand: straight back over 2.5 stand
// radii, then with its tail turned one half span to a side. Nothing when
// its stand is not among the park airport's stands.
void startPushback(LiveAc& aircraft);

// At each block reached while pushing back: at the halfway block the tail
// turns to the side recorded from the reports (else the pushback ends
// straight); at the end the engines start and the aircraft waits, pushed
// back, for its reports to move away.
void pushbackStep(LiveAc& aircraft);

// Drives a parked aircraft forward off its stand, one span along the
// stand's heading, and lets it taxi.
void pullOutOfStand(LiveAc& aircraft);
