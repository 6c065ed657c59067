#pragma once
// Loading the chosen park airport (its stand file, the user's soft-learning
// switch, the reserved stand) and leaving it again (its learned file saved,
// its static aircraft and the live aircraft on the ground removed). Worker
// thread. What is kept of the loaded airport is in airports/airports_state.h.

#include <string>

// Saves the learned file when something was learned or a per-airport
// setting changed, forgets the park airport, its stands, candidates and
// removals, and puts LEARN_SOFT back to the user's choice.
void clearParkAirport();
// The park airport is left: every static aircraft, and every live aircraft
// at a stand or on its way to or from one, is removed; the park airport is
// cleared and MAX_LIVE_SEL back at the user's value.
void gf_removeGroundAircraft();
// Reads the park airport's stand file into parkPositions; empty on success,
// else the error text (an exception of the reader becomes its text). The
// park airport's choice runs it.
std::string lf_readParkedFile();
