#pragma once
// What is kept of the park airport while it is loaded: whether static
// parking is in force, whether soft stand options may be learned there, the
// quality of its stand file, and the user's own choices that its learned
// file may override until it is left. Loading and leaving it is the traffic
// manager's (traffic/stands/park_airport_loading.h).

#include <atomic>
#include <cstdint>

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
