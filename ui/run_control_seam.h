#pragma once
// Seam: what the main window needs of run control (the worker thread, its
// closing reason and the window's requests to it) until run control is
// built. Each name is the one run control will own; its issue replaces this
// file whole (the stop flags themselves are in run/run_flags_seam.h). The
// worker here does the least the window relies on: it waits until a stop
// flag is set, then ends the program or, for new settings, starts again.

#include <atomic>
#include <cstdint>
#include <stop_token>
#include <thread>

// Why the run ends: 0 "NOT YET SET", 3 "NEW SETTINGS" (restarts), 4 "USER
// CLOSED SIM"; the first reason set wins.
inline constexpr std::uint32_t kClosingNotYetSet = 0;
inline constexpr std::uint32_t kClosingNewSettings = 3;
inline constexpr std::uint32_t kClosingUserClosedSim = 4;
extern std::atomic<std::uint32_t> closingReason;
extern std::atomic<std::int32_t> restartDelaySec;  // seconds before a restart

// Set while RealTraffic has not connected yet in this run.
extern std::atomic<bool> beforeFirstConnection;

// The window's requests, served and cleared by the worker.
extern std::atomic<bool> flushStaticRequested;     // "Flush static"
extern std::atomic<bool> reReadRequested;          // "Re-read"
extern std::atomic<bool> blockCallsignRequested;   // "Block:" box and "Unblock"
extern std::atomic<bool> objectIdLookupRequested;  // "Oid:" box

// The worker; the window starts it on WM_APP+1, replacing the one before.
extern std::jthread workerThread;

// The worker's body. Here: waits for a stop flag (or the token), then posts
// WM_APP+2 to the main window, or WM_APP+1 after restartDelaySec when the
// run ended for new settings and the user has not closed the window.
void gf_runWorkerThread(std::stop_token stop);
