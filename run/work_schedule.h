#pragma once
// Which work falls due at a work cycle, by the cycle count (about one cycle
// a second). The work that walks all aircraft is spread over different
// counts: a multiple of 15 runs only the periodic work, so cycle 240 runs
// neither the 16 nor the 59, 61 or 62 work; cycle 976 (16 x 61) runs the
// static-parking step and then the duplicate test.

#include <cstdint>

// Besides the cycle's own steps (runCycle).
struct CycleWork {
    bool periodic = false;       // every 15: reference position, Qs123, reserved stand, re-read, runPeriodicWork
    bool staticParking = false;  // every 16, but not between the two phases of a renewal
    bool readerLights = false;   // every 59
    bool duplicateTest = false;  // every 61: a static aircraft that is also live goes
    bool parkedLog = false;      // every 62 (with CALLSIGN_OBJECTIDS on and MSFS 2020)
};
CycleWork gf_cycleWorkAt(std::uint32_t cycle, bool renewalPrepared);

// The periodic work's parts at a multiple of 15.
struct PeriodicWork {
    bool autoRange = false;       // every 30, while AUTO_RANGE is on
    bool renewalMinutes = false;  // every 60: the minutes to the next renewal
    bool renewalRequest = false;  // every 1200: log the unmatched, request a static renewal
    bool dayEnd = false;          // every 86400: the counter starts again, summary logged
};
PeriodicWork gf_periodicWorkAt(std::uint32_t cycle);

// Minutes to the next 20-minute renewal at that cycle: 19 at cycle 60, 1 at
// cycle 1140, 20 at cycle 1200.
std::int32_t gf_minutesToRenewal(std::uint32_t cycle);
