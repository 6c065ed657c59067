#pragma once
// The run's own state: the worker thread, the two UDP readers, whether
// RealTraffic runs on this PC and is connected, whether the flight is paused
// and the outcome of the last closing down. gf_resetRunState puts back what a
// run's reset puts back.
//
// Also the run's, private to the file that keeps them and reset there: the
// traffic reader's shared values (TrafficReader::qnh, callsignSet,
// referencePosition, collectCallsigns: run/traffic_reader.h), the lamps'
// freshness (run/feed_readers.cpp, gf_resetFeedState), the paused ticks
// (run/main_loop.cpp, gf_resetMainLoop), the work cycle's renewal and
// collision-check state (run/work_cycle.cpp, gf_resetWorkCycle), and the
// sockets and listening port of the RealTraffic link (run/realtraffic_link.cpp,
// closed by gf_closeRealTrafficLink). The clock values are records'
// (records/clock.h), the run's flags core's (core/core_state.h).

#include <atomic>
#include <thread>

#include "run/qnh_reader.h"
#include "run/traffic_reader.h"

// The worker: start-up and the run (written by the window thread that starts
// it and by wWinMain, which ends it).
extern std::jthread workerThread;

// The one QNH reader and the one traffic reader, each on a thread of its own
// while it runs; the worker starts, stops and resets them.
extern QnhReader qnhReader;
extern TrafficReader trafficReader;

// RealTraffic is installed on this PC (InsideSystems/RealTraffic.jar in the
// roaming application-data folder), set at every start-up of the worker:
// the UDP readers then listen on 127.0.0.1 only, and RealTraffic connects to
// the program's TCP server.
extern std::atomic<bool> realTrafficOnThisPc;

// A client is connected: set by waitForClient, cleared by a failed send and
// at closing down (worker).
extern std::atomic<bool> realTrafficConnected;

// The flight does not run: the intake of reports is paused until the next
// work cycle. Worker thread.
extern bool flightPaused;

// The outcome chosen by the last closing down (worker); the next worker's
// start-up skips the updater after a restart.
extern std::atomic<bool> restartRequested;

// The run's part of a run's reset: waits for the readers to end, then
// resets the feed's state (gf_resetFeedState) and the main loop's
// (gf_resetMainLoop). Worker thread, after the simulator link's thread ended.
void gf_resetRunState();
