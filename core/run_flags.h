#pragma once
// Why a run ends, and the calls that end it or restart it. The flags they
// set (runStopRequested, closingReason, the window's requests ...) are
// core's run state, core/core_state.h. Any thread.

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
