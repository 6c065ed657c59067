#pragma once
// The calls that end a run or restart it, and the reason they give
// (core/closing_reason.h). The flags they set (runStopRequested,
// closingReason, the window's requests ...) are core's run state,
// core/core_state.h. Any thread.

#include <cstdint>

#include "core/closing_reason.h"

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
