#pragma once
// The QNH that the QNH reader publishes and the traffic manager reads for
// its landings and its flight configuration.

#include <atomic>

// Standard pressure: the QNH while none is known.
inline constexpr int kStandardQnhHpa = 1013;

// The QNH for the traffic manager's landings, hPa; 1013 when none is known.
// Written by the QNH reader's thread, read by the worker.
extern std::atomic<int> qnhForSim;
