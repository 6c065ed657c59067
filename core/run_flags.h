#pragma once
// The run's flags: why and whether the current run must end, and the main
// window's requests to the worker. All atomic: the window, the worker, the
// simulator link and the readers set and read them without a lock.

#include <atomic>
#include <cstdint>
#include <string_view>

// Why a run ended; the code is also what lf_closingDown logs.
enum class ClosingReason : std::uint32_t {
    NotYetSet = 0,        // "NOT YET SET"
    SimWasClosed = 1,     // "SIM WAS CLOSED"
    NewFlight = 2,        // "NEW FLIGHT"
    NewSettings = 3,      // "NEW SETTINGS"
    UserClosedSim = 4,    // "USER CLOSED SIM"
    SimConnectError = 5,  // "SIMCONNECT ERROR"
    ReaderError = 6,      // "READER ERROR"
    SystemError = 7,      // "SYSTEM ERROR"
};

// The reason's text, as "Exiting: {}" logs it ("SIM WAS CLOSED"). Throws
// std::out_of_range "invalid unordered_map<K, T> key" for a code outside
// the table.
std::string_view gf_closingReasonText(ClosingReason reason);

// The run must end. The first setter wins: later setters change neither the
// reason nor the delay.
extern std::atomic<bool> runStopRequested;
// The user closed the main window.
extern std::atomic<bool> userCloseRequested;
extern std::atomic<ClosingReason> closingReason;
// Seconds counted down before a restart.
extern std::atomic<std::int32_t> restartDelaySec;

// Set by every SIM ON GROUND reply of the simulator; the main loop starts a
// work cycle on the tick after it.
extern std::atomic<bool> simDataArrived;
// Set while RealTraffic has not connected yet in this run.
extern std::atomic<bool> beforeFirstConnection;

// The main window's requests, served and cleared by the worker.
extern std::atomic<bool> flushStaticRequested;     // "Flush static"
extern std::atomic<bool> reReadRequested;          // "Re-read"
extern std::atomic<bool> blockCallsignRequested;   // "Block:" box and "Unblock"
extern std::atomic<bool> objectIdLookupRequested;  // "Oid:" box
extern std::atomic<bool> parkedLightsRequested;    // "Nav lights": to the parked aircraft now
extern std::atomic<bool> liveTrimRequested;        // "Max live": the live aircraft trimmed to it
// The renewal of the static parked aircraft is due.
extern std::atomic<bool> parkingRenewalRequested;

// Ends the run for the reason, restarting after delaySec when the reason
// restarts; false (and nothing changed) when a stop was asked for already.
bool gf_requestRunStop(ClosingReason reason, std::int32_t delaySec);

// A restart with NEW SETTINGS after delaySec, asked for by a setting that
// answers an error of the start-up: while the worker keeps a SYSTEM ERROR on
// the screen and waits for the user, the restart takes its place. Otherwise
// as gf_requestRunStop; false when another reason is pending.
bool gf_requestRestartReplacingSystemError(std::int32_t delaySec);

// A stop flag is set: runStopRequested or userCloseRequested.
bool gf_stopFlagSet();

// The user's close of the main window: sets both stop flags, and the reason
// USER CLOSED SIM only while no reason is set yet.
void gf_requestUserClose();
