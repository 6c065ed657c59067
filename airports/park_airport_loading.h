#pragma once
// Loading the chosen park airport (its stand file, the user's soft-learning
// switch, the reserved stand) and leaving it again (its learned file saved,
// its static aircraft and the live aircraft on the ground removed). Worker
// thread unless said otherwise.

#include <atomic>
#include <cstdint>
#include <string>

#include "airports/park_airport_file.h"

// A park airport is loaded and static parking is in force; read by the
// window's thread too.
extern std::atomic<bool> parkingActive;
// The traffic manager may learn soft stand options at the park airport: not
// where the stand file knows the real traffic well.
extern bool learnSoftAllowed;
// The quality factors of the park airport's stand file.
extern QualityFactors parkQualityFactors;
// MAX_LIVE_SEL as the user chose it; a park airport's learned file may set
// another value, which lasts until the airport is left. Read by the
// window's thread.
extern std::atomic<std::uint32_t> userMaxLiveSel;
// LEARN_SOFT as the user chose it (at start and with its check box); a park
// airport may switch soft learning off, or its learned file set another
// value, which lasts until the airport is left. Written by the window's
// thread too.
extern std::atomic<bool> userLearnSoft;

// Reads the park airport's stand file into parkPositions; empty on success,
// else the error text (an exception of the reader becomes its text).
std::string lf_readParkedFile();
// Saves the learned file when something was learned or a per-airport
// setting changed, forgets the park airport, its stands, candidates and
// removals, and puts LEARN_SOFT back to the user's choice.
void clearParkAirport();
// The park airport is left: every static aircraft, and every live aircraft
// at a stand or on its way to or from one, is removed; the park airport is
// cleared and MAX_LIVE_SEL back at the user's value.
void gf_removeGroundAircraft();
