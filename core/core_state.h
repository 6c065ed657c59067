#pragma once
// Core's run state: the flags that say whether and why the run must end, the
// main window's requests to the worker, the feed's clock, the scan workers
// running and the simulator generation of the files being written. Every
// value is atomic or leaf-locked: the window, the worker, the simulator link,
// the readers and the scan workers set and read them without a lock.
// gf_resetCoreState puts back what a run's reset puts back.
//
// Also core's, and left where they are because they are settings or set once
// at start: the settings and their derived radius values (trafficRadiusNm,
// trafficRadiusMeters, manualRadiusNm: core/settings.h), the meta block's
// entries (core/meta_block.h), maxWorkers (core/worker_slots.h),
// productDataFolder and parametersPath (core/data_paths.h), displayHooks
// (core/display_hooks.h, filled once by the window), and randomEngine
// (core/random.h, one per thread).

#include <atomic>
#include <cstdint>

#include "core/closing_reason.h"
#include "core/shared_text.h"

// The run must end (any thread sets it through gf_requestRunStop). The first
// setter wins: later setters change neither the reason nor the delay.
extern std::atomic<bool> runStopRequested;
// The user closed the main window (window thread).
extern std::atomic<bool> userCloseRequested;
extern std::atomic<ClosingReason> closingReason;
// Seconds counted down before a restart.
extern std::atomic<std::int32_t> restartDelaySec;

// Set by every SIM ON GROUND reply of the simulator (its link's thread); the
// main loop starts a work cycle on the tick after it.
extern std::atomic<bool> simDataArrived;
// Set while RealTraffic has not connected yet in this run (worker).
extern std::atomic<bool> beforeFirstConnection;

// The main window's requests (window thread), served and cleared by the
// worker.
extern std::atomic<bool> flushStaticRequested;     // "Flush static"
extern std::atomic<bool> reReadRequested;          // "Re-read"
extern std::atomic<bool> blockCallsignRequested;   // "Block:" box and "Unblock"
extern std::atomic<bool> objectIdLookupRequested;  // "Oid:" box
extern std::atomic<bool> parkedLightsRequested;    // "Nav lights": to the parked aircraft now
extern std::atomic<bool> liveTrimRequested;        // "Max live": the live aircraft trimmed to it
// The renewal of the static parked aircraft is due (worker).
extern std::atomic<bool> parkingRenewalRequested;

// The feed's clock: time of the last readable traffic record, seconds since
// 1970 (UTC); 0 until one arrives. Written by the traffic reader, which
// knows it as TrafficReader::feedTimestamp.
extern std::atomic<double> lastFeedTimestamp;

// Scan workers running now: the worker counts each one it starts, each scan
// worker releases its slot when it ends (core/worker_slots.h).
extern std::atomic<int> runningWorkers;

// The simulator generation of the files about to be written: "MSFS" for
// MSFS 2020 (the default), "MSFS2024" for MSFS 2024. The scans set it before
// they write (core/meta_block.h writes it).
extern SharedText simulatorKind;

// The run's flags back to their start: no stop, no user close, reason NOT
// YET SET, no simulator reply, RealTraffic not connected yet. The delay and
// the window's requests stay (the main loop's reset clears the requests).
void gf_resetCoreState();
